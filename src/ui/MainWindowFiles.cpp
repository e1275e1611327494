// The main window's file slot commands: opening files into slots (one by one, several
// unrelated ones, or a ZV1/ZV2 set) and closing them, and the controls that follow the slots.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <filesystem>

#include "core/BinaryFile.h"
#include "core/Messages.h"
#include "core/SlotFiles.h"
#include "species/BuiltInSpecies.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/MainWindow.h"
#include "ui/Messages.h"
#include "ui/pages/DisplayPage.h"
#include "ui/pages/FilesPage.h"
#include "ui/pages/FiltersPage.h"

namespace zorvel::ui {

namespace {
constexpr int kNoSlotFreeMs = 10'000;
constexpr int kNoFileSelectedMs = 3000;
// Long enough to be read when the window has only just appeared.
constexpr int kStartFailureMs = 5000;

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The file beside path with extension ext, in upper or lower case, or empty.
std::string ExistingWithExtension(const std::string& path, const std::string& upperExt) {
  std::string lowerExt = upperExt;
  for (char& c : lowerExt) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const std::string& ext : {upperExt, lowerExt}) {
    const std::string candidate = WithExtension(path, ext);
    if (FileExists(candidate)) return candidate;
  }
  return {};
}
}  // namespace

bool TB::OpenFileIntoSlot(const QString& path, int slot, TYaxisType yAxis) {
  if (path.isEmpty() || !FileSlots::ValidSlot(slot)) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  OpenOptions options;
  options.batchRunning = batchRunning_;
  options.refreshMaps = RefreshMaps;
  const OpenOutcome outcome = OpenFileInSlot(slots_, path.toStdString(), slot, host(), options);
  if (outcome.opened) {
    ApplyBuiltInSpeciesNames(slots_, slot);
    // The species list reads in the names of the classifier of the file opened last.
    if (const auto classifier = ClassifierFromName(slots_[slot].SpClassifierName))
      FiltersP->SetSpeciesCaptions(*classifier);
    slots_[slot].FileYaxisType = yAxis;
    ShowPage(msg::kDisplayPage);
  }
  QApplication::restoreOverrideCursor();
  if (actionSlot_ == slot && !slots_[slot].Open) SetActionSlot(0);
  UpdateSlotControls();
  ChooseSeekFileIfClosed();
  return outcome.opened;
}

void TB::CloseFileSlot(int slot) {
  if (!FileSlots::ValidSlot(slot) || !slots_[slot].Open) return;
  CloseSlot(slots_, slot);
  if (actionSlot_ == slot) SetActionSlot(0);
  SkipOn[static_cast<size_t>(slot - 1)]->setChecked(false);
  if (slot == seekFile_ && slots_.OpenCount() > 0) {
    seekFile_ = 0;
    ChooseSeekFileIfClosed();
  }
  if (slots_.OpenCount() == 0) {
    BatchProgressBar->setValue(0);
    BatchProgressBar->hide();
  }
  UpdateSlotControls();
}

void TB::OpenUnrelatedFilesBtnClick() {
  if (batchRunning_) return;  // a batch job is reading the open files
  const QString title = Q(zorvel::msg::kOpenDialogTitle);
  const QStringList chosen = options_.hooks.openFiles
                                 ? options_.hooks.openFiles(title, proposedOpenName_, true)
                                 : QFileDialog::getOpenFileNames(this, title, proposedOpenName_,
                                                                 QString::fromLatin1(msg::kDataFileFilter));
  OpenUnrelatedFiles(chosen);
}

void TB::OpenUnrelatedFiles(const QStringList& paths) {
  if (paths.isEmpty()) return;
  if (slots_.LowestFreeSlot() == 0) {
    TimedMessage(Q(zorvel::msg::kNoSlotFree), kNoSlotFreeMs);
    CloseFileSlot(1);
  }
  for (const QString& path : paths) {
    const std::string p = path.toStdString();
    if (!IsDataFile(p, host())) continue;
    const int slot = slots_.LowestFreeSlot();
    if (slot == 0) break;
    // A ZV1 file shows its wave groups by amplitude, call files their calls by frequency.
    OpenFileIntoSlot(path, slot, FileTypeOfPath(p) == ftZV1 ? tySPL : tyFreq);
  }
}

int TB::OpenStartFiles(const QStringList& paths) {
  int failed = 0;
  auto fail = [&](const QString& message) {
    if (!message.isEmpty()) TimedMessage(message, kStartFailureMs);
    if (!lastTimedMessage_.isEmpty()) AddLine(Memo::ErrorsMemo, lastTimedMessage_);
    ++failed;
  };
  for (const QString& path : paths) {
    lastTimedMessage_.clear();
    const std::string p = path.toStdString();
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(std::filesystem::path(p), ec);
    if (!std::filesystem::exists(status)) {
      fail(path + Q(zorvel::msg::kNotOpenedSuccessfully));
      continue;
    }
    // Reading a pipe or a device would wait for ever; a folder holds no records.
    if (!std::filesystem::is_regular_file(status)) {
      fail(path + QString::fromLatin1(msg::kStartNotAFile));
      continue;
    }
    if (!IsDataFile(p, host())) {
      // An SD card file has had its notice; anything else is named.
      fail(lastTimedMessage_.isEmpty() ? Q(zorvel::msg::kFileTypeNotRecognised) + path : QString());
      continue;
    }
    const int slot = slots_.LowestFreeSlot();
    if (slot == 0) {
      fail(QString::fromLatin1(msg::kStartNoSlotFree) + path);
      continue;
    }
    if (!OpenFileIntoSlot(path, slot, FileTypeOfPath(p) == ftZV1 ? tySPL : tyFreq)) fail(QString());
  }
  return failed;
}

