#include "sound/WaveCollector.h"

#include <algorithm>
#include <string>

#include "core/MinuteMap.h"
#include "core/Tables.h"
#include "core/TimeBase.h"
#include "sound/Messages.h"

namespace zorvel::sound {

namespace {
constexpr size_t kInitialEntries = 1000;

int64_t TicksBetween(TRecTime from, TRecTime to) {
  return (static_cast<int64_t>(to.Mn) - from.Mn) * kTicksPerMinute + (to.FiveMuSec - from.FiveMuSec);
}

std::string TwoDigits(int v) {
  return (v < 10 ? "0" : "") + std::to_string(v);
}
}  // namespace

WaveCollector::WaveCollector(CollectMode mode, TRecTime screenStart, ChunkSink* sink)
    : mode_(mode), sink_(sink), reference_(screenStart) {
  entries_.reserve(kInitialEntries);
}

void WaveCollector::AppendGap(int64_t ticks, int32_t ipi) {
  ticks = std::min(ticks, kMaxFileGapTicks);
  if (ticks > 0) entries_.insert(entries_.end(), static_cast<size_t>(ticks), tCycPair{0, ipi, 0});
}

void WaveCollector::Flush(int32_t pauseTicks) {
  if (sink_ && !entries_.empty()) sink_->PlayChunk(entries_, pauseTicks);
  entries_.clear();
}

void WaveCollector::AddOctet(TRecTime octetTime, const tOct& octet) {
  if (stopped_) return;
  // The gap mixes ticks with the group's IPI sum, as the logger's own timing does; a gap shorter
  // than half the group is timing jitter, not silence.
  int64_t gap = TicksBetween(reference_, octetTime) - octet.IPIsum;
  if (gap < octet.IPIsum / 2) gap = 0;
  if (mode_ == CollectMode::LivePlay) {
    if (gap > kLiveFlushTicks) {
      Flush(static_cast<int32_t>(gap));
    } else if (entries_.size() > 4) {
      AppendGap(gap, kLiveGapIpi);
    }
  } else {
    AppendGap(gap, kFileGapIpi);
  }
  for (int w = 0; w < 8; w += 2)
    entries_.push_back(tCycPair{octet.AMPs[w], octet.IPIs[w], KhzOfIpi(octet.IPIs[w])});
  reference_ = octetTime;
}

void WaveCollector::Stop() {
  if (mode_ != CollectMode::LivePlay) return;
  entries_.clear();
  stopped_ = true;
}

void WaveCollector::Finish(TRecTime screenEnd) {
  if (stopped_) return;
  if (mode_ == CollectMode::LivePlay) {
    Flush(kLiveFlushTicks);
  } else {
    AppendGap(TicksBetween(reference_, screenEnd) + kFileEndPadTicks, kFileGapIpi);
  }
  stopped_ = true;
}

void CollectSlotWaves(FileSlots& slots, int slot, TRecTime from, TRecTime to, ReaderContext& ctx,
                      WaveCollector& collector) {
  if (!FileSlots::ValidSlot(slot) || !slots[slot].Open) return;
  TFileRec& s = slots[slot];
  PositionSlot(slots, slot, from, ctx, false);
  while (s.Open && s.InPlay && s.NrType != tEnd && s.NrTime <= to) {
    if (ctx.host.StopRequested()) {
      collector.Stop();
      return;
    }
    if (s.NrType == tOctet && s.NrTime >= from) collector.AddOctet(s.NrTime, s.aOct);
    ReadNextUsedRecord(s, ctx);
  }
  collector.Finish(to);
}

std::string DefaultReconstructionName(int32_t minute, int32_t callStartTick) {
  const CivilDateTime t = DateTimeOfMinute(minute);
  return MinuteFileDateText(minute) + " " + TwoDigits(t.hour) + " " + TwoDigits(t.minute) + " " +
         TwoDigits(std::clamp(callStartTick, 0, kTicksPerMinute - 1) / kTicksPerSecond) +
         std::string(msg::kDefaultNameSuffix);
}

}  // namespace zorvel::sound
