#include "ui/pages/FiltersPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "filters/Messages.h"
#include "species/BuiltInSpecies.h"
#include "ui/ClickLabel.h"
#include "ui/FilterEdit.h"
#include "ui/Messages.h"

namespace zorvel::ui {

namespace {

QString S(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

FilterEdit* MakeEdit(QWidget* parent, std::string_view name, std::string_view text, int width = 44) {
  auto* e = new FilterEdit(parent);
  e->setObjectName(S(name));
  e->setText(S(text));
  e->setFixedWidth(width);
  e->setStatusTip(QString::fromLatin1(msg::kRangeEditHint));
  return e;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption, bool on) {
  auto* c = new QCheckBox(QString::fromLatin1(caption), parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(on);
  return c;
}

ClickLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* l = new ClickLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setCursor(Qt::PointingHandCursor);
  return l;
}

QPushButton* MakeButton(QWidget* parent, const char* name, std::string_view caption) {
  auto* b = new QPushButton(S(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

}  // namespace

FiltersPage::FiltersPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kFiltersPage]), false, parent) {
  auto* columns = new QHBoxLayout;
  Body()->addLayout(columns, 1);

  // Column 1: the range edits, call ranges then wave-group ranges.
  auto* ranges = new QGridLayout;
  ranges->setVerticalSpacing(1);
  ranges->addWidget(new QLabel(QString::fromLatin1(msg::kCallRangesCaption), this), 0, 0, 1, 3);
  int row = 1;
  for (int pair = 0; pair < kRangeEditCount / 2; ++pair) {
    if (pair == 10) ranges->addWidget(new QLabel(QString::fromLatin1(msg::kOctRangesCaption), this), row++, 0, 1, 3);
    ranges->addWidget(new QLabel(QString::fromLatin1(msg::kRangeCaptions[pair]), this), row, 0);
    for (int side = 0; side < 2; ++side) {
      const auto e = static_cast<RangeEdit>(2 * pair + side);
      RangeEdits[static_cast<size_t>(e)] = MakeEdit(this, InfoOf(e).name, InfoOf(e).initialText);
      ranges->addWidget(RangeEdits[static_cast<size_t>(e)], row, 1 + side);
    }
    ++row;
  }
  ranges->setRowStretch(row, 1);  // the rows stay together at the top
  columns->addLayout(ranges);

  // Column 2: classes, flags, three-way filters, sequences and their legend.
  auto* flags = new QVBoxLayout;
  flags->setSpacing(2);
  auto* classes = new QHBoxLayout;
  CFchk = MakeCheck(this, "CFchk", msg::kCFchk, true);
  QCFchk = MakeCheck(this, "QCFchk", msg::kQCFchk, true);
  FMchk = MakeCheck(this, "FMchk", msg::kFMchk, true);
  noSpChk = MakeCheck(this, "noSpChk", msg::kNoSpChk, true);
  for (QCheckBox* c : {CFchk, QCFchk, FMchk, noSpChk}) classes->addWidget(c);
  flags->addLayout(classes);
  IncludeFragments = MakeCheck(this, "IncludeFragments", msg::kIncludeFragments, true);
  CallHasThirdHarmonic = MakeCheck(this, "CallHasThirdHarmonic", msg::kCallHasThirdHarmonic, false);
  flags->addWidget(IncludeFragments);
  flags->addWidget(CallHasThirdHarmonic);
  BzFilterLbl = MakeLabel(this, "BzFilterLbl", S(zorvel::msg::kBuzzStates[0]));
  MarkFilterLbl = MakeLabel(this, "MarkFilterLbl", S(zorvel::msg::kMarkStates[0]));
  SocialCallFilterLbl = MakeLabel(this, "SocialCallFilterLbl", S(zorvel::msg::kSocialStates[0]));
  for (ClickLabel* l : {BzFilterLbl, MarkFilterLbl, SocialCallFilterLbl}) flags->addWidget(l);
  auto* seq = new QHBoxLayout;
  seq->addWidget(new QLabel(QString::fromLatin1(msg::kSequenceCaption), this));
  SeqEdit = MakeEdit(this, "SeqEdit", "", 60);
  Seq2Edit = MakeEdit(this, "Seq2Edit", "", 60);
  SeqEdit->setMaxLength(5);
  Seq2Edit->setMaxLength(5);
  seq->addWidget(SeqEdit);
  seq->addWidget(Seq2Edit);
  seq->addStretch(1);
  flags->addLayout(seq);
  CallFeatureListMemo = new QPlainTextEdit(this);
  CallFeatureListMemo->setObjectName(QStringLiteral("CallFeatureListMemo"));
  CallFeatureListMemo->setReadOnly(true);
  for (std::string_view line : zorvel::msg::kFeatureLegend) CallFeatureListMemo->appendPlainText(S(line));
  CallFeatureListMemo->setMaximumHeight(120);
  flags->addWidget(CallFeatureListMemo);
  ClearOctAndCallFiltersBtn = MakeButton(this, "ClearOctAndCallFiltersBtn", zorvel::msg::kClearAllFiltersBtn);
  flags->addWidget(ClearOctAndCallFiltersBtn);
  flags->addStretch(1);
  columns->addLayout(flags);

  // Column 3: the species list.
  auto* species = new QVBoxLayout;
  species->setSpacing(2);
  UseSpList = MakeCheck(this, "UseSpList", msg::kUseSpList, false);
  species->addWidget(UseSpList);
  auto* which = new QHBoxLayout;
  FilterSpN1 = MakeCheck(this, "FilterSpN1", "1", true);
  FilterSpN2 = MakeCheck(this, "FilterSpN2", "2", false);
  FilterSpN3 = MakeCheck(this, "FilterSpN3", "3", false);
  for (QCheckBox* c : {FilterSpN1, FilterSpN2, FilterSpN3}) which->addWidget(c);
  species->addLayout(which);
  SpList = new QListWidget(this);
  SpList->setObjectName(QStringLiteral("SpList"));
  for (int i = 0; i < kSpeciesListSize; ++i) {
    auto* item = new QListWidgetItem(QString::fromStdString(SpeciesListCaption(i)), SpList);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  SpList->setEnabled(false);
  SpList->setMinimumWidth(130);
  species->addWidget(SpList, 1);
  auto* listCmds = new QHBoxLayout;
  SetAllSpeciesTrueLbl = MakeLabel(this, "SetAllSpeciesTrueLbl", QString::fromLatin1(msg::kAll));
  SetAllSpeciesFalseLbl = MakeLabel(this, "SetAllSpeciesFalseLbl", QString::fromLatin1(msg::kNone));
  SaveSpNumbersLbl = MakeLabel(this, "SaveSpNumbersLbl", QString::fromLatin1(msg::kCopy));
  RestoreSpLbl = MakeLabel(this, "RestoreSpLbl", QString::fromLatin1(msg::kRestore));
  for (ClickLabel* l : {SetAllSpeciesTrueLbl, SetAllSpeciesFalseLbl, SaveSpNumbersLbl, RestoreSpLbl}) listCmds->addWidget(l);
  species->addLayout(listCmds);
  NoPoorSpecies = MakeCheck(this, "NoPoorSpecies", msg::kNoPoorSpecies, false);
  species->addWidget(NoPoorSpecies);
  columns->addLayout(species);

  // Column 4: minute filters, the master switch, marking and the settings files.
  auto* right = new QVBoxLayout;
  right->setSpacing(3);
  auto* minuteCaption = new QLabel(QString::fromLatin1(msg::kMinuteEditsCaption), this);
  minuteCaption->setWordWrap(true);
  right->addWidget(minuteCaption);
  auto* minutes = new QHBoxLayout;
  for (size_t i = 0; i < MinuteEdits.size(); ++i) {
    const auto e = static_cast<MinuteEdit>(i);
    MinuteEdits[i] = MakeEdit(this, InfoOf(e).name, InfoOf(e).initialText, 36);
    minutes->addWidget(MinuteEdits[i]);
  }
  right->addLayout(minutes);
  ClearHourAndLightFilters = MakeButton(this, "ClearHourAndLightFilters", zorvel::msg::kClearTimeAndLightBtn);
  right->addWidget(ClearHourAndLightFilters);
  auto* ignore = new QHBoxLayout;
  IgnoreFilters = MakeCheck(this, "IgnoreFilters", "", false);
  IgnoreFiltersLbl = MakeLabel(this, "IgnoreFiltersLbl", S(zorvel::msg::kIgnoreFiltersLbl));
  IgnoreFiltersLbl->setAutoFillBackground(true);
  ignore->addWidget(IgnoreFilters);
  ignore->addWidget(IgnoreFiltersLbl, 1);
  right->addLayout(ignore);
  MarkSelectedCallsBtn = MakeButton(this, "MarkSelectedCallsBtn", msg::kMarkSelected);
  RemoveMarksBtn = MakeButton(this, "RemoveMarksBtn", msg::kClearSelected);
  SaveFilterSettingsBtn = MakeButton(this, "SaveFilterSettingsBtn", msg::kSaveSettings);
  LoadFilterSettingsBtn = MakeButton(this, "LoadFilterSettingsBtn", msg::kLoadSettings);
  SaveExportSettingsBtn = MakeButton(this, "SaveExportSettingsBtn", msg::kSaveExportSettings);
  LoadExportSettingsBtn = MakeButton(this, "LoadExportSettingsBtn", msg::kLoadExportSettings);
  for (QPushButton* b : {MarkSelectedCallsBtn, RemoveMarksBtn, SaveFilterSettingsBtn, LoadFilterSettingsBtn,
                         SaveExportSettingsBtn, LoadExportSettingsBtn})
    right->addWidget(b);
  right->addStretch(1);
  columns->addLayout(right);
}

void FiltersPage::SetSpeciesCaptions(SpClassifier classifier) {
  for (int i = 0; i < SpList->count(); ++i)
    SpList->item(i)->setText(QString::fromStdString(SpeciesListCaption(i, classifier)));
}

}  // namespace zorvel::ui
