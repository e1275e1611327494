#include "ui/pages/NavigationPage.h"

#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "ui/ClickLabel.h"
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
}  // namespace

NavigationPage::NavigationPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kNavigationPage]), true, parent) {
  NavigationImage = new ClickLabel(this);
  NavigationImage->setObjectName(QStringLiteral("NavigationImage"));
  NavigationImage->setPixmap(NavigationPicture());
  NavigationImage->setStatusTip(QString::fromLatin1(msg::kNavigationImageHint));
  Body()->addWidget(NavigationImage, 0, Qt::AlignLeft);
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
