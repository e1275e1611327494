#include "ui/DeveloperWindow.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "filters/RangeEdits.h"
#include "ui/ClickLabel.h"
#include "ui/Messages.h"

namespace zorvel::ui {

namespace {
QLineEdit* IntEdit(QWidget* parent, const char* name, int value) {
  auto* e = new QLineEdit(QString::number(value), parent);
  e->setObjectName(QString::fromLatin1(name));
  return e;
}
QCheckBox* Check(QWidget* parent, const char* name, const char* caption) {
  auto* c = new QCheckBox(QString::fromLatin1(caption), parent);
  c->setObjectName(QString::fromLatin1(name));
  return c;
}
int ValueOr(const QLineEdit* e, int fallback) { return ParseWholeNumber(e->text().toStdString()).value_or(fallback); }
}  // namespace

TDevF::TDevF(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TDevF"));
  setWindowTitle(QString::fromLatin1(msg::kDevWindowTitle));
  const FinderSettings d;
  auto* layout = new QVBoxLayout(this);
  JunkYardLbl = new ClickLabel(QString::fromLatin1(msg::kJunkYard), this);
  JunkYardLbl->setObjectName(QStringLiteral("JunkYardLbl"));
  JunkYardLbl->setCursor(Qt::PointingHandCursor);
  JunkYardLbl->setStyleSheet(QStringLiteral("color: #b03020; font-weight: bold"));
  layout->addWidget(JunkYardLbl);
  auto* form = new QFormLayout;
  MaxKHZscaledMismatchEdit = IntEdit(this, "MaxKHZscaledMismatchEdit", d.MaxMismatch);
  TriageThresholdEdit = IntEdit(this, "TriageThresholdEdit", d.TriageThreshold);
  BendThresholdEdit = IntEdit(this, "BendThresholdEdit", d.BendThreshold);
  FlatWiggleEdit = IntEdit(this, "FlatWiggleEdit", d.FlatWiggle);
  MinuteTriageLevelEdit = IntEdit(this, "MinuteTriageLevelEdit", d.MinuteTriageLevel);
  MinTempParamEdit = IntEdit(this, "MinTempParamEdit", 0);
  MaxTempParamEdit = IntEdit(this, "MaxTempParamEdit", 256);
  form->addRow(QString::fromLatin1(msg::kMaxMismatchCaption), MaxKHZscaledMismatchEdit);
  form->addRow(QString::fromLatin1(msg::kTriageCaption), TriageThresholdEdit);
  form->addRow(QString::fromLatin1(msg::kBendCaption), BendThresholdEdit);
  form->addRow(QString::fromLatin1(msg::kFlatWiggleCaption), FlatWiggleEdit);
  form->addRow(QString::fromLatin1(msg::kMinuteTriageCaption), MinuteTriageLevelEdit);
  auto* temp = new QHBoxLayout;
  temp->addWidget(MinTempParamEdit);
  temp->addWidget(MaxTempParamEdit);
  form->addRow(QString::fromLatin1(msg::kTempParamCaption), temp);
  layout->addLayout(form);
  ForceExtendedIPIs = Check(this, "ForceExtendedIPIs", msg::kForceExtendedIPIs);
  ForceExtendedSPL = Check(this, "ForceExtendedSPL", msg::kForceExtendedSPL);
  ShowTimingMessages = Check(this, "ShowTimingMessages", msg::kShowTimingMessages);
  ExportTimeStamps = Check(this, "ExportTimeStamps", msg::kExportTimeStamps);
  AddTimestampsAtTimeReversals = Check(this, "AddTimestampsAtTimeReversals", msg::kAddTimestampsAtTimeReversals);
  for (QCheckBox* c : {ForceExtendedIPIs, ForceExtendedSPL, ShowTimingMessages, ExportTimeStamps,
                       AddTimestampsAtTimeReversals})
    layout->addWidget(c);
}

void TDevF::ReadInto(FinderSettings& s) const {
  const FinderSettings d;
  s.MaxMismatch = ValueOr(MaxKHZscaledMismatchEdit, d.MaxMismatch);
  s.TriageThreshold = ValueOr(TriageThresholdEdit, d.TriageThreshold);
  s.BendThreshold = ValueOr(BendThresholdEdit, d.BendThreshold);
  s.FlatWiggle = ValueOr(FlatWiggleEdit, d.FlatWiggle);
  s.MinuteTriageLevel = ValueOr(MinuteTriageLevelEdit, d.MinuteTriageLevel);
}

}  // namespace zorvel::ui
