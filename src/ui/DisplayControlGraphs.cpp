#include "ui/DisplayControl.h"

namespace zorvel::ui {

void DisplayControl::ShowGraphs(const GraphOptions& options, std::string* status) {
  Sync();
  DrawFileGraphs(painter_.Image(), fileSlots_, view_, options_, options, reader_, status);
  hasScreen_ = true;
  // The graphs read past the screen: the next screen must be drawn from a fresh seek.
  view_.FrameDirty = true;
}

}  // namespace zorvel::ui
