// The per-minute summary of a data file: for every minute what the low-resolution screens, the
// file graphs and the results summary count, so that a screen of months reads a few megabytes
// instead of the whole file. It is built in the same pass as the minute map (and whenever the map
// is rebuilt), kept beside large data files as a summary file, and never trusted when it does not
// match its data file: a summary that is short, damaged, of another layout or of another file,
// or whose data file changed size or time since, is rebuilt. It never changes the data file.
//
// What a minute holds is exact, not rounded to pixels: the screens derive their columns from it
// by the same integer sums they would make from the records.
//
// Summary file (".z1s", ".z2s", ".z3s" beside the data file), little-endian throughout:
//
//   offset size  field
//        0    8  "ZVMINSUM"
//        8    4  layout version (kSummaryVersion)
//       12    4  header size in bytes (64)
//       16    8  data file size in bytes
//       24    8  data file modification time, nanoseconds since 1970-01-01 UTC
//       32    4  minutes (equals the minute map's minute count)
//       36    4  data file type: 1 ZV1, 2 ZV2, 3 ZV3
//       40    4  decoding: bit 0 IPI bytes expanded, bit 1 extended amplitudes
//       44    4  score split (kSummaryScoreSplit)
//       48    8  body size in bytes
//       56    4  FNV-1a (32-bit) of the body
//       60    4  the largest avSPL of any wave group counted
//   64 ...       body: one block per minute, in file order
//
// Minute block (numbers marked "v" are unsigned LEB128 varints):
//   v   length of the rest of the block
//   8   minute record bytes 6, 7, 8, 10, 11, 12, 13, 14 (light, temperatures, on/battery, voltages)
//   twice, for layer 0 (wave groups of score <= split) then layer 1 (score above it):
//     v   n frequency rows; n x { 1 bin (avF), v count, v sum of avSPL, v sum of avSPL div 16 },
//         bins rising
//     v   n amplitude rows; n x { 1 bin (avSPL, 0 … 255 clamped), v count }, bins rising
//   v   n calls; n x 21 bytes in file order: the call's record bytes A 1, 2, 3, 8, 9, 10, 12, 13;
//       B 3, 5, 7, 10, 11, 12, 13, 15; C 6, 12, 15; then 1 byte of flags: bit 0 a wave group of
//       layer 0 follows the call before the next call or minute, bit 1 a wave group of either layer
//       does (the file graphs count a call at its first wave group).
//
// A wave group is counted as the reader decodes it (avF = 32000 div IPIsum at most 255, avSPL =
// the sum of the four amplitudes div 4); wave groups the minute scan suppresses are not counted.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Records.h"

namespace zorvel {

struct TFileRec;
struct ReaderContext;

constexpr uint32_t kSummaryVersion = 2;
constexpr int kSummaryHeaderBytes = 64;
// Wave groups above this score are counted apart, so that the summary serves both the wave-group
// filter as it stands at start-up (scores up to 24) and no score limit at all.
constexpr int32_t kSummaryScoreSplit = 24;
constexpr int kSummaryLayers = 2;
constexpr int kSummaryCallBytes = 21;
constexpr uint8_t kSummaryCallCountedLow = 0x01, kSummaryCallCountedAny = 0x02;

// The identity of a data file's contents as the file system states them.
struct DataFileStamp {
  int64_t size = -1;
  int64_t mtimeNs = 0;
  bool operator==(const DataFileStamp&) const = default;
};
DataFileStamp StampOf(const std::string& path);

// One minute, decoded.
struct SummaryFreqRow {
  uint8_t bin;
  uint32_t count;
  uint64_t splSum, spl16Sum;
};
struct SummaryAmpRow {
  uint8_t bin;
  uint32_t count;
};
struct SummaryCall {
  tCall call;  // only the fields the summary keeps are filled
  uint8_t flags = 0;
};
struct MinuteDigest {
  std::array<uint8_t, 16> minuteRecord{};  // the minute record's bytes as far as kept (others 0)
  std::array<std::vector<SummaryFreqRow>, kSummaryLayers> freq;
  std::array<std::vector<SummaryAmpRow>, kSummaryLayers> amp;
  std::vector<SummaryCall> calls;
  int64_t Octets(int layers) const;  // wave groups of the first `layers` layers
};

class MinuteSummary {
 public:
  int32_t MinuteCount() const { return static_cast<int32_t>(offsets_.size()) - 1; }
  TFileType FileType() const { return fileType_; }
  uint32_t DecodeFlags() const { return decodeFlags_; }
  const DataFileStamp& Stamp() const { return stamp_; }
  size_t BodyBytes() const { return body_.size(); }
  int32_t LargestAvSPL() const { return largestAvSPL_; }

