// Texts of the labels around the display: each file's labels, the legend, the level labels.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/FileRec.h"

namespace zorvel {

struct FileLabelTexts {
  std::string file;    // FileLbl
  std::string logger;  // Pod1IDLbl …
  std::string location, notes, latitude, longitude, gmt;
  std::string start;       // Date1Lbl …
  std::string end;         // File1EndTimeLbl …
  std::string duration;    // processed / logged
  std::string classifier;  // "Sp from …" for call files
};
FileLabelTexts FileLabels(const TFileRec& s, int slot);

struct LegendLabel {
  std::string text;
  std::string hint;
  uint32_t colour = 0;  // Windows RGB
  int x = 0;            // left edge; the label is empty when it does not fit
};
// The seven feature labels: filled at high resolution, empty at low resolution. widthOf gives a
// text's width in pixels.
std::vector<LegendLabel> LegendLabels(bool highRes, int plotRight, int (*widthOf)(const std::string&));

// "thicker lines + n".
std::string LineWidthCaption(int lineWidth);

}  // namespace zorvel
