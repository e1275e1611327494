#include "core/SunTimes.h"

#include <cmath>

namespace zorvel {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;
// Julian date of minute number 0 (1899-12-30 00:00 UTC) and of the J2000.0 epoch.
constexpr double kJdOfMinuteZero = 2415018.5;
constexpr double kJdJ2000 = 2451545.0;

double Wrap360(double deg) {
  deg = std::fmod(deg, 360.0);
  return deg < 0 ? deg + 360.0 : deg;
}

struct SunPosition {
  double declination;         // degrees
  double equationOfTimeDays;  // apparent minus mean solar time, in days
};

// The almanac offices' low-precision solar coordinates: good to about one arc minute for
// centuries around 2000, which is a few seconds of time at a sunset.
SunPosition PositionAt(double jd) {
  const double d = jd - kJdJ2000;
  const double g = Wrap360(357.529 + 0.98560028 * d) * kRad;  // mean anomaly
  const double q = Wrap360(280.459 + 0.98564736 * d);         // mean longitude, degrees
  const double l = (q + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g)) * kRad;
  const double e = (23.439 - 0.00000036 * d) * kRad;  // obliquity of the ecliptic
  const double ra = Wrap360(std::atan2(std::cos(e) * std::sin(l), std::cos(l)) / kRad);
  double eqt = q - ra;  // degrees; bring into (-180, 180]
  eqt = std::fmod(eqt + 540.0, 360.0) - 180.0;
  return {std::asin(std::sin(e) * std::sin(l)) / kRad, eqt / 360.0};
}

}  // namespace

std::optional<double> SunEventMinute(int64_t localDay, double latitude, double longitude,
                                     int utcOffsetMinutes, double zenith, bool rising) {
  if (!std::isfinite(latitude) || !std::isfinite(longitude) || std::fabs(latitude) > 90.0)
    return std::nullopt;
  // The day's local mean noon at this longitude; the sun's transit and the event follow from it.
  // The position is taken again at the event itself, since the declination moves during the day.
  const double meanNoon = kJdOfMinuteZero + static_cast<double>(localDay) + 0.5 - longitude / 360.0;
  const double sinPhi = std::sin(latitude * kRad), cosPhi = std::cos(latitude * kRad);
  double jd = meanNoon + (rising ? -0.25 : 0.25);
  bool reached = false;
  for (int i = 0; i < 5; ++i) {
    const SunPosition p = PositionAt(jd);
    const double dec = p.declination * kRad;
    const double denominator = std::cos(dec) * cosPhi;
    if (std::fabs(denominator) < 1e-12) return std::nullopt;
    const double cosH = (std::cos(zenith * kRad) - std::sin(dec) * sinPhi) / denominator;
    if (cosH > 1.0 || cosH < -1.0) {
      reached = false;
      // The first guess sits a quarter day off the event; near the polar limits the event day
      // itself decides, so keep refining from the transit rather than giving up at once.
      jd = meanNoon - p.equationOfTimeDays;
      continue;
    }
    reached = true;
    const double hourAngleDays = std::acos(cosH) / kRad / 360.0;
    const double transit = meanNoon - p.equationOfTimeDays;
    jd = rising ? transit - hourAngleDays : transit + hourAngleDays;
  }
  if (!reached) return std::nullopt;
  return (jd - kJdOfMinuteZero) * 1440.0 + utcOffsetMinutes;
}

SunEvents NightSunEvents(int32_t eveningDayMinute, double latitude, double longitude, int utcOffsetMinutes) {
  const int64_t day = eveningDayMinute >= 0 ? eveningDayMinute / 1440 : (eveningDayMinute - 1439) / 1440;
  SunEvents ev;
  ev.sunset = SunEventMinute(day, latitude, longitude, utcOffsetMinutes, kSunsetZenith, false);
  ev.sunrise = SunEventMinute(day + 1, latitude, longitude, utcOffsetMinutes, kSunsetZenith, true);
  ev.dusk = SunEventMinute(day, latitude, longitude, utcOffsetMinutes, kCivilZenith, false);
  ev.dawn = SunEventMinute(day + 1, latitude, longitude, utcOffsetMinutes, kCivilZenith, true);
  return ev;
}

}  // namespace zorvel
