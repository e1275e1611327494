// Sunset, sunrise and civil twilight of one night at one place, as minute numbers in the local
// clock of a data file (UTC plus the file's fixed offset).
#pragma once

#include <cstdint>
#include <optional>

namespace zorvel {

// Zenith distances of the events: the sun's upper limb on a sea-level horizon (refraction and
// semi-diameter included), and the sun's centre 6 degrees below the horizon.
inline constexpr double kSunsetZenith = 90.833;
inline constexpr double kCivilZenith = 96.0;

struct SunEvents {  // minute numbers (with the fraction of the minute), local time of the given UTC offset
  std::optional<double> sunset, sunrise;  // the evening's sunset, the next morning's sunrise
  std::optional<double> dusk, dawn;       // civil dusk that evening, civil dawn the next morning
};

// The night that begins on the evening of the day holding `eveningDayMinute` (any minute of that
// local day) at latitude/longitude in degrees (north and east positive), for a file whose local
// time is UTC + utcOffsetMinutes. An event the sun does not reach that day (polar day or night,
// white nights for twilight) is empty.
SunEvents NightSunEvents(int32_t eveningDayMinute, double latitude, double longitude, int utcOffsetMinutes);

// One event: the moment on local day `localDay` (days since 1899-12-30) when the sun's centre
// crosses `zenith` degrees, rising in the morning or setting in the evening; as a minute number.
std::optional<double> SunEventMinute(int64_t localDay, double latitude, double longitude,
                                     int utcOffsetMinutes, double zenith, bool rising);

}  // namespace zorvel
