// Collecting the waves of one slot (the sound slot) while its screen is read, into the list the
// renderers take. Gaps between wave groups become entries of amplitude 0, so silence keeps its
// length; during live play a gap of more than 4 ms ends a chunk, which is played at once.
#pragma once

#include <cstdint>
#include <vector>

#include "core/FileRec.h"
#include "core/RecordReader.h"
#include "core/Records.h"

namespace zorvel::sound {

enum class CollectMode { LivePlay, File };

constexpr int32_t kLiveFlushTicks = 800;  // 4 ms
constexpr int32_t kLiveGapIpi = 20;
constexpr int32_t kFileGapIpi = 10;
constexpr int32_t kFileEndPadTicks = 200;
constexpr int64_t kMaxFileGapTicks = 2LL * kTicksPerMinute;

// Receives each chunk of live play with the pause (ticks) that follows it. The window renders
// it with RenderLive, plays it to the end, then waits PauseAfterChunkMs(pause).
struct ChunkSink {
  virtual ~ChunkSink() = default;
  virtual void PlayChunk(const std::vector<tCycPair>& entries, int32_t pauseTicks) = 0;
};

class WaveCollector {
 public:
  // sink is needed for live play only.
  WaveCollector(CollectMode mode, TRecTime screenStart, ChunkSink* sink = nullptr);

  void AddOctet(TRecTime octetTime, const tOct& octet);
  // A stop request during live play: what is collected is dropped and collection ends.
  void Stop();
  // After the last record: live play plays what is left; a file gets the gap to the screen end.
  void Finish(TRecTime screenEnd);

  bool Stopped() const { return stopped_; }
  const std::vector<tCycPair>& Entries() const { return entries_; }

 private:
  void AppendGap(int64_t ticks, int32_t ipi);
  void Flush(int32_t pauseTicks);

  CollectMode mode_;
  ChunkSink* sink_;
  TRecTime reference_;
  std::vector<tCycPair> entries_;
  bool stopped_ = false;
};

// Reads the slot from `from` to `to` through the reader (filters included) into the collector,
// stopping early when the host asks. The slot must be open.
void CollectSlotWaves(FileSlots& slots, int slot, TRecTime from, TRecTime to, ReaderContext& ctx,
                      WaveCollector& collector);

// "<date> <hour> <minute> <second> Zorvel.wav": the proposed name of a reconstruction, from the
// sound slot's current minute and its current call's start tick.
std::string DefaultReconstructionName(int32_t minute, int32_t callStartTick);

}  // namespace zorvel::sound
