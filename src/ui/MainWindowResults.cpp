// The Results page's buttons: the memo to the clipboard, emptied, or saved as a text file.
#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "core/AtomicFile.h"
#include "ui/MainWindow.h"
#include "ui/Messages.h"

namespace zorvel::ui {

namespace {
constexpr int kFailedToCreateMs = 30'000;

// Every line of the memo once, in order, each ended by CR LF. An empty memo has no lines.
QByteArray MemoAsCrLfText(const QPlainTextEdit& memo) {
  QByteArray out;
  const QTextDocument* doc = memo.document();
  if (doc->isEmpty()) return out;
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
    out += b.text().toUtf8();
    out += "\r\n";
  }
  return out;
}
}  // namespace

void TB::CopyDataMemoBtnClick() {
  QGuiApplication::clipboard()->setText(DataMemo->toPlainText());
  DataMemo->clear();
  unsavedResults_ = false;
}

void TB::CopyResultsBtnClick() {
  QGuiApplication::clipboard()->setText(DataMemo->toPlainText());
  unsavedResults_ = false;
}

void TB::ClearJotterBtnClick() {
  DataMemo->clear();
  unsavedResults_ = false;
}

void TB::SaveResultsAsFileBtnClick() {
  const std::optional<QString> path = ChooseSavePath(QString::fromLatin1(msg::kSaveResultsDialog), QString(),
                                                     QString::fromLatin1(msg::kResultsFilter));
  const QByteArray text = MemoAsCrLfText(*DataMemo);
  // Saving leaves the unsaved-results flag as it was.
  if (path && WriteWholeFile(path->toStdString(), text.constData(), static_cast<size_t>(text.size()))) return;
  TimedMessage(QString::fromLatin1(msg::kFailedToCreateFile) + path.value_or(QString()), kFailedToCreateMs);
}

}  // namespace zorvel::ui
