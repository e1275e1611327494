#include "ui/TimedMessageWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Messages.h"

namespace zorvel::ui {

namespace {
constexpr int kRightOfMain = 3;
constexpr int kBelowMain = 30;
constexpr int kGoFontPixels = 21;
constexpr int kFontPixels = 15;
}  // namespace

TTM::TTM(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint), mainWindow_(mainWindow) {
  setObjectName(QStringLiteral("TTM"));
  setModal(true);
  setStyleSheet(
      QStringLiteral("QDialog#TTM { background: #fffbe6; border: 2px solid #8a7a3a; }"
                     "QLabel { color: #1a1a1a; }"));
  MessageLbl = new QLabel(this);
  MessageLbl->setObjectName(QStringLiteral("MessageLbl"));
  MessageLbl->setWordWrap(true);
  MessageLbl->setMinimumWidth(320);
  MessageLbl->setMaximumWidth(900);
  OKBtn = new QPushButton(QString::fromLatin1(msg::kTimedOk), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  // Keys go to the window, so that every key (the spacebar too) closes it the same way.
  OKBtn->setFocusPolicy(Qt::NoFocus);
  TimeBar = new QProgressBar(this);
  TimeBar->setObjectName(QStringLiteral("TimeBar"));
  TimeBar->setRange(0, kBarSteps);
  TimeBar->setTextVisible(false);
  TimeBar->setMaximumHeight(10);
  SkipLbl = new QLabel(QString::fromLatin1(msg::kTimedSkip), this);
  SkipLbl->setObjectName(QStringLiteral("SkipLbl"));

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(SkipLbl, 1);
  bottom->addWidget(OKBtn);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 12, 14, 10);
  layout->addWidget(MessageLbl);
  layout->addWidget(TimeBar);
  layout->addLayout(bottom);

  // Coarse timers may fire 5 % early; a notice must stay up for its whole time.
  endTimer_.setTimerType(Qt::PreciseTimer);
  stepTimer_.setTimerType(Qt::PreciseTimer);
  endTimer_.setSingleShot(true);
  connect(&endTimer_, &QTimer::timeout, this, &TTM::Finish);
  connect(&stepTimer_, &QTimer::timeout, this,
          [this] { TimeBar->setValue(std::min(kBarSteps, TimeBar->value() + 1)); });
  connect(OKBtn, &QPushButton::clicked, this, &TTM::Finish);
}

void TTM::Arrange(const QString& text, int milliseconds) {
  QFont f = MessageLbl->font();
  f.setPixelSize(text.startsWith(QLatin1String("GO")) ? kGoFontPixels : kFontPixels);
  MessageLbl->setFont(f);
  MessageLbl->setText(text);
  const bool longMessage = milliseconds > kShortMessageMs;
  OKBtn->setVisible(longMessage);
  TimeBar->setVisible(longMessage);
  SkipLbl->setVisible(longMessage);
  TimeBar->setValue(0);
  stepTimer_.stop();
  if (longMessage) stepTimer_.start(std::max(1, milliseconds / kBarSteps));
  endTimer_.start(std::max(0, milliseconds));
  adjustSize();
  move(mainWindow_->pos() + QPoint(kRightOfMain, kBelowMain));
}

void TTM::ShowFor(const QString& text, int milliseconds) {
  if (mainWindow_->isMinimized()) return;
  Arrange(text, milliseconds);
  if (isVisible()) return;  // the notice already up takes the new text and time
  exec();
}

void TTM::keyPressEvent(QKeyEvent* event) {
  event->accept();
  Finish();
}

void TTM::reject() {
  Finish();
}

void TTM::Finish() {
  endTimer_.stop();
  stepTimer_.stop();
  TimeBar->setValue(0);
  if (isVisible()) done(QDialog::Accepted);
}

}  // namespace zorvel::ui
