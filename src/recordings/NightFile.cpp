#include "recordings/NightFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "core/AtomicFile.h"
#include "core/CallRecords.h"
#include "core/Header.h"
#include "core/TimeBase.h"
#include "core/WavIndex.h"
#include "core/ZvWriter.h"

namespace zorvel::rec {

namespace fs = std::filesystem;

namespace {

constexpr int64_t kTicksPerMinute = 12'000'000;
constexpr double kTicksPerSecond = 200'000.0;

struct AbsGroup {
  int64_t at;  // 5-µs ticks since 1899-12-30 00:00, local wall clock
  WaveGroup g;
};

int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

int64_t StartTicks(const RecordingInfo& r) { return std::llround(r.start * kTicksPerSecond); }
int64_t EndTicks(const RecordingInfo& r) { return StartTicks(r) + std::max<int64_t>(1, std::llround(r.seconds * kTicksPerSecond)); }

std::string Fixed(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.5f", v);
  return b;
}

std::string OffsetText(int minutes) {
  const int h = minutes / 60;
  return (h > 0 ? "+" : "") + std::to_string(h);
}

HeaderBytes BuildHeader(const std::vector<RecordingInfo>& recs, const PlaceTexts& place, int32_t firstMin,
                        int32_t lastMin) {
  HeaderBytes h{};
  const RecordingInfo& first = recs.front();
  h[hdr::kMarker1] = 0xFE;
  h[hdr::kMarker2] = 0xFE;
  h[hdr::kHiPassFilter] = 3;  // "none": the front end's own filter is not one of the logger's
  h[hdr::kZV1Closed] = 2;
  // The serial as the logger identity when it is a number that fits the three bytes.
  const std::string& serial = first.serial;
  if (!serial.empty() && serial.size() <= 7 && std::all_of(serial.begin(), serial.end(), ::isdigit)) {
    const long id = std::stol(serial);
    if (id / 10000 <= 255) {
      h[hdr::kIdentity] = static_cast<uint8_t>(id / 10000);
      h[hdr::kIdentity + 1] = static_cast<uint8_t>(id / 100 % 100);
      h[hdr::kIdentity + 2] = static_cast<uint8_t>(id % 100);
    }
  }
  std::string lat = place.lat, lon = place.lon;
  if (lat.empty() && lon.empty())
    for (const RecordingInfo& r : recs)
      if (r.position) {
        lat = Fixed(r.position->first);
        lon = Fixed(r.position->second);
        break;
      }
  std::string utc = place.utc;
  if (utc.empty() && first.utcOffsetMinutes) utc = OffsetText(*first.utcOffsetMinutes);
  if (first.utcOffsetMinutes) h[hdr::kUTCoffset] = static_cast<uint8_t>(*first.utcOffsetMinutes / 60);
  std::string notes = first.make;
  for (const std::string* part : {&first.model, &first.serial})
    if (!part->empty()) notes += (notes.empty() ? "" : " ") + *part;
  PutHeaderText(h, hdr::kLatText, hdr::kLatLen, lat);
  PutHeaderText(h, hdr::kLongText, hdr::kLongLen, lon);
  PutHeaderText(h, hdr::kNotesText, hdr::kNotesLen, notes);
  PutHeaderText(h, hdr::kGMTText, hdr::kGMTLen, utc);
  PutHeaderText(h, hdr::kLocationText, hdr::kLocationLen, place.location);
  PutHeaderInt32(h, hdr::kFirstLoggedMin, firstMin);
  PutHeaderInt32(h, hdr::kStoredFirstProcessMin, firstMin);
  PutHeaderInt32(h, hdr::kLastLoggedMin, lastMin);
  PutHeaderInt32(h, hdr::kStoredLastProcessMin, lastMin);
  std::copy_n(hdr::kRecordingsMarkerText, 4, &h[hdr::kRecordingsMarker]);
  const bool zc = std::all_of(recs.begin(), recs.end(), [](const RecordingInfo& r) { return r.kind == RecordingKind::ZeroCrossing; });
  h[hdr::kWavConversion] = zc ? hdr::kFromZeroCrossing : hdr::kFromFullSpectrum;
  return h;
}

std::string IndexText(const std::string& dataPath, const std::vector<RecordingInfo>& recs) {
  struct Line {
    int64_t at;
    std::string text;
  };
  std::vector<Line> lines;
  const fs::path folder = fs::path(dataPath).parent_path();
  for (const RecordingInfo& r : recs) {
    std::error_code ec;
    std::string rel = fs::proximate(r.path, folder.empty() ? fs::path(".") : folder, ec).generic_string();
    if (ec || rel.empty()) rel = r.path;
    const int64_t s = StartTicks(r), e = EndTicks(r);
    for (int64_t m = FloorDiv(s, kTicksPerMinute); m <= FloorDiv(e - 1, kTicksPerMinute); ++m) {
      const int64_t from = std::max(s, m * kTicksPerMinute);
      char head[64];
      const int64_t tick = from - m * kTicksPerMinute;
      std::snprintf(head, sizeof head, "%02d %08lld\t%lld\t%lld\t%d\t", static_cast<int>(tick / 200'000),
                    static_cast<long long>(m), static_cast<long long>(tick), static_cast<long long>(from - s),
                    r.timeExpansion);
      lines.push_back({from, head + rel});
    }
  }
  std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.at < b.at; });
  std::string out;
  for (const Line& l : lines) out += l.text + "\r\n";
  return out;
}

}  // namespace

