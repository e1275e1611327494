// The area the display is drawn on. While files are open it shows the painted screen, each band
// named by its slot label; with none open, six empty frames show where files will go.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "core/FileRec.h"

class QImage;
class QLabel;

namespace zorvel::ui {

class DisplayArea : public QWidget {
  Q_OBJECT
 public:
  explicit DisplayArea(QWidget* parent = nullptr);

  // FileLbl[0] … FileLbl[5] name slots 1 … 6.
  std::array<QLabel*, kSlotCount> FileLbl{};

  // The slots that get a band, top to bottom.
  void SetBands(std::vector<int> slots);
  // The painted screen and where each slot's band lies on it; a null image shows the frames.
  void SetCanvas(const QImage* image, std::function<QRect(int slot)> bandOfSlot);
  // The slider and the screen's start and end texts, drawn over the canvas.
  void SetChrome(QRect backBar, QRect frontBar, QString startText, QString endText);
  // The text shown on the slider while it is dragged.
  std::function<QString(int left)> sliderText;
  void SetSelectedSlot(int slot);
  // The file graphs write each file's name in its band themselves: the labels step aside.
  void SetFileLabelsShown(bool shown);
  // The slot whose band contains y, or 0.
  int SlotAt(int y) const;
  // The yellow line of a drag-zoom in progress; x1 = 0 removes it.
  void SetDragLine(int x1, int x2, int y);

 Q_SIGNALS:
  // Every pointer event over the display, in the area's coordinates: the window decides what
  // a move, a press or a release means (drags, the popup, the read-out).
  void PointerMoved(QPoint at);
  void PointerPressed(Qt::MouseButton button, QPoint at);
  void PointerReleased(Qt::MouseButton button, QPoint at);
  void PointerLeft();
  // The slider was let go with its left edge at x.
  void SliderReleased(int left);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QRect PlotRect() const;
  QRect BandRect(size_t index) const;
  void PlaceLabels();
  std::vector<int> bands_;
  const QImage* canvas_ = nullptr;
  std::function<QRect(int)> bandOfSlot_;
  QRect backBar_, frontBar_;
  QString startText_, endText_;
  int dragOffset_ = -1;  // pointer x minus the slider's left while dragging
  int selected_ = 0;
  bool fileLabelsShown_ = true;
  int dragLineX1_ = 0, dragLineX2_ = 0, dragLineY_ = 0;
};

}  // namespace zorvel::ui
