#include "species/BuiltInSpecies.h"

namespace zorvel {

namespace {
constexpr const char* kShortNames[kBuiltInSpeciesCount] = {
    "Unclass",  "GHB",     "LHB",     "CmnPip",   "SopPip",  "NatPip",    "QCF",    "FM",
    "Natterer", "Noctule", "Leisler", "Serotine", "LowFreq", "LongEared", "Insect", "Electric"};
constexpr const char* kListCaptions[kBuiltInSpeciesCount] = {
    "Unclassed", "GHB",     "LHB",     "CmnPip",   "SopPip",    "NatPip",    "QCFsp",  "FMSp",
    "Natterer",  "Noctule", "Leisler", "Serotine", "LowFreqSp", "LongEared", "Insect", "Electric"};
// The names that follow British0's sixteen in the "ZorvelEU1" table (species 16 … 26).
constexpr const char* kEU1Names[kZorvelEU1SpeciesCount - kBuiltInSpeciesCount] = {
    "Daubenton", "WhiskBrandt",  "Bechstein",  "Barbastelle", "Kuhl",      "Myotis",
    "Nyctaloid", "Pipistrellus", "Schreibers", "Social",      "UnknownBat"};
constexpr int32_t kAllOnes = -1;
}  // namespace

std::string_view ClassifierName(SpClassifier c) {
  return c == SpClassifier::ZorvelEU1 ? kZorvelEU1ClassifierName : kBuiltInClassifierName;
}

std::optional<SpClassifier> ClassifierFromName(std::string_view name) {
  if (name == kBuiltInClassifierName) return SpClassifier::British0;
  if (name == kZorvelEU1ClassifierName) return SpClassifier::ZorvelEU1;
  return std::nullopt;
}

const std::vector<std::string>& ZorvelEU1SpeciesNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n = BuiltInSpeciesNames();
    n.insert(n.end(), std::begin(kEU1Names), std::end(kEU1Names));
    return n;
  }();
  return names;
}

const std::vector<std::string>& SpeciesNames(SpClassifier c) {
  return c == SpClassifier::ZorvelEU1 ? ZorvelEU1SpeciesNames() : BuiltInSpeciesNames();
}

const std::vector<std::string>& BuiltInSpeciesNames() {
  static const std::vector<std::string> names(std::begin(kShortNames), std::end(kShortNames));
  return names;
}

std::string SpeciesListCaption(int i, SpClassifier c) {
  if (i >= 0 && i < kBuiltInSpeciesCount) return kListCaptions[i];
  if (c == SpClassifier::ZorvelEU1 && i >= kBuiltInSpeciesCount && i < kZorvelEU1SpeciesCount)
    return kEU1Names[i - kBuiltInSpeciesCount];
  return "(" + std::to_string(i) + " unused)";
}

std::string SpeciesNameOrNumber(const TFileRec& slot, int spN) {
  if (spN >= 0 && spN < kSpeciesNameCount && spN <= slot.MaxSpClassN && !slot.SpNames[spN].empty())
    return slot.SpNames[spN];
  return SpeciesNumberText(spN);
}

std::string SpeciesNumberText(int spN) { return "Sp" + std::to_string(spN); }

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
  const std::optional<SpClassifier> c = ClassifierFromName(s.SpClassifierName);
  if (!c) return false;
  const auto& names = SpeciesNames(*c);
  s.MaxSpClassN = static_cast<int>(names.size()) - 1;
  for (size_t k = 0; k < names.size(); ++k) s.SpNames[k] = names[k];
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
