// A file slot: one open data file with its decoded header, read buffer and position, the record
// just read, the minute map and the per-file display state. The program has six, numbered 1 … 6.
#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/BinaryFile.h"
#include "core/Records.h"
#include "core/TimeOrder.h"

namespace zorvel {

class MinuteSummary;

constexpr int kSlotCount = 6;
constexpr int kHeaderBytes = 1024;
constexpr int kRecordBytes = 16;
constexpr int kHeaderBlockBytes = kHeaderBytes + kRecordBytes;  // header read with the first record
constexpr int kHeaderUnits = kHeaderBytes / kRecordBytes;      // the first record is unit 64
constexpr int kBufferBytes = 1'048'576;
constexpr int kKhzCalibEntries = 65;
constexpr int kSpeciesNameCount = 256;

// The display type of a file's band, in the order of its choice list.
enum TYaxisType : uint8_t { tyFreq, tyPeriod, tySPL, tyCallType, tyBatteryVoltage };

// The file graph of a slot, in the order of its choice list.
enum tGraphType : uint8_t {
  tDiel, tKHZdwell, tSpectrum, tKHZmaxE, tMaxKHZ, tMinKHZ, tMaxSlope, tMinSlope, tFlatKHZ, tBendUpKHZ,
  tBendDownKHZ, tAmplitude, tDuration
};

// One call on the present screen, as the pointer read-out shows it.
struct tScreenCallSummaryRec {
  int32_t SpN = 0;
  int32_t Duration100Musecs = 0;
  int32_t Fmin = 0, Fmax = 0;
  int32_t MinSlopeKHZ = 0;
  int32_t SeqN = 0;
  int32_t SpConfidence = 0;  // the classifier's confidence in the call's species (0 … 15)
  int32_t Sp2N = 0;          // its second species
};

struct tWavFileTimesRecord {
  int32_t MinN = 0;
  int32_t Second = 0;
};

const std::array<uint8_t, kKhzCalibEntries>& DefaultKHZcalib();

struct TFileRec {
  std::string ShortName;
  tNrType NrType = tNoRecClass;
  TRecTime NrTime{100'000'000, 0};
  int32_t LastFiveMusecTime = -1;
  tOct aOct{};
  tFeatureClass FeatureClass = tfNotFeature;
  tCall aCall{};
  bool CallOK = true, NewCall = true;
  int32_t PassN = 0;
  int32_t LightN = 0, HalfDegCpreamp = -5, HalfDegC_RTC = -5;
  bool Open = false, InPlay = false, Mapped = false, MadeFromWavFiles = false, ExcludedMinute = false;
  int32_t DataFormatVersion = 0;
  bool WriteBackChangesRequired = false;
  int64_t NumBytesWritten = 0;
  bool SomeMinutesON = false, HasExtendedAmps = false, HasExtendedIPIs = false;
  int32_t UTCoffset = 0, FirstLoggedMin = 0, LastLoggedMin = 0, StoredFirstProcessMin = 0, StoredLastProcessMin = 0;
  int32_t FirstProcessMin = 0, LastProcessMin = 0, GoToMin = 0, GoToFiveMusec = 0;
  bool MinON = false, PrevMinON = false;
  int32_t nLoggingMins = 0;
  bool RecordClassErrorFound = false;
  std::unique_ptr<BinaryFile> Infile;
  int64_t InFileRecs = 0;
  std::string FileLbl;
  int32_t ZorvelVersion = 1, UsedCallFinderVersion = 1, WavConversion = 0;
  std::string DateOfManufacture;
  int32_t TemperatureSensorID = 0, MainBoardVersion = 0, FPGAcodeVersion = 0, PICmainVersion = 0;
  std::string FPGAcodeVersionStr, PICcodeVersionStr;
  int32_t LightSensorVersion = 0, MicrophoneVersion = 0, PreAmpVersion = 0;
  std::array<uint8_t, kKhzCalibEntries> KHZcalib = DefaultKHZcalib();
  int32_t ZorvelID = 0;
  std::string ZorvelIDstr = "0";
  tHousing HousingVersion = htUnknown;
  int32_t IPIbelowVal = 0;
  std::array<uint8_t, 9> IPIbelowCountBonus{};
  int32_t FileMinutecountLimit = 65536, Gain = 0, TriadThreshold = 0, ScoreThreshold = 0, ChunkLimit = 0;
  int32_t ChunksPerMin = 0, BatterySwitchLevel = 0, PkDetMode = 0, PenaltyThreshold = 0, MinsOffBetweenMinsON = 0;
  int32_t PowerDownLevel = 0, ADCdeadband = 0, Over160kUplift = 0, Under160kUplift = 0, Under80kUplift = 0;
  int32_t Under40kUplift = 0, LightSwitchLevel = 255;
  int32_t LastLightYposn = 100'000'000;
  tFileSizeClass MaxFileSizeClass = tUnlimited;
  int32_t MonthsOFF = 0, FPGADeadband = 0;
  std::string WavIndexFile;
  bool WavIndexFileOpen = false;
  std::vector<tWavFileTimesRecord> WavFileTimes;
  TYaxisType FileYaxisType = tySPL;
  int32_t NfirstWavFileInMin = 0, NLastWavFileOnDisplay = 0;
  int32_t lastDegcYposn = 100'000'000;
  TRecTime LastRecTime{};
  int32_t OctInThisScreen = 0, CallsInThisScreen = 0;
  bool TimeErrorsPresent = false;
  int32_t MinsAsleep = 0, MinsLogging = 0, MinsTruncated = 0;
  int32_t FileYtop = 99999, FileYbottom = -99999, YmidOffset = 3333, Yvoltages = 100'000'000, YtempOrigin = 44444;
  int32_t ONminsInNextChunk = 0, OnMinsInChunk = 0, oldDrawY = 0, oldDrawX = INT32_MAX, nZV2octShownInCall = 0;
  int32_t ColourOffset = 0, ColourMult = 0;
  int32_t BufPosn = 100'000'000, NumRecsRead = 0, NumBytesRead = 0;
  int32_t MinStartsWritten = 0;
  TFileType FileType = ftUnknown;
  int32_t LastOctTimeInMin = 0, NCallsInMin = 0, Noise = 0;
  bool MinTruncated = false;
  std::array<int32_t, 6> SightedSp{};
  bool SightingLogged = false;
  int64_t nZV1Octs = 0, nCalls = 0, nCFall = 0, nFMall = 0;
  int32_t AvDayTempRange = 0, NoisyMin256 = 0, CFflights = 0, FMflights = 0;
  int32_t BatInUse = 0;
  float Bat1Voltage = 0, Bat2Voltage = 0, Bat3Voltage = 0, Bat4Voltage = 0;
  int32_t Bat1Vn = 0, Bat2Vn = 0, Bat3Vn = 0, Bat4Vn = 0;
  int32_t Batt1Yposn = 0, Batt2Yposn = 0, Batt3Yposn = 0, Batt4Yposn = 0;
  int32_t ShutDownCode = 0, lastReadTime = -2;
  bool PasteRaw = false, PasteCalls = false, ErrorReported = false;
  std::string FullFileName, LocationText, NotesText, LatText, LongText, GMTText, HiPassFilterStr, SpClassifierName;
  int32_t MaxSpClassN = 0;
  std::array<std::string, kSpeciesNameCount> SpNames;
  std::array<int32_t, 7> oldParamX{};
  std::vector<int32_t> MinStarts;
  std::vector<uint8_t> FBuf;
  bool ErrorMessageShown = false;
  std::string DetectionText;
  tGraphType GraphType = tKHZdwell;
  int32_t LastScreenXdrawn = 0, LastScreenXlogged = 0, LastScreenCallNlogged = 0;
  std::vector<int32_t> ScreenXarr;
  std::vector<tScreenCallSummaryRec> ScreenCallsArr;  // 1-based: entry 0 is unused

