// A display over real slots: files written to a temporary folder, opened, laid out and drawn.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SlotFiles.h"
#include "display/Navigation.h"
#include "display/Samples.h"
#include "support/RecordingHost.h"

namespace zorvel::testing {

constexpr int32_t kFirstMin = 55'000'000;

class DisplayFixture : public ::testing::Test {
 protected:
  TempDir dir{"display"};
  FileSlots fileSlots;
  RecordingHost host;
  ViewState view;
  DisplayOptions options;
  ReaderContext reader{host};
  ScreenPainter painter{fileSlots, view, options, reader};
  Navigator nav{fileSlots, view, painter, reader, host};

  // Writes and opens a file of the given minutes in the lowest free slot.
  int Open(const std::string& name, const std::vector<SyntheticMinute>& ms, TYaxisType axis = tyFreq,
           int32_t first = kFirstMin) {
    const std::string path = dir.File(name);
    const bool calls = name.find(".ZV1") == std::string::npos;
    EXPECT_TRUE(WriteDataFile(path, DeploymentHeader(first, static_cast<int>(ms.size()), calls), ms));
    const int slot = fileSlots.LowestFreeSlot();
    EXPECT_TRUE(OpenFileInSlot(fileSlots, path, slot, host, {}).opened);
    fileSlots[slot].FileYaxisType = axis;
    return slot;
  }

  // Lays out a canvas; clientHeight 416 gives a 320-pixel band for one file.
  void Layout(int level, int clientWidth = 1000, int clientHeight = 416) {
    view.DisplayTimeUnit = level;
    LayoutInput in;
    in.clientWidth = clientWidth;
    in.clientHeight = clientHeight;
    painter.Resize(in);
    SetFullRange(view, fileSlots);
  }

  QRgb Pixel(int x, int y) const { return painter.Image().pixel(x, y); }
  static bool IsBlack(QRgb c) { return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0; }
};

// A minute of wave groups of one IPI.
inline SyntheticMinute MinuteOf(std::vector<Record> records, MinuteValues v = {}) {
  SyntheticMinute m;
  v.MinON = true;
  m.values = v;
  m.records = std::move(records);
  return m;
}

}  // namespace zorvel::testing
