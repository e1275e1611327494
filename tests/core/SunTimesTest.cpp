// Sun times against a second, independent computation: the equations of the solar calculator
// spreadsheets of the US National Oceanic and Atmospheric Administration (Meeus' algorithms:
// nutation, aberration, eccentricity terms), written out here separately from the almanac
// formulas the program uses, and solved at the moment of the event itself.
#include <gtest/gtest.h>

#include <cmath>

#include "core/SunTimes.h"
#include "core/TimeBase.h"

namespace zorvel {
namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;

// Declination (degrees) and equation of time (minutes) at a Julian date, spreadsheet style.
void NoaaSun(double jd, double& declination, double& eqTimeMinutes) {
  const double t = (jd - 2451545.0) / 36525.0;
  const double l0 = std::fmod(280.46646 + t * (36000.76983 + t * 0.0003032), 360.0);
  const double m = 357.52911 + t * (35999.05029 - 0.0001537 * t);
  const double e = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
  const double c = std::sin(m * kRad) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                   std::sin(2 * m * kRad) * (0.019993 - 0.000101 * t) + std::sin(3 * m * kRad) * 0.000289;
  const double omega = 125.04 - 1934.136 * t;
  const double lambda = l0 + c - 0.00569 - 0.00478 * std::sin(omega * kRad);
  const double eps0 = 23 + (26 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60) / 60;
  const double eps = eps0 + 0.00256 * std::cos(omega * kRad);
  declination = std::asin(std::sin(eps * kRad) * std::sin(lambda * kRad)) / kRad;
  const double y = std::pow(std::tan(eps * kRad / 2), 2);
  eqTimeMinutes = 4 / kRad *
                  (y * std::sin(2 * l0 * kRad) - 2 * e * std::sin(m * kRad) +
                   4 * e * y * std::sin(m * kRad) * std::cos(2 * l0 * kRad) -
                   0.5 * y * y * std::sin(4 * l0 * kRad) - 1.25 * e * e * std::sin(2 * m * kRad));
}

// Local clock time of the event on a date, hours after local midnight; NaN when never reached.
double NoaaEvent(int y, int mo, int d, double lat, double lon, double tzHours, double zenith, bool rising) {
  const double jdMidnightLocal = 2415018.5 + static_cast<double>(DaysFromCivil(y, mo, d)) - tzHours / 24;
  double minutes = rising ? 360 : 1080;  // local clock minutes
  for (int i = 0; i < 6; ++i) {
    double dec = 0, eqt = 0;
    NoaaSun(jdMidnightLocal + minutes / 1440, dec, eqt);
    const double cosH = std::cos(zenith * kRad) / (std::cos(lat * kRad) * std::cos(dec * kRad)) -
                        std::tan(lat * kRad) * std::tan(dec * kRad);
    if (std::fabs(cosH) > 1) return NAN;
    const double ha = std::acos(cosH) / kRad;
    const double noon = 720 - 4 * lon - eqt + tzHours * 60;
    minutes = rising ? noon - 4 * ha : noon + 4 * ha;
  }
  return minutes / 60;
}

struct Site {
  const char* name;
  double lat, lon;
  int y, mo, d;
  int offsetMin;
};

// Local clock hours of a minute number on the evening's date (next morning's events exceed 24).
double HoursFromEveningMidnight(double minute, int y, int mo, int d) {
  return (minute - static_cast<double>(*MinuteNumber(y, mo, d, 0, 0))) / 60.0;
}

TEST(SunTimes, AgreeWithIndependentCalculationWithinAMinute) {
  const Site sites[] = {
      {"London June", 51.5, -0.13, 2026, 6, 21, 60},
      {"London December", 51.5, -0.13, 2026, 12, 21, 0},
      {"Helsinki June", 60.17, 24.94, 2026, 6, 21, 180},
      {"Helsinki December", 60.17, 24.94, 2026, 12, 21, 120},
      {"Tromso March", 69.65, 18.96, 2026, 3, 20, 60},
      {"Tromso October", 69.65, 18.96, 2026, 10, 10, 120},
      {"36 N April", 36.0, -5.6, 2026, 4, 15, 120},
      {"36 N east", 36.0, 139.0, 2026, 8, 1, 540},
      {"Sydney January", -33.87, 151.21, 2027, 1, 5, 660},
      {"34 S July", -34.0, 18.47, 2026, 7, 1, 120},
      {"west of date line", 21.3, -157.86, 2026, 9, 30, -600},
  };
  for (const Site& s : sites) {
    SCOPED_TRACE(s.name);
    const SunEvents ev = NightSunEvents(*MinuteNumber(s.y, s.mo, s.d, 15, 7), s.lat, s.lon, s.offsetMin);
    const double tz = s.offsetMin / 60.0;
    const CivilDate next = CivilFromDays(DaysFromCivil(s.y, s.mo, s.d) + 1);
    const double expectSet = NoaaEvent(s.y, s.mo, s.d, s.lat, s.lon, tz, 90.833, false);
    const double expectRise = 24 + NoaaEvent(next.year, next.month, next.day, s.lat, s.lon, tz, 90.833, true);
    const double expectDusk = NoaaEvent(s.y, s.mo, s.d, s.lat, s.lon, tz, 96, false);
    const double expectDawn = 24 + NoaaEvent(next.year, next.month, next.day, s.lat, s.lon, tz, 96, true);
    ASSERT_TRUE(ev.sunset && ev.sunrise && ev.dusk && ev.dawn);
    EXPECT_NEAR(HoursFromEveningMidnight(*ev.sunset, s.y, s.mo, s.d), expectSet, 1.0 / 60);
    EXPECT_NEAR(HoursFromEveningMidnight(*ev.sunrise, s.y, s.mo, s.d), expectRise, 1.0 / 60);
    EXPECT_NEAR(HoursFromEveningMidnight(*ev.dusk, s.y, s.mo, s.d), expectDusk, 1.0 / 60);
    EXPECT_NEAR(HoursFromEveningMidnight(*ev.dawn, s.y, s.mo, s.d), expectDawn, 1.0 / 60);
    EXPECT_LT(*ev.dusk - *ev.sunset, 120);  // twilight follows sunset
    EXPECT_GT(*ev.dusk, *ev.sunset);
    EXPECT_LT(*ev.dawn, *ev.sunrise);
  }
}

// Both calculations could share a wrong sign of longitude or offset; these are the rough times
// anyone living there knows (midsummer sunset in London a little after 21:15 summer time, in
// Sydney a little after 20:00 daylight time).
TEST(SunTimes, RoughlyWhereResidentsExpectThem) {
  const SunEvents london = NightSunEvents(*MinuteNumber(2026, 6, 21, 0, 0), 51.5, -0.13, 60);
  EXPECT_NEAR(HoursFromEveningMidnight(*london.sunset, 2026, 6, 21), 21.3, 0.15);
  EXPECT_NEAR(HoursFromEveningMidnight(*london.sunrise, 2026, 6, 21) - 24, 4.75, 0.15);
  const SunEvents sydney = NightSunEvents(*MinuteNumber(2026, 12, 21, 0, 0), -33.87, 151.21, 660);
  EXPECT_NEAR(HoursFromEveningMidnight(*sydney.sunset, 2026, 12, 21), 20.1, 0.15);
}

TEST(SunTimes, PolarDayAndNightGiveNoEvent) {
  // Tromso: the sun stays up at midsummer, and does not rise at midwinter, when civil twilight
  // still comes around noon.
  const SunEvents june = NightSunEvents(*MinuteNumber(2026, 6, 21, 12, 0), 69.6, 18.96, 120);
  EXPECT_FALSE(june.sunset);
  EXPECT_FALSE(june.sunrise);
  EXPECT_FALSE(june.dusk);
  EXPECT_FALSE(june.dawn);
  const SunEvents december = NightSunEvents(*MinuteNumber(2026, 12, 21, 12, 0), 69.6, 18.96, 60);
  EXPECT_FALSE(december.sunset);
  EXPECT_FALSE(december.sunrise);
  ASSERT_TRUE(december.dusk && december.dawn);
  EXPECT_NEAR(HoursFromEveningMidnight(*december.dusk, 2026, 12, 21),
              NoaaEvent(2026, 12, 21, 69.6, 18.96, 1, 96, false), 1.0 / 60);
  // White nights in Finland: sunset and sunrise, but no civil dusk at 62.5 N at midsummer.
  const SunEvents white = NightSunEvents(*MinuteNumber(2026, 6, 21, 12, 0), 62.5, 25.0, 180);
  EXPECT_TRUE(white.sunset && white.sunrise);
  EXPECT_FALSE(white.dusk);
  EXPECT_FALSE(white.dawn);
  EXPECT_FALSE(NightSunEvents(0, NAN, 0, 0).sunset);
  EXPECT_FALSE(NightSunEvents(0, 91, 0, 0).sunset);
}

TEST(SunTimes, OffsetShiftsTheClockOnly) {
  const int32_t day = *MinuteNumber(2026, 5, 1, 0, 0);
  const SunEvents utc = NightSunEvents(day, 48.0, 11.5, 0);
  const SunEvents cest = NightSunEvents(day, 48.0, 11.5, 120);
  EXPECT_NEAR(*cest.sunset - *utc.sunset, 120, 1e-9);
  EXPECT_NEAR(*cest.sunrise - *utc.sunrise, 120, 1e-9);
}

}  // namespace
}  // namespace zorvel
