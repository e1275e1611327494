// Control hints. A hint shows as a tooltip and, while the pointer is over the control, in the
// window's hint label (the status-tip event carries it up to the main window).
#pragma once

#include <QString>

class QWidget;

namespace zorvel::ui {

void SetHint(QWidget* control, const QString& hint);

}  // namespace zorvel::ui
