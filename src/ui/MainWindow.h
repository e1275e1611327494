// The main window (TB): the display area with the menu (a page control) laid over it, the bar of
// shell controls above it, the six file slots, and the services every command uses: the timed
// message, the responsive wait, questions, the busy and stop flags of batch jobs, and the memos.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/FileRec.h"
#include "core/Host.h"
#include "core/RecordReader.h"
#include "export/ExportOptions.h"
#include "filters/CallFilter.h"
#include "import/SdImport.h"
#include "species/BuiltInSpecies.h"
#include "ui/PointerState.h"

class QCheckBox;
class QEventLoop;
class QLabel;
class QTimer;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QUrl;

namespace zorvel::rec {
struct RecordingsImportResult;
}

namespace zorvel::ui {

class AboutPage;
class AnalysisPage;
class ProcessPage;
class SurveyPage;
class TDevF;
class ExportPage;
class FiltersPage;
class ClickLabel;
class DisplayArea;
class DisplayPage;
class NavigationPage;
class DisplayControl;
class FileSetPanel;
class FilesPage;
class GetDataPage;
class ResultsPage;
class SettingsPage;
class SoundBar;
class TTM;
class WindowHost;

// Stand-ins for the window's modal dialogs. An empty function means the real dialog; tests and
// the screenshot mode fill them so that nothing waits for a person.
struct DialogHooks {
  // Returns the chosen paths (empty when cancelled).
  std::function<QStringList(const QString& title, const QString& proposedName, bool multiple)> openFiles;
  // Returns the chosen path (empty when cancelled).
  std::function<QString(const QString& title, const QString& proposedPath, const QString& filter)> saveFile;
  std::function<Answer(const QString& question, Buttons buttons)> ask;
  std::function<void(const QString& text)> showMessage;
  // Replaces the timed message window.
  std::function<void(const QString& text, int milliseconds)> timedMessage;
  // Replaces the loudspeaker: receives each rendered chunk of live play.
  std::function<void(const std::vector<int16_t>& samples, int sampleRate)> playSound;
  // Replaces the default browser.
  std::function<void(const QUrl& url)> openUrl;
};

struct StartupOptions {
  QStringList parameters;  // command-line parameters, without the program name
  DialogHooks hooks;
  // Off screen there is no real screen to be too small for.
  bool checkScreenHeight = true;
};

class TB : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kDesignWidth = 1292;
  static constexpr int kDesignHeight = 894;
  static constexpr int kStartupWaitMs = 2500;

  explicit TB(StartupOptions options = {});
  ~TB() override;

  // The last start-up step: wait (responsively), then switch between the design size and a
  // maximised window. Separate from construction so that tests and screenshots can skip it.
  void FinishStartup();

  // --- Services -------------------------------------------------------------------------------
  void TimedMessage(const QString& text, int milliseconds);
  // Pumps events until the time has passed; 0 or less only ends a wait in progress.
  void WaitFor(int milliseconds);
  bool Waiting() const { return waitLoop_ != nullptr; }
  Answer Ask(const QString& question, Buttons buttons);
  void ShowMessage(const QString& text);
  std::optional<QString> ChooseSavePath(const QString& title, const QString& proposedPath,
                                        const QString& filter);
  // A save dialog with its own object name; filter may list "caption|pattern|…" pairs, and
  // selectedFilter (0-based) picks the pair shown first.
  std::optional<QString> ChooseSavePath(const QString& dialogName, const SaveRequest& request,
                                        int selectedFilter = 0);
  void AddLine(Memo memo, const QString& line);
  void ShowProgress(const QString& caption, int step, int steps);
  Host& host();
  double ScaleFactor() const { return scaleFactor_; }
  const QString& ProposedOpenName() const { return proposedOpenName_; }

