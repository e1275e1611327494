// The filter range edits: their names, initial, reset and fallback texts, and the parsing of
// what the user types. An edit's value is its text as a whole number, or the fallback.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorvel {

enum class RangeEdit : uint8_t {
  // Call ranges, lower and upper, in the order the call test applies them.
  MinDuration100MusecEdit, MaxDuration100MusecEdit,
  MinCallQEdit, MaxCallQEdit,
  MinAvSPLEdit, MaxAvSPLEdit,
  MinMaxCallKHZEdit, MaxMaxCallKHZEdit,
  MinMinCallKHZEdit, MaxMinCallKHZEdit,
  MinCallMedianKHZEdit, MaxCallMedianKHZEdit,
  MinFlatKHZEdit, MaxFlatKHZEdit,
  MinSlopeKHZedit, MaxSlopeKHZedit,
  MinBendUpKhzEdit, MaxBendUpKhzEdit,
  MinBendDownKhzEdit, MaxBendDownKhzEdit,
  // Wave-group ranges.
  MinOctKHZedit, MaxOctKHZedit,
  MinOctSPLEdit, MaxOctSPLEdit,
  MinOctQEdit, MaxOctQedit,
  Count
};
constexpr int kRangeEditCount = static_cast<int>(RangeEdit::Count);

struct RangeEditInfo {
  std::string_view name;
  std::string_view initialText;
  std::string_view resetText;
  int32_t fallback;
};

const RangeEditInfo& InfoOf(RangeEdit e);

// A whole number (optional sign, surrounding blanks allowed), or nothing.
std::optional<int32_t> ParseWholeNumber(std::string_view text);

// The filter edits' texts and parsed values, as a model the window binds its edits to.
class RangeValues {
 public:
  RangeValues();  // every edit at its initial text
  const std::string& Text(RangeEdit e) const { return texts_[Index(e)]; }
  int32_t Value(RangeEdit e) const { return values_[Index(e)]; }
  // The edit's Change handler: keeps the text and parses it.
  void SetText(RangeEdit e, std::string_view text);
  // The edit's DblClick handler: the reset text, parsed as any change.
  void Reset(RangeEdit e) { SetText(e, InfoOf(e).resetText); }

 private:
  static size_t Index(RangeEdit e) { return static_cast<size_t>(e); }
  std::array<std::string, kRangeEditCount> texts_;
  std::array<int32_t, kRangeEditCount> values_{};
};

}  // namespace zorvel
