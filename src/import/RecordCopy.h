// The repairs made to a logger file's records on their way into a ZV1 file, one block at a
// time: scores lowered to the ZV1 scale, wave groups with impossible times marked so that
// readers pass over them, minute records counted, and the copy cut at the end record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/Host.h"

namespace zorvel {

// Counters and state carried from block to block. The owner resets the parts that belong to
// a ZV1 file, a series or a minute at the right moments.
struct CopyCounters {
  int32_t lastMinuteCount = 0;  // minute records copied after record 0, for the last-minute field
  int64_t seriesMinutes = 0;
  int64_t seriesWaveGroups = 0;
  int64_t totalMinutes = 0;
  int32_t previousTick = 0;   // the last wave group's time in the present minute
  int64_t minuteRecords = 0;  // every minute record copied to the present ZV1 file
};

struct CopyOptions {
  bool addTimestampsAtTimeReversals = false;  // developer option: mark groups whose time runs back
};

// Called every 100 minutes read with the total so far.
struct MinutesReadSink {
  virtual ~MinutesReadSink() = default;
  virtual void MinutesRead(int64_t total) = 0;
};

struct BlockOutcome {
  size_t bytesToWrite = 0;  // whole records before any end record
  bool endRecordSeen = false;
};

// Repairs the block in place. n is cut down to whole records (a partial record at the end of a
// logger file is dropped). impossibleIdReported is the once-per-program flag of the report of
// identifiers that no reader knows.
BlockOutcome RepairBlock(uint8_t* block, size_t n, CopyCounters& c, const CopyOptions& options, Host& host,
                         bool& impossibleIdReported, MinutesReadSink* sink);

}  // namespace zorvel
