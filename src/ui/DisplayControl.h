// The window's side of the display: owns the view, the painter and the navigator over the
// window's slots, lays them out when the display area changes size, and turns keys and wheel
// steps into navigation commands. Every rule lives in display/; this only binds.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "core/FileRec.h"
#include "core/Host.h"
#include "core/RecordReader.h"
#include "display/Graphs.h"
#include "display/Navigation.h"

namespace zorvel::ui {

class DisplayControl {
 public:
  DisplayControl(FileSlots& fileSlots, Host& host);

  ViewState& View() { return view_; }
  DisplayOptions& Options() { return options_; }
  // The window's filters: the reader asks them about every record the display reads.
  void SetFilter(const RecordFilter* filter, const bool* ignoreFilters) {
    reader_.filter = filter;
    ignoreFilters_ = ignoreFilters;
  }
  // Every command goes through here, so the reader always sees the present "ignore filters".
  Navigator& Nav() {
    Sync();
    return nav_;
  }
  const QImage& Image() const { return painter_.Image(); }
  // The display's reader, with the window's filters, for summaries that read like the screen.
  ReaderContext& Reader() {
    Sync();
    return reader_;
  }
  bool HasScreen() const { return hasScreen_; }
  bool Busy() const { return nav_.Busy(); }
  // Called now and then during a long low-resolution draw and during a search for the next
  // screen with calls.
  void SetProgressHook(const std::function<void()>& hook) {
    painter_.onProgress = hook;
    nav_.onSeekProgress = hook;
  }
  // The clipboard list that high-resolution draws fill for slots with PasteRaw or PasteCalls.
  PasteList& Paste() { return painter_.Paste(); }
  std::string ResolutionCaption() const { return painter_.ResolutionCaption(); }

  // The display area's size changed: lay out the plot and bands and redraw.
  void Resize(QSize size);
  // Files were opened or closed: new range and bands; a first file is shown from its start.
  void FilesChanged();
  // The slider (BackBar, FrontBar) above the plot and the screen's start and end texts.
  struct Chrome {
    QRect backBar, frontBar;
    QString startText, endText;
  };
  Chrome ScreenChrome() const;
  // The date-time text shown while the slider is dragged with its left edge at `left`.
  QString SliderDragText(int left) const;

  // Band of a slot on the canvas (empty when the slot is not open).
  QRect BandRect(int slot) const;

  // A key released over the display with the menu hidden; true when it was handled.
  bool KeyRelease(int key, Qt::KeyboardModifiers modifiers, int pointerX);
  // A wheel turn over the display; true when the view moved.
  bool Wheel(bool up, int y, bool menuShown);

  void SelectLevel(int level) { nav_.SelectLevel(level); }
  // A drag-zoom released at x2 after a press at x1: the level and screen of the dragged span.
  void ZoomToDrag(int x1, int x2);
  // Marks (or unmarks) the accepted calls of a slot from the screen's start to x, then redraws.
  bool MarkBeforePointer(int slot, int x, bool mark);
  // Shows the level from the start of the files, or the screen ending just after the go-to
  // text's moment. False when the text was refused (the message says why).
  bool ShowLevelAt(int level, const std::string& goToText);

  // Replaces the screen by the file graphs of its time span (DisplayControlGraphs.cpp).
  // `status` receives the status-line text of the slot being read.
  void ShowGraphs(const GraphOptions& options, std::string* status);

 private:
  FileSlots& fileSlots_;
  ViewState view_;
  DisplayOptions options_;
  ReaderContext reader_;
  ScreenPainter painter_;
  Navigator nav_;
  QElapsedTimer clock_;
  std::optional<int64_t> lastWheelMs_;
  bool hasScreen_ = false;
  const bool* ignoreFilters_ = nullptr;
  void Sync() { reader_.options.IgnoreFilters = ignoreFilters_ && *ignoreFilters_; }
};

}  // namespace zorvel::ui
