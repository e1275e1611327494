// Start-up rules that do not need a window: the screen scale factor, the program's own number
// and date formats, and the file name proposed from the command line.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

namespace zorvel::ui {

// The controls were laid out for a 700-pixel-high design. Screens up to 2000 pixels high (by the
// window's client height) are scaled by M / N with N the screen height and M = N * N / 700
// rounded, at most 2200; client heights 2001 … 3000 are left alone; above 3000 the client height
// is N. The factor is kept for all later drawing.
double ScreenScaleFactor(int screenHeight, int clientHeight);

// Below this screen height the user is warned that the window will not fit.
constexpr int kMinimumScreenHeight = 1000;

// Fixes number and date formats independent of the user's locale: "." as decimal separator,
// no digit grouping, short dates d/m/yyyy, times hh:mm. Also resets the C library's numeric
// locale, which the Qt application object sets from the environment.
void FixProgramFormats();
QString ShortDate(const QDate& d);  // "8/12/2026"
QString ShortTime(const QTime& t);  // "09:05"
QString DecimalText(double value, int decimals);

// A file name with spaces arrives as several parameters: joined again with single spaces.
QString ProposedFileName(const QStringList& parameters);

}  // namespace zorvel::ui