  // --- Flags (readable from any thread) -------------------------------------------------------
  bool BatchRunning() const { return batchRunning_; }
  // Keys and clicks leave the view alone while a batch job or live play reads the open files, or
  // while a low-resolution screen is being drawn.
  bool ViewLocked() const;
  // A view command begins: a stop asked for earlier belonged to whatever ran then (or to
  // nothing), so it is forgotten, unless a batch, fast forward or live play is still running.
  void StartViewCommand();
  // During a long draw or search: repaint and take Stop or Esc, nothing else (MainWindowDisplay.cpp).
  void KeepResponsive();
  // The display area changed size: lay out and redraw, or later when a draw is running.
  void ResizeDisplay();
  // Starting a batch clears any stop request left from before.
  void SetBatchRunning(bool on);
  bool StopRequested() const { return stopRequested_; }
  void SetStopRequested(bool on) { stopRequested_ = on; }
  bool UnsavedResults() const { return unsavedResults_; }
  bool AdministratorMode() const { return administratorMode_; }
  void SetAdministratorMode(bool on);
  bool TimeSelectionActive() const { return pointer_.selection.SelectionActive; }
  const PointerState& Pointer() const { return pointer_; }
  void SetTimeSelectionActive(bool on) { pointer_.selection.SelectionActive = on; }

  // --- Menu -----------------------------------------------------------------------------------
  bool MenuVisible() const;
  void SetMenuVisible(bool visible);
  void ShowPage(int index);
  bool ShowPage(const QString& title);  // false when no page has that title

  // --- Shell handlers -------------------------------------------------------------------------
  void MenuBtnClick();
  void BigLblClick();
  void StopShowBtnClick();
  void MaximizeLblClick();
  // "graph": shows the file graphs, or the screen again when they are up (MainWindowGraphs.cpp).
  void ShowFgraphBtnClick();
  bool GraphsShown() const { return graphsShown_; }
  // "Analyze": the results summary of the file chosen on the Analysis page.
  void ReCalcBtnClick();

  // --- File slots -----------------------------------------------------------------------------
  FileSlots& Slots() { return slots_; }
  int ActionSlot() const { return actionSlot_; }
  void SetActionSlot(int slot);
  int SeekFile() const { return seekFile_; }
  bool RefreshMaps = false;   // the "refresh maps" box, once the settings page has it
  QStringList ImportedFiles;  // files made by the last SD card import
  QStringList WorkList;
  bool OpenFileIntoSlot(const QString& path, int slot, TYaxisType yAxis);
  void CloseFileSlot(int slot);
  void OpenUnrelatedFilesBtnClick();
  void OpenUnrelatedFiles(const QStringList& paths);
  // Files named at start, by the command line or a file manager: each into the next free slot.
  // Every file that cannot be opened gets its message, which also stays in the errors memo.
  // Returns how many could not be opened.
  int OpenStartFiles(const QStringList& paths);
  // With an empty path the set is chosen in a dialog (an import passes its first file).
  void OpenFileSetBtnClick();
  void OpenFileSet(const QString& path);
  void CloseFileBtnClick();
  void CloseAllFilesBtnClick();

  // --- Get Data page and the SD card import -------------------------------------------------
  void LatEditChange();
  void LongEditChange();
  void ReadSDBtnClick();
  // Imports the card of the chosen .NXQ file (the part of ReadSDBtnClick after the dialog).
  ImportResult ReadSdCard(const QString& nxqPath);
  // "Read recordings" (MainWindowRecordings.cpp): a folder chosen, or folders and files given.
  void ReadRecordingsBtnClick();
  rec::RecordingsImportResult ReadRecordings(const QStringList& inputs);
  void ZV1sizeLimitLblClick();
  int Zv1SizeLimitGB() const;

  // --- Settings page: the logger's set-up files (MainWindowLogger.cpp) -----------------------
  void WriteSettingsFileBtnClick();
  void CreateClockSetSDBtnClick();
  void ShowWebTimeBtnClick();

  // --- Sound (MainWindowSound.cpp) -----------------------------------------------------------
  void PlaySoundsBtnClick();
  void PitchLblClick();
  void lengthLblClick();
  void CreateWavFileClick();
  void CutRecordedSound(int slot, TRecTime from, TRecTime to);
  bool LivePlayOn() const { return livePlay_; }

