// Sums and differences of moments, and the texts that name a moment on screen.
//
// The carry rules are deliberately loose: a tick field of exactly 12,000,000 is left alone, and
// only a field above that carries whole minutes. Screens, spans and the pointer read-out all go
// through these two functions so that they agree to the tick.
#pragma once

#include <optional>
#include <string>

#include "core/Records.h"

namespace zorvel {

// A + B, with negative parts counted as 0.
TRecTime AddTime(TRecTime a, TRecTime b);
// A − B; a negative tick difference borrows minutes.
TRecTime SubTime(TRecTime a, TRecTime b);
// The moment `ticks` later, with whole minutes carried out of the tick field.
TRecTime AddTicks(TRecTime t, int64_t ticks);

// "2026m12d8 9:5 17s": screen start and end captions.
std::string ScreenTimeText(TRecTime t);
// "8/12/2026 09:05": a minute number alone.
std::string MinuteAloneText(int32_t mn);
// "08/12/2026 09:05:17.000005". With trimZeros the trailing zeros of the microseconds go (one
// digit is always kept); leadingQuote puts "'" in front, as exports do.
std::string GoToText(TRecTime t, bool trimZeros = false, bool leadingQuote = false);

// Reads a go-to text (day/month/year hour:minute[:seconds[.fraction]]). Absent when the date or
// time does not exist or the text is not of that form.
std::optional<TRecTime> ParseGoToText(const std::string& text);

// The minute-number translator: the date-time text of a typed minute number, empty when the
// text is not a number.
std::string TranslateMinuteNumber(const std::string& text);

}  // namespace zorvel
