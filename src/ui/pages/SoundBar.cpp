#include "ui/pages/SoundBar.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "sound/Messages.h"
#include "sound/Render.h"
#include "ui/ClickLabel.h"
#include "ui/Hints.h"
#include "ui/Messages.h"

namespace zorvel::ui {

namespace {
QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

ClickLabel* Label(QWidget* parent, const char* name, const QString& text, const char* hint) {
  auto* l = new ClickLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setCursor(Qt::PointingHandCursor);
  l->setStyleSheet(
      QStringLiteral("color: #9fb3c8; padding: 2px 6px; border: 1px solid #3a4654; border-radius: 3px;"));
  SetHint(l, QString::fromLatin1(hint));
  return l;
}
}  // namespace

SoundBar::SoundBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SoundBar"));
  PlaySoundsBtn = new QPushButton(Q(sound::msg::kPlayCaption), this);
  PlaySoundsBtn->setObjectName(QStringLiteral("PlaySoundsBtn"));
  SetHint(PlaySoundsBtn, QString::fromLatin1(msg::kPlayHint));
  PitchLbl = Label(this, "PitchLbl", QString::fromStdString(sound::PitchLblText(pitch_)), msg::kPitchHint);
  lengthLbl =
      Label(this, "lengthLbl", QString::fromStdString(sound::LengthLblText(stretch_)), msg::kLengthHint);
  // The caption of the pointer menu's command, which calls the same handler.
  CreateWavFileBtn = new QPushButton(Q(sound::msg::kCreateWavMenu).trimmed(), this);
  CreateWavFileBtn->setObjectName(QStringLiteral("CreateWavFileBtn"));
  SetHint(CreateWavFileBtn, QString::fromLatin1(msg::kCreateWavHint));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(PlaySoundsBtn);
  row->addWidget(PitchLbl);
  row->addWidget(lengthLbl);
  row->addWidget(CreateWavFileBtn);
}

void SoundBar::NextPitch() {
  pitch_ = sound::NextPitch(pitch_);
  PitchLbl->setText(QString::fromStdString(sound::PitchLblText(pitch_)));
}

void SoundBar::NextStretch() {
  stretch_ = sound::NextStretch(stretch_);
  lengthLbl->setText(QString::fromStdString(sound::LengthLblText(stretch_)));
}

}  // namespace zorvel::ui