  // --- File-set utilities on the Files and Files/Filters pages (MainWindowFileUtils.cpp) ------
  void RenameFileSetBtnClick();
  void RenameOneFileBtnClick();
  void DeleteFileSetBtnClick();
  void AddMinutesToStartBtnClick();
  void JoinZV1FilesBtnClick();
  void CopySelectedPeriodBtnClick();
  void CropCopiesBtnClick();
  void SaveTextBtnClick();

  // --- Files/Filters and Export pages --------------------------------------------------------
  FilterSettings& Filters() { return filters_; }
  SpeciesListModel& SpeciesList() { return species_; }
  ExportOptions& ExportChoices() { return exportOptions_; }
  // The filters as the record reader applies them; lives as long as the window.
  const CallFilter& ReaderFilter() const { return readerFilter_; }
  void IgnoreFiltersClick(bool checked);
  void F4Pressed();
  void ClearOctAndCallFiltersBtnClick();
  void ClearHourAndLightFiltersClick();
  void MarkSelectedCallsBtnClick(bool mark);
  void SaveFilterSettingsBtnClick();
  void LoadFilterSettingsBtnClick();
  void SaveExportSettingsBtnClick();
  void LoadExportSettingsBtnClick();
  // Puts every filter and export value back into its control (after loading or clearing).
  void ShowFilterValues();
  void ShowExportChoices();
  void ExportFromOpenFilesBtnClick();
  void ExportBatchBtnClick();
  void ExportCallDetailsBtnClick();
  void ExportPassesBtnClick();
  void ListLightTempValsBtnClick();
  void ExportCalibrationBtnClick();
  void ListFilesBtnClick();
  void ListSettingsBtnClick();
  void PutOpenFileSettingsOnClipbrdBtnClick();

  // --- Process page, call finding and administrator mode -------------------------------------
  void FindCallsInBatchBtnClick();
  // Finds the calls of the files on a worker thread; the import hands its files over here.
  void RunCallFinding(const QStringList& files);
  void ProcessZV1fileListBtnClick();
  void NavigationImageDblClick();
  void JunkYardLblClick();
  // The reader's developer switches as the developer window holds them.
  ReaderOptions DeveloperReaderOptions() const;

  // --- Results page ---------------------------------------------------------------------------
  void CopyDataMemoBtnClick();
  void CopyResultsBtnClick();
  void ClearJotterBtnClick();
  void SaveResultsAsFileBtnClick();

  // --- Controls -------------------------------------------------------------------------------
  QTabWidget* pp = nullptr;
  QPushButton* MenuBtn = nullptr;
  QPushButton* StopShowBtn = nullptr;
  ClickLabel* BigLbl = nullptr;
  QLabel* MenuLbl = nullptr;
  ClickLabel* MaximizeLbl = nullptr;
  QProgressBar* BatchProgressBar = nullptr;
  std::array<QCheckBox*, kSlotCount> SkipOn{};  // SkipOn1 … SkipOn6
  std::array<QLabel*, 7> LegendLbl{};           // the feature colours of high-resolution screens
  void UpdateLegend();
  DisplayArea* Display = nullptr;
  // The view, painter and navigator behind the display area.
  DisplayControl& Screen() { return *display_; }
  TTM* TimedMessageWindow = nullptr;

  GetDataPage* GetData = nullptr;
  FilesPage* Files = nullptr;
  AboutPage* About = nullptr;
  ResultsPage* Results = nullptr;
  SettingsPage* Settings = nullptr;
  FiltersPage* FiltersP = nullptr;
  ExportPage* ExportP = nullptr;
  ProcessPage* ProcessP = nullptr;
  SurveyPage* SurveyP = nullptr;
  TDevF* DevF = nullptr;
  AnalysisPage* Analysis = nullptr;
  DisplayPage* DisplayOptions = nullptr;
  NavigationPage* Navigation = nullptr;
  FileSetPanel* FileSet = nullptr;  // on the Files/Filters page
  SoundBar* Sound = nullptr;        // beside the stop button