  // Our own additions.
  bool ReadOnly = false;         // opened without write access: in-place edits are refused
  int64_t BufFileOffset = 0;     // byte offset in the file of FBuf[0]
  int32_t OctInThisMinute = 0;   // accepted wave groups since the last minute record
  bool TimingMessageShown = false;  // the developer's timing message, once per minute
  TimeOrder WaveOrder;              // the time-order rule for the wave groups being read
  // Set when the minute map found another minute count than the header's: LastLoggedMin and
  // StoredLastProcessMin above are then the amended values (never written into the file), and
  // ScannedWaveGroups the wave-group count when a scan found it (-1 when the map came from a map
  // file).
  bool HeaderAmended = false;
  int32_t ScannedWaveGroups = -1;
  // What the map found at the file's end: false when the records stop without an end record
  // (a copy cut short). Meaningful once Mapped.
  bool EndRecordFound = true;
  // The per-minute summary made with the minute map (core/MinuteSummary.h); empty when the
  // data file changed while it was made.
  std::shared_ptr<const MinuteSummary> Summary;

  // Resets every field to the vacant values and releases the stream and buffers. The species
  // names are kept: a slot keeps the names it was left with until another file replaces them.
  void ResetToVacant(int slotNumber);
};

// The six slots, indexed 1 … 6.
class FileSlots {
 public:
  FileSlots();
  TFileRec& operator[](int slot) { return slots_[slot - 1]; }
  const TFileRec& operator[](int slot) const { return slots_[slot - 1]; }
  static bool ValidSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }
  int OpenCount() const;
  int LowestFreeSlot() const;  // 0 when all are in use
  int LowestOpenSlot() const;  // 0 when none is open

 private:
  std::array<TFileRec, kSlotCount> slots_;
};

std::string VacantFileLabel(int slot);

}  // namespace zorvel
