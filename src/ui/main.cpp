// The desktop program. With --screenshot it renders its window into a PNG and exits.
#include <QApplication>
#include <cstdio>
#include <string_view>

#include "ui/MainWindow.h"
#include "ui/Messages.h"
#include "ui/Screenshot.h"

namespace {
// --help and --version print and exit before QApplication exists, so they need no display.
bool AnswersOwnOption(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
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
  const bool screenshot = IsScreenshotCommand(argc, argv);
  // A screenshot needs no display: draw off screen unless told otherwise.
  if (screenshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zorvel"));
  const QStringList parameters = QApplication::arguments().mid(1);

  if (screenshot) {
    QString error;
    const auto options = ParseScreenshotOptions(parameters, &error);
    if (!options) {
      std::fprintf(stderr, "zorvel: %s\n", qPrintable(error));
      return 2;
    }
    return RunScreenshot(*options);
  }

  // "--open FILE..." opens the files at start; any other parameters are one file name, split
  // where it had spaces, that the open dialogs propose.
  const bool openAtStart = !parameters.isEmpty() && parameters.front() == QLatin1String("--open");
  StartupOptions startup;
  if (!openAtStart) startup.parameters = parameters;
  TB window(startup);
  window.show();
  if (openAtStart) window.OpenUnrelatedFiles(parameters.mid(1));
  window.FinishStartup();
  return QApplication::exec();
}
