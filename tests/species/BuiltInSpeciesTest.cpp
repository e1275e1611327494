#include <gtest/gtest.h>

#include "species/BuiltInSpecies.h"

namespace zorvel {
namespace {

TEST(SpeciesTable, NamesAndCaptions) {
  ASSERT_EQ(BuiltInSpeciesNames().size(), 16u);
  EXPECT_EQ(BuiltInSpeciesNames()[6], "QCF");
  EXPECT_EQ(SpeciesListCaption(6), "QCFsp");
  EXPECT_EQ(SpeciesListCaption(0), "Unclassed");
  EXPECT_EQ(SpeciesListCaption(16), "(16 unused)");
  EXPECT_EQ(SpeciesListCaption(255), "(255 unused)");
}

TEST(SpeciesTable, BuiltInNamesOnlyForTheExactClassifierName) {
  FileSlots slots;
  InitSlotSpeciesNames(slots);
  EXPECT_EQ(slots[2].SpNames[0], "unclassed");
  for (const char* name : {"british0", "British0 ", "British"}) {
    slots[2].SpClassifierName = name;
    EXPECT_FALSE(ApplyBuiltInSpeciesNames(slots, 2)) << name;
    EXPECT_EQ(slots[2].MaxSpClassN, 0);
  }
  slots[2].SpClassifierName = "British0";
  EXPECT_TRUE(ApplyBuiltInSpeciesNames(slots, 2));
  EXPECT_EQ(slots[2].MaxSpClassN, 15);
  EXPECT_EQ(slots[2].SpNames[3], "CmnPip");
  EXPECT_EQ(SpeciesNameOrNumber(slots[2], 3), "CmnPip");
  EXPECT_EQ(SpeciesNameOrNumber(slots[2], 200), "Sp200");

  // Closing empties names 1 … MaxSpClassN but keeps entry 0 and the count.
  slots[2].Open = true;
  slots[2].ResetToVacant(2);
  EXPECT_EQ(slots[2].SpNames[0], "Unclass");
  EXPECT_EQ(slots[2].SpNames[3], "");
  EXPECT_EQ(slots[2].MaxSpClassN, 15);
  EXPECT_EQ(slots[2].SpClassifierName, "");
}

TEST(SpeciesList, CopyAndRestoreThroughTheMask) {
  SpeciesListModel m;
  m.ApplySpNumbersToList();  // the mask starts as zeros: restore unchecks everything
  for (int i = 0; i < 256; ++i) ASSERT_FALSE(m.Checked(i));

  m.SetAll(false);
  m.SetSpNumbersFromList();
  m.SetAll(true);
  m.ApplySpNumbersToList();
  for (int i = 0; i < 256; ++i) ASSERT_FALSE(m.Checked(i));

  SpeciesMask mask{};
  mask[3] = -1;
  m.SetMask(mask);
  m.ApplySpNumbersToList();
  for (int i = 0; i < 256; ++i) ASSERT_EQ(m.Checked(i), i >= 96 && i <= 127) << i;

  m.SetAll(false);
  m.SetChecked(0, true);
  m.SetChecked(33, true);
  m.SetChecked(255, true);
  m.SetSpNumbersFromList();
  EXPECT_EQ(m.Mask()[0], 1);
  EXPECT_EQ(m.Mask()[1], 2);
  EXPECT_EQ(m.Mask()[7], static_cast<int32_t>(0x80000000u));
}

TEST(SpeciesList, TheTwoUseBoxesFollowEachOther) {
  SpeciesListModel m;
  EXPECT_TRUE(m.CallTypeBoxesEnabled());
  EXPECT_FALSE(m.SpListEnabled());
  m.UseSpListClick(SpeciesListModel::Sender::UseSpList2, true);
  EXPECT_TRUE(m.UseSpList());
  EXPECT_TRUE(m.SpListEnabled());
  EXPECT_FALSE(m.CallTypeBoxesEnabled());
  m.UseSpListClick(SpeciesListModel::Sender::UseSpList, false);
  EXPECT_FALSE(m.UseSpList2());
  EXPECT_TRUE(m.CallTypeBoxesEnabled());
}

}  // namespace
}  // namespace zorvel
