#include "display/Navigation.h"

#include <algorithm>

#include "core/Header.h"
#include "core/Messages.h"
#include "core/MinuteMap.h"
#include "display/Levels.h"
#include "display/Messages.h"
#include "display/TimeMath.h"

namespace zorvel {

bool WheelStepAllowed(const WheelInput& in) {
  if (in.menuShown || !in.highRes || !in.anyFileOpen) return false;
  if (in.y <= in.plotTop || in.y >= in.plotBottom) return false;
  return !in.lastStepMs || in.nowMs - *in.lastStepMs >= kWheelRearmMs;
}

bool FastForward::Press(bool haveSeekFile, Host& host) {
  if (!haveSeekFile) {
    host.TimedMessage(msg::kFastForwardNeedsSeek, 3000);
    return false;
  }
  if (!running_) {
    running_ = true;
    delayMs_ = kStartDelayMs;
  } else {
    KeypadPlus();
  }
  return true;
}

void FastForward::KeypadPlus() {
  delayMs_ = std::max(kMinDelayMs, delayMs_ / 2);
}
void FastForward::KeypadMinus() {
  delayMs_ = std::min(kMaxDelayMs, delayMs_ * 2);
}

void Navigator::PositionAll(TRecTime t) {
  MoveAllFilePosn(fileSlots_, t, reader_, refreshMaps);
}

ScreenHistoryEntry Navigator::CurrentEntry() const {
  ScreenHistoryEntry e;
  e.DisplayPosition = view_.DisplayPosition;
  e.DisplayTimeUnit = view_.DisplayTimeUnit;
  for (int i = 1; i <= kSlotCount; ++i)
    e.YaxisTypes[static_cast<size_t>(i - 1)] = fileSlots_[i].FileYaxisType;
  e.scales = painter_.Options().scales;
  e.FilterBoxes = filterBoxes;
  return e;
}

void Navigator::DrawHigh(bool storeHistory) {
  painter_.DrawHighRes();
  if (view_.FrameDirty) painter_.DrawFrame();
  painter_.DrawRuler();
  if (storeHistory) history_.Store(CurrentEntry());
  if (onScreenDrawn) onScreenDrawn();
}

void Navigator::DrawLow() {
  if (lowResBusy_) return;
  lowResBusy_ = true;
  painter_.DrawLowRes();
  if (view_.FrameDirty) painter_.DrawFrame();
  painter_.DrawRuler();
  lowResBusy_ = false;
  if (onScreenDrawn) onScreenDrawn();
}

void Navigator::ShowAtPoint(int x, ShowMode mode) {
  if (mapping || !AnyOpen()) return;
  const TRecTime t = PixelToTime(view_, x);
  switch (mode) {
    case ShowMode::BeforeSeek:
      view_.DisplayPosition = SubTime(view_.PreviousScreen, view_.ScreenSpan);
      break;
    case ShowMode::Earlier:
      view_.DisplayPosition = SubTime(t, view_.ScreenSpan);
      break;
    case ShowMode::Later:
      view_.DisplayPosition = t;
      break;
    case ShowMode::ZoomIn:
    case ShowMode::ZoomOut:
      if (mode == ShowMode::ZoomIn ? ZoomIn(view_, host_) : ZoomOut(view_, host_))
        view_.DisplayPosition = SubTime(t, view_.HalfScreenSpan);
      break;
    case ShowMode::Keep:
      break;
  }
  view_.DisplayPosition = AddTicks(view_.DisplayPosition, view_.FiveMusecPerPixel);
  if (!view_.HighRes()) {
    if (lowResBusy_) return;
    view_.DisplayPosition.FiveMuSec = 0;
    PositionAll({view_.DisplayPosition.Mn, 0});
    DrawLow();
    return;
  }
  PositionAll(view_.DisplayPosition);
  view_.RequestedStart = view_.DisplayPosition;
  DrawHigh();
}

bool Navigator::ShowFromStart() {
  if (!AnyOpen()) {
    host_.TimedMessage(msg::kNoFilesOpen, 3000);
    return false;
  }
  view_.DisplayPosition = {view_.RangeFirstMin, 0};
  PositionAll(view_.DisplayPosition);
  if (view_.HighRes()) {
    DrawHigh();
  } else {
    DrawLow();
  }
  return true;
}

bool Navigator::NextScreenWithSeek() {
  struct Seeking {
    bool& flag;
    explicit Seeking(bool& f) : flag(f) { flag = true; }
    ~Seeking() { flag = false; }
  } seeking(seeking_);
  const int seek = view_.SeekFile;
  if (view_.MinNToShow <= 0 || !FileSlots::ValidSlot(seek) || !fileSlots_[seek].Open) return true;
  TFileRec& s = fileSlots_[seek];
  const int32_t step = std::max(1, view_.RangeMinutes / 120);
  TRecTime w = AddTime(view_.DisplayPosition, view_.ScreenSpan);
  int32_t progressMin = s.NrTime.Mn + step;
  const bool callsCount = s.FileType != ftZV1;
  for (;;) {
    int count = 0;
    TRecTime first{};
    while (s.InPlay && ItemTime(s) < w) {
      const bool item = callsCount ? s.NrType == tCallrec : s.NrType == tOctet;
      if (item && count++ == 0) first = ItemTime(s);
      ReadNextUsedRecord(s, reader_);
    }
    if (!s.InPlay) {
      fast_.Stop();
      host_.TimedMessage(std::string(msg::kNoMoreClicks) + std::to_string(seek), 3000);
      return false;
    }
    if (count > view_.MinNToShow) {
      const TRecTime at = SubTime(first, view_.EighthScreenSpan);
      PositionAll(at);
      // The screen starts an eighth of a screen before the first item, so its lead-in shows.
      view_.RequestedStart = AddTicks(at, view_.FiveMusecPerPixel);
      return true;
    }
    w = AddTime(ItemTime(s), view_.ScreenSpan);
    if (s.NrTime.Mn > progressMin) {
      view_.DisplayPosition.Mn = s.NrTime.Mn;
      if (onSeekProgress) onSeekProgress();
      if (host_.StopRequested()) {
        fast_.Stop();
        return false;
      }
      progressMin += step;
    }
  }
}

void Navigator::GoOn() {
  if (!AnyOpen()) {
    host_.TimedMessage(msg::kNoFilesOpen, 3000);
    return;
  }
  if (view_.DisplayPosition.Mn > view_.RangeLastMin) {
    host_.TimedMessage(msg::kNoLaterData, 3000);
    return;
  }
  if (mapping) {
    if (onFlashMenu) onFlashMenu(msg::kMapping);
    return;
  }
  if (rememberedSeekFile_ > 0) {
    view_.SeekFile = rememberedSeekFile_;
    rememberedSeekFile_ = 0;
  }
  // Files that left play come back at the present position (or stay out when it is past them).
  for (int i = 1; i <= kSlotCount; ++i)
    if (fileSlots_[i].Open && !fileSlots_[i].InPlay)
      PositionSlot(fileSlots_, i, view_.DisplayPosition, reader_, refreshMaps);
  if (!view_.HighRes()) {
    PositionAll({view_.DisplayPosition.Mn, 0});
    DrawLow();
    return;
  }
  const bool haveSeek = FileSlots::ValidSlot(view_.SeekFile) && fileSlots_[view_.SeekFile].Open;
  if (!haveSeek && onFlashMenu) onFlashMenu(msg::kNoSeekFile);
  if (!haveSeek || fileSlots_[view_.SeekFile].OctInThisScreen > 0)
    view_.PreviousScreen = view_.DisplayPosition;
  do {
    if (!NextScreenWithSeek()) break;
    DrawHigh();
    if (haveSeek && fileSlots_[view_.SeekFile].OctInThisScreen == 0) {
      ShowAtPoint(view_.layout.PlotLeft, ShowMode::Earlier);
      break;
    }
  } while (fast_.Running() && !host_.StopRequested());
}

void Navigator::GoBack() {
  bool anyInPlay = false;
  for (int i = 1; i <= kSlotCount; ++i) anyInPlay = anyInPlay || (fileSlots_[i].Open && fileSlots_[i].InPlay);
  if (!anyInPlay) view_.DisplayPosition.Mn = view_.RangeLastMin;
  ShowAtPoint(view_.layout.PlotLeft, ShowMode::Earlier);
}

bool Navigator::FastForwardStep() {
  if (!fast_.Running()) return false;
  bool anyInPlay = false;
  for (int i = 1; i <= kSlotCount; ++i) anyInPlay = anyInPlay || (fileSlots_[i].Open && fileSlots_[i].InPlay);
  if (!anyInPlay || host_.StopRequested()) {
    fast_.Stop();
    return false;
  }
  if (view_.HighRes()) {
    if (!NextScreenWithSeek()) return false;
    DrawHigh();
  } else {
    PositionAll({view_.DisplayPosition.Mn, 0});
    DrawLow();
  }
  return fast_.Running();
}

void Navigator::Refresh(bool pressedDirectly, bool allCallsExcluded) {
  if (allCallsExcluded) {
    for (int i = 1; i <= 3; ++i)
      if (fileSlots_[i].Open && fileSlots_[i].FileType == ftZV3) {
        host_.TimedMessage(msg::kCurrentFiltersExcludeAll, 5000);
        break;
      }
  }
  if (pressedDirectly) view_.FrameDirty = true;
  if (AnyOpen()) {
    ShowAtPoint(view_.layout.PlotLeft, ShowMode::Later);
  } else {
    painter_.ClearPlot();
    if (onScreenDrawn) onScreenDrawn();
  }
}

bool Navigator::BackToPreviousScreen() {
  if (!history_.CursorSet()) {
    rememberedSeekFile_ = view_.SeekFile;
  }
  const ScreenHistoryEntry* e = history_.StepBack();
  if (!e) return false;
  const int oldLevel = view_.DisplayTimeUnit;
  view_.DisplayTimeUnit = e->DisplayTimeUnit;
  ApplyLevel(view_);
  if (IsHighRes(oldLevel) != IsHighRes(view_.DisplayTimeUnit)) view_.FrameDirty = true;
  for (int i = 1; i <= kSlotCount; ++i)
    fileSlots_[i].FileYaxisType = e->YaxisTypes[static_cast<size_t>(i - 1)];
  painter_.Options().scales = e->scales;
  filterBoxes = e->FilterBoxes;
  view_.DisplayPosition = e->DisplayPosition;
  view_.FrameDirty = true;
  if (!AnyOpen()) return true;
  // Redraw the screen that ends at the stored position without writing a new history entry,
  // so that repeated use keeps stepping back.
  const TRecTime t = PixelToTime(view_, view_.layout.PlotLeft);
  view_.DisplayPosition = AddTicks(t, view_.FiveMusecPerPixel);
  if (!view_.HighRes()) {
    view_.DisplayPosition.FiveMuSec = 0;
    PositionAll({view_.DisplayPosition.Mn, 0});
    DrawLow();
  } else {
    PositionAll(view_.DisplayPosition);
    view_.RequestedStart = view_.DisplayPosition;
    DrawHigh(false);
  }
  return true;
}

void Navigator::WheelStep(bool up) {
  const int saved = view_.MinNToShow;
  view_.MinNToShow = 0;
  ShowAtPoint(view_.layout.PlotLeft + view_.layout.PlotWidth / 2, up ? ShowMode::Earlier : ShowMode::Later);
  view_.MinNToShow = saved;
}

void Navigator::SliderRelease(int left) {
  if (!AnyOpen()) return;
  const int32_t minute = SliderReleaseMinute(view_, left);
  view_.DisplayPosition = {minute, 0};
  PositionAll(view_.DisplayPosition);
  if (view_.HighRes()) {
    DrawHigh();
  } else {
    DrawLow();
  }
}

std::optional<int32_t> Navigator::MoveTo(const std::string& text, bool fromEditBox, bool* clearBox) {
  if (clearBox) *clearBox = false;
  const std::optional<TRecTime> target = ParseGoToText(text);
  if (!target) {
    host_.TimedMessage(msg::kFormatError, 10000);
    return std::nullopt;
  }
  if (fromEditBox) return target->Mn;
  if (target->Mn <= 49'999'999) return target->Mn;
  if (!fileSlots_[1].Open) {
    if (clearBox) *clearBox = true;
    host_.TimedMessage(msg::kFile1MustBeOpen, 10000);
    return std::nullopt;
  }
  if (target->Mn < view_.RangeFirstMin || target->Mn > view_.RangeLastMin) {
    host_.TimedMessage(msg::kTimeNotInRange, 10000);
    return std::nullopt;
  }
  // The screen that ends just after the target: the target is in its last column.
  view_.DisplayPosition =
      view_.HighRes() ? AddTicks(*target, view_.FiveMusecPerPixel) : TRecTime{target->Mn + 1, 0};
  Refresh(false);
  return target->Mn;
}

bool Navigator::SaveTimePointAt(int selectedSlot, int x) {
  if (!SaveTimePoint(fileSlots_, selectedSlot, PixelToTime(view_, x), host_)) return false;
  Refresh(false);
  return true;
}

bool Navigator::GoToSavedTimePoint(int selectedSlot) {
  if (!FileSlots::ValidSlot(selectedSlot) || !fileSlots_[selectedSlot].Open) {
    host_.TimedMessage(msg::kNoFileSelected, 3000);
    return false;
  }
  const TFileRec& s = fileSlots_[selectedSlot];
  if (s.GoToMin <= 0) return false;
  view_.DisplayPosition = AddTime({s.GoToMin, s.GoToFiveMusec}, view_.HalfScreenSpan);
  Refresh(false);
  return true;
}

void Navigator::SelectLevel(int level) {
  SelectDisplayTimeUnit(view_, level);
  if (AnyOpen()) Refresh(false);
}

bool Navigator::FitToScreen() {
  if (!AnyOpen()) {
    host_.TimedMessage(msg::kNoFilesOpenFit, 3000);
    return false;
  }
  const int level = FitToScreenLevel(view_.RangeMinutes, view_.layout.MinuteUnits);
  if (level >= 0) {
    while (view_.DisplayTimeUnit != level)
      view_.DisplayTimeUnit < level ? ZoomOut(view_, host_) : ZoomIn(view_, host_);
  }
  const int mu = std::max(view_.layout.MinuteUnits, 1);
  view_.DisplayPosition = {view_.RangeFirstMin - view_.RangeFirstMin % mu, 0};
  if (!view_.HighRes()) {
    PositionAll(view_.DisplayPosition);
    DrawLow();
  }
  return true;
}

bool Navigator::ExpandDisplay() {
  const int level = ExpandLevelFor(view_.DisplayTimeUnit, view_.ShortestOnScreen);
  if (level < 0) return false;
  SelectDisplayTimeUnit(view_, level);
  view_.DisplayPosition = AddTime(view_.PointerTime, view_.HalfScreenSpan);
  Refresh(false);
  return true;
}

}  // namespace zorvel
