// In-memory records shared by every part of the program: the moment, the wave group as read
// from a file, the call finder's working octet and the call. Plain values of fixed-width integers;
// how they are laid out in data files is documented next to the reader (RecordReader.h).
#pragma once

#include <array>
#include <cstdint>

namespace zorvel {

// A moment: whole minutes since 1899-12-30 00:00 (logger's local clock) and 5-µs ticks within it.
struct TRecTime {
  int32_t Mn = 0;
  int32_t FiveMuSec = 0;
  friend bool operator==(const TRecTime&, const TRecTime&) = default;
  friend auto operator<=>(const TRecTime&, const TRecTime&) = default;
};

constexpr int32_t kTicksPerMinute = 12'000'000;
constexpr int32_t kTicksPerSecond = 200'000;
constexpr int32_t kMinutesPerDay = 1440;

// Class of the record last read.
enum tNrType : uint8_t { tOctet, tCallrec, tMinRec, tEnd, tNoRecClass };

enum tFeatureClass : uint8_t {
  tfNotFeature,
  tfMaxFall,
  tfMaxRise,
  tfDownBend,
  tfUpBend,
  tfCFflat,
  tfNonCFflat,
  tfMinSlope
};

enum tCallType : uint8_t { tcNoSp, tcFM, tcQCF, tcCF };

enum TFileType : uint8_t { ftUnknown, ftZV1, ftZV2, ftZV3 };

enum tHousing : uint8_t { htTolvan, htMerrow, htUnknown };

enum tFileSizeClass : uint8_t { tUnlimited, t10KB, t100MB, t1GB, t2GB, t3GB };

// One wave pair.
struct tCycPair {
  int32_t amp = 0;
  int32_t IPI = 0;
  int32_t kHz = 0;
};

// A wave group of eight waves as read from a data file.
struct tOct {
  std::array<int32_t, 8> AMPs{};
  std::array<int32_t, 8> IPIs{};
  std::array<int32_t, 8> KHZs{};
  int32_t score = 0;
  bool GapPrecedes = false;
  int32_t OctHmic = 0;
  int32_t avF = 0;
  int32_t avSPL = 0;
  int32_t SPLinUse = 0;
  int32_t IPIsum = 0;
  int32_t SPLsum = 0;
  int32_t FirstIPI = 0;
  bool InCall = false;
};

// The call finder's working octet.
struct tOctRec {
  int32_t OctPosn = 0;
  uint8_t t1 = 0, t2 = 0, t3 = 0;  // the 24-bit tick time, high to low
  int32_t Time5mu = 0;
  int32_t OctScore = 0;
  std::array<tCycPair, 4> OctCycPr{};
  std::array<int32_t, 8> OctIPIarr{};
  int32_t IPIsum = 0;
  int32_t Dur5mu = 0;
  int32_t KHZ = 0;
  int32_t OrigKHZ = 0;
  int32_t ampSum = 0;
  int32_t IPIsumOf5 = 0;
  int32_t FourOctIPIchange = 0;
  int32_t Bend = 0;
  int32_t preGap = 0;
  int32_t postGap = 0;
  bool GapPrecedes = false;
  int32_t OctHmic = 0;
  int32_t NcallsInBz = 0;
  int32_t NoctInBzCall = 0;
  bool LastOctInThisBz = false;
  tFeatureClass FeatureType = tfNotFeature;
  bool InCall = false;
  bool InBuzz = false;
};

constexpr int kMaxCandidateSpecies = 16;

// One call. Fields that a ZV2/ZV3 call record stores are filled by the reader; the rest are
// the call finder's measures and are not kept in files.
struct tCall {
  int32_t StartTime = 0;
  int32_t EndTime = 0;
  int32_t LastOctDuration = 0;
  int32_t Number = 0;
  int32_t FlightN = 0;
  bool Reverb = false;
  bool BuzzCall = false;
  bool Joined = false;
  int32_t avScore = 0;
  int32_t OctFitSum = 0, avOctFit = 0, nGoodFits = 0, BestQ = 0, BestQ2 = 0, TwoQSeq = 0;
  int32_t MaxIPIrise = 0, MaxIPIfall = 0;
  int32_t MaxIPIfallKHZ = 0;
  int32_t MaxIPIriseKHZ = 0;
  int32_t RisingIPIindex = 0;
  int32_t Duration100Musecs = 0;
  int32_t Fsum = 0, Fav = 0;
  int32_t Fmin = 0, Fmax = 0, Fstart = 0, Fend = 0;
  int32_t Frange = 0;
  int32_t MinSlopeKHZ = 0;
  int32_t Flat1avIPI = 0, Flat1KHZ = 0, Flat1score = 0, Flat1nOct = 0;
  bool Flat1CF = false;
  int32_t Flat2avIPI = 0, Flat2KHZ = 0, Flat2score = 0, Flat2nOct = 0;
  bool Flat2CF = false;
  int32_t DBkhz = 0, UBkhz = 0;
  int32_t DBSharp = 0, UBSharp = 0;
  int32_t AmpSum = 0, AmpAv = 0, AmpMax = 0;
  int32_t ModalKHZ = 0, MedianKHZ = 0;
  int32_t BodyHiKhz = 0, BodyLoKhz = 0;
  int32_t BodyStartTime = 0, BodyEndTime = 0, BodyRnge = 0, BodyDivRnge = 0;
  int32_t HmicScore = 0;
  int32_t Seq = 0;
  bool SeqFits = true;
  int32_t nSelOctInCall = 0;
  int32_t Nmissing = 0;
  int32_t BestFlatIPI = 0;
  tCallType CallType = tcNoSp;
  int32_t SpN = 0, Sp2N = 0, Sp3N = 0;
  int32_t SpConfidence = 0;
  int32_t LastOctStartTime = 0, preEndSlope = 0;
  int32_t TempParam = 0;
  int32_t ClBufPosnOfStart = 0;
  bool Marked = false;
  bool Social = false;
  int32_t NspeciesGiven = 0;
  int32_t avIPIchangePerMsec = 0, avKHZchangePerMsec = 0, avBodyIPIchangePerMsec = 0;
  int32_t SecondHalfIPIchangePerMsec = 0, FirstQtrIPIchangePerMsec = 0, LastQtrIPIchangePerMsec = 0;
  int32_t EndQtrIPIratio = 0, ZeroedRisingIndex = 0, SeqOctPercentFitSum = 0;
  int32_t GapToPriorCall = 0, GapToNextCall = 0;
  bool PutInCallArr = false;
  std::array<int32_t, kMaxCandidateSpecies> cSpArr{};
  int32_t cSpPtr = 0;
  std::array<int32_t, kMaxCandidateSpecies> rankedSpN{};
  int32_t Nranked = 0;
};

}  // namespace zorvel
