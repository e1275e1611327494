#include "filters/RangeEdits.h"

#include <charconv>

namespace zorvel {

namespace {
constexpr RangeEditInfo kInfo[kRangeEditCount] = {
    {"MinDuration100MusecEdit", "0", "0", 0},   {"MaxDuration100MusecEdit", "9999", "9999", 9999},
    {"MinCallQEdit", "0", "0", 0},              {"MaxCallQEdit", "25", "25", 25},
    {"MinAvSPLEdit", "1", "1", 0},              {"MaxAvSPLEdit", "9999", "9999", 9999},
    {"MinMaxCallKHZEdit", "0", "0", 0},         {"MaxMaxCallKHZEdit", "333", "333", 255},
    {"MinMinCallKHZEdit", "0", "0", 0},         {"MaxMinCallKHZEdit", "333", "333", 255},
    {"MinCallMedianKHZEdit", "0", "0", 0},      {"MaxCallMedianKHZEdit", "333", "333", 255},
    {"MinFlatKHZEdit", "0", "0", 0},            {"MaxFlatKHZEdit", "333", "333", 255},
    {"MinSlopeKHZedit", "0", "0", 0},           {"MaxSlopeKHZedit", "333", "333", 255},
    {"MinBendUpKhzEdit", "0", "0", 0},          {"MaxBendUpKhzEdit", "333", "333", 255},
    {"MinBendDownKhzEdit", "0", "0", 0},        {"MaxBendDownKhzEdit", "333", "333", 255},
    {"MinOctKHZedit", "0", "0", 0},             {"MaxOctKHZedit", "333", "333", 255},
    {"MinOctSPLEdit", "0", "0", 0},             {"MaxOctSPLEdit", "9999", "9999", 9999},
    {"MinOctQEdit", "0", "0", 0},               {"MaxOctQedit", "24", "25", 25},
};
}  // namespace

const RangeEditInfo& InfoOf(RangeEdit e) { return kInfo[static_cast<size_t>(e)]; }

std::optional<int32_t> ParseWholeNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  int32_t v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

RangeValues::RangeValues() {
  for (int i = 0; i < kRangeEditCount; ++i) SetText(static_cast<RangeEdit>(i), kInfo[i].initialText);
}

void RangeValues::SetText(RangeEdit e, std::string_view text) {
  texts_[Index(e)] = std::string(text);
  values_[Index(e)] = ParseWholeNumber(text).value_or(InfoOf(e).fallback);
}

}  // namespace zorvel
