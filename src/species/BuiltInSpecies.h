// The built-in species tables of the classifiers "British0" and "ZorvelEU1", the species names
// of each file slot, and the species list with its 256-bit mask.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileRec.h"

namespace zorvel {

inline constexpr char kBuiltInClassifierName[] = "British0";
inline constexpr char kZorvelEU1ClassifierName[] = "ZorvelEU1";
constexpr int kBuiltInSpeciesCount = 16;
constexpr int kZorvelEU1SpeciesCount = 27;
constexpr int kSpeciesListSize = 256;

// The classifiers the call finder carries. The name is what the ZV2 header's 20-character
// classifier field holds.
enum class SpClassifier { British0, ZorvelEU1 };
std::string_view ClassifierName(SpClassifier c);
// The classifier of an exact (case-sensitive, whole) header name; none for any other text.
std::optional<SpClassifier> ClassifierFromName(std::string_view name);

// Species numbers that only "ZorvelEU1" gives; 0 … 15 mean what they mean for "British0".
// 21 … 23 are groups, for calls that can be placed only to genus or call group. Entries are only
// ever appended, so that the numbers in files made by an earlier ZorvelEU1 keep their names.
namespace eu1 {
enum Species : int32_t {
  kDaubenton = 16,
  kWhiskBrandt = 17,  // whiskered and Brandt's bats, which their calls do not separate
  kBechstein = 18,
  kBarbastelle = 19,
  kKuhl = 20,
  kMyotis = 21,
  kNyctaloid = 22,  // Nyctalus and Eptesicus
  kPipistrellus = 23,
  kSchreibers = 24,  // Schreibers' bent-winged bat (Miniopterus schreibersii)
  kSocial = 25,      // a social call, not an echolocation call of any species
  kUnknownBat = 26   // clearly a bat's calls, fitting no profile of the table
};
}  // namespace eu1

// Short names of species 0 … 15, as files, exports and the display print them.
const std::vector<std::string>& BuiltInSpeciesNames();
// Short names of the "ZorvelEU1" species 0 … 26: British0's sixteen, then its own.
const std::vector<std::string>& ZorvelEU1SpeciesNames();
// The short names of a classifier's table.
const std::vector<std::string>& SpeciesNames(SpClassifier c);

// Caption of species list item i ("Unclassed", "GHB", … "(16 unused)" … "(255 unused)"); with
// "ZorvelEU1" items 16 … 26 carry its names and the unused ones start at 27.
std::string SpeciesListCaption(int i, SpClassifier c = SpClassifier::British0);

// Name of a species number as printed where a name is wanted: the slot's name when it has one,
// otherwise "Sp" followed by the number.
std::string SpeciesNameOrNumber(const TFileRec& slot, int spN);
// A species number that has no name, as it is shown: "Sp30".
std::string SpeciesNumberText(int spN);

// Start-up: every slot's entry 0 reads "unclassed", entries 1 … 255 are empty.
void InitSlotSpeciesNames(FileSlots& slots);

// For a slot whose classifier is exactly "British0" or "ZorvelEU1": the names of that
// classifier's table (0 … 15, or 0 … 26). Any other name leaves the slot's names untouched.
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