void TB::OpenFileSetBtnClick() {
  if (batchRunning_) return;  // a batch job is reading the open files
  const QString title = Q(zorvel::msg::kOpenSetDialogTitle);
  QString chosen;
  if (options_.hooks.openFiles) {
    const QStringList list = options_.hooks.openFiles(title, proposedOpenName_, false);
    if (!list.isEmpty()) chosen = list.front();
  } else {
    chosen = QFileDialog::getOpenFileName(this, title, proposedOpenName_,
                                          QString::fromLatin1(msg::kDataFileFilter));
  }
  OpenFileSet(chosen);
}

void TB::OpenFileSet(const QString& path) {
  if (path.isEmpty()) return;
  const std::string chosen = path.toStdString();
  if (!IsDataFile(chosen, host())) return;
  if (TimeSelectionActive() && !batchRunning_ &&
      Ask(Q(zorvel::msg::kContinueWithSelection), Buttons::YesNo) == Answer::No)
    ClearSelectionClick();
  const int first = slots_.LowestFreeSlot();
  if (first == 0) return;
  std::string zv1 = ExistingWithExtension(chosen, ".ZV1");
  if (zv1.empty()) zv1 = chosen;
  OpenFileIntoSlot(QString::fromStdString(zv1), first, tySPL);
  const int second = slots_.LowestFreeSlot();
  const std::string zv2 = ExistingWithExtension(chosen, ".ZV2");
  // A ZV2 chosen without its ZV1 is already in the first slot: it is not opened twice.
  if (second != 0 && !zv2.empty() && zv2 != zv1)
    OpenFileIntoSlot(QString::fromStdString(zv2), second, tyFreq);
}

void TB::CloseFileBtnClick() {
  if (batchRunning_) return;  // a batch job is reading the open files
  if (!FileSlots::ValidSlot(actionSlot_) || !slots_[actionSlot_].Open) {
    TimedMessage(Q(zorvel::msg::kNoFileSelected), kNoFileSelectedMs);
    return;
  }
  CloseFileSlot(actionSlot_);
}

void TB::CloseAllFilesBtnClick() {
  if (batchRunning_) return;  // a batch job is reading the open files
  for (int slot = 1; slot <= kSlotCount; ++slot) CloseFileSlot(slot);
  for (QCheckBox* box : SkipOn) {
    box->setChecked(false);
    box->setEnabled(false);
  }
  seekFile_ = 1;
}

void TB::SetActionSlot(int slot) {
  actionSlot_ = FileSlots::ValidSlot(slot) && slots_[slot].Open ? slot : 0;
  Display->SetSelectedSlot(actionSlot_);
}

void TB::SkipOnClick(int slot, bool checked) {
  if (checked) {
    for (int i = 1; i <= kSlotCount; ++i)
      if (i != slot) SkipOn[static_cast<size_t>(i - 1)]->setChecked(false);
    seekFile_ = slot;
  } else if (seekFile_ == slot) {
    seekFile_ = 0;
  }
}

void TB::ChooseSeekFileIfClosed() {
  if (FileSlots::ValidSlot(seekFile_) && slots_[seekFile_].Open) return;
  const int lowest = slots_.LowestOpenSlot();
  if (lowest == 0) return;
  seekFile_ = lowest;
  for (int i = 1; i <= kSlotCount; ++i) SkipOn[static_cast<size_t>(i - 1)]->setChecked(i == lowest);
}

void TB::UpdateSlotControls() {
  const int openCount = slots_.OpenCount();
  Files->OpenUnrelatedFilesBtn->setText(QString::fromStdString(OpenButtonCaption(openCount)));
  Files->OpenUnrelatedFilesBtn->setEnabled(openCount < kSlotCount);
  Files->CloseAllFilesBtn->setEnabled(openCount > 0);
  setWindowTitle(QString::fromStdString(WindowTitle(slots_)));
  std::vector<int> bands;
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const TFileRec& s = slots_[slot];
    QLabel* label = Display->FileLbl[static_cast<size_t>(slot - 1)];
    const QString name = QString::fromStdString(s.Open ? s.FileLbl : VacantFileLabel(slot));
    label->setText(name);
    DisplayOptions->SlotLbl[static_cast<size_t>(slot - 1)]->setText(name);
    QComboBox* combo = DisplayOptions->DisplayOptionsCombo[static_cast<size_t>(slot - 1)];
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(s.Open ? s.FileYaxisType : tySPL);
    QCheckBox* box = SkipOn[static_cast<size_t>(slot - 1)];
    box->setText(QString::fromStdString(SkipBoxCaption(s)));
    box->setEnabled(s.Open);
    if (s.Open) bands.push_back(slot);
  }
  // With no file open the six vacant slots are shown, so that the user sees where files go.
  if (bands.empty()) bands = {1, 2, 3, 4, 5, 6};
  Display->SetBands(std::move(bands));
  const int32_t first = display_->View().RangeFirstMin, last = display_->View().RangeLastMin;
  display_->FilesChanged();
  KeepSelectionAfterFilesChanged(first, last);
  UpdateDisplay();
  ShowFile1Texts();
}

}  // namespace zorvel::ui
