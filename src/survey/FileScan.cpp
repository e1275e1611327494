#include "survey/FileScan.h"

#include <xxhash.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/MinuteMap.h"
#include "core/RecordReader.h"
#include "core/SlotFiles.h"
#include "core/SunTimes.h"
#include "core/TimeBase.h"
#include "import/PositionParser.h"
#include "species/BuiltInSpecies.h"
#include "species/Passes.h"
#include "survey/Messages.h"

namespace zorvel::survey {

namespace {

constexpr int kSlot = 1;
constexpr size_t kHashChunk = 1 << 20;

std::optional<std::string> ContentHash(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  XXH3_state_t* state = XXH3_createState();
  if (!state) return std::nullopt;
  XXH3_64bits_reset(state);
  std::vector<char> buf(kHashChunk);
  while (in) {
    in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
    const std::streamsize n = in.gcount();
    if (n > 0) XXH3_64bits_update(state, buf.data(), static_cast<size_t>(n));
  }
  const bool readAll = in.eof() && !in.bad();
  const XXH64_hash_t h = XXH3_64bits_digest(state);
  XXH3_freeState(state);
  if (!readAll) return std::nullopt;
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return std::string(text);
}

// Header texts are fixed-width fields padded with NULs or spaces.
std::string Trimmed(const std::string& raw) {
  const std::string s = raw.substr(0, raw.find('\0'));
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return {};
  const size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}

std::optional<double> ParsedDegrees(const std::string& raw, bool latitude) {
  const std::string text = Trimmed(raw);
  if (text.empty()) return std::nullopt;
  const tParseReport r = ParsePosition(text, latitude);
  if (r.Value.empty() || !r.Errors.empty()) return std::nullopt;
  return std::strtod(r.Value.c_str(), nullptr);
}

// The minute's temperature as the minute listings show it: the clock chip's when it reads, else
// the preamplifier's, in degrees.
double MinuteTemperature(const TFileRec& s) {
  return (s.HalfDegC_RTC != 0 ? s.HalfDegC_RTC : s.HalfDegCpreamp) / 2.0;
}

// Collects the minutes of one night at a time, in file order.
class NightCollector {
 public:
  NightCollector(const FileIdentity& id, std::vector<NightPart>& out) : id_(id), out_(out) {}
  void Minute(int32_t mn, bool listening, int light, double temp) {
    const int64_t day = NightDayOfMinute(mn);
    if (!current_ || current_->day != day) Start(day);
    NightPart& n = *current_;
    ++n.loggedMinutes;
    n.lightSum += light;
    n.tempMin = n.tempMin ? std::min(*n.tempMin, temp) : temp;
    n.tempMax = n.tempMax ? std::max(*n.tempMax, temp) : temp;
    if (sunsetMinute_ && mn == *sunsetMinute_) n.tempSunset = temp;
    if (!listening) return;
    ++n.listenedMinutes;
    if (n.effortMinutes && sunset_ && sunrise_) {
      const double middle = mn + 0.5;
      if (middle >= *sunset_ && middle < *sunrise_) ++*n.effortMinutes;
    }
  }

