// The three 16-byte records that carry a call in ZV2 and ZV3 files, and the wave-group records
// that follow them. Byte fields are clamped to 0 … 255 by the encoder, so a value read back from
// one byte never exceeds 255.
//
// byte  A (0xF8)                 B (0xF9)                         C (0xFA)
//  1    StartTime 23-16          MinSlopeKHZ                      lo Nmissing, hi avScore
//  2    StartTime 15-8           RisingIPIindex + 43              Seq high
//  3    StartTime 7-0            Flat1avIPI                       Seq low
//  4    Number 14-8 (bit 7 0)    Flat1score|Flat1CF<<3|Flat2score<<4|Flat2CF<<7   hi SpConfidence, lo nSelOct 11-8
//  5    Number 7-0               Flat2avIPI                       nSelOctInCall 7-0
//  6    FlightN                  BestFlatIPI (compact)            flags: Marked, Reverb, BuzzCall, Social
//  7    HmicScore                MaxIPIfallKHZ                    0
//  8    MinSlopeKHZ              BodyHiKhz                        0
//  9    MaxIPIriseKHZ            BodyLoKhz                        0
// 10    Duration100Musecs (cmp)  MedianKHZ                        0
// 11    Fav                      ModalKHZ                         0
// 12    Fmin                     DBkhz                            CallType
// 13    Fmax                     UBkhz                            Sp3N
// 14    Fstart                   DBSharp<<4 | UBSharp             Sp2N
// 15    Fend                     AmpAv (compact)                  SpN
#pragma once

#include <array>
#include <cstdint>

#include "core/Records.h"

namespace zorvel {

constexpr uint8_t kIdCallA = 0xF8, kIdCallB = 0xF9, kIdCallC = 0xFA;
constexpr uint8_t kIdRunError = 0xF7, kIdScanSuppressed = 0xFB, kIdImportSuppressed = 0xFC, kIdIgnored = 0xFD;
constexpr uint8_t kIdMinute = 0xFE, kIdEnd = 0xFF;
constexpr uint8_t kLastWaveGroupId = 0xB7;
constexpr int kRisingIndexOffset = 43;
constexpr uint8_t kFlagMarked = 0x01, kFlagReverb = 0x02, kFlagBuzzCall = 0x04, kFlagSocial = 0x08;
constexpr int kFlagsByte = 6;

// Decoding fills only the fields the record carries (kHz of the flats from the kHz table).
void DecodeCallA(const uint8_t* r, tCall& c);
void DecodeCallB(const uint8_t* r, tCall& c);
void DecodeCallC(const uint8_t* r, tCall& c);

using Record = std::array<uint8_t, 16>;
std::array<Record, 3> EncodeCall(const tCall& c);

// A ZV2/ZV3 wave-group record for one octet of a call.
Record EncodeZV2WaveGroup(int32_t tick, const std::array<uint8_t, 4>& ampBytes, const std::array<uint8_t, 4>& ipiBytes,
                          bool harmonic, bool gapPrecedes, int32_t callNumber, tFeatureClass feature, int32_t score);

// A ZV1 wave-group record.
Record EncodeZV1WaveGroup(int32_t tick, const std::array<uint8_t, 8>& ipiBytes, const std::array<uint8_t, 4>& ampBytes,
                          int32_t score);

struct MinuteValues {
  uint8_t LightN = 0;
  uint8_t RtcDegC = 0;          // whole degrees
  uint8_t PreampHalfDegPlus20 = 20;
  bool MinON = false;
  uint8_t BatInUse = 1;         // 1 … 4 (4 is stored as 0)
  std::array<uint8_t, 4> BatVn{};
};
Record EncodeMinuteRecord(const MinuteValues& v);
Record EndRecord();

}  // namespace zorvel