  // Decodes minute index k (0 = the file's first minute). False for an index outside the summary.
  bool Minute(int32_t k, MinuteDigest& out) const;

  // The whole summary file's bytes.
  std::vector<uint8_t> Serialise() const;
  // A summary file's bytes; empty when they are short, damaged, of another version or do not
  // describe a file of this type, stamp and minute count.
  static std::shared_ptr<const MinuteSummary> Parse(const std::vector<uint8_t>& bytes, TFileType type,
                                                    const DataFileStamp& stamp, int32_t minutes,
                                                    uint32_t decodeFlags);

 private:
  friend class MinuteSummaryBuilder;
  TFileType fileType_ = ftUnknown;
  uint32_t decodeFlags_ = 0;
  DataFileStamp stamp_;
  int32_t largestAvSPL_ = 0;
  std::vector<uint8_t> body_;
  std::vector<uint32_t> offsets_{0};  // block k spans offsets_[k] .. offsets_[k + 1]
};

// Collects the summary while the minute scan passes over the records. The scan hands on the
// records the reader would see, in file order; records before the first minute record belong to
// no minute and are ignored.
class MinuteSummaryBuilder {
 public:
  MinuteSummaryBuilder(TFileType type, bool expandIpis, bool extendedAmps);
  void MinuteRecord(const uint8_t* r);
  void WaveGroup(const uint8_t* r);
  void CallRecord(const uint8_t* r);  // A, B or C
  // Closes the last minute and hands over the summary, stamped with the data file's stamp.
  std::shared_ptr<const MinuteSummary> Finish(const DataFileStamp& stamp);

 private:
  void CloseMinute();
  std::shared_ptr<MinuteSummary> sum_;
  bool expandIpis_, extendedAmps_;
  bool inMinute_ = false;
  std::array<uint8_t, 8> minuteBytes_{};
  struct FreqAcc {
    uint32_t count = 0;
    uint64_t spl = 0, spl16 = 0;
  };
  std::array<std::array<FreqAcc, 256>, kSummaryLayers> freq_{};
  std::array<std::array<uint32_t, 256>, kSummaryLayers> amp_{};
  std::array<uint8_t, 16> a_{}, b_{};  // the last call records A and B seen
  std::vector<std::array<uint8_t, kSummaryCallBytes>> calls_;
  bool callPending_ = false;
};

// The summary file's name for a data file ("" for a file type without one).
std::string SummaryFileName(const std::string& dataPath, TFileType type);

// The decoding flags a reader with these options uses for the slot's wave groups.
uint32_t DecodeFlagsFor(const TFileRec& s, const ReaderContext& ctx);

// The slot's summary when it can stand in for the records under the reader's filters and
// options, else nullptr. layers receives how many layers the wave-group filter lets through
// (1: scores up to the split, 2: every score). Minute filters are the caller's: they judge
// whole minutes, which the summary keeps.
const MinuteSummary* ServingSummary(const TFileRec& s, const ReaderContext& ctx, int* layers);

// The minute values a minute digest carries, decoded into the slot as the reader would decode
// its minute record (light, temperatures, on/off, batteries).
void ApplyMinuteValues(TFileRec& s, const MinuteDigest& d);

}  // namespace zorvel
