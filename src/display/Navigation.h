// Moving the view through the open files: every command ends in positioning the files at a
// moment and drawing one screen. Plain classes with no widgets; the window binds its buttons,
// keys, wheel and timers to these and shows what the callbacks report.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/FileRec.h"
#include "core/Host.h"
#include "core/RecordReader.h"
#include "display/ScreenHistory.h"
#include "display/ScreenPainter.h"
#include "display/ViewState.h"

namespace zorvel {

// The wheel steps at most once per 400 ms, only at high resolution with a file open and the
// pointer inside the plot's height, and never while the menu is shown.
struct WheelInput {
  bool menuShown = false;
  bool highRes = true;
  bool anyFileOpen = true;
  int y = 0;
  int plotTop = 0, plotBottom = 0;
  int64_t nowMs = 0;
  std::optional<int64_t> lastStepMs;  // absent before the first step
};
constexpr int64_t kWheelRearmMs = 400;
bool WheelStepAllowed(const WheelInput& in);

// Fast forward's state: the delay between screens halves with each further press.
class FastForward {
 public:
  static constexpr int kStartDelayMs = 2048, kMinDelayMs = 1, kMaxDelayMs = 8192;
  // The button: starts (true) or speeds up; false with the message when there is no seek file.
  bool Press(bool haveSeekFile, Host& host);
  void KeypadPlus();
  void KeypadMinus();
  void Stop() { running_ = false; }
  bool Running() const { return running_; }
  int DelayMs() const { return delayMs_; }

 private:
  bool running_ = false;
  int delayMs_ = kStartDelayMs;
};

// Where "show at a point" puts the view.
enum class ShowMode { BeforeSeek = 0, Earlier = 1, Later = 2, ZoomIn = 3, ZoomOut = 4, Keep = 5 };

class Navigator {
 public:
  Navigator(FileSlots& fileSlots, ViewState& view, ScreenPainter& painter, ReaderContext& reader, Host& host)
      : fileSlots_(fileSlots), view_(view), painter_(painter), reader_(reader), host_(host) {}

  // What the window shows around a screen: called after every screen is drawn.
  std::function<void()> onScreenDrawn;
  // The menu label's flashing notice (no seek file).
  std::function<void(std::string_view)> onFlashMenu;
  // The slider moves during a long seek.
  std::function<void()> onSeekProgress;

  bool refreshMaps = false;  // the "refresh maps" box
  bool mapping = false;      // a minute map is being built
  // The filter boxes stored with each screen (CFchk, QCFchk, FMchk, noSpChk, IgnoreFilters);
  // the window keeps these in step with its controls.
  std::array<bool, 5> filterBoxes{};

  FastForward& Fast() { return fast_; }
  ScreenHistory& History() { return history_; }

  void PositionAll(TRecTime t);
  void ShowAtPoint(int x, ShowMode mode);
  bool ShowFromStart();  // StartBtn
  void GoOn();           // GoOnBtn, F1
  void GoBack();         // GoBackBtn, Shift+F1
  bool NextScreenWithSeek();
  // One step of fast forward; false when it has stopped.
  bool FastForwardStep();
  // allCallsExcluded: the filter state rejects every call (warned for ZV3 files in fileSlots 1 … 3).
  void Refresh(bool pressedDirectly, bool allCallsExcluded = false);
  bool BackToPreviousScreen();
  // The wheel, after WheelStepAllowed: up shows half a screen earlier, down half a screen later.
  void WheelStep(bool up);
  void SliderRelease(int left);
  // "Move to:". fromEditBox: the request came from the box itself; the minute number is returned
  // for the translator box. clearBox is set when the window must empty the go-to box.
  std::optional<int32_t> MoveTo(const std::string& text, bool fromEditBox, bool* clearBox = nullptr);
  bool SaveTimePointAt(int selectedSlot, int x);
  bool GoToSavedTimePoint(int selectedSlot);
  void SelectLevel(int level);  // a level label
  bool FitToScreen();
  bool ExpandDisplay();
  void ZoomAbout(int x, bool in) { ShowAtPoint(x, in ? ShowMode::ZoomIn : ShowMode::ZoomOut); }

  void DrawHigh(bool storeHistory = true);
  void DrawLow();

 private:
  bool AnyOpen() const { return fileSlots_.OpenCount() > 0; }
  ScreenHistoryEntry CurrentEntry() const;

  FileSlots& fileSlots_;
  ViewState& view_;
  ScreenPainter& painter_;
  ReaderContext& reader_;
  Host& host_;
  FastForward fast_;
  ScreenHistory history_;
  int rememberedSeekFile_ = 0;
  bool lowResBusy_ = false;
  bool seeking_ = false;

 public:
  // A low-resolution screen is being drawn, or the next screen with calls is being searched for
  // (both let window events through now and then).
  bool LowResDrawing() const { return lowResBusy_; }
  bool Busy() const { return lowResBusy_ || seeking_; }
};

}  // namespace zorvel
