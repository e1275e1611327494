#include "core/MinuteSummary.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "core/Bytes.h"
#include "core/CallRecords.h"
#include "core/FileRec.h"
#include "core/RecordReader.h"
#include "core/Tables.h"

namespace zorvel {

namespace {

constexpr char kMagic[8] = {'Z', 'V', 'M', 'I', 'N', 'S', 'U', 'M'};
constexpr std::array<int, 8> kMinuteBytes{6, 7, 8, 10, 11, 12, 13, 14};
// Where each kept call byte sits: record (0 A, 1 B, 2 C) and byte.
constexpr std::array<std::array<int, 2>, kSummaryCallBytes - 1> kCallBytes{{{0, 1},
                                                                            {0, 2},
                                                                            {0, 3},
                                                                            {0, 8},
                                                                            {0, 9},
                                                                            {0, 10},
                                                                            {0, 12},
                                                                            {0, 13},
                                                                            {1, 3},
                                                                            {1, 5},
                                                                            {1, 7},
                                                                            {1, 10},
                                                                            {1, 11},
                                                                            {1, 12},
                                                                            {1, 13},
                                                                            {1, 15},
                                                                            {2, 6},
                                                                            {2, 12},
                                                                            {2, 15}}};
constexpr uint32_t kDecodeExpandIpis = 1, kDecodeExtendedAmps = 2;

void PutVar(std::vector<uint8_t>& out, uint64_t v) {
  while (v >= 0x80) {
    out.push_back(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  out.push_back(static_cast<uint8_t>(v));
}

// A bounds-checked reader over one block; any overrun sets bad and yields zeros.
struct Cursor {
  const uint8_t* p;
  const uint8_t* end;
  bool bad = false;
  uint64_t Var() {
    uint64_t v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      if (p >= end) break;
      const uint8_t b = *p++;
      v |= static_cast<uint64_t>(b & 0x7F) << shift;
      if (!(b & 0x80)) return v;
    }
    bad = true;
    return 0;
  }
  uint8_t Byte() {
    if (p >= end) {
      bad = true;
      return 0;
    }
    return *p++;
  }
};

uint32_t Fnv1a(const uint8_t* p, size_t n) {
  uint32_t h = 2166136261u;
  for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 16777619u;
  return h;
}

void PutLe64(uint8_t* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint64_t Le64(const uint8_t* p) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
  return v;
}

// Decodes one block into out; false when it does not hold together.
bool DecodeBlock(const uint8_t* p, const uint8_t* end, MinuteDigest& out) {
  Cursor c{p, end};
  out.minuteRecord.fill(0);
  out.minuteRecord[0] = kIdMinute;
  for (int i : kMinuteBytes) out.minuteRecord[static_cast<size_t>(i)] = c.Byte();
  for (int layer = 0; layer < kSummaryLayers; ++layer) {
    auto& freq = out.freq[static_cast<size_t>(layer)];
    auto& amp = out.amp[static_cast<size_t>(layer)];
    freq.clear();
    amp.clear();
    const uint64_t nf = c.Var();
    if (nf > 256) return false;
    int prev = -1;
    for (uint64_t k = 0; k < nf && !c.bad; ++k) {
      SummaryFreqRow row{};
      row.bin = c.Byte();
      row.count = static_cast<uint32_t>(c.Var());
      row.splSum = c.Var();
      row.spl16Sum = c.Var();
      if (row.bin <= prev) return false;
      prev = row.bin;
      freq.push_back(row);
    }
    const uint64_t na = c.Var();
    if (na > 256) return false;
    prev = -1;
    for (uint64_t k = 0; k < na && !c.bad; ++k) {
      SummaryAmpRow row{};
      row.bin = c.Byte();
      row.count = static_cast<uint32_t>(c.Var());
      if (row.bin <= prev) return false;
      prev = row.bin;
      amp.push_back(row);
    }
  }
  const uint64_t nc = c.Var();
  if (c.bad || nc > static_cast<uint64_t>(end - c.p) / kSummaryCallBytes) return false;
  out.calls.resize(static_cast<size_t>(nc));
  for (auto& call : out.calls) {
    std::array<Record, 3> recs{};
    recs[0][0] = kIdCallA;
    recs[1][0] = kIdCallB;
    recs[2][0] = kIdCallC;
    for (const auto& [rec, byte] : kCallBytes)
      recs[static_cast<size_t>(rec)][static_cast<size_t>(byte)] = c.Byte();
    call.flags = c.Byte();
    call.call = tCall{};
    DecodeCallA(recs[0].data(), call.call);
    DecodeCallB(recs[1].data(), call.call);
    DecodeCallC(recs[2].data(), call.call);
  }
  return !c.bad && c.p == end;
}

}  // namespace

DataFileStamp StampOf(const std::string& path) {
  DataFileStamp st;
  struct stat sb {};
  if (::stat(path.c_str(), &sb) != 0) return st;
  st.size = static_cast<int64_t>(sb.st_size);
  st.mtimeNs = static_cast<int64_t>(sb.st_mtim.tv_sec) * 1'000'000'000 + sb.st_mtim.tv_nsec;
  return st;
}

int64_t MinuteDigest::Octets(int layers) const {
  int64_t n = 0;
  for (int l = 0; l < layers && l < kSummaryLayers; ++l)
    for (const auto& row : freq[static_cast<size_t>(l)]) n += row.count;
  return n;
}

bool MinuteSummary::Minute(int32_t k, MinuteDigest& out) const {
  if (k < 0 || k >= MinuteCount()) return false;
  const uint8_t* base = body_.data();
  Cursor c{base + offsets_[static_cast<size_t>(k)], base + offsets_[static_cast<size_t>(k) + 1]};
  const uint64_t len = c.Var();
  if (c.bad || len != static_cast<uint64_t>(c.end - c.p)) return false;
  return DecodeBlock(c.p, c.end, out);
}

std::vector<uint8_t> MinuteSummary::Serialise() const {
  std::vector<uint8_t> out(kSummaryHeaderBytes + body_.size(), 0);
  std::memcpy(out.data(), kMagic, sizeof kMagic);
  PutLe32(&out[8], static_cast<int32_t>(kSummaryVersion));
  PutLe32(&out[12], kSummaryHeaderBytes);
  PutLe64(&out[16], static_cast<uint64_t>(stamp_.size));
  PutLe64(&out[24], static_cast<uint64_t>(stamp_.mtimeNs));
  PutLe32(&out[32], MinuteCount());
  PutLe32(&out[36], static_cast<int32_t>(fileType_));
  PutLe32(&out[40], static_cast<int32_t>(decodeFlags_));
  PutLe32(&out[44], kSummaryScoreSplit);
  PutLe64(&out[48], body_.size());
  PutLe32(&out[56], static_cast<int32_t>(Fnv1a(body_.data(), body_.size())));
  PutLe32(&out[60], largestAvSPL_);
  if (!body_.empty()) std::memcpy(out.data() + kSummaryHeaderBytes, body_.data(), body_.size());
  return out;
}

std::shared_ptr<const MinuteSummary> MinuteSummary::Parse(const std::vector<uint8_t>& bytes, TFileType type,
                                                          const DataFileStamp& stamp, int32_t minutes,
                                                          uint32_t decodeFlags) {
  if (bytes.size() < static_cast<size_t>(kSummaryHeaderBytes)) return nullptr;
  const uint8_t* h = bytes.data();
  if (std::memcmp(h, kMagic, sizeof kMagic) != 0 || static_cast<uint32_t>(Le32(h + 8)) != kSummaryVersion ||
      Le32(h + 12) != kSummaryHeaderBytes || static_cast<int64_t>(Le64(h + 16)) != stamp.size ||
      static_cast<int64_t>(Le64(h + 24)) != stamp.mtimeNs || Le32(h + 32) != minutes || minutes < 0 ||
      Le32(h + 36) != static_cast<int32_t>(type) || static_cast<uint32_t>(Le32(h + 40)) != decodeFlags ||
      Le32(h + 44) != kSummaryScoreSplit || Le64(h + 48) != bytes.size() - kSummaryHeaderBytes)
    return nullptr;
  const uint8_t* body = h + kSummaryHeaderBytes;
  const size_t bodyBytes = bytes.size() - kSummaryHeaderBytes;
  if (static_cast<uint32_t>(Le32(h + 56)) != Fnv1a(body, bodyBytes) || bodyBytes > UINT32_MAX) return nullptr;
  auto sum = std::make_shared<MinuteSummary>();
  sum->fileType_ = type;
  sum->decodeFlags_ = decodeFlags;
  sum->stamp_ = stamp;
  sum->largestAvSPL_ = Le32(h + 60);
  if (sum->largestAvSPL_ < 0) return nullptr;
  sum->body_.assign(body, body + bodyBytes);
  sum->offsets_.clear();
  sum->offsets_.reserve(static_cast<size_t>(minutes) + 1);
  // Every block must decode: a summary is used whole or not at all.
  MinuteDigest d;
  size_t at = 0;
  for (int32_t k = 0; k < minutes; ++k) {
    Cursor c{sum->body_.data() + at, sum->body_.data() + bodyBytes};
    const uint64_t len = c.Var();
    if (c.bad || len > static_cast<uint64_t>(c.end - c.p)) return nullptr;
    if (!DecodeBlock(c.p, c.p + len, d)) return nullptr;
    sum->offsets_.push_back(static_cast<uint32_t>(at));
    at = static_cast<size_t>(c.p - sum->body_.data()) + static_cast<size_t>(len);
  }
  if (at != bodyBytes) return nullptr;
  sum->offsets_.push_back(static_cast<uint32_t>(at));
  return sum;
}

MinuteSummaryBuilder::MinuteSummaryBuilder(TFileType type, bool expandIpis, bool extendedAmps)
    : sum_(std::make_shared<MinuteSummary>()), expandIpis_(expandIpis), extendedAmps_(extendedAmps) {
  sum_->fileType_ = type;
  sum_->decodeFlags_ = (expandIpis ? kDecodeExpandIpis : 0) | (extendedAmps ? kDecodeExtendedAmps : 0);
  sum_->offsets_.clear();
}

void MinuteSummaryBuilder::MinuteRecord(const uint8_t* r) {
  CloseMinute();
  inMinute_ = true;
  for (size_t i = 0; i < kMinuteBytes.size(); ++i) minuteBytes_[i] = r[kMinuteBytes[i]];
  callPending_ = false;
}

void MinuteSummaryBuilder::WaveGroup(const uint8_t* r) {
  if (!inMinute_) return;
  int32_t ipiSum = 0, splSum = 0;
  if (sum_->fileType_ == ftZV1) {
    std::array<int32_t, 8> ipis;
    ipiSum = 4;
    for (int i = 0; i < 8; ++i) {
      ipis[static_cast<size_t>(i)] = expandIpis_ ? ExpandValue(r[3 + i]) : r[3 + i];
      ipiSum += ipis[static_cast<size_t>(i)];
    }
    for (int j = 0; j < 4; ++j)
      splSum += DecodeAmplitude(r[11 + j], ipis[static_cast<size_t>(2 * j)], extendedAmps_);
  } else {
    int32_t pairSum = 0;
    for (int j = 0; j < 4; ++j) {
      const int32_t ipi = expandIpis_ ? ExpandValue(r[4 + 2 * j]) : r[4 + 2 * j];
      pairSum += ipi;
      splSum += DecodeAmplitude(r[3 + 2 * j], ipi, extendedAmps_);
    }
    ipiSum = 2 * (2 + pairSum);
  }
  const int32_t avF = AvFOfIpiSum(ipiSum);
  const int32_t avSPL = splSum / 4;
  const size_t layer = (r[15] & 0x1F) > kSummaryScoreSplit ? 1 : 0;
  sum_->largestAvSPL_ = std::max(sum_->largestAvSPL_, avSPL);
  FreqAcc& f = freq_[layer][static_cast<size_t>(avF)];
  ++f.count;
  f.spl += static_cast<uint64_t>(std::max(0, avSPL));
  f.spl16 += static_cast<uint64_t>(std::max(0, avSPL / 16));
  ++amp_[layer][static_cast<size_t>(std::clamp(avSPL, 0, 255))];
  if (callPending_ && !calls_.empty()) {
    calls_.back()[kSummaryCallBytes - 1] |=
        static_cast<uint8_t>(kSummaryCallCountedAny | (layer == 0 ? kSummaryCallCountedLow : 0));
    if (layer == 0) callPending_ = false;
  }
}

void MinuteSummaryBuilder::CallRecord(const uint8_t* r) {
  if (r[0] == kIdCallA) {
    std::copy(r, r + 16, a_.begin());
    return;
  }
  if (r[0] == kIdCallB) {
    std::copy(r, r + 16, b_.begin());
    return;
  }
  if (!inMinute_) return;
  std::array<uint8_t, kSummaryCallBytes> c{};
  const std::array<const uint8_t*, 3> recs{a_.data(), b_.data(), r};
  for (size_t i = 0; i < kCallBytes.size(); ++i)
    c[i] = recs[static_cast<size_t>(kCallBytes[i][0])][kCallBytes[i][1]];
  calls_.push_back(c);
  callPending_ = true;
}

void MinuteSummaryBuilder::CloseMinute() {
  if (!inMinute_) return;
  std::vector<uint8_t> block;
  block.insert(block.end(), minuteBytes_.begin(), minuteBytes_.end());
  for (size_t layer = 0; layer < kSummaryLayers; ++layer) {
    size_t nf = 0, na = 0;
    for (const auto& f : freq_[layer]) nf += f.count > 0;
    for (uint32_t a : amp_[layer]) na += a > 0;
    PutVar(block, nf);
    for (size_t bin = 0; bin < 256; ++bin) {
      FreqAcc& f = freq_[layer][bin];
      if (f.count == 0) continue;
      block.push_back(static_cast<uint8_t>(bin));
      PutVar(block, f.count);
      PutVar(block, f.spl);
      PutVar(block, f.spl16);
      f = FreqAcc{};
    }
    PutVar(block, na);
    for (size_t bin = 0; bin < 256; ++bin) {
      if (amp_[layer][bin] == 0) continue;
      block.push_back(static_cast<uint8_t>(bin));
      PutVar(block, amp_[layer][bin]);
      amp_[layer][bin] = 0;
    }
  }
  PutVar(block, calls_.size());
  for (const auto& c : calls_) block.insert(block.end(), c.begin(), c.end());
  calls_.clear();
  std::vector<uint8_t>& body = sum_->body_;
  sum_->offsets_.push_back(static_cast<uint32_t>(body.size()));
  PutVar(body, block.size());
  body.insert(body.end(), block.begin(), block.end());
  inMinute_ = false;
}

std::shared_ptr<const MinuteSummary> MinuteSummaryBuilder::Finish(const DataFileStamp& stamp) {
  CloseMinute();
  sum_->stamp_ = stamp;
  sum_->offsets_.push_back(static_cast<uint32_t>(sum_->body_.size()));
  std::shared_ptr<const MinuteSummary> out = std::move(sum_);
  return out;
}

std::string SummaryFileName(const std::string& dataPath, TFileType type) {
  const char* ext = nullptr;
  switch (type) {
    case ftZV1:
      ext = ".z1s";
      break;
    case ftZV2:
      ext = ".z2s";
      break;
    case ftZV3:
      ext = ".z3s";
      break;
    default:
      return "";
  }
  std::filesystem::path p(dataPath);
  p.replace_extension(ext);
  return p.string();
}

uint32_t DecodeFlagsFor(const TFileRec& s, const ReaderContext& ctx) {
  const bool expand = s.HasExtendedIPIs || ctx.options.ForceExtendedIPIs;
  const bool amps = s.HasExtendedAmps || ctx.options.ForceExtendedSPL;
  return (expand ? kDecodeExpandIpis : 0) | (amps ? kDecodeExtendedAmps : 0);
}

const MinuteSummary* ServingSummary(const TFileRec& s, const ReaderContext& ctx, int* layers) {
  const MinuteSummary* sum = s.Summary.get();
  if (!sum || !s.Mapped || s.ZorvelVersion <= 0 || sum->MinuteCount() != s.MinStartsWritten ||
      sum->FileType() != s.FileType || sum->DecodeFlags() != DecodeFlagsFor(s, ctx))
    return nullptr;
  int n = kSummaryLayers;
  if (!ctx.options.IgnoreFilters && ctx.filter) {
    const int32_t ceiling = ctx.filter->WaveGroupScoreCeiling(sum->LargestAvSPL());
    if (ceiling >= 31)
      n = 2;
    else if (ceiling == kSummaryScoreSplit)
      n = 1;
    else
      return nullptr;
    // Wave groups of call files are shown only for the calls the call filter passes.
    if (s.FileType != ftZV1 && !ctx.filter->AcceptsEveryCall()) return nullptr;
  }
  if (layers) *layers = n;
  return sum;
}

void ApplyMinuteValues(TFileRec& s, const MinuteDigest& d) {
  DecodeMinuteValues(s, d.minuteRecord.data());
}

}  // namespace zorvel
