// The Export page's handlers: the choices are bound to the window's ExportOptions, and the
// commands hand them with the filters to the export engine. Exports over many files run as
// batch jobs on a worker thread so the window stays live and Stop works.
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QEventLoop>
#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <thread>

#include "export/DetailListings.h"
#include "export/Messages.h"
#include "export/PassExport.h"
#include "export/PeriodExport.h"
#include "ui/DisplayControl.h"
#include "ui/MainWindow.h"
#include "ui/WorkerJob.h"
#include "ui/Messages.h"
#include "ui/pages/ExportPage.h"

namespace zorvel::ui {

namespace {

constexpr int kNoFilesMs = 2000;

QString S(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

std::vector<std::string> Paths(const QStringList& list) {
  std::vector<std::string> out;
  for (const QString& p : list) out.push_back(p.toStdString());
  return out;
}

}  // namespace

QStringList TB::ChooseFiles(const QString& title, const QString& filter, bool multiple) {
  if (options_.hooks.openFiles) return options_.hooks.openFiles(title, proposedOpenName_, multiple);
  if (multiple) return QFileDialog::getOpenFileNames(this, title, proposedOpenName_, filter);
  const QString one = QFileDialog::getOpenFileName(this, title, proposedOpenName_, filter);
  return one.isEmpty() ? QStringList() : QStringList{one};
}

void TB::ConnectExportControls() {
  ExportPage* p = ExportP;
  auto bindGroup = [this](RadioGroup& g, auto setter) {
    connect(g.buttons, &QButtonGroup::idClicked, this, [this, setter](int id) {
      setter(id);
      ExportGroupsClicked(exportOptions_);
      ShowExportChoices();
    });
  };
  bindGroup(p->ExpWhatRadioGp, [this](int i) { exportOptions_.kind = static_cast<ExportKind>(i); });
  bindGroup(p->ExpPeriodRadioGp, [this](int i) { exportOptions_.period = static_cast<ExportPeriod>(i); });
  bindGroup(p->FileOrJotter, [this](int i) { exportOptions_.destination = static_cast<ExportDestination>(i); });
  bindGroup(p->ExportTimeFormatsGp, [this](int i) { exportOptions_.timeFormat = static_cast<ExportTimeFormat>(i); });
  bindGroup(p->DayOrMinGp, [this](int i) { exportOptions_.dateUnit = static_cast<ExportDateUnit>(i); });
  auto bindCheck = [this](QCheckBox* box, bool& value) {
    connect(box, &QCheckBox::toggled, this, [&value](bool on) { value = on; });
  };
  bindCheck(p->ExportSelectedTime, exportOptions_.ExportSelectedTime);
  bindCheck(p->OmitSpreadsheetHeaders, exportOptions_.OmitSpreadsheetHeaders);
  bindCheck(p->DropBlanksChkBox, exportOptions_.DropBlanksChkBox);
  bindCheck(p->WithBriefFileName, exportOptions_.WithBriefFileName);
  bindCheck(p->SeparateFiles, exportOptions_.SeparateFiles);
  for (size_t i = 0; i < p->ExportFile.size(); ++i) bindCheck(p->ExportFile[i], exportOptions_.ExportFile[i]);

  connect(p->ExportFromOpenFilesBtn, &QPushButton::clicked, this, &TB::ExportFromOpenFilesBtnClick);
  connect(p->ExportBatchBtn, &QPushButton::clicked, this, &TB::ExportBatchBtnClick);
  connect(p->ExportCallDetailsBtn, &QPushButton::clicked, this, &TB::ExportCallDetailsBtnClick);
  connect(p->ExportPassesBtn, &QPushButton::clicked, this, &TB::ExportPassesBtnClick);
  connect(p->ListLightTempValsBtn, &QPushButton::clicked, this, &TB::ListLightTempValsBtnClick);
  connect(p->ExportCalibrationBtn, &QPushButton::clicked, this, &TB::ExportCalibrationBtnClick);
  connect(p->ListFilesBtn, &QPushButton::clicked, this, &TB::ListFilesBtnClick);
  connect(p->ListSettingsBtn, &QPushButton::clicked, this, &TB::ListSettingsBtnClick);
  connect(p->PutOpenFileSettingsOnClipbrdBtn, &QPushButton::clicked, this, &TB::PutOpenFileSettingsOnClipbrdBtnClick);
  ShowExportChoices();
}

void TB::ShowExportChoices() {
  ExportPage* p = ExportP;
  p->ExpWhatRadioGp.SetIndex(static_cast<int>(exportOptions_.kind));
  p->ExpPeriodRadioGp.SetIndex(static_cast<int>(exportOptions_.period));
  p->FileOrJotter.SetIndex(static_cast<int>(exportOptions_.destination));
  p->ExportTimeFormatsGp.SetIndex(static_cast<int>(exportOptions_.timeFormat));
  p->DayOrMinGp.SetIndex(static_cast<int>(exportOptions_.dateUnit));
  const std::pair<QCheckBox*, bool> checks[] = {
      {p->ExportSelectedTime, exportOptions_.ExportSelectedTime},
      {p->OmitSpreadsheetHeaders, exportOptions_.OmitSpreadsheetHeaders},
      {p->DropBlanksChkBox, exportOptions_.DropBlanksChkBox},
      {p->WithBriefFileName, exportOptions_.WithBriefFileName},
      {p->SeparateFiles, exportOptions_.SeparateFiles}};
  for (const auto& [box, on] : checks) {
    const QSignalBlocker block(box);
    box->setChecked(on);
  }
  for (size_t i = 0; i < p->ExportFile.size(); ++i) {
    const QSignalBlocker block(p->ExportFile[i]);
    p->ExportFile[i]->setChecked(exportOptions_.ExportFile[i]);
  }
  p->SeparateFiles->setEnabled(SeparateFilesEnabled(exportOptions_));
}

namespace {
// Runs job on a worker thread while the window stays live; the batch flag is set meanwhile.
void RunAsBatch(TB& window, const std::function<void()>& job) {
  window.SetBatchRunning(true);
  RunOnWorker(job);
  window.SetBatchRunning(false);
}
}  // namespace

void TB::ExportFromOpenFilesBtnClick() {
  if (batchRunning_) return;
  // The open files belong to the display, so their export runs here, between repaints.
  SetBatchRunning(true);
  std::optional<MinuteSpan> selection;
  if (exportOptions_.ExportSelectedTime && pointer_.selection.SelectionActive)
    selection = MinuteSpan{display_->View().RangeFirstMin, display_->View().RangeLastMin};
  ExportFromOpenFiles(slots_, exportOptions_, ExportFilters{filters_, species_}, selection, host());
  SetBatchRunning(false);
  ShowPage(msg::kResultsPage);
}

void TB::ExportBatchBtnClick() {
  if (batchRunning_) return;
  const QStringList chosen = ChooseFiles(QString::fromLatin1(msg::kSelectBatchTitle),
                                         QString::fromLatin1(msg::kDataFileFilter), true);
  if (chosen.isEmpty()) {
    TimedMessage(S(zorvel::msg::kNoFilesSelected), kNoFilesMs);
    return;
  }
  const std::vector<std::string> files = Paths(chosen);
  RunAsBatch(*this, [&] { ExportBatch(files, exportOptions_, ExportFilters{filters_, species_}, std::nullopt, host()); });
  ShowPage(msg::kResultsPage);
}

void TB::ExportCallDetailsBtnClick() {
  if (batchRunning_) return;
  DataMemo->clear();
  std::vector<std::string> files;
  if (exportOptions_.SearchDirectories) {
    const QString dir = options_.hooks.openFiles
                            ? ChooseFiles(S(zorvel::msg::kSelectDirectory), QString(), false).value(0)
                            : QFileDialog::getExistingDirectory(this, S(zorvel::msg::kSelectDirectory));
    if (dir.isEmpty()) {
      TimedMessage(S(zorvel::msg::kPleaseSelectDirectory), kNoFilesMs);
      return;
    }
    files = ZV2FilesUnder(dir.toStdString());
  } else {
    const QStringList chosen =
        ChooseFiles(QString::fromLatin1(msg::kSelectBatchTitle), QString::fromLatin1(msg::kDataFileFilter), true);
    if (chosen.isEmpty()) {
      TimedMessage(S(zorvel::msg::kNoFilesSelected), kNoFilesMs);
      return;
    }
    files = Paths(chosen);
  }
  if (files.empty()) {
    TimedMessage(S(zorvel::msg::kNoFilesSelectedLower), kNoFilesMs);
    return;
  }
  RunAsBatch(*this, [&] {
    ExportCallDetails(files, exportOptions_, ExportFilters{filters_, species_}, std::nullopt, host());
  });
  ShowPage(msg::kResultsPage);
}

// The passes of the chosen files into "<first file> passes.txt" beside the first.
void TB::ExportPassesBtnClick() {
  if (batchRunning_) return;
  const QStringList chosen =
      ChooseFiles(QString::fromLatin1(msg::kSelectBatchTitle), QString::fromLatin1(msg::kDataFileFilter), true);
  if (chosen.isEmpty()) {
    TimedMessage(S(zorvel::msg::kNoFilesSelected), kNoFilesMs);
    return;
  }
  const std::vector<std::string> files = Paths(chosen);
  RunAsBatch(*this, [&] { ExportPasses(files, std::nullopt, host()); });
  ShowPage(msg::kResultsPage);
}

void TB::ListLightTempValsBtnClick() {
  std::string caption;
  // Until the display keeps a screen, the screen is the file's whole span.
  const TFileRec& s = slots_[FileSlots::ValidSlot(actionSlot_) ? actionSlot_ : 1];
  const auto lines = ListMinuteValues(slots_, actionSlot_, s.FirstLoggedMin, s.LastLoggedMin, host(), &caption);
  if (!caption.empty()) ExportP->ListLightTempValsBtn->setText(QString::fromStdString(caption));
  if (lines) {
    for (const std::string& l : *lines) AddLine(Memo::DataMemo, QString::fromStdString(l));
    ShowPage(msg::kResultsPage);
  }
}

void TB::ExportCalibrationBtnClick() {
  const QStringList chosen = ChooseFiles(S(zorvel::msg::kCalibrationTitle), QString::fromLatin1(msg::kDataFileFilter), true);
  if (chosen.isEmpty()) {
    TimedMessage(S(zorvel::msg::kNoFilesSelected), kNoFilesMs);
    return;
  }
  const std::vector<std::string> files = Paths(chosen);
  RunAsBatch(*this, [&] { ListCalibration(files, host()); });
  ShowPage(msg::kResultsPage);
}

void TB::ListFilesBtnClick() {
  const QStringList chosen = ChooseFiles(S(zorvel::msg::kListingTitle), QString::fromLatin1(msg::kDataFileFilter), true);
  if (chosen.isEmpty()) {
    TimedMessage(S(zorvel::msg::kNoFilesSelected), kNoFilesMs);
    return;
  }
  const bool withDeployment = AskIncludeDeployment(host());
  const std::vector<std::string> files = Paths(chosen);
  RunAsBatch(*this, [&] { ListFileTimes(files, withDeployment, host()); });
  ShowPage(msg::kResultsPage);
}

void TB::ListSettingsBtnClick() {
  const bool userSettings = AskListUserSettings(host());
  const QStringList chosen = ChooseFiles(S(zorvel::msg::kListingTitle), QString::fromLatin1(msg::kDataFileFilter), true);
  if (chosen.isEmpty()) {
    TimedMessage(S(zorvel::msg::kNoFilesSelected), kNoFilesMs);
    return;
  }
  const std::vector<std::string> files = Paths(chosen);
  std::vector<std::string> lines;
  RunAsBatch(*this, [&] { lines = ListBatchSettings(files, userSettings, host()); });
  QGuiApplication::clipboard()->setText(QString::fromStdString(ClipboardText(lines)));
  TimedMessage(S(zorvel::msg::kResultsOnClipboard), kNoFilesMs);
}

void TB::PutOpenFileSettingsOnClipbrdBtnClick() {
  QGuiApplication::clipboard()->setText(QString::fromStdString(ClipboardText(OpenFileSettingsLines(slots_))));
  TimedMessage(S(zorvel::msg::kResultsOnClipboard), kNoFilesMs);
}

}  // namespace zorvel::ui
