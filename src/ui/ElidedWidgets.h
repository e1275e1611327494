// A label and a check box that give up width before the window does: a long text is shown
// shortened with "…" when there is no room for it, rather than widening the main window beyond
// its screen. text() still holds the whole text, and the whole text is the tooltip while it is cut.
#pragma once

#include <QCheckBox>
#include <QLabel>

namespace zorvel::ui {

class ElidedLabel : public QLabel {
 public:
  explicit ElidedLabel(const QString& text = {}, QWidget* parent = nullptr);
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class ElidedCheckBox : public QCheckBox {
 public:
  explicit ElidedCheckBox(QWidget* parent = nullptr);
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zorvel::ui
