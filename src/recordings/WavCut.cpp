#include "recordings/WavCut.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/AtomicFile.h"
#include "core/WavIndex.h"
#include "recordings/ByteSource.h"
#include "recordings/Guano.h"
#include "recordings/Messages.h"
#include "recordings/RecordingList.h"
#include "recordings/WavReader.h"

namespace zorvel::rec {

namespace fs = std::filesystem;

namespace {

constexpr double kTicksPerSecond = 200'000.0;

void Le16(std::string& b, uint32_t v) { b += static_cast<char>(v & 0xFF), b += static_cast<char>(v >> 8 & 0xFF); }
void Le32(std::string& b, uint32_t v) { Le16(b, v & 0xFFFF), Le16(b, v >> 16); }

int64_t Abs(TRecTime t) { return int64_t{t.Mn} * kTicksPerMinute + t.FiveMuSec; }

bool IsNumber(const std::string& s) {
  char* end = nullptr;
  std::strtod(s.c_str(), &end);
  return end != s.c_str() && std::all_of(static_cast<const char*>(end), s.c_str() + s.size(), [](char c) { return c == ' '; });
}

std::string Trim(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  while (!s.empty() && s.front() == ' ') s.erase(s.begin());
  return s;
}

}  // namespace

CutResult CutOriginalAudio(const CutRequest& q) {
  CutResult out;
  std::ifstream in(WavIndexPath(q.dataFile));
  if (!in) {
    out.error = msg::rec::kCutNoIndex;
    return out;
  }
  const fs::path folder = fs::path(q.dataFile).parent_path();
  const int64_t from = Abs(q.from), to = std::max(Abs(q.to), from + 1);
  // The last recording that starts at or before the span's start and is still running then.
  std::optional<WavIndexLine> chosen;
  int64_t chosenStart = 0;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto l = ParseWavIndexLine(line);
    if (!l) continue;
    const int64_t start = int64_t{l->minute} * kTicksPerMinute + l->tick - l->offset;
    if (start > from) break;
    if (chosen && chosen->path == l->path) continue;
    FileByteSource src((folder / l->path).string());
    const WavLayout w = ReadWavLayout(src);
    if (!w.ok) continue;
    const double seconds = static_cast<double>(w.frames) / (static_cast<double>(w.sampleRate) * l->timeExpansion);
    if (from < start + std::llround(seconds * kTicksPerSecond)) {
      chosen = l;
      chosenStart = start;
    }
  }
  if (!chosen) {
    out.error = msg::rec::kCutNoRecording;
    return out;
  }
  const std::string source = (folder / chosen->path).string();
  out.recording = chosen->path;
  FileByteSource src(source);
  const WavLayout w = ReadWavLayout(src);
  if (!w.ok || q.channel < 1 || q.channel > w.channels) {
    out.error = source + ": " + (w.ok ? std::string(msg::rec::kNoSuchChannel) + std::to_string(q.channel) : w.error);
    return out;
  }
  // Real-time ticks to frames of the file: the file holds sampleRate × TE frames a real second.
  const double framesPerTick = static_cast<double>(w.sampleRate) * chosen->timeExpansion / kTicksPerSecond;
  const auto first = static_cast<uint64_t>(std::llround(static_cast<double>(from - chosenStart) * framesPerTick));
  const auto last = std::min<uint64_t>(
      w.frames, static_cast<uint64_t>(std::llround(static_cast<double>(to - chosenStart) * framesPerTick)));
  if (last <= first) {
    out.error = msg::rec::kCutNoRecording;
    return out;
  }
  const uint32_t bytes = w.bitsPerSample / 8;
  std::vector<std::pair<std::string, std::string>> fields = {
      {"Timestamp", TimeText(static_cast<double>(from) / kTicksPerSecond).replace(10, 1, "T")}};
  const std::string lat = Trim(q.lat), lon = Trim(q.lon);
  if (IsNumber(lat) && IsNumber(lon)) fields.emplace_back("Loc Position", lat + " " + lon);
  if (!w.guano.empty()) {
    const Guano g = ParseGuano(w.guano);
    if (const std::string* make = g.ok ? g.Get("Make") : nullptr) fields.emplace_back("Make", *make);
  }
  fields.emplace_back("Original Filename", fs::path(source).filename().string());
  if (chosen->timeExpansion > 1) fields.emplace_back("TE", std::to_string(chosen->timeExpansion));
  std::string guano = WriteGuano(fields);
  if (guano.size() % 2) guano += '\n';

  const uint64_t frames = last - first;
  const uint64_t dataBytes = frames * bytes;
  std::string head;
  head += "RIFF";
  Le32(head, static_cast<uint32_t>(4 + 24 + 8 + dataBytes + (dataBytes & 1) + 8 + guano.size()));
  head += "WAVEfmt ";
  Le32(head, 16);
  Le16(head, w.formatTag == 3 ? 3 : 1), Le16(head, 1), Le32(head, w.sampleRate), Le32(head, w.sampleRate * bytes);
  Le16(head, bytes), Le16(head, w.bitsPerSample);
  head += "data";
  Le32(head, static_cast<uint32_t>(dataBytes));
  AtomicFileWriter file(q.outPath);
  bool ok = file.Write(head.data(), head.size());
  std::vector<uint8_t> raw, mono;
  constexpr uint64_t kBlock = 65'536;
  for (uint64_t at = first; at < last && ok; at += kBlock) {
    const uint64_t n = std::min(kBlock, last - at);
    raw.resize(n * w.blockAlign);
    if (src.ReadAt(w.dataOffset + at * w.blockAlign, raw.data(), raw.size()) != raw.size()) {
      out.error = source + ": " + std::string(msg::rec::kReadFailed);
      return out;
    }
    mono.resize(n * bytes);
    for (uint64_t i = 0; i < n; ++i)
      std::copy_n(raw.data() + i * w.blockAlign + static_cast<size_t>(q.channel - 1) * bytes, bytes, mono.data() + i * bytes);
    ok = file.Write(mono.data(), mono.size());
  }
  if (ok && (dataBytes & 1)) ok = file.Write("", 1);
  std::string g = "guan";
  Le32(g, static_cast<uint32_t>(guano.size()));
  g += guano;
  ok = ok && file.Write(g.data(), g.size()) && file.Commit();
  if (!ok) {
    out.error = file.ErrorText().empty() ? q.outPath : file.ErrorText();
    return out;
  }
  out.ok = true;
  out.sampleRate = w.sampleRate;
  out.frames = frames;
  return out;
}

}  // namespace zorvel::rec
