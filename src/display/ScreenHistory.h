// The last 20 high-resolution screens, for "back to previous screen" (Ctrl+Z).
#pragma once

#include <array>

#include "core/FileRec.h"
#include "core/Records.h"
#include "display/DisplayOptions.h"

namespace zorvel {

struct ScreenHistoryEntry {
  TRecTime DisplayPosition{};
  int DisplayTimeUnit = 7;
  std::array<TYaxisType, kSlotCount> YaxisTypes{};
  ScaleEdits scales{};
  // CFchk, QCFchk, FMchk, noSpChk, IgnoreFilters.
  std::array<bool, 5> FilterBoxes{};
};

class ScreenHistory {
 public:
  static constexpr int kEntries = 20;

  void Store(const ScreenHistoryEntry& e) {
    last_ = (last_ + 1) % kEntries;
    entries_[static_cast<size_t>(last_)] = e;
    ++stored_;
    cursorSet_ = false;
  }
  // One step back: the first use after a draw starts from the last written entry.
  const ScreenHistoryEntry* StepBack() {
    if (stored_ == 0) return nullptr;
    if (!cursorSet_) {
      cursor_ = last_;
      cursorSet_ = true;
    }
    cursor_ = (cursor_ + kEntries - 1) % kEntries;
    return &entries_[static_cast<size_t>(cursor_)];
  }
  bool CursorSet() const { return cursorSet_; }
  int LastIndex() const { return last_; }

 private:
  std::array<ScreenHistoryEntry, kEntries> entries_{};
  int last_ = kEntries - 1;  // the first entry goes to index 0
  int cursor_ = 0;
  int stored_ = 0;
  bool cursorSet_ = false;
};

}  // namespace zorvel
