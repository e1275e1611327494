// The file-set utilities' handlers. The window resolves what the engine needs (the file selected
// for action, the names chosen in dialogs, the period typed on the Files page) and hands over;
// the engine does the work and speaks through the Host. Joins, crops and period copies may move
// gigabytes, so they run on a worker thread while the window stays live and Stop works.
#include <QCheckBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "core/SlotFiles.h"
#include "fileutils/FileSet.h"
#include "fileutils/Messages.h"
#include "fileutils/PeriodCopy.h"
#include "fileutils/ShiftJoin.h"
#include "species/BuiltInSpecies.h"
#include "ui/ClickLabel.h"
#include "ui/DisplayControl.h"
#include "ui/MainWindow.h"
#include "ui/WorkerJob.h"
#include "ui/Messages.h"
#include "ui/PeriodText.h"
#include "ui/pages/FileSetPanel.h"
#include "ui/pages/FilesPage.h"

namespace zorvel::ui {

namespace {

namespace fm = fileutils::msg;

constexpr int kMessageMs = 5000;
constexpr int kNoFilesRenamedMs = 10'000;
constexpr int kSaveTextShownMs = 600;

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The window's host, except that the job's progress captions go onto the job's button. Captions
// listed in `ignored` (those of a job run inside another) are not shown.
class ButtonHost : public Host {
 public:
  ButtonHost(Host& inner, QPushButton* button, std::vector<std::string_view> ignored = {})
      : inner_(inner), button_(button), ignored_(std::move(ignored)) {}
  void TimedMessage(std::string_view text, int ms) override { inner_.TimedMessage(text, ms); }
  void AddLine(Memo memo, std::string_view line) override { inner_.AddLine(memo, line); }
  Answer Ask(std::string_view q, Buttons b) override { return inner_.Ask(q, b); }
  std::optional<std::string> ChooseSavePath(const SaveRequest& r) override {
    return inner_.ChooseSavePath(r);
  }
  bool StopRequested() override { return inner_.StopRequested(); }
  bool AdministratorMode() const override { return inner_.AdministratorMode(); }
  void Progress(std::string_view caption, int, int) override {
    if (std::find(ignored_.begin(), ignored_.end(), caption) != ignored_.end()) return;
    QMetaObject::invokeMethod(
        button_.data(),
        [b = button_, c = Q(caption)] {
          if (b) b->setText(c);
        },
        Qt::AutoConnection);
  }

 private:
  Host& inner_;
  QPointer<QPushButton> button_;
  std::vector<std::string_view> ignored_;
};

void RunJob(const std::function<void()>& job) { RunOnWorker(job); }

std::vector<std::string> Paths(const QStringList& list) {
  std::vector<std::string> out;
  for (const QString& p : list) out.push_back(p.toStdString());
  return out;
}

}  // namespace

void TB::ConnectFileUtilsControls() {
  // The panel sits on the Files page under the file commands; the Files/Filters page is full.
  QWidget* page = pp->widget(msg::kFilesPage);
  FileSet = new FileSetPanel(page);
  if (auto* box = qobject_cast<QBoxLayout*>(page->layout()))
    box->insertWidget(std::max(0, box->count() - 1), FileSet);
  connect(FileSet->RenameFileSetBtn, &QPushButton::clicked, this, &TB::RenameFileSetBtnClick);
  connect(FileSet->RenameOneFileBtn, &QPushButton::clicked, this, &TB::RenameOneFileBtnClick);
  connect(FileSet->DeleteFileSetBtn, &QPushButton::clicked, this, &TB::DeleteFileSetBtnClick);
  connect(FileSet->AddMinsToStartBtn, &QPushButton::clicked, this, &TB::AddMinutesToStartBtnClick);
  connect(FileSet->JoinZV1FilesBtn, &QPushButton::clicked, this, &TB::JoinZV1FilesBtnClick);
  connect(FileSet->CropCopiesBtn, &QPushButton::clicked, this, &TB::CropCopiesBtnClick);
  connect(Files->CopyPeriodBtn, &QPushButton::clicked, this, &TB::CopySelectedPeriodBtnClick);
  connect(Files->SaveTextBtn, &QPushButton::clicked, this, &TB::SaveTextBtnClick);
}

void TB::SyncSlotsAfterEngine() {
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    if (slots_[slot].Open) {
      ApplyBuiltInSpeciesNames(slots_, slot);
    } else {
      SkipOn[static_cast<size_t>(slot - 1)]->setChecked(false);
    }
  }
  if (FileSlots::ValidSlot(actionSlot_) && !slots_[actionSlot_].Open) SetActionSlot(0);
  UpdateSlotControls();
  ChooseSeekFileIfClosed();
}

