#include "core/CallRecords.h"

#include <algorithm>

#include "core/Bytes.h"
#include "core/Tables.h"

namespace zorvel {

namespace {
uint8_t Clamp8(int32_t v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }
uint8_t Nibble(int32_t v) { return static_cast<uint8_t>(std::clamp(v, 0, 15)); }
}  // namespace

void DecodeCallA(const uint8_t* r, tCall& c) {
  c.StartTime = static_cast<int32_t>(Be24(r + 1));
  c.Number = ((r[4] & 0x7F) << 8) | r[5];
  c.FlightN = r[6];
  c.HmicScore = r[7];
  c.MinSlopeKHZ = r[8];
  c.MaxIPIriseKHZ = r[9];
  c.Duration100Musecs = DecodeCompact(r[10]);
  c.Fav = r[11];
  c.Fmin = r[12];
  c.Fmax = r[13];
  c.Fstart = r[14];
  c.Fend = r[15];
  c.Frange = c.Fmax - c.Fmin;
}

void DecodeCallB(const uint8_t* r, tCall& c) {
  c.MinSlopeKHZ = r[1];
  c.RisingIPIindex = r[2] - kRisingIndexOffset;
  c.Flat1avIPI = r[3];
  c.Flat1KHZ = KhzOfIpi(c.Flat1avIPI);
  c.Flat1score = r[4] & 0x07;
  c.Flat1CF = (r[4] & 0x08) != 0;
  c.Flat2score = (r[4] >> 4) & 0x07;
  c.Flat2CF = (r[4] & 0x80) != 0;
  c.Flat2avIPI = r[5];
  c.Flat2KHZ = KhzOfIpi(c.Flat2avIPI);
  c.BestFlatIPI = DecodeCompact(r[6]);
  c.MaxIPIfallKHZ = r[7];
  c.BodyHiKhz = r[8];
  c.BodyLoKhz = r[9];
  c.MedianKHZ = r[10];
  c.ModalKHZ = r[11];
  c.DBkhz = r[12];
  c.UBkhz = r[13];
  c.DBSharp = r[14] >> 4;
  c.UBSharp = r[14] & 0x0F;
  c.AmpAv = DecodeCompact(r[15]);
}

void DecodeCallC(const uint8_t* r, tCall& c) {
  c.Nmissing = r[1] & 0x0F;
  c.avScore = r[1] >> 4;
  c.Seq = static_cast<int32_t>(Be16(r + 2));
  c.SpConfidence = r[4] >> 4;
  c.nSelOctInCall = ((r[4] & 0x0F) << 8) | r[5];
  c.Marked = (r[6] & kFlagMarked) != 0;
  c.Reverb = (r[6] & kFlagReverb) != 0;
  c.BuzzCall = (r[6] & kFlagBuzzCall) != 0;
  c.Social = (r[6] & kFlagSocial) != 0;
  c.CallType = r[12] <= tcCF ? static_cast<tCallType>(r[12]) : tcNoSp;
  c.Sp3N = r[13];
  c.Sp2N = r[14];
  c.SpN = r[15];
}

std::array<Record, 3> EncodeCall(const tCall& c) {
  std::array<Record, 3> out{};
  Record& a = out[0];
  Record& b = out[1];
  Record& cc = out[2];
  a[0] = kIdCallA;
  PutBe24(&a[1], static_cast<uint32_t>(std::clamp(c.StartTime, 0, 0xFFFFFF)));
  const int32_t number = std::clamp(c.Number, 0, 0x7FFF);
  a[4] = static_cast<uint8_t>((number >> 8) & 0x7F);
  a[5] = static_cast<uint8_t>(number & 0xFF);
  a[6] = Clamp8(c.FlightN);
  a[7] = Clamp8(c.HmicScore);
  a[8] = Clamp8(c.MinSlopeKHZ);
  a[9] = Clamp8(c.MaxIPIriseKHZ);
  a[10] = EncodeCompact(c.Duration100Musecs);
  a[11] = Clamp8(c.Fav);
  a[12] = Clamp8(c.Fmin);
  a[13] = Clamp8(c.Fmax);
  a[14] = Clamp8(c.Fstart);
  a[15] = Clamp8(c.Fend);

  b[0] = kIdCallB;
  b[1] = Clamp8(c.MinSlopeKHZ);
  b[2] = Clamp8(c.RisingIPIindex + kRisingIndexOffset);
  b[3] = Clamp8(c.Flat1avIPI);
  b[4] = static_cast<uint8_t>(std::clamp(c.Flat1score, 0, 7) | (c.Flat1CF ? 0x08 : 0) |
                              (std::clamp(c.Flat2score, 0, 7) << 4) | (c.Flat2CF ? 0x80 : 0));
  b[5] = Clamp8(c.Flat2avIPI);
  b[6] = EncodeCompact(c.BestFlatIPI);
  b[7] = Clamp8(c.MaxIPIfallKHZ);
  b[8] = Clamp8(c.BodyHiKhz);
  b[9] = Clamp8(c.BodyLoKhz);
  b[10] = Clamp8(c.MedianKHZ);
  b[11] = Clamp8(c.ModalKHZ);
  b[12] = Clamp8(c.DBkhz);
  b[13] = Clamp8(c.UBkhz);
  b[14] = static_cast<uint8_t>((Nibble(c.DBSharp) << 4) | Nibble(c.UBSharp));
  b[15] = EncodeCompact(c.AmpAv);

  cc[0] = kIdCallC;
  cc[1] = static_cast<uint8_t>((Nibble(c.avScore) << 4) | Nibble(c.Nmissing));
  PutBe16(&cc[2], static_cast<uint32_t>(std::clamp(c.Seq, 0, 0xFFFF)));
  const int32_t nSel = std::clamp(c.nSelOctInCall, 0, 0xFFF);
  cc[4] = static_cast<uint8_t>((Nibble(c.SpConfidence) << 4) | (nSel >> 8));
  cc[5] = static_cast<uint8_t>(nSel & 0xFF);
  cc[6] = static_cast<uint8_t>((c.Marked ? kFlagMarked : 0) | (c.Reverb ? kFlagReverb : 0) |
                               (c.BuzzCall ? kFlagBuzzCall : 0) | (c.Social ? kFlagSocial : 0));
  cc[12] = static_cast<uint8_t>(c.CallType);
  cc[13] = Clamp8(c.Sp3N);
  cc[14] = Clamp8(c.Sp2N);
  cc[15] = Clamp8(c.SpN);
  return out;
}

Record EncodeZV2WaveGroup(int32_t tick, const std::array<uint8_t, 4>& ampBytes, const std::array<uint8_t, 4>& ipiBytes,
                          bool harmonic, bool gapPrecedes, int32_t callNumber, tFeatureClass feature, int32_t score) {
  Record r{};
  PutBe24(&r[0], static_cast<uint32_t>(std::clamp(tick, 0, 11'999'999)));
  for (int j = 0; j < 4; ++j) {
    r[3 + 2 * j] = ampBytes[j];
    r[4 + 2 * j] = ipiBytes[j];
  }
  const int32_t n = std::clamp(callNumber, 0, 0x3FFF);
  r[13] = static_cast<uint8_t>((harmonic ? 0x80 : 0) | (gapPrecedes ? 0x40 : 0) | ((n >> 8) & 0x3F));
  r[14] = static_cast<uint8_t>(n & 0xFF);
  r[15] = static_cast<uint8_t>((static_cast<int>(feature) << 5) | std::clamp(score, 0, 31));
  return r;
}

Record EncodeZV1WaveGroup(int32_t tick, const std::array<uint8_t, 8>& ipiBytes, const std::array<uint8_t, 4>& ampBytes,
                          int32_t score) {
  Record r{};
  PutBe24(&r[0], static_cast<uint32_t>(std::clamp(tick, 0, 11'999'999)));
  for (int i = 0; i < 8; ++i) r[3 + i] = ipiBytes[i];
  for (int j = 0; j < 4; ++j) r[11 + j] = ampBytes[j];
  r[15] = static_cast<uint8_t>(std::clamp(score, 0, 31));
  return r;
}

Record EncodeMinuteRecord(const MinuteValues& v) {
  Record r{};
  r[0] = kIdMinute;
  r[6] = v.LightN;
  r[7] = v.RtcDegC;
  r[8] = v.PreampHalfDegPlus20;
  r[10] = static_cast<uint8_t>((v.MinON ? 1 : 0) | ((v.BatInUse & 3) << 1));
  for (int i = 0; i < 4; ++i) r[11 + i] = v.BatVn[i];
  return r;
}

Record EndRecord() {
  Record r;
  r.fill(0xFF);
  return r;
}

}  // namespace zorvel