int32_t MinuteOfSeconds(double seconds) { return static_cast<int32_t>(std::floor(seconds / 60.0)); }

std::string RecordingsFileName(const std::string& place, int32_t dateMinute, const std::string& source, int n) {
  auto clean = [](const std::string& s) {
    std::string out;
    for (char c : s)
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') out += c;
      else if (c == ' ' && !out.empty() && out.back() != '_') out += '_';
    while (!out.empty() && out.back() == '_') out.pop_back();
    return out;
  };
  std::string name;
  const std::string p = clean(place);
  if (!p.empty()) name = p + " ";
  name += MinuteFileDateText(dateMinute) + " " + (clean(source).empty() ? "recordings" : clean(source)) + " file" +
          std::to_string(n) + ".ZV1";
  return name;
}

NightFileResult WriteNightFile(const std::string& path, const std::vector<RecordingInfo>& recs,
                               const ReadOptions& options, const PlaceTexts& place,
                               const RecordingHook& before) {
  NightFileResult out;
  if (recs.empty()) return out;
  int64_t firstTick = INT64_MAX, lastTick = INT64_MIN;
  for (const RecordingInfo& r : recs) {
    firstTick = std::min(firstTick, StartTicks(r));
    lastTick = std::max(lastTick, EndTicks(r) - 1);
  }
  const auto firstMin = static_cast<int32_t>(FloorDiv(firstTick, kTicksPerMinute));
  const auto lastMin = static_cast<int32_t>(FloorDiv(lastTick, kTicksPerMinute));
  // Minutes that hold recording time.
  std::vector<bool> on(static_cast<size_t>(lastMin - firstMin + 1), false);
  for (const RecordingInfo& r : recs)
    for (int64_t m = FloorDiv(StartTicks(r), kTicksPerMinute); m <= FloorDiv(EndTicks(r) - 1, kTicksPerMinute); ++m)
      on[static_cast<size_t>(m - firstMin)] = true;

  ZvFileWriter writer(path, BuildHeader(recs, place, firstMin, lastMin));
  int32_t minute = firstMin - 1;
  bool ok = writer.IsOpen();
  auto advanceTo = [&](int32_t mn) {
    while (minute < mn && ok) {
      ++minute;
      MinuteValues v;
      v.MinON = minute <= lastMin && on[static_cast<size_t>(minute - firstMin)];
      ok = writer.Append(EncodeMinuteRecord(v));
    }
  };
  std::vector<AbsGroup> pending;
  auto flushBefore = [&](int64_t limit) {
    size_t k = 0;
    for (; k < pending.size() && pending[k].at < limit && ok; ++k) {
      const AbsGroup& a = pending[k];
      advanceTo(static_cast<int32_t>(FloorDiv(a.at, kTicksPerMinute)));
      const auto tick = static_cast<int32_t>(a.at - FloorDiv(a.at, kTicksPerMinute) * kTicksPerMinute);
      ok = ok && writer.Append(EncodeZV1WaveGroup(tick, a.g.ipi, a.g.amp, a.g.score));
      ++out.groups;
    }
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(k));
  };
  for (size_t i = 0; i < recs.size(); ++i) {
    const RecordingInfo& r = recs[i];
    if (before && !before(i)) {
      out.stopped = true;
      return out;  // the writer removes its temporary file
    }
    // Every group before this recording's start is final: later recordings start later still.
    const int64_t start = StartTicks(r);
    flushBefore(start);
    const size_t mergeFrom = pending.size();
    std::string error;
    const bool read = ReadWaveGroups(r, options, [&](const std::vector<WaveGroup>& gs) {
      for (const WaveGroup& g : gs) pending.push_back({start + g.tick, g});
    }, &error);
    if (!read) out.failed.push_back(r.path + ": " + error);
    std::inplace_merge(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(mergeFrom), pending.end(),
                       [](const AbsGroup& a, const AbsGroup& b) { return a.at < b.at; });
  }
  flushBefore(INT64_MAX);
  advanceTo(lastMin);
  if (minute > lastMin) {
    uint8_t b[4] = {static_cast<uint8_t>(minute >> 24), static_cast<uint8_t>(minute >> 16),
                    static_cast<uint8_t>(minute >> 8), static_cast<uint8_t>(minute)};
    ok = ok && writer.PatchHeader(hdr::kLastLoggedMin, b, 4) && writer.PatchHeader(hdr::kStoredLastProcessMin, b, 4);
  }
  out.minutes = minute - firstMin + 1;
  if (!ok) {
    out.error = writer.ErrorText().empty() ? path : writer.ErrorText();
    return out;
  }
  const std::string index = IndexText(path, recs);
  // The index first: a data file never stands without it.
  std::string error;
  if (!WriteWholeFile(WavIndexPath(path), index.data(), index.size(), &error)) {
    out.error = error.empty() ? WavIndexPath(path) : error;
    return out;
  }
  if (!writer.Finish()) {
    std::error_code ec;
    fs::remove(WavIndexPath(path), ec);
    out.error = writer.ErrorText().empty() ? path : writer.ErrorText();
    return out;
  }
  out.ok = true;
  return out;
}

}  // namespace zorvel::rec
