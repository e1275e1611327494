#include "ui/ClickLabel.h"

#include <QMouseEvent>

namespace zorvel::ui {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Q_EMIT clicked();
  QLabel::mouseReleaseEvent(event);
}

}  // namespace zorvel::ui
