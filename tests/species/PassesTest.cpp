// Grouping a minute's calls into passes, and the ZorvelEU1 species table.
#include <gtest/gtest.h>

#include "species/BuiltInSpecies.h"
#include "species/Passes.h"

namespace zorvel {
namespace {

constexpr int64_t kMs = 200;  // ticks per millisecond

PassCall Call(int64_t ms, int32_t kHz, bool buzz = false) {
  return {ms * kMs, ms * kMs + 5 * kMs, kHz, buzz};
}

TEST(Passes, TwoBatsCallingAtOnceMakeTwoPasses) {
  // A common (≈46 kHz) and a soprano pipistrelle (≈55 kHz) calling in turn, 50 ms apart.
  std::vector<PassCall> calls;
  for (int k = 0; k < 10; ++k) calls.push_back(Call(100 * k, k % 2 ? 55 : 46 + k % 3));
  const std::vector<int> p = GroupIntoPasses(calls);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(p[static_cast<size_t>(k)], k % 2) << k;
}

TEST(Passes, AGapSplitsAPassOnlyWhenLongerThanASecond) {
  const std::vector<int> p =
      GroupIntoPasses({Call(0, 47), Call(100, 47), Call(1100, 48), Call(2101 + 5, 47), Call(2200, 46)});
  EXPECT_EQ(p, (std::vector<int>{0, 0, 0, 1, 1}));
}

TEST(Passes, LoneCallsAndBuzzes) {
  // A lone call is a pass of its own; a buzz joins the pass going on and never starts one.
  const std::vector<int> p = GroupIntoPasses(
      {Call(0, 200, true), Call(10, 83), Call(60, 47), Call(70, 0, true), Call(3000, 30, true)});
  EXPECT_EQ(p, (std::vector<int>{-1, 0, 1, 1, -1}));
  EXPECT_TRUE(GroupIntoPasses({}).empty());
}

TEST(Passes, AFlatEndedCallIsKeyedByItsModeASweepByItsMedian) {
  EXPECT_EQ(PassKeyKHz(47, 52, 45, 70), 47);   // pipistrelle: sweep into a flat tail
  EXPECT_EQ(PassKeyKHz(95, 70, 40, 105), 70);  // Myotis: the mode sits at the top
  EXPECT_EQ(PassKeyKHz(0, 0, 0, 0), 0);
}

TEST(Passes, FiveThousandCallsInAMinute) {
  std::vector<PassCall> calls;
  for (int k = 0; k < 5000; ++k) calls.push_back({k * 2400LL, k * 2400LL, 20 + (k * 7) % 100, k % 50 == 0});
  const std::vector<int> p = GroupIntoPasses(calls);
  ASSERT_EQ(p.size(), calls.size());
  for (int v : p) EXPECT_GE(v, -1);
}

TEST(ZorvelEU1Table, KeepsBritish0sNumbersAndAddsItsOwn) {
  const auto& b = BuiltInSpeciesNames();
  const auto& e = ZorvelEU1SpeciesNames();
  ASSERT_EQ(e.size(), 27u);
  EXPECT_TRUE(std::equal(b.begin(), b.end(), e.begin()));
  EXPECT_EQ(e[eu1::kMyotis], "Myotis");
  EXPECT_EQ(e[eu1::kNyctaloid], "Nyctaloid");
  EXPECT_EQ(e[eu1::kPipistrellus], "Pipistrellus");
  // Appended later: the first 24 numbers keep the names older files were written with.
  const std::vector<std::string> earlier = {
      "Unclass",   "GHB",         "LHB",      "CmnPip",   "SopPip",    "NatPip",
      "QCF",       "FM",          "Natterer", "Noctule",  "Leisler",   "Serotine",
      "LowFreq",   "LongEared",   "Insect",   "Electric", "Daubenton", "WhiskBrandt",
      "Bechstein", "Barbastelle", "Kuhl",     "Myotis",   "Nyctaloid", "Pipistrellus"};
  EXPECT_TRUE(std::equal(earlier.begin(), earlier.end(), e.begin()));
  EXPECT_EQ(eu1::kSchreibers, 24);
  EXPECT_EQ(e[eu1::kSchreibers], "Schreibers");
  EXPECT_EQ(e[eu1::kSocial], "Social");
  EXPECT_EQ(e[eu1::kUnknownBat], "UnknownBat");
  EXPECT_EQ(SpeciesListCaption(eu1::kKuhl, SpClassifier::ZorvelEU1), "Kuhl");
  EXPECT_EQ(SpeciesListCaption(eu1::kKuhl), "(20 unused)");
  EXPECT_EQ(SpeciesListCaption(eu1::kSocial, SpClassifier::ZorvelEU1), "Social");
  EXPECT_EQ(SpeciesListCaption(27, SpClassifier::ZorvelEU1), "(27 unused)");
  EXPECT_EQ(ClassifierFromName("ZorvelEU1"), SpClassifier::ZorvelEU1);
  EXPECT_FALSE(ClassifierFromName("zorvelEU1"));
  EXPECT_EQ(ClassifierName(SpClassifier::ZorvelEU1), "ZorvelEU1");
}

TEST(ZorvelEU1Table, AFileOfEitherClassifierGetsItsOwnNames) {
  FileSlots slots;
  InitSlotSpeciesNames(slots);
  slots[1].SpClassifierName = "ZorvelEU1";
  EXPECT_TRUE(ApplyBuiltInSpeciesNames(slots, 1));
  EXPECT_EQ(slots[1].MaxSpClassN, 26);
  EXPECT_EQ(SpeciesNameOrNumber(slots[1], eu1::kPipistrellus), "Pipistrellus");
  EXPECT_EQ(SpeciesNameOrNumber(slots[1], eu1::kUnknownBat), "UnknownBat");
  EXPECT_EQ(SpeciesNameOrNumber(slots[1], 27), "Sp27");  // beyond the table
  EXPECT_EQ(SpeciesNameOrNumber(slots[1], 255), "Sp255");
  // A British0 file opened afterwards in the same slot does not show ZorvelEU1's names.
  slots[1].Open = true;
  slots[1].ResetToVacant(1);
  slots[1].SpClassifierName = "British0";
  EXPECT_TRUE(ApplyBuiltInSpeciesNames(slots, 1));
  EXPECT_EQ(SpeciesNameOrNumber(slots[1], eu1::kPipistrellus), "Sp23");
  EXPECT_EQ(SpeciesNameOrNumber(slots[1], 3), "CmnPip");
}

}  // namespace
}  // namespace zorvel
