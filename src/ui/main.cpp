// The desktop program. With --screenshot it renders its window into a PNG and exits.
#include <QApplication>
#include <cstdio>

#include "ui/MainWindow.h"
#include "ui/Screenshot.h"

int main(int argc, char** argv) {
  using namespace zorvel::ui;
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

  StartupOptions startup;
  startup.parameters = parameters;
  TB window(startup);
  window.show();
  window.FinishStartup();
  return QApplication::exec();
}
