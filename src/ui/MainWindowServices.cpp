// The main window's services to commands: timed messages, the responsive wait, questions,
// dialogs, memo lines and progress.
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>

#include "ui/ClickLabel.h"
#include "ui/MainWindow.h"
#include "ui/TimedMessageWindow.h"

namespace zorvel::ui {

void TB::TimedMessage(const QString& text, int milliseconds) {
  lastTimedMessage_ = text;
  if (options_.hooks.timedMessage) {
    if (!isMinimized()) options_.hooks.timedMessage(text, milliseconds);
    return;
  }
  TimedMessageWindow->ShowFor(text, milliseconds);
}

void TB::WaitFor(int milliseconds) {
  if (milliseconds <= 0) {
    if (waitLoop_) waitLoop_->quit();
    return;
  }
  QEventLoop loop;
  QTimer WaitForTimer;
  WaitForTimer.setObjectName(QStringLiteral("WaitForTimer"));
  WaitForTimer.setSingleShot(true);
  WaitForTimer.setTimerType(Qt::PreciseTimer);
  connect(&WaitForTimer, &QTimer::timeout, &loop, &QEventLoop::quit);
  QEventLoop* outer = std::exchange(waitLoop_, &loop);
  WaitForTimer.start(milliseconds);
  loop.exec();
  waitLoop_ = outer;
}

Answer TB::Ask(const QString& question, Buttons buttons) {
  if (options_.hooks.ask) return options_.hooks.ask(question, buttons);
  const bool withCancel = buttons == Buttons::YesNoCancel;
  QMessageBox::StandardButtons choice = QMessageBox::Yes | QMessageBox::No;
  if (withCancel) choice |= QMessageBox::Cancel;
  const auto pressed = QMessageBox::question(this, windowTitle(), question, choice);
  if (pressed == QMessageBox::Yes) return Answer::Yes;
  if (pressed == QMessageBox::No) return Answer::No;
  return withCancel ? Answer::Cancel : Answer::No;
}

void TB::ShowMessage(const QString& text) {
  if (options_.hooks.showMessage) {
    options_.hooks.showMessage(text);
    return;
  }
  QMessageBox::information(this, windowTitle(), text);
}

std::optional<QString> TB::ChooseSavePath(const QString& title, const QString& proposedPath,
                                          const QString& filter) {
  const QString path = options_.hooks.saveFile
                           ? options_.hooks.saveFile(title, proposedPath, filter)
                           : QFileDialog::getSaveFileName(this, title, proposedPath, filter);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

void TB::AddLine(Memo memo, const QString& line) {
  switch (memo) {
    case Memo::DataMemo:
      DataMemo->appendPlainText(line);
      break;
    case Memo::UploadMemo:
      UploadMemo->appendPlainText(line);
      break;
    case Memo::ErrorsMemo:
      ErrorsMemo->appendPlainText(line);
      break;
    case Memo::AnalysisMemo:
      AnalysisMemo->appendPlainText(line);
      break;
  }
}

void TB::ShowProgress(const QString& caption, int step, int steps) {
  BigLbl->setText(caption);
  BatchProgressBar->setVisible(steps > 0);
  if (steps > 0) {
    BatchProgressBar->setRange(0, steps);
    BatchProgressBar->setValue(std::clamp(step, 0, steps));
  }
}

void TB::SetBatchRunning(bool on) {
  if (on) stopRequested_ = false;
  batchRunning_ = on;
}

void TB::SetAdministratorMode(bool on) {
  administratorMode_ = on;
  AnalysisMemo->setVisible(on);
}

}  // namespace zorvel::ui
