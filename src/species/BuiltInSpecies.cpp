#include "species/BuiltInSpecies.h"

namespace zorvel {

namespace {
constexpr const char* kShortNames[kBuiltInSpeciesCount] = {
    "Unclass", "GHB", "LHB", "CmnPip", "SopPip", "NatPip", "QCF", "FM",
    "Natterer", "Noctule", "Leisler", "Serotine", "LowFreq", "LongEared", "Insect", "Electric"};
constexpr const char* kListCaptions[kBuiltInSpeciesCount] = {
    "Unclassed", "GHB", "LHB", "CmnPip", "SopPip", "NatPip", "QCFsp", "FMSp",
    "Natterer", "Noctule", "Leisler", "Serotine", "LowFreqSp", "LongEared", "Insect", "Electric"};
constexpr int32_t kAllOnes = -1;
}  // namespace

const std::vector<std::string>& BuiltInSpeciesNames() {
  static const std::vector<std::string> names(std::begin(kShortNames), std::end(kShortNames));
  return names;
}

std::string SpeciesListCaption(int i) {
  if (i >= 0 && i < kBuiltInSpeciesCount) return kListCaptions[i];
  return "(" + std::to_string(i) + " unused)";
}

std::string SpeciesNameOrNumber(const TFileRec& slot, int spN) {
  if (spN >= 0 && spN < kSpeciesNameCount && spN <= slot.MaxSpClassN && !slot.SpNames[spN].empty())
    return slot.SpNames[spN];
  return "Sp" + std::to_string(spN);
}

void InitSlotSpeciesNames(FileSlots& slots) {
  for (int i = 1; i <= kSlotCount; ++i) {
    TFileRec& s = slots[i];
    s.SpNames[0] = "unclassed";
    for (int k = 1; k < kSpeciesNameCount; ++k) s.SpNames[k].clear();
    s.MaxSpClassN = 0;
  }
}

bool ApplyBuiltInSpeciesNames(FileSlots& slots, int slot) {
  if (!FileSlots::ValidSlot(slot)) return false;
  TFileRec& s = slots[slot];
  if (s.SpClassifierName != kBuiltInClassifierName) return false;
  s.MaxSpClassN = kBuiltInSpeciesCount - 1;
  const auto& names = BuiltInSpeciesNames();
  for (int k = 0; k < kBuiltInSpeciesCount; ++k) s.SpNames[k] = names[k];
  return true;
}

SpeciesListModel::SpeciesListModel() = default;

void SpeciesListModel::SetSpNumbersFromList() {
  for (int i = 0; i < 8; ++i) {
    uint32_t word = 0xFFFFFFFFu;
    for (int j = 0; j < 32; ++j)
      if (!checked_[32 * i + j]) word &= ~(1u << j);
    mask_[i] = static_cast<int32_t>(word);
  }
}

void SpeciesListModel::ApplySpNumbersToList() {
  checked_.fill(true);
  for (int i = 0; i < 8; ++i) {
    if (mask_[i] == kAllOnes) continue;
    const uint32_t word = static_cast<uint32_t>(mask_[i]);
    for (int j = 0; j < 32; ++j)
      if (!(word & (1u << j))) checked_[32 * i + j] = false;
  }
}

void SpeciesListModel::UseSpListClick(Sender sender, bool checked) {
  if (sender == Sender::UseSpList2) {
    useSpList2_ = checked;
    if (useSpList_ != checked) UseSpListClick(Sender::UseSpList, checked);
    return;
  }
  useSpList_ = checked;
  useSpList2_ = useSpList_;
}

}  // namespace zorvel
