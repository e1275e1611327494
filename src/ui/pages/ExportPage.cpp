#include "ui/pages/ExportPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "export/Messages.h"
#include "ui/Messages.h"

namespace zorvel::ui {

namespace {

QString Text(const char* s) { return QString::fromLatin1(s); }
QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

template <typename T, size_t N>
RadioGroup MakeGroup(QWidget* parent, const char* name, const char* caption, const T (&items)[N], int checked) {
  RadioGroup g;
  g.box = new QGroupBox(QString::fromLatin1(caption), parent);
  g.box->setObjectName(QString::fromLatin1(name));
  g.buttons = new QButtonGroup(g.box);
  auto* layout = new QVBoxLayout(g.box);
  layout->setSpacing(0);
  layout->setContentsMargins(6, 2, 6, 2);
  for (size_t i = 0; i < N; ++i) {
    auto* b = new QRadioButton(Text(items[i]), g.box);
    g.buttons->addButton(b, static_cast<int>(i));
    layout->addWidget(b);
  }
  g.SetIndex(checked);
  return g;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* caption, bool on) {
  auto* c = new QCheckBox(QString::fromLatin1(caption), parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(on);
  return c;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

}  // namespace

int RadioGroup::Index() const { return buttons->checkedId(); }
void RadioGroup::SetIndex(int i) {
  if (QAbstractButton* b = buttons->button(i)) b->setChecked(true);
}

ExportPage::ExportPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kExportPage]), false, parent) {
  auto* row = new QHBoxLayout;
  Body()->addLayout(row, 1);
  ExpWhatRadioGp = MakeGroup(this, "ExpWhatRadioGp", msg::kExpWhatCaption, zorvel::msg::kKindCaptions, 1);
  ExpPeriodRadioGp = MakeGroup(this, "ExpPeriodRadioGp", msg::kExpPeriodCaption, zorvel::msg::kPeriodCaptions, 2);
  auto* groups2 = new QVBoxLayout;
  FileOrJotter = MakeGroup(this, "FileOrJotter", msg::kFileOrJotterCaption, msg::kFileOrJotterItems, 1);
  DayOrMinGp = MakeGroup(this, "DayOrMinGp", msg::kDayOrMinCaption, msg::kDayOrMinItems, 0);
  groups2->addWidget(FileOrJotter.box);
  groups2->addWidget(DayOrMinGp.box);
  ExportTimeFormatsGp = MakeGroup(this, "ExportTimeFormatsGp", msg::kTimeFormatsCaption, msg::kTimeFormatItems, 0);
  row->addWidget(ExpWhatRadioGp.box);
  row->addWidget(ExpPeriodRadioGp.box);
  row->addLayout(groups2);
  row->addWidget(ExportTimeFormatsGp.box);

  auto* checks = new QVBoxLayout;
  ExportSelectedTime = Check(this, "ExportSelectedTime", msg::kExportSelectedTime, false);
  OmitSpreadsheetHeaders = Check(this, "OmitSpreadsheetHeaders", msg::kOmitHeaders, true);
  DropBlanksChkBox = Check(this, "DropBlanksChkBox", msg::kDropBlanks, false);
  WithBriefFileName = Check(this, "WithBriefFileName", msg::kBriefName, false);
  SeparateFiles = Check(this, "SeparateFiles", msg::kSeparateFiles, false);
  SeparateFiles->setEnabled(false);  // only for text files, and Results is chosen at start
  for (QCheckBox* c : {ExportSelectedTime, OmitSpreadsheetHeaders, DropBlanksChkBox, WithBriefFileName, SeparateFiles})
    checks->addWidget(c);
  checks->addStretch(1);
  row->addLayout(checks);

  auto* commands = new QVBoxLayout;
  // The button over its six file boxes: side by side they would make the page wider than the menu.
  auto* from = new QHBoxLayout;
  ExportFromOpenFilesBtn = Button(this, "ExportFromOpenFilesBtn", msg::kExportFromFile);
  commands->addWidget(ExportFromOpenFilesBtn);
  for (int i = 0; i < 6; ++i) {
    const QByteArray name = "ExportFile" + QByteArray::number(i + 1);
    ExportFile[static_cast<size_t>(i)] = Check(this, name.constData(), QByteArray::number(i + 1).constData(), i == 0);
    from->addWidget(ExportFile[static_cast<size_t>(i)]);
  }
  from->addStretch(1);
  commands->addLayout(from);
  ExportBatchBtn = Button(this, "ExportBatchBtn", zorvel::msg::kExportBatchCaption.data());
  ExportCallDetailsBtn = Button(this, "ExportCallDetailsBtn", msg::kCallDetails);
  ExportPassesBtn = Button(this, "ExportPassesBtn", msg::kPasses);
  ListLightTempValsBtn = Button(this, "ListLightTempValsBtn", msg::kLightTempValues);
  ExportCalibrationBtn = Button(this, "ExportCalibrationBtn", msg::kCalibrationData);
  ListFilesBtn = Button(this, "ListFilesBtn", msg::kFileTimes);
  ListSettingsBtn = Button(this, "ListSettingsBtn", msg::kZorvelSettings);
  PutOpenFileSettingsOnClipbrdBtn = Button(this, "PutOpenFileSettingsOnClipbrdBtn", msg::kOpenFileSettings);
  for (QPushButton* b : {ExportBatchBtn, ExportCallDetailsBtn, ExportPassesBtn, ListLightTempValsBtn, ExportCalibrationBtn, ListFilesBtn,
                         ListSettingsBtn, PutOpenFileSettingsOnClipbrdBtn})
    commands->addWidget(b);
  ExportClkFilterLbl = new QLabel(this);
  ExportClkFilterLbl->setObjectName(QStringLiteral("ExportClkFilterLbl"));
  ExportTrnFilterLbl = new QLabel(this);
  ExportTrnFilterLbl->setObjectName(QStringLiteral("ExportTrnFilterLbl"));
  // The filter summary can be long: it wraps under the buttons rather than widen the page.
  for (QLabel* l : {ExportClkFilterLbl, ExportTrnFilterLbl}) {
    l->setWordWrap(true);
    commands->addWidget(l);
  }
  commands->addStretch(1);
  row->addLayout(commands);
}

}  // namespace zorvel::ui
