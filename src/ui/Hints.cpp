#include "ui/Hints.h"

#include <QWidget>

namespace zorvel::ui {

void SetHint(QWidget* control, const QString& hint) {
  control->setToolTip(hint);
  control->setStatusTip(hint);
}

}  // namespace zorvel::ui
