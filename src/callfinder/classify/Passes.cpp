#include "callfinder/classify/Passes.h"

#include <algorithm>

#include "species/Passes.h"

namespace zorvel::cf {

uint8_t ClassificationByte(int32_t v) {
  return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

void PatchClassification(MinuteWork& w) {
  for (int32_t i = 1; i <= w.callCount; ++i) {
    const tCall& c = w.calls[i];
    uint8_t* rc = w.out.data() + c.ClBufPosnOfStart + 32;  // record C
    rc[4] = static_cast<uint8_t>((std::clamp(c.SpConfidence, 0, 15) << 4) | (rc[4] & 0x0F));
    rc[12] = static_cast<uint8_t>(c.CallType);
    rc[13] = ClassificationByte(c.Sp3N);
    rc[14] = ClassificationByte(c.Sp2N);
    rc[15] = ClassificationByte(c.SpN);
    if (w.collectGraphMarks) w.graphMarks.push_back({w.minuteOfDay, c.Fav});
  }
}

std::vector<MinutePass> MinutePasses(const MinuteWork& w) {
  // Calls are emitted in time order except that a buzz may be emitted before an ordinary call
  // found earlier in the minute; the grouping wants start order.
  std::vector<int32_t> order(static_cast<size_t>(std::max(0, w.callCount)));
  for (int32_t i = 0; i < w.callCount; ++i) order[static_cast<size_t>(i)] = i + 1;
  std::stable_sort(order.begin(), order.end(),
                   [&](int32_t a, int32_t b) { return w.calls[a].StartTime < w.calls[b].StartTime; });
  std::vector<PassCall> pc;
  pc.reserve(order.size());
  for (int32_t i : order) {
    const tCall& c = w.calls[i];
    pc.push_back({c.StartTime, int64_t{c.StartTime} + 20 * int64_t{c.Duration100Musecs},
                  PassKeyKHz(c.ModalKHZ, c.MedianKHZ, c.Fmin, c.Fmax), c.BuzzCall});
  }
  const std::vector<int> passOf = GroupIntoPasses(pc);
  std::vector<MinutePass> passes;
  for (size_t k = 0; k < order.size(); ++k) {
    if (passOf[k] < 0) continue;
    if (static_cast<size_t>(passOf[k]) >= passes.size()) passes.resize(static_cast<size_t>(passOf[k]) + 1);
    MinutePass& p = passes[static_cast<size_t>(passOf[k])];
    (w.calls[order[k]].BuzzCall ? p.buzzCalls : p.calls).push_back(order[k]);
  }
  return passes;
}

}  // namespace zorvel::cf
