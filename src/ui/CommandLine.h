// What the desktop program makes of its command line: which parameters Qt may see, which are
// files to open at start, and which are options nobody knows. A file manager hands over every
// chosen file as one parameter, spaces and all; a name that begins with "-" comes after "--"
// (or as ./-name), so that it is never taken for an option, by Qt or by us.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zorvel::ui {

// The number of leading argv entries that are options and files (argv[0] included): all of them
// up to a "--", which ends the options. Only these are shown to Qt, which would otherwise take
// a file called "-reverse" or "-style" for one of its own options.
int OptionArgumentCount(int argc, char** argv);

// Every argv entry after the "--" that ends the options, as file names (none without one).
QStringList ArgumentsAfterOptions(int argc, char** argv);

struct StartFiles {
  QStringList open;  // opened at start, each in the next free slot
  QString unknown;   // an option nobody knows, when not empty
};

// The files of a start without --open: every parameter (after Qt took its own) that is not an
// option, and then every name after "--". Parameters that are the pieces of one existing name
// that a shell split at its spaces become that name again.
StartFiles FilesOfParameters(const QStringList& parameters, const QStringList& afterOptions);

}  // namespace zorvel::ui
