#include "ui/pages/SettingsPage.h"

#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "logger/Messages.h"
#include "ui/ClickLabel.h"
#include "ui/Hints.h"
#include "ui/Messages.h"

namespace zorvel::ui {

namespace {

namespace lm = logger::msg;

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string& Field(logger::LoggerSettings& v, size_t index) {
  const logger::EditSpec& spec = logger::EditSpecs()[index];
  // The six band edits follow IPImaxEdit in the list and live in IPIEdits.
  constexpr size_t kFirstBand = 12;
  return spec.field ? v.*spec.field : v.IPIEdits[index - kFirstBand];
}

ClickLabel* OptionLabel(QWidget* parent, const char* name) {
  auto* l = new ClickLabel(parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setCursor(Qt::PointingHandCursor);
  l->setProperty("option", true);
  l->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
  SetHint(l, QString::fromLatin1(msg::kOptionLabelHint));
  return l;
}

QPushButton* Button(QWidget* parent, const char* name, std::string_view caption, const char* hint) {
  auto* b = new QPushButton(Q(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  SetHint(b, QString::fromLatin1(hint));
  return b;
}

}  // namespace

SettingsPage::SettingsPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kSettingsPage]), false, parent) {
  const auto& specs = logger::EditSpecs();
  for (size_t i = 0; i < specs.size(); ++i) {
    auto* e = new QLineEdit(this);
    e->setObjectName(Q(specs[i].name));
    e->setMaxLength(specs[i].maxLength);
    e->setText(Q(specs[i].defaultText));
    // Room for the longest text the edit takes, but never a sliver.
    e->setMaximumWidth(specs[i].maxLength >= 100 ? 16777215 : 20 + 10 * std::max(specs[i].maxLength, 2));
    connect(e, &QLineEdit::textChanged, this, [this, i](const QString& t) { EditChanged(i, t); });
    Edits[i] = e;
  }
  HighPassFilterLbl = OptionLabel(this, "HighPassFilterLbl");
  DetectionModeLbl = OptionLabel(this, "DetectionModeLbl");
  LightSwitchLbl = OptionLabel(this, "LightSwitchLbl");
  MinsOffLbl = OptionLabel(this, "MinsOffLbl");
  BatteryTypeLbl = OptionLabel(this, "BatteryTypeLbl");
  ZV1sizeLimitLbl = OptionLabel(this, "ZV1sizeLimitLbl");
  SetHint(ZV1sizeLimitLbl, QString::fromLatin1(msg::kSizeLimitHint));
  ShowAdvancedSettingsLbl = OptionLabel(this, "ShowAdvancedSettingsLbl");
  BatteryInfoLbl = new QLabel(this);
  BatteryInfoLbl->setObjectName(QStringLiteral("BatteryInfoLbl"));
  TimefileLbl = new QLabel(this);
  TimefileLbl->setObjectName(QStringLiteral("TimefileLbl"));
  WriteSettingsFileBtn =
      Button(this, "WriteSettingsFileBtn", lm::kWriteSettingsCaption, msg::kWriteSettingsHint);
  CreateClockSetSDBtn = Button(this, "CreateClockSetSDBtn", lm::kCreateClockCaption, msg::kClockFileHint);
  SetNowBtn = Button(this, "SetNowBtn", lm::kSetNowCaption, msg::kSetNowHint);
  RestoreDefaultsBtn =
      Button(this, "RestoreDefaultsBtn", lm::kRestoreDefaultsCaption, msg::kRestoreDefaultsHint);
  ShowWebTimeBtn = Button(this, "ShowWebTimeBtn", msg::kShowWebTimeCaption, msg::kShowWebTimeHint);

  auto caption = [this](size_t i) {
    auto* l = new QLabel(QString::fromLatin1(msg::kLoggerEditCaptions[i]), this);
    l->setMinimumWidth(l->sizeHint().width());  // captions are never cut; the edits give way
    return l;
  };
  auto row = [](std::initializer_list<QWidget*> widgets) {
    auto* r = new QHBoxLayout;
    for (QWidget* w : widgets) r->addWidget(w);
    r->addStretch(1);
    return r;
  };

  // Left: what every user sets.
  auto* logger = new QGroupBox(QString::fromLatin1(msg::kLoggerGroup), this);
  auto* lg = new QGridLayout(logger);
  lg->addWidget(caption(0), 0, 0);
  lg->addWidget(Edits[0], 0, 1);
  lg->addWidget(caption(1), 1, 0);
  lg->addWidget(Edits[1], 1, 1);
  lg->addWidget(LightSwitchLbl, 2, 0, 1, 2);
  lg->addWidget(BatteryTypeLbl, 3, 0, 1, 2);
  lg->addWidget(BatteryInfoLbl, 4, 0, 1, 2);
  lg->addWidget(ShowAdvancedSettingsLbl, 5, 0, 1, 2);
  lg->addWidget(WriteSettingsFileBtn, 6, 0, 1, 2);
  lg->addWidget(ZV1sizeLimitLbl, 7, 0, 1, 2);
  lg->setRowStretch(8, 1);

  // Middle: the clock file.
  auto* clock = new QGroupBox(QString::fromLatin1(msg::kClockGroup), this);
  auto* cg = new QGridLayout(clock);
  for (size_t i = 20; i <= 24; ++i) {
    cg->addWidget(caption(i), 0, static_cast<int>(i - 20));
    cg->addWidget(Edits[i], 1, static_cast<int>(i - 20));
  }
  cg->addLayout(row({SetNowBtn, Edits[19], caption(19)}), 2, 0, 1, 5);
  cg->addWidget(CreateClockSetSDBtn, 3, 0, 1, 5);
  cg->addWidget(TimefileLbl, 4, 0, 1, 5);
  cg->addWidget(ShowWebTimeBtn, 5, 0, 1, 3);
  cg->setRowStretch(6, 1);

  // Right: the detection settings, shown on request.
  AdvancedPanel = new QGroupBox(this);
  AdvancedPanel->setObjectName(QStringLiteral("AdvancedPanel"));
  auto* ag = new QGridLayout(AdvancedPanel);
  ag->addWidget(new QLabel(QString::fromLatin1(msg::kLiftsCaption), this), 0, 0);
  ag->addLayout(
      row({caption(7), Edits[7], caption(8), Edits[8], caption(9), Edits[9], caption(10), Edits[10]}), 0, 1,
      1, 3);
  ag->addWidget(new QLabel(QString::fromLatin1(msg::kBandScoresCaption), this), 1, 0);
  ag->addLayout(row({Edits[12], Edits[13], Edits[14], Edits[15], Edits[16], Edits[17]}), 1, 1, 1, 3);
  // The single edits in two columns of caption and box.
  int r = 2, c = 0;
  for (size_t i : {11u, 18u, 2u, 3u, 6u, 5u, 4u}) {
    ag->addWidget(caption(i), r, c);
    ag->addWidget(Edits[i], r, c + 1);
    c = c == 0 ? 2 : 0;
    if (c == 0) ++r;
  }
  if (c != 0) ++r;
  ag->addLayout(row({HighPassFilterLbl, DetectionModeLbl}), r++, 0, 1, 4);
  ag->addLayout(row({MinsOffLbl, RestoreDefaultsBtn}), r++, 0, 1, 4);
  ag->setColumnStretch(1, 1);
  ag->setColumnStretch(3, 1);
  ag->setRowStretch(r, 1);

  auto* columns = new QHBoxLayout;
  columns->addWidget(logger, 2);
  columns->addWidget(clock, 2);
  columns->addWidget(AdvancedPanel, 5);
  Body()->addLayout(columns, 1);

  connect(HighPassFilterLbl, &ClickLabel::clicked, this, &SettingsPage::HighPassFilterLblClick);
  connect(DetectionModeLbl, &ClickLabel::clicked, this, &SettingsPage::DetectionModeLblClick);
  connect(LightSwitchLbl, &ClickLabel::clicked, this, &SettingsPage::LightSwitchLblClick);
  connect(MinsOffLbl, &ClickLabel::clicked, this, &SettingsPage::MinsOffLblClick);
  connect(BatteryTypeLbl, &ClickLabel::clicked, this, &SettingsPage::BatteryTypeLblClick);
  connect(ShowAdvancedSettingsLbl, &ClickLabel::clicked, this, &SettingsPage::ShowAdvancedSettingsLblClick);
  connect(SetNowBtn, &QPushButton::clicked, this, &SettingsPage::SetNowBtnClick);
  connect(RestoreDefaultsBtn, &QPushButton::clicked, this, &SettingsPage::RestoreDefaultsBtnClick);
  PullFromModel();
}

QLineEdit* SettingsPage::EditNamed(std::string_view name) const {
  const auto& specs = logger::EditSpecs();
  for (size_t i = 0; i < specs.size(); ++i)
    if (specs[i].name == name) return Edits[i];
  return nullptr;
}

void SettingsPage::PullFromModel() {
  logger::LoggerSettings& v = model_.Values();
  for (size_t i = 0; i < Edits.size(); ++i) {
    const QString text = QString::fromStdString(Field(v, i));
    if (Edits[i]->text() != text) Edits[i]->setText(text);
  }
  HighPassFilterLbl->setText(QString::fromStdString(v.HighPassFilterLbl));
  DetectionModeLbl->setText(QString::fromStdString(v.DetectionModeLbl));
  LightSwitchLbl->setText(QString::fromStdString(v.LightSwitchLbl));
  MinsOffLbl->setText(QString::fromStdString(v.MinsOffLbl));
  BatteryTypeLbl->setText(QString::fromStdString(v.BatteryTypeLbl));
  ZV1sizeLimitLbl->setText(QString::fromStdString(v.ZV1sizeLimitLbl));
  BatteryInfoLbl->setText(QString::fromStdString(model_.BatteryInfoLbl()));
  ShowAdvancedSettingsLbl->setText(QString::fromStdString(model_.ShowAdvancedSettingsLbl()));
  AdvancedPanel->setVisible(model_.AdvancedShown());
  SetHint(EditNamed("IPImaxEdit"), QString::fromStdString(model_.IPImaxHint()));
}

void SettingsPage::EditChanged(size_t index, const QString& text) {
  Field(model_.Values(), index) = text.toStdString();
  const std::string_view name = logger::EditSpecs()[index].name;
  if (name == "IPImaxEdit") {
    SetHint(Edits[index], QString::fromStdString(model_.IPImaxHint()));
  } else if (name == "BattSwitchLevelEdit") {
    model_.BattSwitchLevelEditChange();
    BatteryInfoLbl->setText(QString::fromStdString(model_.BatteryInfoLbl()));
  }
}

void SettingsPage::Report(const logger::Problem& problem) {
  if (problem) Q_EMIT Problem(QString::fromStdString(*problem));
  PullFromModel();
}

void SettingsPage::HighPassFilterLblClick() {
  Report(model_.HighPassFilterLblClick());
}

void SettingsPage::DetectionModeLblClick() {
  model_.DetectionModeLblClick();
  PullFromModel();
}

void SettingsPage::LightSwitchLblClick() {
  Report(model_.LightSwitchLblClick());
}

void SettingsPage::MinsOffLblClick() {
  Report(model_.MinsOffLblClick());
}

void SettingsPage::BatteryTypeLblClick() {
  model_.BatteryTypeLblClick();
  PullFromModel();
}

void SettingsPage::ShowAdvancedSettingsLblClick() {
  model_.ShowAdvancedSettingsLblClick();
  PullFromModel();
}

void SettingsPage::SetNowBtnClick() {
  const QDateTime now = QDateTime::currentDateTime();
  SetNow({now.date().year(), now.date().month(), now.date().day(), now.time().hour(), now.time().minute()});
}

void SettingsPage::SetNow(const CivilDateTime& now) {
  model_.SetNow(now);
  PullFromModel();
}

void SettingsPage::RestoreDefaultsBtnClick() {
  model_.RestoreDefaults();
  PullFromModel();
}

}  // namespace zorvel::ui
