// Draws one screen of the display into a QImage the size of the window's client area: the
// frame (axis titles, y labels), the ruler, and the bands of the open files at high resolution
// (every wave group and call) or low resolution (3-pixel columns of counts and traces).
//
// The fileSlots must have been positioned at the screen's start (MoveAllFilePosn); each slot's
// current record is the first one drawn. After a draw every slot sits on the first record after
// the screen, which is where "scroll right" without a seek file continues.
#pragma once

#include <QImage>
#include <functional>
#include <string>

#include "core/FileRec.h"
#include "core/RecordReader.h"
#include "display/DisplayOptions.h"
#include "display/PasteLists.h"
#include "display/ViewState.h"

namespace zorvel {

class ScreenPainter {
 public:
  ScreenPainter(FileSlots& fileSlots, ViewState& view, DisplayOptions& options, ReaderContext& reader)
      : fileSlots_(fileSlots),
        view_(view),
        options_(options),
        reader_(reader),
        image_(1, 1, QImage::Format_RGB32) {}

  // Lays out the plot and bands for the canvas size and makes the image that size.
  void Resize(const LayoutInput& in);

  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }
  DisplayOptions& Options() { return options_; }
  Scales CurrentScales() const { return ComputeScales(view_.SlotHeight, options_.scales); }

  void DrawFrame();    // white margins, y labels, axis titles
  void DrawRuler();    // time ruler under the plot
  void ClearPlot();    // the plot in its background colour
  void DrawHighRes();  // one high-resolution screen; sets DisplayPosition to its end
  void DrawLowRes();   // one low-resolution screen; sets DisplayPosition to its end

  // Called now and then while a low-resolution screen is drawn, so that the window can repaint
  // and take a Stop; may be empty.
  std::function<void()> onProgress;

  // Low-resolution screens add up a slot's per-minute summary instead of its records when the
  // summary serves (no call or wave-group filter in force); the pixels are the same either way.
  // Off, every screen reads the records.
  bool useSummaries = true;

  // Big caption of the present resolution.
  std::string ResolutionCaption() const;

  // Filled by high-resolution draws for slots with PasteRaw or PasteCalls set; never cleared
  // by a draw, so the caller decides what one list covers.
  PasteList& Paste() { return paste_; }

 private:
  FileSlots& fileSlots_;
  ViewState& view_;
  DisplayOptions& options_;
  ReaderContext& reader_;
  QImage image_;
  PasteList paste_;
};

// The rotated title of a band.
std::string AxisTitle(TYaxisType type, bool highRes, int32_t minutesPerColumn);
// The label step for a band whose height covers r units.
int LabelStep(double r);

}  // namespace zorvel
