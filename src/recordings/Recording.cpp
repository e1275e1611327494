#include "recordings/Recording.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "core/OutputGuard.h"
#include "recordings/ByteSource.h"
#include "recordings/Messages.h"
#include "recordings/WavReader.h"
#include "recordings/ZeroCrossing.h"

namespace zorvel::rec {

namespace fs = std::filesystem;

namespace {

constexpr size_t kBlock = 16'384;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

bool IsZeroCrossingName(const std::string& path) {
  const std::string name = fs::path(path).filename().string();
  return Lower(fs::path(path).extension().string()) == ".zc" || (!name.empty() && name.back() == '#');
}

// The file's modification time as local wall-clock seconds since 1899-12-30.
double ModificationSeconds(const std::string& path) {
  std::error_code ec;
  const auto t = fs::last_write_time(path, ec);
  if (ec) return 0;
  const auto sys = std::chrono::file_clock::to_sys(t);
  const std::time_t tt = std::chrono::system_clock::to_time_t(sys);
  std::tm local{};
  localtime_r(&tt, &local);
  StampedTime s;
  s.year = local.tm_year + 1900;
  s.month = local.tm_mon + 1;
  s.day = local.tm_mday;
  s.hour = local.tm_hour;
  s.minute = local.tm_min;
  s.second = local.tm_sec;
  return SecondsSinceEpoch(s);
}

// Takes the first source that gives a time; moves it to the user's UTC offset when both are known.
// A start time outside the years data files hold is a damaged field: warned of, and the next
// source is tried. text is the field as stored, when there is one to show.
constexpr int kFirstPlausibleYear = 1990, kLastPlausibleYear = 2200;
bool SetStart(RecordingInfo& r, const std::optional<StampedTime>& t, TimeSource source, const ReadOptions& o,
              std::optional<std::string_view> text = std::nullopt) {
  if (!t || t->year < kFirstPlausibleYear || t->year > kLastPlausibleYear) {
    if (!t && !text) return false;  // the source holds no time at all: nothing is wrong with it
    char stamp[64] = {};
    if (t)
      std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d", t->year, t->month, t->day, t->hour,
                    t->minute);
    r.warnings.push_back(std::string(msg::rec::kBadStart1) + std::string(TimeSourceName(source)) +
                         std::string(msg::rec::kBadStart2) + std::string(text.value_or(stamp)) +
                         std::string(msg::rec::kBadStart3));
    return false;
  }
  r.start = SecondsSinceEpoch(*t);
  r.source = source;
  r.utcOffsetMinutes = t->utcOffsetMinutes;
  if (t->utcOffsetMinutes && o.utcOffsetMinutes && *t->utcOffsetMinutes != *o.utcOffsetMinutes) {
    r.start += 60.0 * (*o.utcOffsetMinutes - *t->utcOffsetMinutes);
    r.utcOffsetMinutes = o.utcOffsetMinutes;
  }
  return true;
}

// "… by AudioMoth 24E144055E080032 at …": the device and its serial.
void DeviceFromComment(RecordingInfo& r, const std::string& comment) {
  const size_t by = comment.find(" by ");
  if (by == std::string::npos) return;
  size_t at = by + 4;
  auto word = [&] {
    const size_t end = comment.find(' ', at);
    std::string w = comment.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? comment.size() : end + 1;
    return w;
  };
  r.model = word();
  const std::string serial = word();
  if (serial != "at") r.serial = serial;
}

void ProbeWav(RecordingInfo& r, const ReadOptions& o) {
  FileByteSource src(r.path);
  if (!src.IsOpen()) {
    r.error = msg::rec::kCannotOpen;
    return;
  }
  const WavLayout w = ReadWavLayout(src);
  r.warnings = w.warnings;
  if (!w.ok) {
    r.error = w.error;
    return;
  }
  r.headerRate = w.sampleRate;
  r.frames = w.frames;
  r.channels = w.channels;
  if (o.channel < 1 || o.channel > w.channels) {
    r.error = std::string(msg::rec::kNoSuchChannel) + std::to_string(o.channel);
    return;
  }
  if (!w.guano.empty()) {
    r.guano = ParseGuano(w.guano);
    if (!r.guano.ok) r.warnings.push_back(r.guano.error);
  }
  const Guano& g = r.guano;
  if (g.ok) {
    if (const auto* v = g.Get("Make")) r.make = *v;
    if (const auto* v = g.Get("Model")) r.model = *v;
    if (const auto* v = g.Get("Serial")) r.serial = *v;
    r.position = GuanoPosition(g);
  }
  if (r.model.empty() && !w.comment.empty()) DeviceFromComment(r, w.comment);
  r.timeExpansion = 1;
  if (w.sampleRate < kRealTimeRateFloor) {
    int te = 0;
    if (const auto* v = g.ok ? g.Get("TE") : nullptr) te = std::atoi(v->c_str());
    if (te <= 1) te = o.timeExpansion;
    if (te <= 1) {
      r.error = std::string(msg::rec::kRateTooLow1) + std::to_string(w.sampleRate) + std::string(msg::rec::kRateTooLow2);
      return;
    }
    r.timeExpansion = te;
  }
  r.realRate = static_cast<double>(w.sampleRate) * r.timeExpansion;
  r.seconds = static_cast<double>(w.frames) / r.realRate;
  const std::string name = fs::path(r.path).filename().string();
  if (g.ok)
    if (const auto* v = g.Get("Timestamp")) SetStart(r, ParseTimestamp(*v), TimeSource::Guano, o, *v);
  if (r.source == TimeSource::FileDate) SetStart(r, ParseRecorderComment(w.comment), TimeSource::Comment, o);
  if (r.source == TimeSource::FileDate) SetStart(r, ParseBextTime(w.bextDate, w.bextTime), TimeSource::Bext, o);
  if (r.source == TimeSource::FileDate) SetStart(r, ParseFileNameTime(name), TimeSource::FileName, o);
  r.ok = true;
}

void ProbeZc(RecordingInfo& r, const ReadOptions& o) {
  FileByteSource src(r.path);
  if (!src.IsOpen()) {
    r.error = msg::rec::kCannotOpen;
    return;
  }
  const ZeroCrossingFile z = ReadZeroCrossing(src);
  if (!z.ok) {
    r.error = z.error;
    return;
  }
  r.kind = RecordingKind::ZeroCrossing;
  r.seconds = z.Seconds();
  r.make = "zero-crossing";
  r.model = z.tape;
  SetStart(r, z.time, TimeSource::ZeroCrossing, o);
  if (r.source == TimeSource::FileDate)
    SetStart(r, ParseFileNameTime(fs::path(r.path).filename().string()), TimeSource::FileName, o);
  r.ok = true;
}

}  // namespace

