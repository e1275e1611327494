// A label that acts on a click (the big label, the maximise label).
#pragma once

#include <QLabel>

namespace zorvel::ui {

class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 Q_SIGNALS:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace zorvel::ui
