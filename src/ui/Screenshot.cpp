#include "ui/Screenshot.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <cstdio>
#include <cstring>

#include "core/Messages.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/MainWindow.h"
#include "ui/Messages.h"
#include "ui/pages/DisplayPage.h"
#include "ui/pages/GraphsPanel.h"

namespace zorvel::ui {

namespace {
constexpr char kFlag[] = "--screenshot";

void PrintNotice(const QString& text) {
  std::fprintf(stderr, "%s\n", qPrintable(text));
}
}  // namespace

std::optional<TYaxisType> YaxisTypeOfName(const QString& name) {
  static const std::pair<const char*, TYaxisType> kNames[] = {
      {"freq", tyFreq},         {"frequency", tyFreq}, {"period", tyPeriod}, {"amplitude", tySPL},
      {"amp", tySPL},           {"calltype", tyCallType}, {"battery", tyBatteryVoltage}};
  for (const auto& [n, t] : kNames)
    if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0) return t;
  return std::nullopt;
}

bool IsScreenshotCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], kFlag) == 0) return true;
  return false;
}

std::optional<tGraphType> GraphTypeOfName(const QString& name) {
  static const char* const kNames[] = {"diel",      "khzdwell",     "spectrum", "khzmaxe",   "maxkhz",
                                       "minkhz",    "maxslope",     "minslope", "flatkhz",   "bendupkhz",
                                       "benddownkhz", "amplitude", "duration"};
  bool ok = false;
  const int n = name.toInt(&ok);
  if (ok) return n >= 0 && n <= tDuration ? std::optional<tGraphType>(static_cast<tGraphType>(n)) : std::nullopt;
  for (int i = 0; i <= tDuration; ++i)
    if (name.compare(QLatin1String(kNames[i]), Qt::CaseInsensitive) == 0) return static_cast<tGraphType>(i);
  return std::nullopt;
}

std::optional<ScreenshotOptions> ParseScreenshotOptions(const QStringList& parameters, QString* error) {
  ScreenshotOptions o;
  for (qsizetype i = 0; i < parameters.size(); ++i) {
    const QString& a = parameters[i];
    const bool hasValue = i + 1 < parameters.size();
    if (a == QLatin1String(kFlag) && hasValue) {
      o.output = parameters[++i];
    } else if (a == QLatin1String("--size") && hasValue) {
      static const QRegularExpression re(QStringLiteral("^(\\d{2,5})x(\\d{2,5})$"));
      const auto m = re.match(parameters[++i]);
      if (!m.hasMatch()) {
        *error = QString::fromLatin1(msg::kShotSizeWanted);
        return std::nullopt;
      }
      o.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    } else if (a == QLatin1String("--page") && hasValue) {
      o.page = parameters[++i];
    } else if (a == QLatin1String("--level") && hasValue) {
      bool ok = false;
      const int level = parameters[++i].toInt(&ok);
      if (!ok || level < 0 || level > 20) {
        *error = QString::fromLatin1(msg::kShotLevelWanted);
        return std::nullopt;
      }
      o.level = level;
    } else if (a == QLatin1String("--seek")) {
      o.seek = true;
    } else if (a == QLatin1String("--at") && hasValue) {
      o.at = parameters[++i];
    } else if (a == QLatin1String("--y-axis")) {
      while (i + 1 < parameters.size() && !parameters[i + 1].startsWith(QLatin1String("--"))) {
        const QString t = parameters[++i];
        if (!YaxisTypeOfName(t)) {
          *error = QString::fromLatin1(msg::kShotYaxisWanted) + t;
          return std::nullopt;
        }
        o.yAxis << t;
      }
    } else if (a == QLatin1String("--graph") && hasValue) {
      o.graph = GraphTypeOfName(parameters[++i]);
      if (!o.graph) {
        *error = QString::fromLatin1(msg::kShotGraphWanted);
        return std::nullopt;
      }
    } else if (a == QLatin1String("--analyze")) {
      o.analyze = true;
    } else if (a == QLatin1String("--open")) {
      while (i + 1 < parameters.size() && !parameters[i + 1].startsWith(QLatin1String("--")))
        o.open << parameters[++i];
    } else {
      *error = QString::fromLatin1(msg::kShotUnexpected) + a;
      return std::nullopt;
    }
  }
  if (o.output.isEmpty()) {
    *error = QString::fromLatin1(msg::kShotOutputWanted);
    return std::nullopt;
  }
  return o;
}

