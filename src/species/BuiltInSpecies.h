// The built-in species table of the "British0" classifier, the species names of each file slot,
// and the species list with its 256-bit mask.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/FileRec.h"

namespace zorvel {

inline constexpr char kBuiltInClassifierName[] = "British0";
constexpr int kBuiltInSpeciesCount = 16;
constexpr int kSpeciesListSize = 256;

// Short names of species 0 … 15, as files, exports and the display print them.
const std::vector<std::string>& BuiltInSpeciesNames();

// Caption of species list item i ("Unclassed", "GHB", … "(16 unused)" … "(255 unused)").
std::string SpeciesListCaption(int i);

// Name of a species number as printed where a name is wanted: the slot's name when it has one,
// otherwise "Sp" followed by the number.
std::string SpeciesNameOrNumber(const TFileRec& slot, int spN);

// Start-up: every slot's entry 0 reads "unclassed", entries 1 … 255 are empty.
void InitSlotSpeciesNames(FileSlots& slots);

// For a slot whose classifier is exactly "British0": names 0 … 15 from the built-in table.
bool ApplyBuiltInSpeciesNames(FileSlots& slots, int slot);

// Eight words of 32 bits; bit j of word i stands for species 32 × i + j.
using SpeciesMask = std::array<int32_t, 8>;

// The species list and its companions, as a model the window binds its controls to.
class SpeciesListModel {
 public:
  SpeciesListModel();

  bool Checked(int i) const { return checked_[static_cast<size_t>(i)]; }
  void SetChecked(int i, bool on) { checked_[static_cast<size_t>(i)] = on; }
  void Toggle(int i) { checked_[static_cast<size_t>(i)] = !checked_[static_cast<size_t>(i)]; }
  void SetAll(bool on) { checked_.fill(on); }

  // "Copy": refreshes the mask from the list.
  void SetSpNumbersFromList();
  // "Restore": applies the mask to the list.
  void ApplySpNumbersToList();

  const SpeciesMask& Mask() const { return mask_; }
  void SetMask(const SpeciesMask& m) { mask_ = m; }

  // The two "use this species list" boxes and what they switch.
  bool UseSpList() const { return useSpList_; }
  bool UseSpList2() const { return useSpList2_; }
  enum class Sender { UseSpList, UseSpList2 };
  void UseSpListClick(Sender sender, bool checked);
  bool SpListEnabled() const { return useSpList_; }
  bool CallTypeBoxesEnabled() const { return !useSpList_; }

  bool NoPoorSpecies = false;
  bool FilterSpN1 = true, FilterSpN2 = false, FilterSpN3 = false;

 private:
  std::array<bool, kSpeciesListSize> checked_{};
  SpeciesMask mask_{};
  bool useSpList_ = false;
  bool useSpList2_ = false;
};

}  // namespace zorvel
