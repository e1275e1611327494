#include "import/RecordCopy.h"

#include <cstdio>
#include <string>

#include "core/Bytes.h"
#include "core/CallRecords.h"
#include "core/FileRec.h"
#include "import/Messages.h"

namespace zorvel {

namespace {
constexpr int kScoreByte = 15;
constexpr int kScoreDrop = 4;
constexpr int kMinutesPerReport = 100;
constexpr int kImpossibleIdMs = 3000;

std::string HexLine(const uint8_t* block, size_t n, int64_t index) {
  if (index < 0 || static_cast<size_t>(index + 1) * kRecordBytes > n) return "";
  std::string line;
  const uint8_t* r = block + index * kRecordBytes;
  for (int i = 0; i < kRecordBytes; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X\t", r[i]);
    line += hex;
  }
  return line;
}

void ReportTimeReversal(const uint8_t* block, size_t n, int64_t i, int32_t previous, int32_t tick,
                        const CopyCounters& c, Host& host) {
  host.AddLine(Memo::ErrorsMemo, "");
  host.AddLine(Memo::ErrorsMemo, std::string(msg::kTimeSeqError) + std::to_string(c.lastMinuteCount) + "\t" +
                                     std::to_string(previous) + "\t" + std::to_string(tick));
  for (int64_t k = i - 2; k <= i + 1; ++k) host.AddLine(Memo::ErrorsMemo, HexLine(block, n, k));
}
}  // namespace

BlockOutcome RepairBlock(uint8_t* block, size_t n, CopyCounters& c, const CopyOptions& options, Host& host,
                         bool& impossibleIdReported, MinutesReadSink* sink) {
  BlockOutcome out;
  n -= n % kRecordBytes;
  const int64_t records = static_cast<int64_t>(n / kRecordBytes);
  for (int64_t i = 0; i < records; ++i) {
    uint8_t* r = block + i * kRecordBytes;
    const uint8_t id = r[0];
    if (id <= kLastWaveGroupId) {
      ++c.seriesWaveGroups;
      r[kScoreByte] = static_cast<uint8_t>(r[kScoreByte] >= kScoreDrop ? r[kScoreByte] - kScoreDrop : 0);
      const auto tick = static_cast<int32_t>(Be24(r));
      if (tick == 0) r[0] = kIdImportSuppressed;
      if (options.addTimestampsAtTimeReversals && r[0] != kIdScanSuppressed && tick < c.previousTick) {
        r[0] = kIdImportSuppressed;
        if (host.AdministratorMode()) ReportTimeReversal(block, n, i, c.previousTick, tick, c, host);
      }
      c.previousTick = tick;
    } else if (id == kIdMinute) {
      c.previousTick = 0;
      // Every minute record opens a minute, whatever its flags say: the low bits of the flags
      // byte are the listening bit and the low bit of the battery in use, so a logger listening
      // on its first or third battery writes 3 there in nearly every minute. Leaving those out
      // made the header end near its first minute, and reading never rewrites the header.
      ++c.lastMinuteCount;
      ++c.minuteRecords;
      ++c.seriesMinutes;
      ++c.totalMinutes;
      if (sink && c.totalMinutes % kMinutesPerReport == 0) sink->MinutesRead(c.totalMinutes);
    } else if (id == kIdEnd) {
      out.bytesToWrite = static_cast<size_t>(i) * kRecordBytes;
      out.endRecordSeen = true;
      return out;
    } else if (!impossibleIdReported) {
      impossibleIdReported = true;
      if (host.AdministratorMode())
        host.TimedMessage(std::string(msg::kImpossibleRecId) + std::to_string(id), kImpossibleIdMs);
    }
  }
  out.bytesToWrite = n;
  return out;
}

}  // namespace zorvel
