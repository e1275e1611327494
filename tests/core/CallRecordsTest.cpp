#include <gtest/gtest.h>

#include "core/CallRecords.h"

namespace zorvel {
namespace {

TEST(CallRecords, DecodesPackedBytes) {
  Record b{};
  b[0] = kIdCallB;
  b[2] = 0;
  b[4] = 0x9A;
  tCall c;
  DecodeCallB(b.data(), c);
  EXPECT_EQ(c.RisingIPIindex, -43);
  EXPECT_EQ(c.Flat1score, 2);
  EXPECT_TRUE(c.Flat1CF);
  EXPECT_EQ(c.Flat2score, 1);
  EXPECT_TRUE(c.Flat2CF);

  Record cc{};
  cc[0] = kIdCallC;
  cc[6] = 0x0B;
  cc[12] = 9;  // not a call type
  DecodeCallC(cc.data(), c);
  EXPECT_TRUE(c.Marked);
  EXPECT_TRUE(c.Reverb);
  EXPECT_TRUE(c.Social);
  EXPECT_FALSE(c.BuzzCall);
  EXPECT_EQ(c.CallType, tcNoSp);
}

TEST(CallRecords, RoundTripWithClamping) {
  tCall in;
  in.StartTime = 11'999'999;
  in.Number = 32767;
  in.FlightN = 111;
  in.HmicScore = 300;  // clamped to 255
  in.MinSlopeKHZ = 41;
  in.MaxIPIriseKHZ = 60;
  in.Duration100Musecs = 56;
  in.Fav = 47;
  in.Fmin = 44;
  in.Fmax = 90;
  in.Fstart = 90;
  in.Fend = 45;
  in.RisingIPIindex = -50;  // clamped to -43
  in.Flat1avIPI = 88;
  in.Flat1score = 9;  // clamped to 7
  in.Flat1CF = true;
  in.Flat2avIPI = 85;
  in.Flat2score = 3;
  in.BestFlatIPI = 86;
  in.DBSharp = 20;
  in.UBSharp = 5;
  in.AmpAv = 1000;
  in.Seq = 54321;
  in.nSelOctInCall = 4095;
  in.SpConfidence = 12;
  in.avScore = 14;
  in.Nmissing = 3;
  in.CallType = tcQCF;
  in.SpN = 3;
  in.Sp2N = 4;
  in.Sp3N = 5;
  in.Reverb = true;
  in.Social = true;
  const auto recs = EncodeCall(in);
  tCall out;
  DecodeCallA(recs[0].data(), out);
  DecodeCallB(recs[1].data(), out);
  DecodeCallC(recs[2].data(), out);
  EXPECT_EQ(out.StartTime, in.StartTime);
  EXPECT_EQ(out.Number, 32767);
  EXPECT_EQ(recs[0][4] & 0x80, 0);
  EXPECT_EQ(out.HmicScore, 255);
  EXPECT_EQ(out.Duration100Musecs, 56);
  EXPECT_EQ(out.Frange, 46);
  EXPECT_EQ(out.RisingIPIindex, -43);
  EXPECT_EQ(out.Flat1score, 7);
  EXPECT_EQ(out.Flat1KHZ, 45);
  EXPECT_EQ(out.DBSharp, 15);
  EXPECT_EQ(out.UBSharp, 5);
  EXPECT_EQ(out.Seq, 54321);
  EXPECT_EQ(out.nSelOctInCall, 4095);
  EXPECT_EQ(out.SpConfidence, 12);
  EXPECT_EQ(out.CallType, tcQCF);
  EXPECT_EQ(out.Sp2N, 4);
  EXPECT_EQ(recs[2][6], kFlagReverb | kFlagSocial);
  for (int i = 7; i <= 11; ++i) EXPECT_EQ(recs[2][i], 0);
}

TEST(WaveGroupRecords, ZV2LayoutBits) {
  const Record r = EncodeZV2WaveGroup(0x123456, {1, 2, 3, 4}, {5, 6, 7, 8}, true, true, 0x2ABC, tfMinSlope, 40);
  EXPECT_EQ(r[0], 0x12);
  EXPECT_EQ(r[3], 1);
  EXPECT_EQ(r[4], 5);
  EXPECT_EQ(r[9], 4);
  EXPECT_EQ(r[10], 8);
  EXPECT_EQ(r[13], 0x80 | 0x40 | 0x2A);
  EXPECT_EQ(r[14], 0xBC);
  EXPECT_EQ(r[15], (7 << 5) | 31);
}

}  // namespace
}  // namespace zorvel
