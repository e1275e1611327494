#include "ui/DisplayControl.h"

#include <algorithm>

#include "display/Levels.h"
#include "display/PointerMarking.h"
#include "display/PointerZoom.h"
#include "display/TimeMath.h"

namespace zorvel::ui {

namespace {
// The display area holds only the plot and its ruler; the window's bars sit outside it.
constexpr int kPlotTopInArea = 18;  // room for the slider above the plot
constexpr int kBarTop = 3, kBarHeight = 12;
constexpr int kStatusPanelHeight = 0;
}  // namespace

DisplayControl::DisplayControl(FileSlots& fileSlots, Host& host)
    : fileSlots_(fileSlots),
      reader_{host},
      painter_(fileSlots, view_, options_, reader_),
      nav_(fileSlots, view_, painter_, reader_, host) {
  clock_.start();
}

void DisplayControl::Resize(QSize size) {
  Sync();
  LayoutInput in;
  in.clientWidth = size.width();
  in.clientHeight = size.height();
  in.backBarBottom = kPlotTopInArea;
  in.statusPanelHeight = kStatusPanelHeight;
  painter_.Resize(in);
  painter_.DrawFrame();
  if (hasScreen_) nav_.Refresh(false);
}

void DisplayControl::FilesChanged() {
  Sync();
  const bool hadScreen = hasScreen_;
  SetFullRange(view_, fileSlots_);
  LayoutBands(view_, fileSlots_);
  hasScreen_ = fileSlots_.OpenCount() > 0;
  painter_.DrawFrame();
  if (!hasScreen_) {
    painter_.ClearPlot();
    return;
  }
  if (!hadScreen || view_.DisplayPosition.Mn < view_.RangeFirstMin ||
      view_.DisplayPosition.Mn > view_.RangeLastMin + 1) {
    nav_.ShowFromStart();
  } else {
    nav_.Refresh(false);
  }
}

DisplayControl::Chrome DisplayControl::ScreenChrome() const {
  Chrome c;
  if (!hasScreen_) return c;
  const Layout& l = view_.layout;
  const SliderGeometry g = SliderPosition(view_);
  c.backBar = QRect(l.PlotLeft - 1, kBarTop, l.PlotWidth + 1, kBarHeight);
  c.frontBar = QRect(g.left + 1, kBarTop, g.width, kBarHeight);
  c.startText = QString::fromStdString(ScreenTimeText(view_.ScreenStart()));
  c.endText = QString::fromStdString(ScreenTimeText(view_.DisplayPosition));
  return c;
}

QString DisplayControl::SliderDragText(int left) const {
  return QString::fromStdString(MinuteAloneText(SliderDragMinute(view_, left)));
}

QRect DisplayControl::BandRect(int slot) const {
  if (!FileSlots::ValidSlot(slot) || !fileSlots_[slot].Open) return {};
  const TFileRec& s = fileSlots_[slot];
  const Layout& l = view_.layout;
  return QRect(l.PlotLeft, s.FileYtop, l.PlotWidth, s.FileYbottom - s.FileYtop + 1);
}

void DisplayControl::ZoomToDrag(int x1, int x2) {
  Sync();
  if (!hasScreen_) return;
  const DragZoomTarget z = DragZoom(view_, x1, x2);
  const bool wasHigh = view_.HighRes();
  view_.DisplayTimeUnit = z.level;
  ApplyLevel(view_);
  if (wasHigh != view_.HighRes()) view_.FrameDirty = true;
  view_.DisplayPosition = z.DisplayPosition;
  nav_.ShowAtPoint(view_.layout.PlotLeft, ShowMode::Keep);
}

bool DisplayControl::MarkBeforePointer(int slot, int x, bool mark) {
  Sync();
  if (!hasScreen_) return false;
  const bool ok =
      MarkCallsBeforePointer(fileSlots_, slot, view_.ScreenStart(), PixelToTime(view_, x), reader_, mark);
  nav_.Refresh(false);
  return ok;
}

bool DisplayControl::KeyRelease(int key, Qt::KeyboardModifiers modifiers, int pointerX) {
  Sync();
  if (!hasScreen_) return false;
  const bool shift = modifiers & Qt::ShiftModifier, ctrl = modifiers & Qt::ControlModifier;
  const int x = pointerX >= 0 ? pointerX : view_.layout.PlotLeft + view_.layout.PlotWidth / 2;
  switch (key) {
    case Qt::Key_F1:
      shift ? nav_.GoBack() : nav_.GoOn();
      return true;
    case Qt::Key_F3:
    case Qt::Key_F12:
      view_.KeepZv1Bands = key == Qt::Key_F3 && shift && !view_.HighRes();
      nav_.Refresh(true);
      view_.KeepZv1Bands = false;  // in case nothing was drawn
      return true;
    case Qt::Key_Home:
      nav_.ShowFromStart();
      return true;
    case Qt::Key_End:
      view_.DisplayPosition = {view_.RangeLastMin, 0};
      nav_.ShowAtPoint(view_.layout.PlotLeft, ShowMode::Later);
      return true;
    case Qt::Key_Left:
      nav_.ShowAtPoint(x, ShowMode::Earlier);
      return true;
    case Qt::Key_Right:
      nav_.ShowAtPoint(x, ShowMode::Later);
      return true;
    case Qt::Key_Up:
      nav_.ShowAtPoint(x, ShowMode::ZoomOut);
      return true;
    case Qt::Key_Down:
      nav_.ShowAtPoint(x, ShowMode::ZoomIn);
      return true;
    case Qt::Key_Z:
      if (!ctrl) return false;
      nav_.BackToPreviousScreen();
      return true;
    case Qt::Key_X:
      if (!ctrl || !view_.HighRes()) return false;
      view_.PointerTime = PixelToTime(view_, x);
      nav_.ExpandDisplay();
      return true;
    case Qt::Key_Plus:
      if (!(modifiers & Qt::KeypadModifier)) return false;
      nav_.Fast().KeypadPlus();
      return true;
    case Qt::Key_Minus:
      if (!(modifiers & Qt::KeypadModifier)) return false;
      nav_.Fast().KeypadMinus();
      return true;
    default:
      return false;
  }
}

bool DisplayControl::ShowLevelAt(int level, const std::string& goToText) {
  Sync();
  view_.DisplayTimeUnit = std::clamp(level, 0, kLevelCount - 1);
  ApplyLevel(view_);
  view_.FrameDirty = true;
  painter_.DrawFrame();
  if (!hasScreen_) return false;
  if (goToText.empty()) return nav_.ShowFromStart();
  return nav_.MoveTo(goToText, false).has_value();
}

bool DisplayControl::Wheel(bool up, int y, bool menuShown) {
  Sync();
  WheelInput in;
  in.menuShown = menuShown;
  in.highRes = view_.HighRes();
  in.anyFileOpen = hasScreen_;
  in.y = y;
  in.plotTop = view_.layout.PlotTop;
  in.plotBottom = view_.layout.PlotBottom;
  in.nowMs = clock_.elapsed();
  in.lastStepMs = lastWheelMs_;
  if (!WheelStepAllowed(in)) return false;
  lastWheelMs_ = in.nowMs;
  nav_.WheelStep(up);
  return true;
}

}  // namespace zorvel::ui
