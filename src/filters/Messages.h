// Every text that the filters show or write, in one place.
#pragma once

#include <cstddef>
#include <string_view>

namespace zorvel::msg {

inline constexpr std::string_view kBuzzStates[3] = {"* buzz calls included *", "* buzz calls excluded *",
                                                    "* buzz calls only *"};
inline constexpr std::string_view kMarkStates[3] = {"* marked calls included *", "* marked calls excluded *",
                                                    "* marked calls only *"};
inline constexpr std::string_view kSocialStates[3] = {"* social calls included *", "* social calls excluded *",
                                                      "* social calls only *"};
inline constexpr std::string_view kIgnoreFiltersLbl = "ignore all filters (F4)          ";
inline constexpr std::string_view kClearAllFiltersBtn = "^^^^        Clear  all  filters  above";
inline constexpr std::string_view kClearTimeAndLightBtn = " Clear time and light filters";
inline constexpr std::string_view kFeatureLegend[7] = {"F  max Fall",  "R  max Rise", "D  Down bend", "U  Up bend",
                                                       "C  CF",        "M  Min slope", "Q  Quasi CF"};
inline constexpr std::string_view kClickFilter = "Click filter: ";
inline constexpr std::string_view kFreqPart = "  Freq: ";
inline constexpr std::string_view kAmplitudePart = "  Amplitude: ";
inline constexpr std::string_view kHoursRange = "Hours must in the range 0 to 23";
inline constexpr std::string_view kMinutesRange = "Minutes must in the range 0 to 59";
inline constexpr std::string_view kNotAWholeNumber = "' is not a valid integer value";
// Our own: values no edit can mean. A long text is shown only as far as its first characters.
inline constexpr size_t kShownTextLength = 24;
inline constexpr std::string_view kNegative = "' is below 0, which no call or wave-group value is";
inline constexpr std::string_view kIsAbove = " is above ";
// Our own: a sequence pattern that could never match.
inline constexpr std::string_view kSequenceLetters =
    "' is not a sequence: at most 5 of the feature letters F, R, D, U, C, M and Q";
inline constexpr std::string_view kNoFileSelectedShort = "No file selected for action";
inline constexpr std::string_view kChangesWillBeMade1 = "Changes will be made to file ";
inline constexpr std::string_view kChangesWillBeMade2 = "  Do you wish to proceed?";
inline constexpr std::string_view kCompleted = "Completed ";

}  // namespace zorvel::msg
