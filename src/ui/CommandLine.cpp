#include "ui/CommandLine.h"

#include <QFileInfo>
#include <cstring>

namespace zorvel::ui {

int OptionArgumentCount(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--") == 0) return i;
  return argc;
}

QStringList ArgumentsAfterOptions(int argc, char** argv) {
  QStringList files;
  for (int i = OptionArgumentCount(argc, argv) + 1; i < argc; ++i) files << QString::fromLocal8Bit(argv[i]);
  return files;
}

StartFiles FilesOfParameters(const QStringList& parameters, const QStringList& afterOptions) {
  StartFiles out;
  QStringList names;
  for (const QString& p : parameters) {
    if (p.startsWith(QLatin1Char('-')) && p.size() > 1) {
      out.unknown = p;
      return out;
    }
    names << p;
  }
  bool allExist = true;
  for (const QString& n : names) allExist = allExist && QFileInfo::exists(n);
  const QString joined = names.join(QLatin1Char(' '));
  if (names.size() > 1 && !allExist && QFileInfo::exists(joined))
    out.open << joined;
  else
    out.open << names;
  out.open << afterOptions;
  return out;
}

}  // namespace zorvel::ui
