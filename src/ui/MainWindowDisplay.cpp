// The Display and Navigation pages bound to the display. The rules are in display/; these
// handlers only read the controls, call the navigator and show the result.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "display/Labels.h"
#include "display/Messages.h"
#include "display/TimeMath.h"
#include "ui/ClickLabel.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/InputGate.h"
#include "ui/MainWindow.h"
#include "ui/pages/DisplayPage.h"
#include "ui/pages/NavigationPage.h"

namespace zorvel::ui {

namespace {
constexpr int kCallTypesMessageMs = 3000;
}

void TB::ConnectDisplayControls() {
  NavigationPage* n = Navigation;
  DisplayPage* d = DisplayOptions;
  Navigator& nav = display_->Nav();
  // Each command works with the seek file the skip boxes chose.
  auto command = [this](auto&& action) {
    return [this, action] {
      StartViewCommand();
      display_->View().SeekFile = seekFile_;
      action(display_->Nav());
      Display->update();
    };
  };
  display_->SetProgressHook([this] { KeepResponsive(); });
  nav.onScreenDrawn = [this] {
    graphsShown_ = false;  // a screen drawn over them replaces the file graphs
    if (Display) Display->SetFileLabelsShown(true);
    if (Navigation) Navigation->ShowLevel(display_->View().DisplayTimeUnit);
    UpdateLegend();
    // The big label says what kind of screen is up, unless a batch job is using it for progress.
    if (BigLbl && !BatchRunning()) BigLbl->setText(QString::fromStdString(display_->ResolutionCaption()));
    if (Display) UpdateDisplay();
  };
  connect(n->StartBtn, &QPushButton::clicked, this, command([](Navigator& v) { v.ShowFromStart(); }));
  connect(n->GoOnBtn, &QPushButton::clicked, this, command([this](Navigator& v) {
            v.GoOn();
            Navigation->GoOnBtn->setFocus();
          }));
  connect(n->GoBackBtn, &QPushButton::clicked, this, command([](Navigator& v) { v.GoBack(); }));
  connect(n->RefreshBtn, &QPushButton::clicked, this, command([this](Navigator& v) {
            SetMenuVisible(false);
            SetStopRequested(false);
            v.Refresh(true);
          }));
  connect(n->FitToScreenBtn, &QPushButton::clicked, this, command([this](Navigator& v) {
            if (slots_.OpenCount() == 0) OpenFileSetBtnClick();
            v.FitToScreen();
          }));
  connect(n->FastForwardButton, &QPushButton::clicked, this, [this] {
    const bool wasRunning = display_->Nav().Fast().Running();
    const bool haveSeek = FileSlots::ValidSlot(seekFile_) && slots_[seekFile_].Open;
    display_->View().SeekFile = seekFile_;
    if (display_->Nav().Fast().Press(haveSeek, host()) && !wasRunning) {
      SetStopRequested(false);
      FastForwardTick();
    }
  });
  for (int i = 0; i < static_cast<int>(n->LevelLbl.size()); ++i)
    connect(n->LevelLbl[static_cast<size_t>(i)], &ClickLabel::clicked, this, [this, i] {
      StartViewCommand();
      display_->SelectLevel(i);
      Navigation->ShowLevel(display_->View().DisplayTimeUnit);
      Display->update();
    });
  connect(n->GoToTimeBtn, &QPushButton::clicked, this, [this] {
    StartViewCommand();
    bool clear = false;
    display_->View().SeekFile = seekFile_;
    const auto moved =
        display_->Nav().MoveTo(Navigation->DropTimeTextEdit->text().toStdString(), false, &clear);
    if (clear) Navigation->DropTimeTextEdit->clear();
    if (moved) SetMenuVisible(false);
    Display->update();
  });
  connect(n->MinuteNumberTranslatorEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
    Navigation->DropTimeTextEdit->setText(
        QString::fromStdString(TranslateMinuteNumber(text.trimmed().toStdString())));
  });
  auto minN = [this](const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    display_->View().MinNToShow = ok && v > 0 ? v : 1;
    if (ok && v <= 0) Navigation->MinNToShowEdit->setText(QStringLiteral("1"));
  };
  connect(n->MinNToShowEdit, &QLineEdit::textChanged, this, minN);
  minN(n->MinNToShowEdit->text());