void TB::ShowFile1Texts() {
  const TFileRec& s = slots_[1];
  const std::string shown = s.Open ? s.FullFileName : std::string();
  // Only a new file 1 replaces the boxes: what the user typed stays until it is saved.
  if (shown == file1TextsOf_) return;
  file1TextsOf_ = shown;
  Files->Location1Edit->setText(QString::fromLatin1(s.Open ? s.LocationText : std::string()));
  Files->Notes1Edit->setText(QString::fromLatin1(s.Open ? s.NotesText : std::string()));
  Files->Lat1Edit->setText(QString::fromLatin1(s.Open ? s.LatText : std::string()));
  Files->Long1Edit->setText(QString::fromLatin1(s.Open ? s.LongText : std::string()));
  Files->GMT1Edit->setText(QString::fromLatin1(s.Open ? s.GMTText : std::string()));
}

void TB::RenameFileSetBtnClick() {
  if (batchRunning_) return;
  const auto source = fileutils::RenameSetSource(slots_, host());
  if (!source) return;
  const auto chosen = ChooseSavePath(QStringLiteral("RenameSetDialog"),
                                     fileutils::RenameRequest(slots_[slots_.LowestOpenSlot()]), 1);
  if (!chosen) {
    TimedMessage(Q(fm::kNoFilesRenamed), kNoFilesRenamedMs);
    return;
  }
  fileutils::RenameFileSet(slots_, *source, chosen->toStdString(), host());
  SyncSlotsAfterEngine();
}

void TB::RenameOneFileBtnClick() {
  if (batchRunning_) return;
  const auto path = fileutils::ActionSlotPath(slots_, actionSlot_, host());
  if (!path) return;
  const int slot = fileutils::ActionSlot(slots_, actionSlot_);
  const auto chosen =
      ChooseSavePath(QStringLiteral("RenameFileDialog"), fileutils::RenameRequest(slots_[slot]), 1);
  if (!chosen) {
    TimedMessage(Q(fm::kNoFilesRenamed), kNoFilesRenamedMs);
    return;
  }
  fileutils::RenameOneFile(slots_, *path, chosen->toStdString(), host());
  SyncSlotsAfterEngine();
}

void TB::DeleteFileSetBtnClick() {
  if (batchRunning_) return;
  const auto path = fileutils::ActionSlotPath(slots_, actionSlot_, host());
  if (!path) return;
  fileutils::DeleteFileSet(slots_, *path, host());
  SyncSlotsAfterEngine();
}

void TB::AddMinutesToStartBtnClick() {
  if (batchRunning_ || slots_.OpenCount() == 0) return;
  bool ok = false;
  const int minutes = FileSet->MinsToAddToStartEdit->text().trimmed().toInt(&ok);
  if (!ok) {
    TimedMessage(QString::fromLatin1(msg::kMinutesNotNumber), kMessageMs);
    return;
  }
  fileutils::AddMinutesToStart(slots_, minutes, host());
  SyncSlotsAfterEngine();
}

void TB::JoinZV1FilesBtnClick() {
  if (batchRunning_) return;
  const fileutils::JoinOptions options{FileSet->KeepGapsChk->isChecked(),
                                       FileSet->CopyJoinFirstFileChk->isChecked()};
  // Without a ZV1 file in slot 1, or before the first file has been copied, the engine says why.
  if (!slots_[1].Open || slots_[1].FileType != ftZV1 || options.CopyJoinFirstFileChk) {
    fileutils::JoinZV1Files(slots_, {}, options, host());
    return;
  }
  const QString title = Q(fm::kJoinDialogTitle);
  const QStringList chosen = options_.hooks.openFiles
                                 ? options_.hooks.openFiles(title, proposedOpenName_, true)
                                 : QFileDialog::getOpenFileNames(this, title, proposedOpenName_,
                                                                 QString::fromLatin1(msg::kJoinFilter));
  if (chosen.isEmpty()) {
    fileutils::JoinZV1Files(slots_, {}, options, host());
    return;
  }
  DataMemo->clear();
  for (int slot = 2; slot <= kSlotCount; ++slot) CloseFileSlot(slot);
  SetBatchRunning(true);
  int appended = 0;
  const std::vector<std::string> paths = Paths(chosen);
  RunJob([&] { appended = fileutils::JoinZV1Files(slots_, paths, options, host()); });
  SetBatchRunning(false);
  CloseAllSlots(slots_);
  SyncSlotsAfterEngine();
  if (appended > 0) {
    ShowPage(msg::kResultsPage);
    SetMenuVisible(true);
  }
}

