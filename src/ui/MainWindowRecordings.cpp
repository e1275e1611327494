// "Read recordings" on the Get Data page: a folder of full-spectrum or zero-crossing recordings
// becomes ZV1 files with the options beside the command and the deployment texts above it. The
// import runs on a worker thread; the big label shows the recording being read and Stop ends
// the import between recordings. What follows honours "process after download" and "open after
// download", as an SD card import does.
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "recordings/RecordingTime.h"
#include "recordings/RecordingsImport.h"
#include "ui/ClickLabel.h"
#include "ui/MainWindow.h"
#include "ui/Messages.h"
#include "ui/WorkerJob.h"
#include "ui/pages/GetDataPage.h"

namespace zorvel::ui {

namespace {
constexpr int kMessageMs = 3000;
}  // namespace

void TB::ReadRecordingsBtnClick() {
  if (batchRunning_) return;
  const QString title = QString::fromLatin1(msg::kRecordingsFolderTitle);
  QStringList chosen;
  if (options_.hooks.openFiles) {
    chosen = options_.hooks.openFiles(title, QString(), true);
  } else {
    const QString folder = QFileDialog::getExistingDirectory(this, title);
    if (!folder.isEmpty()) chosen << folder;
  }
  if (chosen.isEmpty()) return;
  ReadRecordings(chosen);
}

rec::RecordingsImportResult TB::ReadRecordings(const QStringList& inputs) {
  rec::RecordingsImportOptions o;
  for (const QString& in : inputs) o.inputs.push_back(in.toStdString());
  bool okTe = true, okHp = true, okCh = true;
  const QString te = GetData->TimeExpansionEdit->text().trimmed();
  o.read.timeExpansion = te.isEmpty() ? 0 : te.toInt(&okTe);
  o.read.frontEnd.highPassHz = GetData->HighPassKhzEdit->text().toDouble(&okHp) * 1000;
  o.read.channel = GetData->ChannelEdit->text().toInt(&okCh);
  if (!okTe || !okHp || !okCh || o.read.channel < 1) {
    TimedMessage(QString::fromLatin1(msg::kRecordingsOptionBad), kMessageMs);
    return {};
  }
  o.read.utcOffsetMinutes = rec::ParseUtcOffset(GetData->UTCEdit->text().toStdString());
  o.recursive = GetData->RecordingsSubfolders->isChecked();
  o.oneFile = GetData->OneFilePerFolder->isChecked();
  if (GetData->ZeroCrossingFrontEnd->isChecked()) o.read.frontEnd.kind = rec::FrontEndKind::ZeroCrossing;
  o.place = rec::PlaceTexts{GetData->LocationEdit->text().toStdString(), GetData->LatEdit->text().toStdString(),
                            GetData->LongEdit->text().toStdString(), GetData->UTCEdit->text().toStdString()};
  // The files go beside the recordings: into the folder chosen, or the folder of the first file.
  const QFileInfo first(inputs.front());
  o.outFolder = (first.isDir() ? first.absoluteFilePath() : first.absolutePath()).toStdString();

  BigLbl->clear();
  ImportedFiles.clear();
  CloseAllFilesBtnClick();
  SetBatchRunning(true);
  rec::RecordingsImportResult result;
  RunOnWorker([&] { result = rec::ImportRecordings(o, host()); });
  SetBatchRunning(false);
  BigLbl->clear();
  if (!result.error.empty()) host().AddLine(Memo::UploadMemo, result.error);
  for (const std::string& line : result.Summary()) host().AddLine(Memo::UploadMemo, line);

  for (const std::string& f : result.madeFiles) ImportedFiles.push_back(QString::fromStdString(f));
  if (GetData->ProcessAfterDownload->isChecked() && !ImportedFiles.isEmpty()) RunCallFinding(ImportedFiles);
  if (GetData->OpenFileAfterDownload->isChecked() && !ImportedFiles.isEmpty()) OpenFileSet(ImportedFiles.front());
  return result;
}

}  // namespace zorvel::ui