  for (int i = 0; i < kSlotCount; ++i)
    connect(d->DisplayOptionsCombo[static_cast<size_t>(i)], &QComboBox::currentIndexChanged, this,
            [this, i](int index) {
              TFileRec& s = slots_[i + 1];
              if (index == tyCallType && s.Open && s.FileType == ftZV1) {
                TimedMessage(QString::fromUtf8(zorvel::msg::kCallTypesOnlyZV2.data(),
                                               static_cast<qsizetype>(zorvel::msg::kCallTypesOnlyZV2.size())),
                             kCallTypesMessageMs);
                DisplayOptions->DisplayOptionsCombo[static_cast<size_t>(i)]->setCurrentIndex(tyFreq);
                return;
              }
              s.FileYaxisType = static_cast<TYaxisType>(index);
              ApplyDisplayPage();
            });
  for (QLineEdit* e :
       {d->KHZYscaleMaxEdit, d->PeriodYscaleMaxEdit, d->SPLYscaleMaxEdit, d->CountYscaleMaxEdit})
    connect(e, &QLineEdit::textChanged, this, [this] { ApplyDisplayPage(); });
  for (QCheckBox* b : {d->WhiteScreen, d->BlackLines, d->ColourFeatures, d->ShowMaxFall, d->ShowQual,
                       d->ShowFreqGridLines, d->ShowLight, d->ShowTemps, d->ShowTempsGrid,
                       d->UseRTCtemperatures, d->ShowBatt[0], d->ShowBatt[1], d->ShowBatt[2], d->ShowBatt[3]})
    connect(b, &QCheckBox::toggled, this, [this] { ApplyDisplayPage(); });
  connect(d->LineWidthLbl, &ClickLabel::clicked, this, [this] {
    DisplayOptions->LineWidthLbl->setText(
        QString::fromStdString(LineWidthCaption(++display_->Options().LineWidth)));
    ApplyDisplayPage();
  });
}

void TB::ApplyDisplayPage() {
  DisplayPage* d = DisplayOptions;
  zorvel::DisplayOptions& o = display_->Options();
  auto number = [](QLineEdit* e, double fallback) {
    bool ok = false;
    const double v = e->text().trimmed().toDouble(&ok);
    return ok && v > 0 ? v : fallback;
  };
  o.scales.kHzMax = number(d->KHZYscaleMaxEdit, o.scales.kHzMax);
  o.scales.periodMax = number(d->PeriodYscaleMaxEdit, o.scales.periodMax);
  o.scales.amplitudeMax = number(d->SPLYscaleMaxEdit, o.scales.amplitudeMax);
  o.scales.countMax = number(d->CountYscaleMaxEdit, o.scales.countMax);
  o.WhiteScreen = d->WhiteScreen->isChecked();
  o.BlackLines = d->BlackLines->isChecked();
  o.ColourFeatures = d->ColourFeatures->isChecked();
  o.ShowFeature[tfMaxFall] = d->ShowMaxFall->isChecked();
  o.ShowQual = d->ShowQual->isChecked();
  o.ShowFreqGridLines = d->ShowFreqGridLines->isChecked();
  o.ShowLight = d->ShowLight->isChecked();
  o.ShowTemps = d->ShowTemps->isChecked();
  o.ShowTempsGrid = d->ShowTempsGrid->isChecked();
  o.UseRTCtemperatures = d->UseRTCtemperatures->isChecked();
  for (size_t k = 0; k < 4; ++k) o.ShowBatt[k] = d->ShowBatt[k]->isChecked();
  display_->View().FrameDirty = true;
  if (display_->HasScreen()) display_->Nav().Refresh(false);
  Display->update();
}

void TB::KeepResponsive() {
  constexpr int kEveryMs = 50;
  if (keepingResponsive_ || (sinceResponsive_.isValid() && sinceResponsive_.elapsed() < kEveryMs)) return;
  keepingResponsive_ = true;
  sinceResponsive_.start();
  // The slider shows how far a search has come; the plot shows the columns drawn so far.
  if (Display) {
    UpdateDisplay();
    Display->update();
  }
  InputGate gate(StopShowBtn);
  qApp->installEventFilter(&gate);
  QCoreApplication::processEvents();
  qApp->removeEventFilter(&gate);
  keepingResponsive_ = false;
}

void TB::FastForwardTick() {
  display_->View().SeekFile = seekFile_;
  if (!display_->Nav().FastForwardStep()) return;
  Display->update();
  QTimer::singleShot(display_->Nav().Fast().DelayMs(), this, &TB::FastForwardTick);
}

}  // namespace zorvel::ui
