#include "recordings/Guano.h"

#include <cstdlib>

#include "recordings/Messages.h"

namespace zorvel::rec {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\0'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\0'))
    s.remove_suffix(1);
  return s;
}

std::optional<double> Number(std::string_view s) {
  s = Trim(s);
  if (s.empty()) return std::nullopt;
  const std::string t(s);
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (end == t.c_str()) return std::nullopt;
  return v;
}

}  // namespace

bool IsUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int more = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    if (more < 0 || (more == 1 && c < 0xC2)) return false;
    if (more > 0 && i + static_cast<size_t>(more) >= s.size()) return false;
    for (int k = 1; k <= more; ++k)
      if ((static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) >> 6) != 0x2) return false;
    i += static_cast<size_t>(more) + 1;
  }
  return true;
}

const std::string* Guano::Get(std::string_view key) const {
  for (const auto& [k, v] : fields)
    if (k == key) return &v;
  return nullptr;
}

Guano ParseGuano(std::string_view text) {
  Guano g;
  if (!IsUtf8(text)) {
    g.error = msg::rec::kGuanoNotUtf8;
    return g;
  }
  size_t at = 0;
  bool first = true;
  while (at <= text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(at, end - at));
    at = end + 1;
    if (first) {
      if (line.empty()) continue;
      first = false;
      // "GUANO|Version:1.0", "GUANO|Version: 1.0" and the like.
      const size_t colon = line.find(':');
      if (colon == std::string_view::npos || Trim(line.substr(0, colon)) != "GUANO|Version") {
        g.error = msg::rec::kGuanoNoVersion;
        return g;
      }
      g.version = std::string(Trim(line.substr(colon + 1)));
      continue;
    }
    const size_t colon = line.find(':');
    if (line.empty() || colon == std::string_view::npos || colon == 0) continue;
    g.fields.emplace_back(std::string(Trim(line.substr(0, colon))), std::string(Trim(line.substr(colon + 1))));
  }
  if (first) {
    g.error = msg::rec::kGuanoNoVersion;
    return g;
  }
  g.ok = true;
  return g;
}

std::optional<double> GuanoLengthSeconds(const Guano& g, double samplesSeconds) {
  const std::string* v = g.Get("Length");
  if (!v) return std::nullopt;
  const auto n = Number(*v);
  if (!n || *n <= 0) return std::nullopt;
  if (samplesSeconds > 0 && *n > 2 * samplesSeconds) return *n / 1000.0;
  return *n;
}

std::optional<std::pair<double, double>> GuanoPosition(const Guano& g) {
  const std::string* v = g.Get("Loc Position");
  if (!v) return std::nullopt;
  std::string t = *v;
  for (char& c : t)
    if (c == ',') c = ' ';
  char* end = nullptr;
  const double lat = std::strtod(t.c_str(), &end);
  if (end == t.c_str()) return std::nullopt;
  char* end2 = nullptr;
  const double lon = std::strtod(end, &end2);
  if (end2 == end || lat < -90 || lat > 90 || lon < -180 || lon > 180) return std::nullopt;
  return std::pair{lat, lon};
}

std::string WriteGuano(const std::vector<std::pair<std::string, std::string>>& fields) {
  std::string s = "GUANO|Version:1.0";
  for (const auto& [k, v] : fields) s += "\n" + k + ":" + v;
  return s;
}

}  // namespace zorvel::rec
