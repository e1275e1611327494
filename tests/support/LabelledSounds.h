// The sounds a person labelled in a recording of the French reference set: its .eti file names
// each labelled sound's species code and type ("echolo", "social", "buzz"), its .ta file gives
// each sound's start, duration and measured frequencies. Tab-separated, with a heading row.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zorvel::testing {

struct LabelledSound {
  double startMs = 0, endMs = 0;
  double fminKhz = 0, fmaxKhz = 0, peakKhz = 0;  // the peak: the frequency of greatest energy
  std::string code, type;                        // e.g. "Pippip", "echolo"
};

inline std::vector<std::vector<std::string>> ReadTabbedRows(const std::filesystem::path& p) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(p);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> cells;
    std::stringstream ss(line);
    for (std::string cell; std::getline(ss, cell, '\t');) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

// The labelled sounds of eti and ta (none when either is missing).
inline std::vector<LabelledSound> ReadLabelledSounds(const std::filesystem::path& eti,
                                                     const std::filesystem::path& ta) {
  std::map<std::string, std::pair<std::string, std::string>> labels;  // number -> code, type
  for (const auto& r : ReadTabbedRows(eti))
    if (r.size() >= 3 && !r[0].empty() && std::isdigit(static_cast<unsigned char>(r[0][0])))
      labels[r[0]] = {r[1], r[2]};
  std::vector<LabelledSound> sounds;
  const auto rows = ReadTabbedRows(ta);
  if (rows.empty()) return sounds;
  const auto col = [&](const char* name) {
    return static_cast<size_t>(std::find(rows[0].begin(), rows[0].end(), name) - rows[0].begin());
  };
  const size_t num = col("CallNum"), st = col("StTime"), dur = col("Dur"), lo = col("Fmin"), hi = col("Fmax"),
               peak = col("FreqMP");
  for (size_t i = 1; i < rows.size(); ++i) {
    const auto& r = rows[i];
    if (r.size() <= std::max({num, st, dur, lo, hi, peak})) continue;
    LabelledSound s;
    s.startMs = std::stod(r[st]);
    s.endMs = s.startMs + std::stod(r[dur]);
    s.fminKhz = std::stod(r[lo]);
    s.fmaxKhz = std::stod(r[hi]);
    s.peakKhz = std::stod(r[peak]);
    std::tie(s.code, s.type) = labels[r[num]];
    sounds.push_back(s);
  }
  return sounds;
}

}  // namespace zorvel::testing
