// The area the display is drawn on: dark, divided into one band per open file (all six slots
// while none is open), each band named by its slot label. The screen drawing itself comes later;
// until then the bands show only their frames.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "core/FileRec.h"

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
  void SetSelectedSlot(int slot);
  // The slot whose band contains y, or 0.
  int SlotAt(int y) const;

 Q_SIGNALS:
  // A right click in a file's area selects that file for per-file commands.
  void SlotRightClicked(int slot);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QRect PlotRect() const;
  QRect BandRect(size_t index) const;
  void PlaceLabels();
  std::vector<int> bands_;
  int selected_ = 0;
};

}  // namespace zorvel::ui