void TB::CopySelectedPeriodBtnClick() {
  if (batchRunning_) return;
  int first = 0;
  for (int slot = 3; slot >= 1; --slot)
    if (slots_[slot].Open) first = slot;
  if (first == 0) {
    TimedMessage(QString::fromLatin1(msg::kNoFileToCopy), kMessageMs);
    return;
  }
  // The typed period, or with both boxes empty the display's time selection.
  const QString fromText = Files->PeriodFromEdit->text().trimmed(), toText = Files->PeriodToEdit->text().trimmed();
  std::optional<TRecTime> from, to;
  if (fromText.isEmpty() && toText.isEmpty()) {
    if (!TimeSelectionActive()) return TimedMessage(QString::fromLatin1(msg::kNoPeriodToCopy), kMessageMs);
    from = TRecTime{display_->View().RangeFirstMin, 0};
    to = TRecTime{display_->View().RangeLastMin, 0};
  } else {
    from = ParseMomentText(fromText);
    to = ParseMomentText(toText);
  }
  if (!from || !to || to->Mn < from->Mn) {
    TimedMessage(QString::fromLatin1(msg::kPeriodNotReadable), kMessageMs);
    return;
  }
  const auto output = ChooseSavePath(QStringLiteral("CopyPeriodDialog"),
                                     fileutils::PeriodCopyRequest(slots_[first], from->Mn, to->Mn));
  if (!output) return;
  ButtonHost jobHost(host(), Files->CopyPeriodBtn);
  SetBatchRunning(true);
  RunJob([&] { fileutils::CopySelectedPeriod(slots_, from->Mn, to->Mn, output->toStdString(), jobHost); });
  SetBatchRunning(false);
  SyncSlotsAfterEngine();
}

void TB::CropCopiesBtnClick() {
  if (batchRunning_) return;
  if (!slots_[1].Open) {
    fileutils::MakeCroppedCopies(slots_, {}, host());  // says that File 1 must be open
    return;
  }
  const QString title = Q(fm::kCropDialogTitle);
  const QStringList chosen = options_.hooks.openFiles
                                 ? options_.hooks.openFiles(title, proposedOpenName_, true)
                                 : QFileDialog::getOpenFileNames(this, title, proposedOpenName_,
                                                                 QString::fromLatin1(msg::kDataFileFilter));
  if (chosen.isEmpty()) return;
  // Each crop is a period copy, whose own captions belong to the Files page's button.
  ButtonHost jobHost(host(), FileSet->CropCopiesBtn, {fm::kCopyPeriodBusy, fm::kCopyPeriodBtn});
  const std::vector<std::string> paths = Paths(chosen);
  SetBatchRunning(true);
  RunJob([&] { fileutils::MakeCroppedCopies(slots_, paths, jobHost); });
  SetBatchRunning(false);
  BigLbl->setText(Q(fm::kCompletedLabel));
  SyncSlotsAfterEngine();
}

void TB::SaveTextBtnClick() {
  if (batchRunning_) return;
  // One byte per character in the header.
  const fileutils::DeploymentTexts texts{
      Files->Lat1Edit->text().toLatin1().toStdString(), Files->Long1Edit->text().toLatin1().toStdString(),
      Files->Notes1Edit->text().toLatin1().toStdString(), Files->GMT1Edit->text().toLatin1().toStdString(),
      Files->Location1Edit->text().toLatin1().toStdString()};
  // The busy caption stays a moment, so that the user sees the save happen.
  ButtonHost jobHost(host(), Files->SaveTextBtn, {fm::kSaveTextAfter});
  fileutils::CopyTextToOpenFiles(slots_, texts, jobHost);
  if (slots_[1].Open) {
    WaitFor(kSaveTextShownMs);
    Files->SaveTextBtn->setText(Q(fm::kSaveTextAfter));
  }
  UpdateSlotControls();
}

}  // namespace zorvel::ui
