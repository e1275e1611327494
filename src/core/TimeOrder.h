// The time-order rule for wave groups: within a minute (and in ZV2/ZV3 files within a call) the
// wave groups follow each other in time, and one whose time is earlier than the wave group
// before it is not used. The comparison is always with the time of the wave group just before,
// used or not, and a time of 0 is never refused. The rule is applied as the records are read and
// never written into the file, so every reader that starts at a minute record (or a call) sees
// the same wave groups, whether the minute map came from a scan or from a map file.
//
// Wave groups marked 0xFB in the file by earlier versions are not wave groups to this rule: they
// are skipped and not compared with.
#pragma once

#include <cstdint>

namespace zorvel {

class TimeOrder {
 public:
  // A minute record, or in a call file a call's first record: the next wave group starts afresh.
  void Restart() { prevTick_ = -1; }

  // True when the wave group at this tick runs backwards and is to be skipped.
  bool RunsBackwards(int32_t tick) {
    const bool backwards = tick < prevTick_ && tick > 0;
    prevTick_ = tick;
    return backwards;
  }

 private:
  int32_t prevTick_ = -1;
};

}  // namespace zorvel
