// A line edit that reports double-clicks: the filter edits reset their text on one.
#pragma once

#include <QLineEdit>

namespace zorvel::ui {

class FilterEdit : public QLineEdit {
  Q_OBJECT
 public:
  using QLineEdit::QLineEdit;

 Q_SIGNALS:
  void doubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    QLineEdit::mouseDoubleClickEvent(event);
    Q_EMIT doubleClicked();
  }
};

}  // namespace zorvel::ui
