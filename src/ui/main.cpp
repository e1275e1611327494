// The desktop program. With --screenshot it renders its window into a PNG and exits.
#include <QApplication>
#include <cstdio>
#include <string_view>

#include "ui/CommandLine.h"
#include "ui/MainWindow.h"
#include "ui/Messages.h"
#include "ui/Screenshot.h"

namespace {
// --help and --version print and exit before QApplication exists, so they need no display.
// Only options count: a file called "--help" after "--" is a file.
bool AnswersOwnOption(int argc, char** argv) {
  for (int i = 1; i < zorvel::ui::OptionArgumentCount(argc, argv); ++i) {
    const std::string_view a = argv[i];
    if (a == "--help" || a == "-h") {
      std::fputs(zorvel::ui::msg::kUsage, stdout);
      return true;
    }
    if (a == "--version") {
      std::printf("%s%s\n", zorvel::ui::msg::kProgramVersionPrefix, ZORVEL_VERSION);
      return true;
    }
  }
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  using namespace zorvel::ui;
  if (AnswersOwnOption(argc, argv)) return 0;
  // Qt sees only the options; the names after "--" are files whatever they look like.
  int optionCount = OptionArgumentCount(argc, argv);
  const QStringList afterOptions = ArgumentsAfterOptions(argc, argv);
  const bool screenshot = IsScreenshotCommand(optionCount, argv);
  // A screenshot needs no display: draw off screen unless told otherwise.
  if (screenshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(optionCount, argv);
  QApplication::setApplicationName(QStringLiteral("Zorvel"));
  const QStringList parameters = QApplication::arguments().mid(1);

  if (screenshot) {
    QString error;
    auto options = ParseScreenshotOptions(parameters, &error);
    if (!options) {
      std::fprintf(stderr, "%s%s\n", msg::kProgramPrefix, qPrintable(error));
      return 2;
    }
    options->open << afterOptions;
    return RunScreenshot(*options);
  }

  // "--open FILE..." opens the files at start. Other parameters are files too (a file manager
  // hands over the files it opens us with), and as one name, split where it had spaces, they are
  // what the open dialogs propose.
  const bool openAtStart = !parameters.isEmpty() && parameters.front() == QLatin1String("--open");
  StartupOptions startup;
  QStringList files;
  if (openAtStart) {
    files = parameters.mid(1) + afterOptions;
  } else {
    const StartFiles start = FilesOfParameters(parameters, afterOptions);
    if (!start.unknown.isEmpty()) {
      std::fprintf(stderr, "%s%s%s\n", msg::kStartUnknownOption1, qPrintable(start.unknown),
                   msg::kStartUnknownOption2);
      return 2;
    }
    files = start.open;
    startup.parameters = parameters;
  }
  TB window(startup);
  window.show();
  window.OpenStartFiles(files);
  window.FinishStartup();
  return QApplication::exec();
}
