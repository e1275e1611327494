#include "core/FileRec.h"

namespace zorvel {

const std::array<uint8_t, kKhzCalibEntries>& DefaultKHZcalib() {
  static const std::array<uint8_t, kKhzCalibEntries> table = [] {
    std::array<uint8_t, kKhzCalibEntries> t{};
    constexpr uint8_t first[51] = {1,  1,  1,  1,  2,  3,  4,  5,  6,  250, 158, 199, 164, 98, 53, 42, 33,
                                   26, 18, 15, 12, 8,  6,  5,  4,  4,  3,   3,   3,   3,   3,  3,  3,  4,
                                   4,  4,  7,  10, 9,  8,  9,  8,  6,  6,   7,   9,   8,   7,  8,  6,  5};
    for (int i = 0; i < kKhzCalibEntries; ++i) t[i] = i < 51 ? first[i] : 4;
    return t;
  }();
  return table;
}

std::string VacantFileLabel(int slot) { return "(File " + std::to_string(slot) + " - vacant)"; }

void TFileRec::ResetToVacant(int slotNumber) {
  std::array<std::string, kSpeciesNameCount> names = std::move(SpNames);
  const int32_t maxSp = MaxSpClassN;
  *this = TFileRec{};
  SpNames = std::move(names);
  MaxSpClassN = maxSp;
  for (int i = 1; i <= maxSp && i < kSpeciesNameCount; ++i) SpNames[i].clear();
  FileLbl = VacantFileLabel(slotNumber);
}

FileSlots::FileSlots() {
  for (int i = 1; i <= kSlotCount; ++i) (*this)[i].ResetToVacant(i);
}

int FileSlots::OpenCount() const {
  int n = 0;
  for (const auto& s : slots_) n += s.Open ? 1 : 0;
  return n;
}

int FileSlots::LowestFreeSlot() const {
  for (int i = 1; i <= kSlotCount; ++i)
    if (!(*this)[i].Open) return i;
  return 0;
}

int FileSlots::LowestOpenSlot() const {
  for (int i = 1; i <= kSlotCount; ++i)
    if ((*this)[i].Open) return i;
  return 0;
}

}  // namespace zorvel
