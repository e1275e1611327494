// The 1024-byte header of ZV1, ZV2 and ZV3 files: where each field lives, how it is decoded
// into a slot, and the few fields that are written back in place.
//
// Offset table (big-endian; one-byte fields unsigned; bytes not listed are the logger's own
// header bytes, carried over and not interpreted):
//   1 Gain            2-4 identity (b2*10000+b3*100+b4)   5-6 date of manufacture (day number)
//   7 call-finder version  11 preamp  13 microphone  14 light sensor  18 housing
//   20 IPIbelowVal (0 read as 1)  21-29 IPIbelowCountBonus  30 main board
//   32-33 processor firmware  34-35 gate-array code  36 data format (101: compressed IPIs)
//   64 UTC offset  65 high-pass filter  67 ADC deadband  68 uplifts  69-71 thresholds
//   76 light switch  77 minutes off  78 battery switch  79 max file size class
//   80 FPGA deadband  81 peak detector mode  122-123 months off (":;" means 0)
//   128, 143 markers 0xFE   192-203 latitude  204-215 longitude  216-255 notes
//   256 first logged minute  260 last logged minute  264 go-to minute  268 go-to tick
//   272 stored first process minute  276 stored last process minute
//   280-282 UTC offset as typed  283-314 location  315 ZV1 closed marker / 315-334 ZV2 classifier
//   340-343 count of wave-group records (written by the call finder into the ZV2 it makes when the
//   minute map amended the last minute; reading never writes it)
//   344-347 "ZVRC" and 348 the conversion kind (1 full-spectrum, 2 zero-crossing) in files made
//           from recordings: such a file's slot gets WavConversion = the kind, and opening it
//           reads the index of its recordings (core/WavIndex.h)
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/FileRec.h"
#include "core/Host.h"

namespace zorvel {

namespace hdr {
constexpr int kGain = 1;
constexpr int kIdentity = 2;
constexpr int kDateOfManufacture = 5;
constexpr int kUsedCallFinderVersion = 7;
constexpr int kPreAmpVersion = 11;
constexpr int kMicrophoneVersion = 13;
constexpr int kLightSensorVersion = 14;
constexpr int kHousingVersion = 18;
constexpr int kIPIbelowVal = 20;
constexpr int kIPIbelowCountBonus = 21;
constexpr int kMainBoardVersion = 30;
constexpr int kPICVersion = 32;
constexpr int kFPGAVersion = 34;
constexpr int kDataFormatVersion = 36;
constexpr int kUTCoffset = 64;
constexpr int kHiPassFilter = 65;
constexpr int kADCdeadband = 67;
constexpr int kUplifts = 68;
constexpr int kScoreThreshold = 69;
constexpr int kTriadThreshold = 70;
constexpr int kPenaltyThreshold = 71;
constexpr int kLightSwitchLevel = 76;
constexpr int kMinsOffBetweenMinsON = 77;
constexpr int kBatterySwitchLevel = 78;
constexpr int kMaxFileSizeClass = 79;
constexpr int kFPGADeadband = 80;
constexpr int kPkDetMode = 81;
constexpr int kMonthsOFF = 122;
constexpr int kMarker1 = 128;
constexpr int kMarker2 = 143;
constexpr int kLatText = 192;
constexpr int kLongText = 204;
constexpr int kNotesText = 216;
constexpr int kFirstLoggedMin = 256;
constexpr int kLastLoggedMin = 260;
constexpr int kGoToMin = 264;
constexpr int kGoToFiveMusec = 268;
constexpr int kStoredFirstProcessMin = 272;
constexpr int kStoredLastProcessMin = 276;
constexpr int kGMTText = 280;
constexpr int kLocationText = 283;
constexpr int kZV1Closed = 315;
constexpr int kSpClassifierName = 315;
constexpr int kWaveGroupCount = 340;
constexpr int kRecordingsMarker = 344;  // "ZVRC"
constexpr int kWavConversion = 348;
inline constexpr char kRecordingsMarkerText[5] = "ZVRC";
constexpr uint8_t kFromFullSpectrum = 1, kFromZeroCrossing = 2;  // values of kWavConversion

constexpr int kLatLen = 12, kLongLen = 12, kNotesLen = 40, kGMTLen = 3, kLocationLen = 32, kClassifierLen = 20;
constexpr uint8_t kExtendedIPIFormat = 101;
}  // namespace hdr

// Fills the slot's header fields from the header block (n may be short: missing bytes read as 0),
// with every clamp the reader applies. The slot's FileType decides whether the classifier name
// is taken.
// Returns the minute fields as stored, before the clamps.
struct HeaderRaw {
  int32_t FirstLoggedMin = 0;
  int32_t LastLoggedMin = 0;
};
HeaderRaw DecodeHeader(const uint8_t* block, size_t n, TFileRec& slot);

// The plausible header minutes: from the first minute of the time base to the last minute of the
// year 2200. A file whose first logged minute, or whose last logged minute when it is given (not
// 0), lies outside is refused at opening, so that header minutes, their differences and the
// minute counts of a file added to them all stay far inside 32 bits.
constexpr int32_t kFirstPlausibleMinute = 1;
constexpr int32_t kLastPlausibleMinute = 158'313'599;  // 2200-12-31 23:59

// The name of the first header minute field that is not plausible ("FirstLoggedMin",
// "LastLoggedMin"), with its stored value; nullopt when both are.
struct ImplausibleField {
  std::string_view name;
  int32_t value = 0;
};
std::optional<ImplausibleField> ImplausibleHeaderMinute(const HeaderRaw& raw);

// Text of the high-pass filter byte ("80kHz", "40kHz", "20kHz", "none"; empty for other values).
std::string HighPassFilterText(uint8_t b);

// Writes one 32-bit big-endian header field in place (a negative value is stored as 0).
bool WriteHeaderInt32(TFileRec& slot, int offset, int32_t value);

// "Save endpoints": writes the selection's first and last minutes as every open file's stored
// processing range, or says why not. selection is (first minute, last minute), absent when
// there is no time selection.
void SaveEndpoints(FileSlots& slots, std::optional<std::pair<int32_t, int32_t>> selection, Host& host);

// "Save time point to file": the moment becomes the go-to point of the selected slot (0: none).
bool SaveTimePoint(FileSlots& slots, int selectedSlot, TRecTime moment, Host& host);

}  // namespace zorvel
