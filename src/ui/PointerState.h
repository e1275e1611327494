// What the window remembers between pointer events over the display.
#pragma once

#include <QPoint>

#include "display/PointerSelection.h"

namespace zorvel::ui {

class MovingInfoWindow;
class ZoomMenu;

struct PointerState {
  int pointerSlot = 0;  // the band under the pointer; 0 = none
  int DragStartX = 0;   // 0: no drag
  QPoint LastRightClick, PreviousRightClick;
  bool introShown = false;
  TimeSelection selection;
  MovingInfoWindow* TMIF = nullptr;
  ZoomMenu* zoomMenu = nullptr;
};

}  // namespace zorvel::ui
