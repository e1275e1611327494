#include "ui/pages/NavigationPage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "display/Levels.h"
#include "display/Palette.h"
#include "ui/ClickLabel.h"
#include "ui/Hints.h"
#include "ui/Messages.h"

namespace zorvel::ui {

namespace {
// A small compass rose: the page's picture.
QPixmap NavigationPicture() {
  QPixmap pm(64, 64);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(159, 179, 200), 2));
  p.drawEllipse(QPointF(32, 32), 26, 26);
  p.setBrush(QColor(220, 90, 70));
  p.drawPolygon(QPolygonF({QPointF(32, 8), QPointF(38, 32), QPointF(26, 32)}));
  p.setBrush(QColor(200, 210, 220));
  p.drawPolygon(QPolygonF({QPointF(32, 56), QPointF(38, 32), QPointF(26, 32)}));
  return pm;
}
QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}
QLineEdit* Edit(QWidget* parent, const char* name, const QString& text = {}) {
  auto* e = new QLineEdit(text, parent);
  e->setObjectName(QString::fromLatin1(name));
  return e;
}
}  // namespace

NavigationPage::NavigationPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kNavigationPage]), false, parent) {
  auto* levels = new QHBoxLayout;
  for (int i = 0; i < kLevelCount; ++i) {
    const LevelInfo& info = Levels()[static_cast<size_t>(i)];
    auto* lbl = new ClickLabel(
        QString::fromLatin1(info.caption.data(), static_cast<qsizetype>(info.caption.size())), this);
    lbl->setObjectName(
        QString::fromLatin1(info.labelName.data(), static_cast<qsizetype>(info.labelName.size())));
    lbl->setCursor(Qt::PointingHandCursor);
    LevelLbl[static_cast<size_t>(i)] = lbl;
    levels->addWidget(lbl);
  }
  levels->addStretch(1);
  TimeResLbl = new QLabel(this);
  TimeResLbl->setObjectName(QStringLiteral("TimeResLbl"));
  levels->addWidget(TimeResLbl);
  Body()->addLayout(levels);

  StartBtn = Button(this, "StartBtn", msg::kStartBtn);
  GoBackBtn = Button(this, "GoBackBtn", msg::kGoBackBtn);
  GoOnBtn = Button(this, "GoOnBtn", msg::kGoOnBtn);
  FastForwardButton = Button(this, "FastForwardButton", msg::kFastForwardButton);
  RefreshBtn = Button(this, "RefreshBtn", msg::kRefreshBtn);
  FitToScreenBtn = Button(this, "FitToScreenBtn", msg::kFitToScreenBtn);
  GoToTimeBtn = Button(this, "GoToTimeBtn", msg::kGoToTimeBtn);
  SetHint(GoToTimeBtn, QString::fromLatin1(msg::kGoToTimeHint));
  DropTimeTextEdit = Edit(this, "DropTimeTextEdit");
  MinuteNumberTranslatorEdit = Edit(this, "MinuteNumberTranslatorEdit");
  MinNToShowEdit = Edit(this, "MinNToShowEdit", QString::fromLatin1(msg::kMinNToShowStart));

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(8);
  grid->addWidget(StartBtn, 0, 0);
  grid->addWidget(GoBackBtn, 0, 1);
  grid->addWidget(GoOnBtn, 0, 2);
  grid->addWidget(FastForwardButton, 0, 3);
  grid->addWidget(RefreshBtn, 1, 0);
  grid->addWidget(FitToScreenBtn, 1, 1);
  grid->addWidget(MinNToShowEdit, 1, 2);
  grid->addWidget(GoToTimeBtn, 2, 0);
  grid->addWidget(DropTimeTextEdit, 2, 1, 1, 2);
  grid->addWidget(MinuteNumberTranslatorEdit, 2, 3);
  grid->setColumnStretch(4, 1);
  NavigationImage = new ClickLabel(this);
  NavigationImage->setObjectName(QStringLiteral("NavigationImage"));
  NavigationImage->setPixmap(NavigationPicture());
  NavigationImage->setStatusTip(QString::fromLatin1(msg::kNavigationImageHint));
  grid->addWidget(NavigationImage, 0, 5, 3, 1, Qt::AlignRight | Qt::AlignTop);
  Body()->addLayout(grid);
  Body()->addStretch(1);
  ShowLevel(7);
}

void NavigationPage::ShowLevel(int level) {
  for (int i = 0; i < kLevelCount; ++i) {
    const QColor c = RgbColour(i == level ? kCurrentLevelLabelColour : kLevelLabelColour);
    LevelLbl[static_cast<size_t>(i)]->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(c.name()));
  }
  const LevelInfo& info = Levels()[static_cast<size_t>(std::clamp(level, 0, kLevelCount - 1))];
  TimeResLbl->setText(QString::fromLatin1(info.resText.data(), static_cast<qsizetype>(info.resText.size())));
}

}  // namespace zorvel::ui