 private:
  void Start(int64_t day) {
    // A file read twice over a day (its minutes out of order) adds to the night it had already.
    auto it = std::find_if(out_.begin(), out_.end(), [&](const NightPart& p) { return p.day == day; });
    if (it == out_.end()) {
      out_.push_back(NightPart{});
      out_.back().day = day;
      it = out_.end() - 1;
    }
    current_ = &*it;
    sunset_ = sunrise_ = std::nullopt;
    sunsetMinute_ = std::nullopt;
    if (id_.HasSunTimes()) {
      const SunEvents ev = NightSunEvents(static_cast<int32_t>(day * kMinutesPerDay), *id_.latitude,
                                          *id_.longitude, static_cast<int>(*id_.utcOffsetMin));
      sunset_ = ev.sunset;
      sunrise_ = ev.sunrise;
      if (sunset_) sunsetMinute_ = static_cast<int32_t>(std::floor(*sunset_));
      // Without a sunset or a sunrise (polar day or night) there is no sun-bounded effort.
      if (sunset_ && sunrise_ && !current_->effortMinutes) current_->effortMinutes = 0;
    }
  }
  const FileIdentity& id_;
  std::vector<NightPart>& out_;
  NightPart* current_ = nullptr;
  std::optional<double> sunset_, sunrise_;
  std::optional<int32_t> sunsetMinute_;
};

}  // namespace

int64_t NightDayOfMinute(double minute) {
  return static_cast<int64_t>(std::floor((minute - kMinutesPerDay / 2) / kMinutesPerDay));
}

std::string DayText(int64_t day) {
  const CivilDate d = CivilFromDays(day);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
  return buf;
}

std::optional<int64_t> ParseUtcOffsetMinutes(const std::string& text) {
  const std::string t = Trimmed(text);
  if (t.empty()) return std::nullopt;
  size_t i = 0;
  int sign = 1;
  if (t[0] == '+' || t[0] == '-') {
    sign = t[0] == '-' ? -1 : 1;
    i = 1;
  }
  if (i >= t.size()) return std::nullopt;
  double hours = 0;
  bool digits = false, point = false;
  double scale = 0.1;
  for (; i < t.size(); ++i) {
    const char c = t[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      if (point) {
        hours += (c - '0') * scale;
        scale /= 10;
      } else {
        hours = hours * 10 + (c - '0');
      }
    } else if ((c == '.' || c == ',') && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits || hours > 14) return std::nullopt;
  return sign * static_cast<int64_t>(std::lround(hours * 60));
}

ScanResult ScanFile(const std::string& path, Host& host) {
  ScanResult out;
  const TFileType type = FileTypeOfPath(path);
  if (type != ftZV2 && type != ftZV3) {
    out.message = std::string(msg::kNotZv23);
    return out;
  }
  FileSlots slots;
  InitSlotSpeciesNames(slots);
  OpenOptions openOptions;
  openOptions.batchRunning = true;
  SilentHost quiet;  // the open's own notices would repeat what the outcome says
  if (!OpenFileInSlot(slots, path, kSlot, quiet, openOptions).opened || slots[kSlot].FileType == ftZV1) {
    CloseSlot(slots, kSlot);
    out.message = std::string(msg::kCannotRead);
    return out;
  }
  ApplyBuiltInSpeciesNames(slots, kSlot);
  TFileRec& s = slots[kSlot];
  const std::optional<std::string> hash = ContentHash(path);
  if (!hash) {
    CloseSlot(slots, kSlot);
    out.message = std::string(msg::kCannotRead);
    return out;
  }
  FileIdentity& id = out.facts.id;
  id.logger = s.ZorvelID;
  id.firstMinute = s.FirstLoggedMin;
  id.lastMinute = s.LastLoggedMin;
  id.classifier = Trimmed(s.SpClassifierName);
  id.contentHash = *hash;
  id.name = std::filesystem::path(path).filename().string();
  std::error_code ec;
  id.bytes = static_cast<int64_t>(std::filesystem::file_size(path, ec));
  id.location = Trimmed(s.LocationText);
  id.latitude = ParsedDegrees(s.LatText, true);
  id.longitude = ParsedDegrees(s.LongText, false);
  id.utcOffsetMin = ParseUtcOffsetMinutes(s.GMTText);

  NightCollector nights(id, out.facts.nights);
  std::vector<tCall> calls;
  int32_t callMinute = 0;
  auto speciesName = [&](int32_t sp) { return sp == 0 ? std::string() : SpeciesNameOrNumber(s, sp); };
  auto flushCalls = [&] {
    if (calls.empty()) return;
    for (const PassSummary& p : MinutePassSummaries(callMinute, calls)) {
      MinutePass mp;
      mp.start = p.minute + static_cast<double>(p.startTick) / kTicksPerMinute;
      mp.end = p.minute + static_cast<double>(p.endTick) / kTicksPerMinute;
      mp.species = speciesName(p.species);
      mp.confidence = p.confidence;
      mp.calls = p.calls;
      mp.buzzCalls = p.buzzCalls;
      mp.medianPeakKHz = p.medianPeakKHz;
      out.facts.passes.push_back(std::move(mp));
    }
    calls.clear();
  };
  ReaderContext ctx{host, nullptr};
  ctx.options.IgnoreFilters = true;
  int64_t minutesRead = 0;
  const int64_t minutesTotal = std::max<int64_t>(1, int64_t{s.LastLoggedMin} - s.FirstLoggedMin + 1);
  // Mapped as a batch job maps: the file is read once front to back, so the per-minute summary
  // (which grows with the file) is neither read nor built.
  if (!s.Mapped) MapSlot(slots, kSlot, false, quiet, true);
  if (s.Open && SeekToMinuteStart(slots, kSlot, s.FirstLoggedMin, host, false)) {
    while (s.InPlay) {
      if (!ReadNextRecord(s, ctx)) continue;
      if (s.NrType == tMinRec) {
        nights.Minute(s.NrTime.Mn, s.MinON, s.LightN, MinuteTemperature(s));
        if ((++minutesRead & 1023) == 0) {
          host.Progress(std::string(msg::kAddingCaption) + id.name, static_cast<int>(minutesRead),
                        static_cast<int>(minutesTotal));
          if (host.StopRequested()) {
            out.stopped = true;
            break;
          }
        }
      } else if (s.NrType == tCallrec && s.NewCall) {
        if (s.NrTime.Mn != callMinute) flushCalls();
        callMinute = s.NrTime.Mn;
        calls.push_back(s.aCall);
      } else if (s.NrType == tEnd) {
        break;
      }
    }
  }
  flushCalls();
  CloseSlot(slots, kSlot);
  std::sort(out.facts.nights.begin(), out.facts.nights.end(),
            [](const NightPart& a, const NightPart& b) { return a.day < b.day; });
  out.ok = !out.stopped;
  return out;
}

}  // namespace zorvel::survey
