#include "core/Header.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/Bytes.h"
#include "core/Messages.h"
#include "core/TimeBase.h"

namespace zorvel {

namespace {

std::string RawText(const uint8_t* h, int offset, int len) {
  return std::string(reinterpret_cast<const char*>(h + offset), static_cast<size_t>(len));
}

// Keeps only printable ASCII (0x20 … 0x7E).
std::string PrintableText(const uint8_t* h, int offset, int len) {
  std::string s;
  for (int i = 0; i < len; ++i) {
    const uint8_t c = h[offset + i];
    if (c >= 0x20 && c <= 0x7E) s.push_back(static_cast<char>(c));
  }
  return s;
}

}  // namespace

std::string HighPassFilterText(uint8_t b) {
  switch (b) {
    case 0: return "80kHz";
    case 1: return "40kHz";
    case 2: return "20kHz";
    case 3: return "none";
    default: return "";
  }
}

HeaderRaw DecodeHeader(const uint8_t* block, size_t n, TFileRec& s) {
  std::array<uint8_t, kHeaderBytes> h{};
  std::memcpy(h.data(), block, std::min<size_t>(n, kHeaderBytes));
  using namespace hdr;

  s.Gain = h[kGain];
  s.ZorvelID = h[kIdentity] * 10000 + h[kIdentity + 1] * 100 + h[kIdentity + 2];
  s.ZorvelIDstr = std::to_string(s.ZorvelID);
  s.DateOfManufacture = DayManufactureText(static_cast<int32_t>(Be16(&h[kDateOfManufacture])));
  s.UsedCallFinderVersion = h[kUsedCallFinderVersion];
  s.PreAmpVersion = h[kPreAmpVersion];
  s.MicrophoneVersion = h[kMicrophoneVersion];
  s.LightSensorVersion = h[kLightSensorVersion];
  s.HousingVersion = h[kHousingVersion] <= htUnknown ? static_cast<tHousing>(h[kHousingVersion]) : htUnknown;
  s.IPIbelowVal = h[kIPIbelowVal] == 0 ? 1 : h[kIPIbelowVal];
  std::copy_n(&h[kIPIbelowCountBonus], 9, s.IPIbelowCountBonus.begin());
  s.MainBoardVersion = h[kMainBoardVersion];
  s.PICmainVersion = h[kPICVersion];
  s.PICcodeVersionStr = std::to_string(h[kPICVersion]) + "." + std::to_string(h[kPICVersion + 1]);
  s.FPGAcodeVersion = h[kFPGAVersion];
  s.FPGAcodeVersionStr = std::to_string(h[kFPGAVersion]) + "." + std::to_string(h[kFPGAVersion + 1]);
  s.DataFormatVersion = h[kDataFormatVersion];
  s.HasExtendedIPIs = s.DataFormatVersion == kExtendedIPIFormat;
  s.UTCoffset = h[kUTCoffset];
  s.HiPassFilterStr = HighPassFilterText(h[kHiPassFilter]);
  s.ADCdeadband = h[kADCdeadband];
  const uint8_t up = h[kUplifts];
  s.Over160kUplift = (up >> 6) & 3;
  s.Under160kUplift = (up >> 4) & 3;
  s.Under80kUplift = (up >> 2) & 3;
  s.Under40kUplift = up & 3;
  s.ScoreThreshold = h[kScoreThreshold];
  s.TriadThreshold = h[kTriadThreshold];
  s.PenaltyThreshold = h[kPenaltyThreshold];
  s.LightSwitchLevel = h[kLightSwitchLevel];
  s.MinsOffBetweenMinsON = h[kMinsOffBetweenMinsON];
  s.BatterySwitchLevel = h[kBatterySwitchLevel];
  s.MaxFileSizeClass = h[kMaxFileSizeClass] <= t3GB ? static_cast<tFileSizeClass>(h[kMaxFileSizeClass]) : tUnlimited;
  s.FPGADeadband = h[kFPGADeadband];
  s.PkDetMode = h[kPkDetMode];
  s.MonthsOFF = (h[kMonthsOFF] == ':' && h[kMonthsOFF + 1] == ';') ? 0 : static_cast<int32_t>(Be16(&h[kMonthsOFF]));
  s.LatText = RawText(h.data(), kLatText, kLatLen);
  s.LongText = RawText(h.data(), kLongText, kLongLen);
  s.NotesText = PrintableText(h.data(), kNotesText, kNotesLen);

  s.FirstLoggedMin = std::max(1, Be32(&h[kFirstLoggedMin]));
  s.LastLoggedMin = std::max(s.FirstLoggedMin, Be32(&h[kLastLoggedMin]));
  s.GoToMin = std::min(s.LastLoggedMin, Be32(&h[kGoToMin]));
  s.GoToFiveMusec = std::clamp(Be32(&h[kGoToFiveMusec]), 0, kTicksPerMinute - 1);
  s.StoredFirstProcessMin = std::max(s.FirstLoggedMin, Be32(&h[kStoredFirstProcessMin]));
  s.StoredLastProcessMin = std::min(s.LastLoggedMin, Be32(&h[kStoredLastProcessMin]));
  s.GMTText = RawText(h.data(), kGMTText, kGMTLen);
  s.LocationText = PrintableText(h.data(), kLocationText, kLocationLen);
  if (s.FileType == ftZV2) s.SpClassifierName = PrintableText(h.data(), kSpClassifierName, kClassifierLen);
  s.HasExtendedAmps = s.FPGAcodeVersion > 2 && s.MainBoardVersion < 10;
  s.WavConversion = std::memcmp(&h[kRecordingsMarker], kRecordingsMarkerText, 4) == 0 ? h[kWavConversion] : 0;
  s.MadeFromWavFiles = s.WavConversion > 0;
  return HeaderRaw{Be32(&h[kFirstLoggedMin]), Be32(&h[kLastLoggedMin])};
}

std::optional<ImplausibleField> ImplausibleHeaderMinute(const HeaderRaw& raw) {
  auto plausible = [](int32_t m) { return m >= kFirstPlausibleMinute && m <= kLastPlausibleMinute; };
  if (!plausible(raw.FirstLoggedMin)) return ImplausibleField{"FirstLoggedMin", raw.FirstLoggedMin};
  if (raw.LastLoggedMin != 0 && !plausible(raw.LastLoggedMin))
    return ImplausibleField{"LastLoggedMin", raw.LastLoggedMin};
  return std::nullopt;
}

bool WriteHeaderInt32(TFileRec& slot, int offset, int32_t value) {
  if (!slot.Open || !slot.Infile || offset < 0 || offset + 4 > kHeaderBytes) return false;
  uint8_t b[4];
  PutBe32(b, std::max(0, value));
  return slot.Infile->WriteInPlace(offset, b, 4);
}

void SaveEndpoints(FileSlots& slots, std::optional<std::pair<int32_t, int32_t>> selection, Host& host) {
  if (!selection) {
    host.TimedMessage(msg::kNoTimeSelection, 10000);
    return;
  }
  const auto [first, last] = *selection;
  for (int i = 1; i <= kSlotCount; ++i) {
    TFileRec& s = slots[i];
    if (!s.Open) continue;
    if (first < s.FirstLoggedMin || last > s.LastLoggedMin) {
      host.TimedMessage(msg::kBeyondTimeLimits, 10000);
      continue;
    }
    if (WriteHeaderInt32(s, hdr::kStoredFirstProcessMin, first) &&
        WriteHeaderInt32(s, hdr::kStoredLastProcessMin, last)) {
      s.StoredFirstProcessMin = first;
      s.StoredLastProcessMin = last;
    } else {
      host.TimedMessage(s.ShortName + std::string(msg::kHeaderWriteFailed), 3000);
    }
  }
}

bool SaveTimePoint(FileSlots& slots, int selectedSlot, TRecTime moment, Host& host) {
  if (!FileSlots::ValidSlot(selectedSlot) || !slots[selectedSlot].Open) {
    host.TimedMessage(msg::kNoFileSelected, 3000);
    return false;
  }
  TFileRec& s = slots[selectedSlot];
  if (!WriteHeaderInt32(s, hdr::kGoToMin, moment.Mn) || !WriteHeaderInt32(s, hdr::kGoToFiveMusec, moment.FiveMuSec)) {
    host.TimedMessage(s.ShortName + std::string(msg::kHeaderWriteFailed), 3000);
    return false;
  }
  s.GoToMin = moment.Mn;
  s.GoToFiveMusec = moment.FiveMuSec;
  return true;
}

}  // namespace zorvel
