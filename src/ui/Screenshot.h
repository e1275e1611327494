// "zorvel --screenshot OUT.png [--open FILE...] [--size WxH] [--page NAME] [--level N]
// [--at 'dd/mm/yyyy hh:mm:ss'] [--seek] [--y-axis TYPE...] [--graph TYPE] [--analyze]": builds the window without a display,
// opens the files, shows the screen asked for, renders the window into a PNG and exits. For demos and
// checks on machines without a screen; nothing waits for a person.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/FileRec.h"

namespace zorvel::ui {

struct ScreenshotOptions {
  QString output;
  QStringList open;
  QSize size{1292, 894};
  // A page title shows the menu on that page; "none" hides the menu; empty keeps the window's
  // own state, except that the menu is hidden when files were opened.
  QString page;
  std::optional<int> level;  // 0 … 20
  QString at;                // the screen ends just after this moment
  bool seek = false;         // then "scroll right" to the next screen the seek file fills
  // One per opened file, in slot order: freq, period, amplitude, calltype, battery.
  QStringList yAxis;
  // Then the file graphs of that screen, every file with this graph type.
  std::optional<tGraphType> graph;
  // The Analysis page after "Analyze" of the first open file.
  bool analyze = false;
};

// The graph type a --graph word names: its number 0 … 12 or its name without the leading "t"
// (diel, khzdwell, spectrum, khzmaxe, maxkhz, minkhz, maxslope, minslope, flatkhz, bendupkhz,
// benddownkhz, amplitude, duration; letter case ignored).
std::optional<tGraphType> GraphTypeOfName(const QString& name);

// The y-axis type a --y-axis word names (letter case ignored).
std::optional<TYaxisType> YaxisTypeOfName(const QString& name);

bool IsScreenshotCommand(int argc, char** argv);
// nullopt with a reason in error when the parameters do not make sense.
std::optional<ScreenshotOptions> ParseScreenshotOptions(const QStringList& parameters, QString* error);
// The process exit code.
int RunScreenshot(const ScreenshotOptions& options);

}  // namespace zorvel::ui