int RunScreenshot(const ScreenshotOptions& options) {
  StartupOptions startup;
  startup.hooks.showMessage = PrintNotice;
  startup.hooks.timedMessage = [](const QString& text, int) { PrintNotice(text); };
  startup.hooks.ask = [](const QString& question, Buttons) {
    PrintNotice(question + QString::fromLatin1(msg::kShotAnswerNo));
    return Answer::No;
  };
  startup.hooks.openFiles = [](const QString&, const QString&, bool) { return QStringList(); };
  startup.hooks.saveFile = [](const QString&, const QString&, const QString&) { return QString(); };
  startup.checkScreenHeight = false;
  TB window(startup);
  window.resize(options.size);
  window.show();
  // A file that cannot be opened is named (its message goes to standard error) and fails the run,
  // though the picture is still drawn: it shows the window as the person would see it.
  const int failedFiles = window.OpenStartFiles(options.open);
  // Without a page named, a picture of opened files shows the files rather than the menu.
  const bool hideMenu = options.page.isEmpty()
                            ? !options.open.isEmpty()
                            : options.page.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0;
  if (hideMenu) {
    window.SetMenuVisible(false);
  } else if (!options.page.isEmpty()) {
    if (!window.ShowPage(options.page)) {
      PrintNotice(QString::fromLatin1(msg::kShotNoPage) + options.page);
      return 2;
    }
    window.SetMenuVisible(true);
  }
  QCoreApplication::processEvents();
  int axisIndex = 0;
  for (int slot = 1; slot <= kSlotCount && axisIndex < options.yAxis.size(); ++slot)
    if (window.Slots()[slot].Open) window.Slots()[slot].FileYaxisType = *YaxisTypeOfName(options.yAxis[axisIndex++]);
  if (options.level || !options.at.isEmpty() || !options.yAxis.isEmpty() || options.seek) {
    const int level = options.level.value_or(window.Screen().View().DisplayTimeUnit);
    if (!window.Screen().ShowLevelAt(level, options.at.toStdString()) && !options.at.isEmpty()) return 1;
    if (options.seek) {
      window.Screen().View().SeekFile = window.SeekFile();
      window.Screen().Nav().GoOn();
    }
    window.Display->update();
    QCoreApplication::processEvents();
  }
  if (options.graph) {
    for (QComboBox* box : window.DisplayOptions->Graphs->GraphComboBox) box->setCurrentIndex(*options.graph);
    if (!window.Screen().HasScreen()) window.Screen().ShowLevelAt(window.Screen().View().DisplayTimeUnit, "");
    window.ShowFgraphBtnClick();
    QCoreApplication::processEvents();
  }
  if (options.analyze) {
    window.ShowPage(QString::fromLatin1(msg::kPageTitles[msg::kAnalysisPage]));
    window.SetMenuVisible(true);
    window.ReCalcBtnClick();
    QCoreApplication::processEvents();
  }
  // No pointer hovers over an off-screen window: drop the hint a synthetic entry may have left.
  window.MenuLbl->setText(QStringLiteral("  "));
  const QImage image = window.grab().toImage();
  if (!image.save(options.output, "PNG")) {
    PrintNotice(QString::fromLatin1(msg::kShotNotWritten) + options.output);
    return 1;
  }
  if (failedFiles > 0) {
    PrintNotice(QString::number(failedFiles) +
                QString::fromUtf8(zorvel::msg::kOfFiles.data(), zorvel::msg::kOfFiles.size()) +
                QString::number(options.open.size()) +
                QString::fromUtf8(zorvel::msg::kFilesFailed.data(), zorvel::msg::kFilesFailed.size()));
    return 1;
  }
  return 0;
}

}  // namespace zorvel::ui
