// The "Get Data" page's handlers: the position edits, the ZV1 size limit, and reading an SD
// card. The import runs on a worker thread so the window repaints and Stop works; the handler
// waits for it in a local event loop, as a batch job that the user started and watches.
#include <QCheckBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <thread>

#include "core/SlotFiles.h"
#include "import/Messages.h"
#include "import/PositionParser.h"
#include "ui/ClickLabel.h"
#include "ui/MainWindow.h"
#include "ui/WorkerJob.h"
#include "ui/Messages.h"
#include "ui/pages/GetDataPage.h"
#include "ui/pages/SettingsPage.h"

namespace zorvel::ui {

namespace {

constexpr int kNoFileSelectedMs = 3000;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// Carries the import's two labels over to the window's thread.
class LabelListener : public ImportListener {
 public:
  LabelListener(ClickLabel* status, QLabel* minutes) : status_(status), minutes_(minutes) {}
  void StatusLabel(std::string_view text) override { Post(status_, Q(text)); }
  void MinutesReadLabel(std::string_view text) override { Post(minutes_, Q(text)); }

 private:
  static void Post(QLabel* label, const QString& text) {
    QMetaObject::invokeMethod(label, [label, text] { label->setText(text); }, Qt::QueuedConnection);
  }
  QLabel* status_;
  QLabel* minutes_;
};

void ShowParse(const tParseReport& r, QLabel* value, QLabel* error) {
  value->setText(QString::fromStdString(r.Value));
  error->setText(QString::fromStdString(r.Errors));
}

}  // namespace

void TB::ConnectImportControls() {
  connect(GetData->LatEdit, &QLineEdit::textChanged, this, &TB::LatEditChange);
  connect(GetData->LongEdit, &QLineEdit::textChanged, this, &TB::LongEditChange);
  connect(GetData->ReadSDBtn, &QPushButton::clicked, this, &TB::ReadSDBtnClick);
  connect(GetData->ReadRecordingsBtn, &QPushButton::clicked, this, &TB::ReadRecordingsBtnClick);
  connect(Settings->ZV1sizeLimitLbl, &ClickLabel::clicked, this, &TB::ZV1sizeLimitLblClick);
}

void TB::LatEditChange() {
  ShowParse(ParsePosition(GetData->LatEdit->text().toStdString(), true), GetData->LatDecDegLbl, GetData->LatErrorLbl);
}

void TB::LongEditChange() {
  ShowParse(ParsePosition(GetData->LongEdit->text().toStdString(), false), GetData->LongDecDegLbl,
            GetData->LongErrorLbl);
}

// The Settings page's model holds the limit; the import reads it from there.
void TB::ZV1sizeLimitLblClick() {
  Settings->Model().ZV1sizeLimitLblClick();
  Settings->PullFromModel();
}

void TB::ReadSDBtnClick() {
  if (batchRunning_) return;
  const QString title = Q(zorvel::msg::kOpenNxqTitle);
  const QString start = QString::fromStdString(import_.LastSdFolder());
  QString chosen;
  if (options_.hooks.openFiles) {
    const QStringList list = options_.hooks.openFiles(title, start, false);
    if (!list.isEmpty()) chosen = list.front();
  } else {
    chosen = QFileDialog::getOpenFileName(this, title, start, QString::fromLatin1(msg::kNxqFilter));
  }
  if (chosen.isEmpty()) {
    TimedMessage(Q(zorvel::msg::kNoNxqFileSelected), kNoFileSelectedMs);
    return;
  }
  ReadSdCard(chosen);
}

ImportResult TB::ReadSdCard(const QString& nxqPath) {
  // Start clean: no report from the last run, no list of its files, no files open.
  BigLbl->clear();
  GetData->MinutesReadLbl->clear();
  ImportedFiles.clear();
  CloseAllFilesBtnClick();

  ImportOptions options;
  options.SdPath = nxqPath.toStdString();
  options.Texts = DeploymentTexts{GetData->LatEdit->text().toStdString(), GetData->LongEdit->text().toStdString(),
                                  GetData->LocationEdit->text().toStdString(),
                                  GetData->NotesEdit->text().toStdString(), GetData->UTCEdit->text().toStdString()};
  options.NoGapsInFileName = GetData->NoGapsInFileName->isChecked();
  options.SizeLimitGB = Zv1SizeLimitGB();
  options.Zv1Folder = import_.LastZv1Folder().empty() ? QFileInfo(nxqPath).absolutePath().toStdString()
                                                      : import_.LastZv1Folder();
  options.DataMemoLines = DataMemo->blockCount();

  SetBatchRunning(true);
  ImportResult result;
  LabelListener listener(BigLbl, GetData->MinutesReadLbl);
  RunOnWorker([&] { result = import_.Run(options, host(), &listener); });
  SetBatchRunning(false);

  for (const std::string& f : result.MadeFiles) ImportedFiles.push_back(QString::fromStdString(f));
  if (GetData->ProcessAfterDownload->isChecked() && !ImportedFiles.isEmpty()) RunCallFinding(ImportedFiles);
  if (GetData->OpenFileAfterDownload->isChecked() && !ImportedFiles.isEmpty()) OpenFileSet(ImportedFiles.front());
  return result;
}

}  // namespace zorvel::ui
