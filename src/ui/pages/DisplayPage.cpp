#include "ui/pages/DisplayPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "display/Labels.h"
#include "display/Messages.h"
#include "ui/ClickLabel.h"
#include "ui/ElidedWidgets.h"
#include "ui/Messages.h"
#include "ui/pages/GraphsPanel.h"

namespace zorvel::ui {

namespace {
QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
}  // namespace

DisplayPage::DisplayPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kDisplayPage]), false, parent) {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(6);
  const QStringList items = {Text(zorvel::msg::kAxisItemFreq), Text(zorvel::msg::kAxisItemPeriod),
                             Text(zorvel::msg::kAxisItemAmplitude), Text(zorvel::msg::kAxisItemCallType),
                             Text(zorvel::msg::kAxisItemBattery)};
  for (int i = 0; i < kSlotCount; ++i) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QStringLiteral("File%1DisplayOptionsCombo").arg(i + 1));
    combo->addItems(items);
    combo->setCurrentIndex(tySPL);
    DisplayOptionsCombo[static_cast<size_t>(i)] = combo;
    // A long file name is cut rather than widen the page.
    auto* name = new ElidedLabel(QString::fromStdString(VacantFileLabel(i + 1)), this);
    name->setObjectName(QStringLiteral("DisplaySlot%1Lbl").arg(i + 1));
    SlotLbl[static_cast<size_t>(i)] = name;
    grid->addWidget(name, i, 0);
    grid->addWidget(combo, i, 1);
  }
  auto edit = [this](const char* name, const char* text) {
    auto* e = new QLineEdit(QString::fromLatin1(text), this);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaximumWidth(70);
    return e;
  };
  KHZYscaleMaxEdit = edit("KHZYscaleMaxEdit", "160");
  PeriodYscaleMaxEdit = edit("PeriodYscaleMaxEdit", "30");
  SPLYscaleMaxEdit = edit("SPLYscaleMaxEdit", "300");
  CountYscaleMaxEdit = edit("CountYscaleMaxEdit", "50");
  grid->addWidget(KHZYscaleMaxEdit, 0, 2);
  grid->addWidget(PeriodYscaleMaxEdit, 1, 2);
  grid->addWidget(SPLYscaleMaxEdit, 2, 2);
  grid->addWidget(CountYscaleMaxEdit, 3, 2);
  LineWidthLbl = new ClickLabel(QString::fromStdString(LineWidthCaption(0)), this);
  LineWidthLbl->setObjectName(QStringLiteral("LineWidthLbl"));
  grid->addWidget(LineWidthLbl, 4, 2);

  auto box = [this](const char* name, const QString& caption, bool on = false) {
    auto* b = new QCheckBox(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setChecked(on);
    return b;
  };
  WhiteScreen = box("WhiteScreen", QString::fromLatin1(msg::kWhiteScreen));
  BlackLines = box("BlackLines", QString::fromLatin1(msg::kBlackLines));
  ColourFeatures = box("ColourFeatures", QString::fromLatin1(msg::kColourFeatures));
  ShowMaxFall = box("ShowMaxFall", QString::fromLatin1(msg::kShowMaxFall), true);
  ShowQual = box("ShowQual", QString::fromLatin1(msg::kShowQual));
  ShowFreqGridLines = box("ShowFreqGridLines", QString::fromLatin1(msg::kShowFreqGridLines));
  ShowLight = box("ShowLight", QString::fromLatin1(msg::kShowLight));
  ShowTemps = box("ShowTemps", QString::fromLatin1(msg::kShowTemps));
  ShowTempsGrid = box("ShowTempsGrid", QString::fromLatin1(msg::kShowTempsGrid));
  UseRTCtemperatures = box("UseRTCtemperatures", QString::fromLatin1(msg::kUseRTCtemperatures));
  const std::array<QCheckBox*, 10> boxes = {WhiteScreen,   BlackLines,        ColourFeatures, ShowMaxFall,
                                            ShowQual,      ShowFreqGridLines, ShowLight,      ShowTemps,
                                            ShowTempsGrid, UseRTCtemperatures};
  for (size_t i = 0; i < boxes.size(); ++i)
    grid->addWidget(boxes[i], static_cast<int>(i % 6), 3 + static_cast<int>(i / 6));
  HidePointerTxtChk = box("HidePointerTxtChk", QString::fromLatin1(msg::kHidePointerTxt));
  grid->addWidget(HidePointerTxtChk, 4, 4);
  // The four batteries in a column of their own, beside the drawing switches.
  for (int k = 0; k < 4; ++k) {
    ShowBatt[static_cast<size_t>(k)] = box(("ShowBatt" + std::to_string(k + 1)).c_str(),
                                           QString::fromLatin1(msg::kShowBatt).arg(k + 1), true);
    grid->addWidget(ShowBatt[static_cast<size_t>(k)], k, 5);
  }
  grid->setColumnStretch(6, 1);
  Body()->addLayout(grid);
  Graphs = new GraphsPanel(this);
  Body()->addWidget(Graphs);
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
