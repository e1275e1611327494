#include "display/Labels.h"

#include "core/TimeBase.h"
#include "display/Messages.h"
#include "display/TimeMath.h"

namespace zorvel {

FileLabelTexts FileLabels(const TFileRec& s, int slot) {
  FileLabelTexts t;
  if (!s.Open) {
    t.file = VacantFileLabel(slot);
    return t;
  }
  t.file = s.ShortName;
  t.logger =
      s.ZorvelID > 0 ? std::string(msg::kZorvelPrefix) + s.ZorvelIDstr : std::string(msg::kVirtualZorvel);
  t.location = s.LocationText;
  t.notes = s.NotesText;
  t.latitude = s.LatText;
  t.longitude = s.LongText;
  t.gmt = s.GMTText;
  t.start = std::string(msg::kStartPrefix) + MinuteAloneText(s.FirstProcessMin);
  t.end = std::string(msg::kEndPrefix) + MinuteAloneText(s.LastProcessMin);
  t.duration = MinuteDurationText(int64_t{s.LastProcessMin} - s.FirstProcessMin + 1) + "/" +
               MinuteDurationText(int64_t{s.LastLoggedMin} - s.FirstLoggedMin + 1);
  if (s.FileType == ftZV2 || s.FileType == ftZV3)
    t.classifier = std::string(msg::kSpFrom) + s.SpClassifierName;
  return t;
}

std::vector<LegendLabel> LegendLabels(bool highRes, int plotRight, int (*widthOf)(const std::string&)) {
  std::vector<LegendLabel> out = {
      {std::string(msg::kLegendMaxFall), std::string(msg::kHintMaxFall), 255},
      {std::string(msg::kLegendMaxRise), std::string(msg::kHintMaxRise), 16768200},
      {std::string(msg::kLegendMinSlope), std::string(msg::kHintMinSlope), 65280},
      {std::string(msg::kLegendUpBend), std::string(msg::kHintUpBend), 38600},
      {std::string(msg::kLegendDownBend), std::string(msg::kHintDownBend), 32768},
      {std::string(msg::kLegendCF), std::string(msg::kHintCF), 0xFFFFFF},
      {std::string(msg::kLegendNearCF), std::string(msg::kHintNearCF), 8421504},
  };
  int x = 150;
  for (LegendLabel& l : out) {
    const int w = widthOf ? widthOf(l.text) : static_cast<int>(l.text.size()) * 7;
    if (!highRes || x + w > plotRight - 150) {
      l.text.clear();
      l.hint.clear();
      continue;
    }
    l.x = x;
    x += w + 20;
  }
  return out;
}

std::string LineWidthCaption(int lineWidth) {
  return std::string(msg::kLineWidthPrefix) + std::to_string(lineWidth);
}

}  // namespace zorvel
