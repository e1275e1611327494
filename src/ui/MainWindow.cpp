#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/SlotFiles.h"
#include "core/Tables.h"
#include "species/BuiltInSpecies.h"
#include "ui/ClickLabel.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/ElidedWidgets.h"
#include "ui/Hints.h"
#include "ui/KeyRules.h"
#include "ui/Messages.h"
#include "ui/ProgramFormats.h"
#include "ui/Style.h"
#include "ui/TimedMessageWindow.h"
#include "ui/WindowHost.h"
#include "ui/pages/AboutPage.h"
#include "ui/pages/AnalysisPage.h"
#include "ui/pages/DisplayPage.h"
#include "ui/pages/ExportPage.h"
#include "ui/pages/FilesPage.h"
#include "ui/pages/FiltersPage.h"
#include "ui/pages/GetDataPage.h"
#include "ui/pages/NavigationPage.h"
#include "ui/pages/ProcessPage.h"
#include "ui/pages/SurveyPage.h"
#include "ui/pages/ResultsPage.h"
#include "ui/pages/SettingsPage.h"
#include "ui/pages/SoundBar.h"

namespace zorvel::ui {

namespace {
// The menu covers the top left of the display, leaving the lower bands visible.
constexpr int kMenuMargin = 6;
constexpr int kMenuMaxWidth = 1080;
constexpr int kMenuMaxHeight = 470;
}  // namespace

TB::TB(StartupOptions options)
    : options_(std::move(options)),
      host_(std::make_unique<WindowHost>(*this)),
      display_(std::make_unique<DisplayControl>(slots_, *host_)) {
  setObjectName(QStringLiteral("TB"));
  display_->SetFilter(&readerFilter_, &filters_.IgnoreFilters);
  display_->Nav().onScreenDrawn = [this] {
    if (Display) Display->update();
  };
  BuildControls();
  BuildPages();
  ConnectControls();
  resize(kDesignWidth, kDesignHeight);

  // 1. The window is designed for screens 1080 pixels high.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int screenHeight = screen ? screen->geometry().height() : 0;
  if (options_.checkScreenHeight && screen && screenHeight < kMinimumScreenHeight)
    ShowMessage(QString::fromLatin1(msg::kScreenTooSmall));
  // 2. Qt lays the controls out for the screen; the factor is kept for drawing.
  scaleFactor_ = ScreenScaleFactor(screenHeight, height());
  // 3. Number and date formats of our own, whatever the user's locale.
  FixProgramFormats();
  // 4. Every lookup table before any file is read.
  PopulatePrecalculatedArrays();
  InitSlotSpeciesNames(slots_);
  // 5. and 6. Work lists start empty; the command line proposes a file name to the open dialogs.
  ImportedFiles.clear();
  WorkList.clear();
  proposedOpenName_ = ProposedFileName(options_.parameters);
  // 7. Flags cleared, slots vacant, controls in line with them.
  batchRunning_ = false;
  stopRequested_ = false;
  unsavedResults_ = false;
  CloseAllSlots(slots_);
  UpdateSlotControls();
  SkipOn[0]->setChecked(true);
  // 8. The menu opens on the Files page. The window's layout is settled first, so that the menu
  // has its real size even before the window is first shown.
  layout()->activate();
  centralWidget()->layout()->activate();
  ShowPage(msg::kFilesPage);
  SetMenuVisible(true);
}

TB::~TB() {
  CloseAllSlots(slots_);
}

void TB::FinishStartup() {
  WaitFor(kStartupWaitMs);
  MaximizeLblClick();
}

Host& TB::host() {
  return *host_;
}

void TB::BuildControls() {
  setStyleSheet(QString::fromLatin1(kWindowStyle));
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Central"));
  setCentralWidget(central);

  auto* bar = new QWidget(central);
  bar->setObjectName(QStringLiteral("BackBar"));
  MenuBtn = new QPushButton(QString::fromLatin1(msg::kMenuBtn), bar);
  MenuBtn->setObjectName(QStringLiteral("MenuBtn"));
  SetHint(MenuBtn, QString::fromLatin1(msg::kMenuHint));
  StopShowBtn = new QPushButton(QString::fromLatin1(msg::kStopShowBtn), bar);
  StopShowBtn->setObjectName(QStringLiteral("StopShowBtn"));
  SetHint(StopShowBtn, QString::fromLatin1(msg::kStopHint));
  BigLbl = new ClickLabel(bar);
  BigLbl->setObjectName(QStringLiteral("BigLbl"));
  SetHint(BigLbl, QString::fromLatin1(msg::kBigLblHint));
  BatchProgressBar = new QProgressBar(bar);
  BatchProgressBar->setObjectName(QStringLiteral("BatchProgressBar"));
  BatchProgressBar->setTextVisible(false);
  BatchProgressBar->setFixedWidth(160);
  BatchProgressBar->hide();
  MaximizeLbl = new ClickLabel(QString::fromLatin1(msg::kMaximizeLbl), bar);
  MaximizeLbl->setObjectName(QStringLiteral("MaximizeLbl"));
  SetHint(MaximizeLbl, QString::fromLatin1(msg::kMaximizeHint));
  // Hints can be long: they are cut to the room the row leaves them, never widen the window.
  MenuLbl = new ElidedLabel(QString::fromLatin1(msg::kHintPrefix), bar);
  MenuLbl->setObjectName(QStringLiteral("MenuLbl"));

  auto* row1 = new QHBoxLayout;
  row1->addWidget(MenuBtn);
  row1->addWidget(StopShowBtn);
  Sound = new SoundBar(bar);
  row1->addWidget(Sound);
  row1->addSpacing(12);
  row1->addWidget(BigLbl, 1);
  row1->addWidget(BatchProgressBar);
  row1->addWidget(MaximizeLbl);
  auto* row2 = new QHBoxLayout;
  for (int i = 0; i < kSlotCount; ++i) {
    // Their captions carry the file names, which can be long.
    auto* box = new ElidedCheckBox(bar);
    box->setObjectName(QStringLiteral("SkipOn%1").arg(i + 1));
    SetHint(box, QString::fromLatin1(msg::kSkipOnHint));
    SkipOn[static_cast<size_t>(i)] = box;
    row2->addWidget(box);
  }
  row2->addSpacing(16);
  for (size_t i = 0; i < LegendLbl.size(); ++i) {
    LegendLbl[i] = new QLabel(bar);
    LegendLbl[i]->setObjectName(QStringLiteral("LegendLbl%1").arg(i + 1));
    row2->addWidget(LegendLbl[i]);
  }
  row2->addWidget(MenuLbl, 1);
  auto* barLayout = new QVBoxLayout(bar);
  barLayout->setContentsMargins(8, 6, 8, 4);
  barLayout->setSpacing(3);
  barLayout->addLayout(row1);
  barLayout->addLayout(row2);

  Display = new DisplayArea(central);
  Display->installEventFilter(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(Display, 1);

  TimedMessageWindow = new TTM(this);
}

void TB::BuildPages() {
  pp = new QTabWidget(Display);
  pp->setObjectName(QStringLiteral("pp"));
  // The pages are chosen with the pointer; a focused tab would only add a dotted frame.
  pp->tabBar()->setFocusPolicy(Qt::NoFocus);
  GetData = new GetDataPage(pp);
  Files = new FilesPage(pp);
  About = new AboutPage(pp);
  Results = new ResultsPage(pp);
  Analysis = new AnalysisPage(pp);
  DisplayOptions = new DisplayPage(pp);
  Navigation = new NavigationPage(pp);
  Settings = new SettingsPage(pp);
  FiltersP = new FiltersPage(pp);
  ExportP = new ExportPage(pp);
  ProcessP = new ProcessPage(pp);
  const std::array<TitledPage*, msg::kPageTitles.size()> pages = {GetData,
                                                                  Files,
                                                                  FiltersP,
                                                                  DisplayOptions,
                                                                  Settings,
                                                                  About,
                                                                  Navigation,
                                                                  ExportP,
                                                                  Results,
                                                                  Analysis,
                                                                  ProcessP};
  for (TitledPage* page : pages) pp->addTab(page, page->Title());
  SurveyP = new SurveyPage(*this, pp);
  pp->addTab(SurveyP, SurveyP->Title());
  DataMemo = Results->DataMemo;
  ErrorsMemo = Results->ErrorsMemo;
  UploadMemo = GetData->UploadMemo;
  AnalysisMemo = Analysis->AnalysisMemo;
  pp->raise();
}

void TB::ConnectControls() {
  ConnectDisplayControls();
  ConnectGraphControls();
  ConnectAnalysisControls();
  connect(MenuBtn, &QPushButton::clicked, this, &TB::MenuBtnClick);
  connect(StopShowBtn, &QPushButton::clicked, this, &TB::StopShowBtnClick);
  connect(BigLbl, &ClickLabel::clicked, this, &TB::BigLblClick);
  connect(MaximizeLbl, &ClickLabel::clicked, this, &TB::MaximizeLblClick);
  auto* f2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
  connect(f2, &QShortcut::activated, this, &TB::MenuBtnClick);
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(esc, &QShortcut::activated, this, &TB::StopShowBtnClick);
  for (int i = 0; i < kSlotCount; ++i)
    connect(SkipOn[static_cast<size_t>(i)], &QCheckBox::clicked, this,
            [this, i](bool on) { SkipOnClick(i + 1, on); });
  ConnectPointer();
  Display->sliderText = [this](int left) { return display_->SliderDragText(left); };
  connect(Display, &DisplayArea::SliderReleased, this, [this](int left) {
    SetMenuVisible(false);
    StartViewCommand();
    display_->Nav().SliderRelease(left);
    UpdateDisplay();
  });

  connect(Files->OpenUnrelatedFilesBtn, &QPushButton::clicked, this, &TB::OpenUnrelatedFilesBtnClick);
  connect(Files->OpenFileSetBtn, &QPushButton::clicked, this, &TB::OpenFileSetBtnClick);
  connect(Files->CloseFileBtn, &QPushButton::clicked, this, &TB::CloseFileBtnClick);
  connect(Files->CloseAllFilesBtn, &QPushButton::clicked, this, &TB::CloseAllFilesBtnClick);

  ConnectImportControls();
  ConnectFilterControls();
  ConnectExportControls();
  ConnectProcessControls();
  ConnectLoggerControls();
  ConnectSoundControls();
  ConnectFileUtilsControls();

  connect(DataMemo, &QPlainTextEdit::textChanged, this, [this] { unsavedResults_ = true; });
  connect(Results->CopyDataMemoBtn, &QPushButton::clicked, this, &TB::CopyDataMemoBtnClick);
  connect(Results->CopyResultsBtn, &QPushButton::clicked, this, &TB::CopyResultsBtnClick);
  connect(Results->ClearJotterBtn, &QPushButton::clicked, this, &TB::ClearJotterBtnClick);
  connect(Results->SaveResultsAsFileBtn, &QPushButton::clicked, this, &TB::SaveResultsAsFileBtnClick);
}

// --- Menu and shell handlers ------------------------------------------------------------------

bool TB::MenuVisible() const {
  return pp->isVisible();
}

void TB::SetMenuVisible(bool visible) {
  // Qt repaints what the menu covered, so no copy of the display is kept around it.
  if (visible) {
    PlaceMenu();
    pp->raise();
  }
  pp->setVisible(visible);
}

void TB::ShowPage(int index) {
  pp->setCurrentIndex(index);
}

bool TB::ShowPage(const QString& title) {
  for (int i = 0; i < pp->count(); ++i) {
    if (pp->tabText(i).compare(title, Qt::CaseInsensitive) == 0) {
      ShowPage(i);
      return true;
    }
  }
  return false;
}

void TB::PlaceMenu() {
  const int w = std::max(0, std::min(kMenuMaxWidth, Display->width() - 2 * kMenuMargin));
  const int h = std::max(0, std::min(kMenuMaxHeight, Display->height() - 2 * kMenuMargin));
  pp->setGeometry(kMenuMargin, kMenuMargin, w, h);
  // A window that has not been shown yet (tests, screenshots) lays its pages out only when shown:
  // give them their size now, so that their controls are never squeezed to nothing.
  if (!isVisible()) {
    const QSize page(w, std::max(0, h - pp->tabBar()->sizeHint().height()));
    for (int i = 0; i < pp->count(); ++i) {
      QWidget* p = pp->widget(i);
      p->resize(page);
      if (QLayout* l = p->layout()) {
        l->invalidate();
        l->activate();
      }
    }
  }
}

void TB::MenuBtnClick() {
  SetMenuVisible(!MenuVisible());
}

void TB::BigLblClick() {
  if (batchRunning_) {
    ShowMessage(QString::fromLatin1(msg::kBatchOnlyStop));
    return;
  }
  MenuBtnClick();
}

void TB::StopShowBtnClick() {
  stopRequested_ = true;
}

void TB::MaximizeLblClick() {
  if (!isMaximized() && size() == QSize(kDesignWidth, kDesignHeight)) {
    showMaximized();
  } else {
    showNormal();
    resize(kDesignWidth, kDesignHeight);
  }
}

// --- Events -----------------------------------------------------------------------------------

bool TB::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    MenuLbl->setText(QString::fromLatin1(msg::kHintPrefix) + static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

bool TB::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Display && event->type() == QEvent::Resize) {
    PlaceMenu();
    ResizeDisplay();
  }
  if (watched == Display && event->type() == QEvent::Wheel && !ViewLocked()) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    const int steps = wheel->angleDelta().y();
    if (steps != 0) StartViewCommand();
    if (steps != 0 && display_->Wheel(steps > 0, static_cast<int>(wheel->position().y()), MenuVisible())) {
      Display->update();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TB::ViewLocked() const {
  return batchRunning_ || livePlay_ || display_->Busy();
}

void TB::ResizeDisplay() {
  // A draw or search in progress keeps its image and positions; the new size follows it.
  if (display_->Busy()) {
    if (!resizeRetry_) {
      resizeRetry_ = new QTimer(this);
      resizeRetry_->setSingleShot(true);
      connect(resizeRetry_, &QTimer::timeout, this, &TB::ResizeDisplay);
    }
    resizeRetry_->start(kResizeRetryMs);
    return;
  }
  display_->Resize(Display->size());
  UpdateDisplay();
}

void TB::StartViewCommand() {
  if (!batchRunning_ && !livePlay_ && !display_->Nav().Fast().Running()) stopRequested_ = false;
}

void TB::keyPressEvent(QKeyEvent* event) {
  if (KeyHidesMenuFirst(event->key(), event->modifiers()) && MenuVisible()) SetMenuVisible(false);
  QMainWindow::keyPressEvent(event);
}

void TB::keyReleaseEvent(QKeyEvent* event) {
  if (!ViewLocked() && event->key() != Qt::Key_Escape) StartViewCommand();
  // While a batch job or live play works through the files, the view must not move them.
  if (!ViewLocked() && PointerKeyRelease(event)) {
    event->accept();
    return;
  }
  // Display keys act only while the menu is hidden, so typing into the pages never moves the view.
  if (!ViewLocked() && !MenuVisible() && PointerAboveStatusPanel()) {
    const int x = Display->mapFromGlobal(QCursor::pos()).x();
    if (display_->KeyRelease(event->key(), event->modifiers(), x)) {
      Display->update();
      event->accept();
      return;
    }
  }
  QMainWindow::keyReleaseEvent(event);
}

void TB::UpdateDisplay() {
  const bool show = display_->HasScreen();
  Display->SetCanvas(show ? &display_->Image() : nullptr, [this](int slot) { return display_->BandRect(slot); });
  const DisplayControl::Chrome c = display_->ScreenChrome();
  Display->SetChrome(c.backBar, c.frontBar, c.startText, c.endText);
}

void TB::closeEvent(QCloseEvent* event) {
  if (unsavedResults_) {
    switch (Ask(QString::fromLatin1(msg::kSaveResultsQuestion), Buttons::YesNoCancel)) {
      case Answer::Cancel:
        event->ignore();
        return;
      case Answer::Yes:
        event->ignore();
        ShowPage(msg::kResultsPage);
        SetMenuVisible(true);
        return;
      case Answer::No:
        break;
    }
  }
  showMinimized();
  ImportedFiles.clear();
  WorkList.clear();
  CloseAllSlots(slots_);
  event->accept();
}

}  // namespace zorvel::ui