bool LooksLikeRecording(const std::string& path) {
  return Lower(fs::path(path).extension().string()) == ".wav" || IsZeroCrossingName(path);
}

RecordingInfo ProbeRecording(const std::string& path, const ReadOptions& options) {
  RecordingInfo r;
  r.path = path;
  // Before anything opens it: opening a pipe that no one writes waits for ever.
  if (std::string problem = NotRegularFileProblem(path); !problem.empty()) {
    r.error = std::move(problem);
    return r;
  }
  if (std::error_code ec; std::filesystem::is_directory(path, ec)) {
    r.error = msg::rec::kIsFolder;
    return r;
  }
  // A zero-crossing file by name, or by not being RIFF at all.
  uint8_t head[4] = {};
  {
    FileByteSource src(path);
    if (!src.IsOpen()) {
      r.error = msg::rec::kCannotOpen;
      return r;
    }
    src.ReadAt(0, head, 4);
  }
  const bool riff = head[0] == 'R' && head[1] == 'I' && head[2] == 'F';
  if (!riff && IsZeroCrossingName(path)) ProbeZc(r, options);
  else ProbeWav(r, options);
  if (r.ok && r.source == TimeSource::FileDate) {
    r.start = ModificationSeconds(path);
    r.warnings.emplace_back(msg::rec::kTimeFromFileDate);
  }
  return r;
}

bool ReadWaveGroups(const RecordingInfo& info, const ReadOptions& o, const GroupSink& sink, std::string* error) {
  FileByteSource src(info.path);
  if (!src.IsOpen()) {
    if (error) *error = msg::rec::kCannotOpen;
    return false;
  }
  if (info.kind == RecordingKind::ZeroCrossing) {
    const ZeroCrossingFile z = ReadZeroCrossing(src);
    if (!z.ok) {
      if (error) *error = z.error;
      return false;
    }
    sink(ZeroCrossingGroups(z, o.frontEnd.highPassHz));
    return true;
  }
  const WavLayout w = ReadWavLayout(src);
  if (!w.ok) {
    if (error) *error = w.error;
    return false;
  }
  SampleStream stream(src, w, o.channel - 1);
  const auto fe = MakeFrontEnd(info.realRate, o.frontEnd);
  std::vector<float> block(kBlock);
  while (const size_t n = stream.Read(block.data(), block.size())) {
    fe->Feed(block.data(), n);
    if (!fe->Groups().empty()) {
      sink(fe->Groups());
      fe->Groups().clear();
    }
  }
  fe->Finish();
  if (!fe->Groups().empty()) sink(fe->Groups());
  if (stream.Position() < w.frames) {
    if (error) *error = msg::rec::kReadFailed;
    return false;
  }
  return true;
}

}  // namespace zorvel::rec
