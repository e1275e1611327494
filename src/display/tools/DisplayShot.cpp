// display_shot OUT.png FILE... [--level N] [--at 'dd/mm/yyyy hh:mm:ss'] [--size WxH]
//              [--y-axis freq|period|amp|calltype|battery ...] [--white] [--light] [--temps]
// Renders one screen of the given data files offscreen, for looking at what the painter draws.
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/MinuteMap.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"
#include "display/Navigation.h"
#include "display/TimeMath.h"

namespace {

struct PrintingHost : zorvel::SilentHost {
  void TimedMessage(std::string_view text, int) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
};

bool AxisOf(const std::string& name, zorvel::TYaxisType& out) {
  static const std::pair<const char*, zorvel::TYaxisType> kNames[] = {{"freq", zorvel::tyFreq},
                                                                      {"period", zorvel::tyPeriod},
                                                                      {"amp", zorvel::tySPL},
                                                                      {"calltype", zorvel::tyCallType},
                                                                      {"battery", zorvel::tyBatteryVoltage}};
  for (const auto& [n, t] : kNames)
    if (name == n) {
      out = t;
      return true;
    }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zorvel;
  QGuiApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(
        stderr, "usage: display_shot OUT.png FILE... [--level N] [--at TEXT] [--size WxH] [--y-axis T...]\n");
    return 2;
  }
  const std::string out = argv[1];
  std::vector<std::string> files, axes;
  int level = 7, width = 1200, height = 700;
  std::string at;
  DisplayOptions options;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--level" && i + 1 < argc) {
      level = std::atoi(argv[++i]);
    } else if (a == "--at" && i + 1 < argc) {
      at = argv[++i];
    } else if (a == "--size" && i + 1 < argc) {
      std::sscanf(argv[++i], "%dx%d", &width, &height);
    } else if (a == "--y-axis") {
      while (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0) axes.push_back(argv[++i]);
    } else if (a == "--white") {
      options.WhiteScreen = true;
    } else if (a == "--light") {
      options.ShowLight = true;
    } else if (a == "--temps") {
      options.ShowTemps = options.ShowTempsGrid = true;
    } else if (a == "--features") {
      options.ColourFeatures = true;
    } else if (a == "--grid") {
      options.ShowFreqGridLines = true;
    } else {
      files.push_back(a);
    }
  }
  PopulatePrecalculatedArrays();
  PrintingHost host;
  FileSlots fileSlots;
  for (const std::string& f : files) {
    const int slot = fileSlots.LowestFreeSlot();
    if (slot == 0 || !OpenFileInSlot(fileSlots, f, slot, host, {}).opened) {
      std::fprintf(stderr, "could not open %s\n", f.c_str());
      return 1;
    }
  }
  for (size_t i = 0; i < axes.size() && i < kSlotCount; ++i) {
    TYaxisType t;
    if (!AxisOf(axes[i], t)) {
      std::fprintf(stderr, "unknown y-axis type %s\n", axes[i].c_str());
      return 2;
    }
    fileSlots[static_cast<int>(i) + 1].FileYaxisType = t;
  }
  ViewState view;
  view.DisplayTimeUnit = std::clamp(level, 0, 20);
  ReaderContext reader{host};
  ScreenPainter painter(fileSlots, view, options, reader);
  LayoutInput in;
  in.clientWidth = width;
  in.clientHeight = height;
  painter.Resize(in);
  SetFullRange(view, fileSlots);
  Navigator nav(fileSlots, view, painter, reader, host);
  painter.DrawFrame();
  if (at.empty()) {
    nav.ShowFromStart();
  } else {
    bool clear = false;
    if (!nav.MoveTo(at, false, &clear)) return 1;
  }
  if (!painter.Image().save(QString::fromStdString(out))) {
    std::fprintf(stderr, "could not write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: %s to %s\n", out.c_str(), ScreenTimeText(view.ScreenStart()).c_str(),
              ScreenTimeText(view.DisplayPosition).c_str());
  return 0;
}
