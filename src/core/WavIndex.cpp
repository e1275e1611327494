#include "core/WavIndex.h"

#include <charconv>
#include <climits>
#include <filesystem>
#include <fstream>

#include "core/Messages.h"

namespace zorvel {

namespace {

bool Whole(const std::string& s, size_t at, size_t n, int32_t& out) {
  if (at + n > s.size()) n = s.size() > at ? s.size() - at : 0;
  if (n == 0) return false;
  const char* b = s.data() + at;
  while (n > 0 && *b == ' ') ++b, --n;
  const auto r = std::from_chars(b, b + n, out);
  return r.ec == std::errc() && r.ptr == b + n;
}

}  // namespace

std::string WavIndexPath(const std::string& dataFile) {
  return std::filesystem::path(dataFile).replace_extension(".txt").string();
}

tWavFileTimesRecord ParseWavIndexTime(const std::string& line) {
  tWavFileTimesRecord r;
  if (!Whole(line, 0, 2, r.Second)) r.Second = 60;
  if (!Whole(line, 3, 8, r.MinN)) r.MinN = INT32_MAX;
  return r;
}

std::optional<WavIndexLine> ParseWavIndexLine(const std::string& line) {
  WavIndexLine l;
  const tWavFileTimesRecord t = ParseWavIndexTime(line);
  l.minute = t.MinN;
  size_t at = line.find('\t');
  std::string fields[4];
  for (std::string& f : fields) {
    if (at == std::string::npos) return std::nullopt;
    const size_t next = line.find('\t', at + 1);
    f = line.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
    at = next;
  }
  if (at != std::string::npos || fields[3].empty() || t.MinN == INT32_MAX) return std::nullopt;
  int32_t tick = 0, te = 0;
  int64_t offset = 0;
  auto whole = [](const std::string& s, auto& out) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
  };
  if (!whole(fields[0], tick) || !whole(fields[1], offset) || !whole(fields[2], te) || tick < 0 ||
      tick >= kTicksPerMinute || offset < 0 || te < 1)
    return std::nullopt;
  l.tick = tick;
  l.offset = offset;
  l.timeExpansion = te;
  l.path = fields[3];
  return l;
}

bool LoadWavIndex(TFileRec& s, Host& host) {
  s.WavIndexFile = WavIndexPath(s.FullFileName);
  s.WavFileTimes.clear();
  s.WavIndexFileOpen = false;
  std::ifstream in(s.WavIndexFile);
  if (!in) {
    host.TimedMessage(std::string(msg::kWavIndexNotFound1) + std::filesystem::path(s.WavIndexFile).filename().string() +
                          std::string(msg::kWavIndexNotFound2) + s.ShortName,
                      3000);
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    s.WavFileTimes.push_back(ParseWavIndexTime(line));
  }
  s.WavIndexFileOpen = true;
  return true;
}

}  // namespace zorvel