  QPlainTextEdit* DataMemo = nullptr;
  QPlainTextEdit* UploadMemo = nullptr;
  QPlainTextEdit* ErrorsMemo = nullptr;
  QPlainTextEdit* AnalysisMemo = nullptr;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildPages();
  void ConnectControls();
  void ConnectImportControls();
  void ConnectFilterControls();
  void ConnectExportControls();
  void ConnectProcessControls();
  void UpdateFilterSummary();
  QStringList ChooseFiles(const QString& title, const QString& filter, bool multiple);
  std::optional<std::string> ChooseSettingsFile(bool save, std::string_view title, std::string_view filter);
  void ConnectLoggerControls();
  void ConnectSoundControls();
  void ConnectFileUtilsControls();
  // After an engine job closed or reopened slots: the controls follow them again.
  void SyncSlotsAfterEngine();
  // File 1's deployment texts into its boxes on the Files page.
  void ShowFile1Texts();
  void PlaceMenu();
  void SkipOnClick(int slot, bool checked);
  // Brings captions, title, skip boxes, labels and bands in line with the slots.
  void UpdateSlotControls();
  void ChooseSeekFileIfClosed();

  // Shows the painted screen once files are open.
  void UpdateDisplay();
  // The Display and Navigation pages' controls, bound to the display (MainWindowDisplay.cpp).
  void ConnectDisplayControls();
  void ApplyDisplayPage();
  // The pointer and keys over the display (MainWindowMouse.cpp).
  void ConnectPointer();
  void PointerMoved(QPoint at);
  void PointerPressed(Qt::MouseButton button, QPoint at);
  void PointerReleased(Qt::MouseButton button, QPoint at);
  void HideReadout();
  // Keys that need the window (F5 … F10, Ctrl+G, Ctrl+T); true when handled. F4 is a shortcut of its own.
  bool PointerKeyRelease(QKeyEvent* event);
  // False while the pointer is on the status panel (the bar above the display).
  bool PointerAboveStatusPanel() const;
  void RescaleKey(bool up);
  // Sound read for play or a WAV file moves the slot: the screen is drawn again.
  void RedrawAfterSoundRead();
  // The popup's "Put .wav name into clipboard": the recording under the last right-click.
  void WavNameToClipboardClick();
  // Ctrl+F: file 1's microphone response to the clipboard.
  void MicrophoneResponseKey();
  // Ctrl+Shift+C: page through two ZV3 files side by side, stopping at screens with calls.
  void CompareCallFilesKey();
  // Ctrl+G: the plot and its ruler as a black-and-white picture on the clipboard.
  void CopyDisplayPicture();
  // The time selection (MainWindowSelection.cpp): refreshes the range labels, the clear label,
  // the export option and the form hint after any change.
  void SelectionChanged();
  void ClearSelectionClick();
  // Opening or closing files recomputes the full range; a selection in force is kept.
  void KeepSelectionAfterFilesChanged(int32_t first, int32_t last);
  void ConnectZoomMenu();
  // The popup's two clipboard lists (MainWindowPaste.cpp): calls = call parameters, else raw data.
  void PasteListClick(bool calls);
  void FastForwardTick();
  // The file graphs in place of the screen (MainWindowGraphs.cpp).
  void ConnectGraphControls();
  void ConnectAnalysisControls();  // MainWindowAnalysis.cpp
  bool graphsShown_ = false;
  bool keepingResponsive_ = false;
  QTimer* resizeRetry_ = nullptr;
  static constexpr int kResizeRetryMs = 100;
  QElapsedTimer sinceResponsive_;

  StartupOptions options_;
  std::unique_ptr<WindowHost> host_;
  FileSlots slots_;
  std::unique_ptr<DisplayControl> display_;
  double scaleFactor_ = 1.0;
  QString proposedOpenName_;
  std::atomic<bool> batchRunning_{false};
  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> administratorMode_{false};
  bool unsavedResults_ = false;
  int actionSlot_ = 0;
  PointerState pointer_;
  int seekFile_ = 1;
  QEventLoop* waitLoop_ = nullptr;
  SdCardImport import_;
  FilterSettings filters_;
  SpeciesListModel species_;
  CallFilter readerFilter_{filters_, species_};
  ExportOptions exportOptions_;
  bool livePlay_ = false;
  std::string file1TextsOf_;  // the file whose texts the File 1 boxes show
  QString lastTimedMessage_;  // kept for the errors memo when opening at start fails
};

}  // namespace zorvel::ui
