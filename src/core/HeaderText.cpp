#include "core/HeaderText.h"

#include "core/TimeBase.h"

namespace zorvel {

namespace {
std::string Num(int64_t v) { return std::to_string(v); }
std::string Bool(bool b) { return b ? "true" : "false"; }
// Header texts as shown: unprintable bytes dropped and trailing blanks trimmed.
std::string Shown(const std::string& raw) {
  std::string t;
  for (char c : raw)
    if (c >= 0x20 && c <= 0x7E) t.push_back(c);
  while (!t.empty() && t.back() == ' ') t.pop_back();
  return t;
}
std::string MinuteText(int32_t mn) { return Num(mn) + " (" + MinuteDateTimeText(mn) + ")"; }
const char* HousingName(tHousing h) {
  switch (h) {
    case htTolvan: return "htTolvan";
    case htMerrow: return "htMerrow";
    default: return "htUnknown";
  }
}
const char* SizeClassName(tFileSizeClass c) {
  static constexpr const char* kNames[] = {"tUnlimited", "t10KB", "t100MB", "t1GB", "t2GB", "t3GB"};
  return kNames[c];
}
}  // namespace

const char* FileTypeName(TFileType t) {
  switch (t) {
    case ftZV1: return "ZV1";
    case ftZV2: return "ZV2";
    case ftZV3: return "ZV3";
    default: return "unknown";
  }
}

std::vector<std::pair<std::string, std::string>> HeaderFieldTexts(const TFileRec& s) {
  std::string bonus;
  for (size_t i = 0; i < s.IPIbelowCountBonus.size(); ++i) {
    if (i) bonus.push_back(' ');
    bonus += Num(s.IPIbelowCountBonus[i]);
  }
  return {
      {"FullFileName", s.FullFileName},
      {"FileType", FileTypeName(s.FileType)},
      {"InFileRecs", Num(s.InFileRecs)},
      {"Gain", Num(s.Gain)},
      {"ZorvelID", Num(s.ZorvelID)},
      {"ZorvelIDstr", s.ZorvelIDstr},
      {"DateOfManufacture", s.DateOfManufacture},
      {"UsedCallFinderVersion", Num(s.UsedCallFinderVersion)},
      {"PreAmpVersion", Num(s.PreAmpVersion)},
      {"MicrophoneVersion", Num(s.MicrophoneVersion)},
      {"LightSensorVersion", Num(s.LightSensorVersion)},
      {"HousingVersion", HousingName(s.HousingVersion)},
      {"IPIbelowVal", Num(s.IPIbelowVal)},
      {"IPIbelowCountBonus", bonus},
      {"MainBoardVersion", Num(s.MainBoardVersion)},
      {"PICmainVersion", Num(s.PICmainVersion)},
      {"PICcodeVersionStr", s.PICcodeVersionStr},
      {"FPGAcodeVersion", Num(s.FPGAcodeVersion)},
      {"FPGAcodeVersionStr", s.FPGAcodeVersionStr},
      {"DataFormatVersion", Num(s.DataFormatVersion)},
      {"HasExtendedIPIs", Bool(s.HasExtendedIPIs)},
      {"HasExtendedAmps", Bool(s.HasExtendedAmps)},
      {"UTCoffset", Num(s.UTCoffset)},
      {"HiPassFilterStr", s.HiPassFilterStr},
      {"ADCdeadband", Num(s.ADCdeadband)},
      {"Over160kUplift", Num(s.Over160kUplift)},
      {"Under160kUplift", Num(s.Under160kUplift)},
      {"Under80kUplift", Num(s.Under80kUplift)},
      {"Under40kUplift", Num(s.Under40kUplift)},
      {"ScoreThreshold", Num(s.ScoreThreshold)},
      {"TriadThreshold", Num(s.TriadThreshold)},
      {"PenaltyThreshold", Num(s.PenaltyThreshold)},
      {"LightSwitchLevel", Num(s.LightSwitchLevel)},
      {"MinsOffBetweenMinsON", Num(s.MinsOffBetweenMinsON)},
      {"BatterySwitchLevel", Num(s.BatterySwitchLevel)},
      {"MaxFileSizeClass", SizeClassName(s.MaxFileSizeClass)},
      {"FPGADeadband", Num(s.FPGADeadband)},
      {"PkDetMode", Num(s.PkDetMode)},
      {"MonthsOFF", Num(s.MonthsOFF)},
      {"LatText", Shown(s.LatText)},
      {"LongText", Shown(s.LongText)},
      {"NotesText", Shown(s.NotesText)},
      {"FirstLoggedMin", MinuteText(s.FirstLoggedMin)},
      {"LastLoggedMin", MinuteText(s.LastLoggedMin)},
      {"GoToMin", Num(s.GoToMin)},
      {"GoToFiveMusec", Num(s.GoToFiveMusec)},
      {"StoredFirstProcessMin", MinuteText(s.StoredFirstProcessMin)},
      {"StoredLastProcessMin", MinuteText(s.StoredLastProcessMin)},
      {"GMTText", Shown(s.GMTText)},
      {"LocationText", Shown(s.LocationText)},
      {"SpClassifierName", Shown(s.SpClassifierName)},
      {"Duration", MinuteDurationText(static_cast<int64_t>(s.LastLoggedMin) - s.FirstLoggedMin + 1)},
  };
}

}  // namespace zorvel
