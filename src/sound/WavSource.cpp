#include "sound/WavSource.h"

#include <fstream>

#include "sound/Messages.h"

namespace zorvel::sound {

WavSourceResult FindWavSourceLine(const std::vector<tWavFileTimesRecord>& times, int32_t minute,
                                  int32_t second) {
  size_t i = 0;
  while (i < times.size() && times[i].MinN != minute) ++i;
  if (i == times.size()) return {0, std::string(msg::kNoWavForMinute)};
  while (i < times.size() && times[i].Second < second && times[i].MinN <= minute) ++i;
  // Past the end every entry started before the moment, so the last recording holds it. (Calling
  // that "not found" would make the last recording of every index impossible to name.)
  if (i == times.size()) return {static_cast<int>(times.size()), {}};
  const bool after = times[i].MinN > minute || (times[i].MinN == minute && times[i].Second > second);
  if (after && i > 0) --i;
  return {static_cast<int>(i) + 1, {}};
}

std::string WavNameFromIndex(const std::string& indexPath, int line) {
  std::ifstream in(indexPath);
  std::string text;
  for (int n = 0; n < line; ++n)
    if (!std::getline(in, text)) return {};
  if (!text.empty() && text.back() == '\r') text.pop_back();
  const size_t tab = text.rfind('\t');
  return tab == std::string::npos ? text : text.substr(tab + 1);
}

WavNameLookup WavNameAt(const FileSlots& slots, int slot, TRecTime moment) {
  WavNameLookup out;
  if (!FileSlots::ValidSlot(slot) || !slots[slot].Open) {
    out.message = msg::kPointerNotOverFile;
    out.status = msg::kTimeNotFound;
    return out;
  }
  const TFileRec& s = slots[slot];
  if (!s.WavIndexFileOpen) {
    out.message = out.status = std::string(msg::kNoWavIndex) + s.ShortName;
    return out;
  }
  const WavSourceResult line = FindWavSourceLine(s.WavFileTimes, moment.Mn, moment.FiveMuSec / kTicksPerSecond);
  if (line.line == 0) {
    out.status = line.status;
    return out;
  }
  out.name = WavNameFromIndex(s.WavIndexFile, line.line);
  return out;
}

}  // namespace zorvel::sound
