#include "display/PointerReadout.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "display/Messages.h"
#include "display/TimeMath.h"
#include "filters/Sequence.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {

namespace {

std::string Round(double v) {
  return std::to_string(static_cast<long long>(std::lround(v)));
}

// A tenth-step value as the read-out prints it: one decimal, none for whole numbers.
std::string Tenths(int tenths, bool keepDecimal) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", tenths / 10.0);
  std::string s = buf;
  if (!keepDecimal && s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
  return s;
}

std::string FileNameOf(const TFileRec& s) {
  return std::filesystem::path(s.FullFileName).filename().string();
}

}  // namespace

int SlotUnderPointer(const FileSlots& fileSlots, const Layout& l, int x, int y) {
  if (x < l.PlotLeft || x > l.PlotRight) return 0;
  for (int i = 1; i <= kSlotCount; ++i) {
    const TFileRec& s = fileSlots[i];
    if (s.Open && s.FileYtop < y && y < s.FileYbottom) return i;
  }
  return 0;
}

std::string PointerCaption(const FileSlots& fileSlots, int actionSlot) {
  if (FileSlots::ValidSlot(actionSlot) && fileSlots[actionSlot].Open)
    return FileNameOf(fileSlots[actionSlot]) + std::string(msg::kUnderPointer);
  if (fileSlots[1].Open) return FileNameOf(fileSlots[1]);
  return std::string(msg::kVersionCaption);
}

InfoWindowPlace InfoWindowPlacement(int formLeft, int formTop, const Layout& l, int x, int y) {
  InfoWindowPlace p;
  p.left = x + 170 < l.PlotRight ? formLeft + x + 40 : formLeft + x - 150;
  p.top = y + 70 < l.PlotBottom ? formTop + y + 50 : formTop + y - 40;
  return p;
}

std::string GraphValueLabel(tGraphType graph, int plotLeft, int x) {
  const int o = x - plotLeft;
  switch (graph) {
    case tDiel:
      return std::to_string(((o - 4) / 24 + 12) % 24) + std::string(msg::kHr);
    case tDuration:
      return std::to_string(o / 40) + std::string(msg::kMs);
    case tAmplitude:
      return std::to_string((o - 6) / 4) + std::string(msg::kSPL);
    default:
      return std::to_string((o - 6) / 4) + std::string(msg::kKHz);
  }
}

std::string HighResTimeLabel(TRecTime pointerTime, bool atCentre) {
  return " " + GoToText(pointerTime, true) + (atCentre ? std::string(msg::kCentreMark) : " ");
}

std::string HighResValueLabel(const TFileRec& s, const Scales& sc, int y) {
  const double fromBottom = s.FileYbottom - y;
  const double fromMiddle = s.YmidOffset - y;
  switch (s.FileYaxisType) {
    case tyFreq:
      return Round(fromBottom / sc.perKHz) + std::string(msg::kValueKHz);
    case tyPeriod:
      return Round(fromBottom / (4 * sc.perIPI)) + std::string(msg::kValueUs);
    case tySPL:
      return Round(fromMiddle / (4 * sc.perAmp)) + std::string(msg::kValueSPL);
    case tyCallType:
      return Round(fromMiddle / sc.perCount) + std::string(msg::kValueCount);
    case tyBatteryVoltage:
      return Tenths(s.FileYbottom - y, false) + std::string(msg::kVolts);
  }
  return {};
}

std::string LowResTimeLabel(int32_t pointerMinute) {
  return " " + MinuteAloneText(pointerMinute) + " ";
}

std::string LowResValueLabel(const TFileRec& s, const DisplayOptions& o, int y) {
  std::string out;
  if (s.FileYaxisType == tyFreq) {
    const int aboveOrigin = s.YtempOrigin - y;
    if (o.ShowTemps && aboveOrigin >= 0 && aboveOrigin <= 149)
      out += std::string(msg::kTemp) + std::to_string(aboveOrigin / 3) + std::string(msg::kDegC);
    if (o.ShowLight && s.Yvoltages - y < 27)
      out += std::string(msg::kLight) + std::to_string(s.Yvoltages - y);
  }
  if (s.FileYaxisType == tyBatteryVoltage && y < s.FileYbottom)
    out += Tenths(s.FileYbottom - y, true) + std::string(msg::kVolts);
  return out;
}

std::optional<CallLabels> CallLabelsAt(const TFileRec& s, int x) {
  if (s.FileType != ftZV2 && s.FileType != ftZV3) return std::nullopt;
  if (x < 0 || static_cast<size_t>(x) >= s.ScreenXarr.size()) return std::nullopt;
  const int32_t index = s.ScreenXarr[static_cast<size_t>(x)];
  if (index <= 0 || static_cast<size_t>(index) >= s.ScreenCallsArr.size()) return std::nullopt;
  const tScreenCallSummaryRec& c = s.ScreenCallsArr[static_cast<size_t>(index)];
  CallLabels out;
  out.call = std::string(msg::kCallPrefix) + std::to_string(c.Fmax) + std::string(msg::kCallTo) +
             std::to_string(c.Fmin) + std::string(msg::kCallMinSlope) + std::to_string(c.MinSlopeKHZ) +
             std::string(msg::kCallKHz);
  // A number the file's names do not reach (a newer classifier's, a damaged file) is shown as
  // the number, never as nothing.
  auto name = [&](int32_t sp) {
    return sp >= 0 && sp < kSpeciesNameCount && !s.SpNames[static_cast<size_t>(sp)].empty()
               ? s.SpNames[static_cast<size_t>(sp)]
               : SpeciesNumberText(sp);
  };
  std::string species = name(c.SpN);
  // A classifier that weighs its names says how sure it is, and what came next.
  if (c.SpConfidence > 0) species += std::string(msg::kCallConfidence) + std::to_string(c.SpConfidence);
  if (c.Sp2N > 0 && c.Sp2N != c.SpN) species += std::string(msg::kCallSecondSpecies) + name(c.Sp2N);
  out.details = std::string(msg::kCallSp) + species + std::string(msg::kCallDuration) +
                Tenths(c.Duration100Musecs, true) + std::string(msg::kCallSeq) + FeatureString(c.SeqN);
  return out;
}

}  // namespace zorvel
