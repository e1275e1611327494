#include "ui/DisplayControl.h"

namespace zorvel::ui {

void DisplayControl::ShowGraphs(const GraphOptions& options, std::string* status) {
  Sync();
  DrawFileGraphs(painter_.Image(), fileSlots_, view_, options_, options, reader_, status);
  hasScreen_ = true;
  // The graphs stop at the screen's end, where the slots would stand after drawing the screen,
  // so paging on from here continues as it would from the screen. The frame is redrawn.
  view_.FrameDirty = true;
}

}  // namespace zorvel::ui
