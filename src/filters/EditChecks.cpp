#include "filters/EditChecks.h"

#include "filters/Messages.h"

namespace zorvel {

std::string RangeEditProblem(RangeEdit, std::string_view text) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return {};
  const auto v = ParseWholeNumber(text);
  if (!v)
    return "'" + std::string(text.substr(0, msg::kShownTextLength)) + std::string(msg::kNotAWholeNumber);
  if (*v < 0) return "'" + std::string(text) + std::string(msg::kNegative);
  return {};
}

std::string MinuteEditProblem(MinuteEdit e, std::string_view text) {
  if (text.find_first_not_of(' ') != std::string_view::npos && !ParseWholeNumber(text))
    return "'" + std::string(text.substr(0, msg::kShownTextLength)) + std::string(msg::kNotAWholeNumber);
  MinuteFilterValues scratch;  // what the edit says when the text is typed into it
  return scratch.SetText(e, text);
}

const std::vector<RangePair>& RangePairs() {
  using E = RangeEdit;
  static const std::vector<RangePair> pairs = [] {
    std::vector<RangePair> p;
    // The edits come in lower, upper order.
    for (int i = 0; i + 1 < kRangeEditCount; i += 2) p.push_back({static_cast<E>(i), static_cast<E>(i + 1)});
    return p;
  }();
  return pairs;
}

std::vector<std::string> FilterPairProblems(const FilterSettings& f) {
  std::vector<std::string> out;
  const auto above = [&out](std::string_view lower, int32_t lo, std::string_view upper, int32_t hi) {
    if (lo > hi)
      out.push_back(std::string(lower) + " " + std::to_string(lo) + std::string(msg::kIsAbove) +
                    std::string(upper) + " " + std::to_string(hi));
  };
  for (const RangePair& p : RangePairs())
    above(InfoOf(p.lower).name, f.ranges.Value(p.lower), InfoOf(p.upper).name, f.ranges.Value(p.upper));
  above(InfoOf(MinuteEdit::MinLightLevelEdit).name, f.minutes.MinLight(),
        InfoOf(MinuteEdit::MaxLightLevelEdit).name, f.minutes.MaxLight());
  above(InfoOf(MinuteEdit::MinMinuteTemperatureEdit).name, f.minutes.MinTemperature(),
        InfoOf(MinuteEdit::MaxMinuteTemperatureEdit).name, f.minutes.MaxTemperature());
  return out;
}

}  // namespace zorvel
