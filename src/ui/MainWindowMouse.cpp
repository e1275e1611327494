// The pointer and the keys over the display: the read-out that follows the pointer, drag-zoom,
// the right-press popup, the time selection and the keys that need the window's pages. The
// rules are in display/Pointer*.h; these handlers read the controls and show the results.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "display/Messages.h"
#include "export/DetailListings.h"
#include "display/PointerReadout.h"
#include "display/PointerZoom.h"
#include "display/TimeMath.h"
#include "ui/ClickLabel.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/MainWindow.h"
#include "ui/Messages.h"
#include "ui/MovingInfoWindow.h"
#include "ui/ZoomMenu.h"
#include "ui/pages/DisplayPage.h"
#include "ui/pages/ExportPage.h"
#include "ui/pages/FilesPage.h"

namespace zorvel::ui {

namespace {
constexpr int kMessageMs = 3000;
constexpr int kDragLineAbovePlot = 20;

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
}  // namespace

void TB::ConnectPointer() {
  pointer_.TMIF = new MovingInfoWindow(this);
  pointer_.zoomMenu = new ZoomMenu(this);
  connect(Display, &DisplayArea::PointerMoved, this, &TB::PointerMoved);
  connect(Display, &DisplayArea::PointerPressed, this, &TB::PointerPressed);
  connect(Display, &DisplayArea::PointerReleased, this, &TB::PointerReleased);
  connect(Display, &DisplayArea::PointerLeft, this, &TB::HideReadout);
  ConnectZoomMenu();
  connect(Files->ClearSelectionLbl, &ClickLabel::clicked, this, &TB::ClearSelectionClick);
  SelectionChanged();
}

void TB::HideReadout() {
  pointer_.TMIF->hide();
}

void TB::PointerMoved(QPoint at) {
  const int x = at.x(), y = at.y();
  if (!pointer_.introShown) {
    // Once per run, the first time the pointer comes over the display: what the mouse can do.
    pointer_.introShown = true;
    MenuLbl->setText(QString::fromLatin1(msg::kPointerIntro));
  }
  ViewState& v = display_->View();
  const Layout& l = v.layout;
  pointer_.pointerSlot = SlotUnderPointer(slots_, l, x, y);
  setWindowTitle(QString::fromStdString(PointerCaption(slots_, pointer_.pointerSlot)));
  if (!display_->HasScreen()) return HideReadout();
  const bool inside = x >= l.PlotLeft && x <= l.PlotRight && y > l.PlotTop && y < l.PlotBottom;
  const bool readoutShown = inside && !MenuVisible() && !DisplayOptions->HidePointerTxtChk->isChecked();
  const TFileRec* s = pointer_.pointerSlot ? &slots_[pointer_.pointerSlot] : nullptr;
  QString time, value, callFreq, callDuration, other;
  if (graphsShown_) {
    // Over the file graphs the pointer reads the graph's x axis; time means nothing there.
    Display->SetDragLine(0, 0, 0);
    if (!readoutShown || !s) return HideReadout();
    value = QString::fromStdString(GraphValueLabel(s->GraphType, l.PlotLeft, x));
  } else {
    v.PointerTime = PixelToTime(v, x);
    if (DragLineShown(v.DisplayTimeUnit, pointer_.DragStartX, x))
      Display->SetDragLine(pointer_.DragStartX, x, l.PlotTop + kDragLineAbovePlot);
    else
      Display->SetDragLine(0, 0, 0);
    if (!readoutShown) return HideReadout();
    if (v.HighRes()) {
      time = QString::fromStdString(HighResTimeLabel(v.PointerTime, x == (l.PlotLeft + l.PlotRight) / 2));
      if (s) {
        value = QString::fromStdString(
            HighResValueLabel(*s, ComputeScales(v.SlotHeight, display_->Options().scales), y));
        if (const auto call = CallLabelsAt(*s, x)) {
          callFreq = QString::fromStdString(call->call);
          callDuration = QString::fromStdString(call->details);
        }
      }
    } else {
      time = QString::fromStdString(LowResTimeLabel(v.PointerTime.Mn));
      if (s) other = QString::fromStdString(LowResValueLabel(*s, display_->Options(), y));
    }
  }
  pointer_.TMIF->SetTexts(time, value, callFreq, callDuration, other);
  const QPoint form = Display->mapTo(this, QPoint(0, 0));
  const InfoWindowPlace p = InfoWindowPlacement(form.x(), form.y(), l, x, y);
  pointer_.TMIF->move(p.left, p.top);
  pointer_.TMIF->raise();
  pointer_.TMIF->show();
}

void TB::PointerPressed(Qt::MouseButton button, QPoint at) {
  if (ViewLocked()) return;  // the view stays put while the open files are being read
  if (slots_.OpenCount() == 0) {
    if (button == Qt::LeftButton || button == Qt::RightButton) OpenFileSetBtnClick();
    return;
  }
  const Layout& l = display_->View().layout;
  const int x = at.x(), y = at.y();
  if (button == Qt::LeftButton && DragPressStarts(l, x, y)) pointer_.DragStartX = x;
  if (button == Qt::RightButton) {
    pointer_.PreviousRightClick = pointer_.LastRightClick;
    pointer_.LastRightClick = at;
    if (x > 16 && x <= l.PlotRight && l.PlotTop <= y && y <= l.PlotBottom)
      pointer_.zoomMenu->popup(Display->mapToGlobal(QPoint(x + 4, y + 25)));
  }
}

void TB::PointerReleased(Qt::MouseButton button, QPoint at) {
  if (button != Qt::LeftButton) return;
  const int start = pointer_.DragStartX;
  pointer_.DragStartX = 0;
  Display->SetDragLine(0, 0, 0);
  if (ViewLocked() || !display_->HasScreen()) return;
  const ViewState& v = display_->View();
  if (!DragReleaseZooms(v.layout, v.DisplayTimeUnit, start, at.x(), at.y())) return;
  StartViewCommand();
  display_->View().SeekFile = seekFile_;
  display_->ZoomToDrag(start, at.x());
  UpdateDisplay();
  Display->update();
}

void TB::ConnectZoomMenu() {
  ZoomMenu* m = pointer_.zoomMenu;
  auto at = [this] { return pointer_.LastRightClick.x(); };
  auto show = [this, at](ShowMode mode) {
    return [this, at, mode] {
      StartViewCommand();
      display_->View().SeekFile = seekFile_;
      display_->Nav().ShowAtPoint(at(), mode);
      Display->update();
    };
  };
  connect(m->ZoomIn, &QAction::triggered, this, show(ShowMode::ZoomIn));
  connect(m->ZoomOut, &QAction::triggered, this, show(ShowMode::ZoomOut));
  connect(m->ShowEarlier, &QAction::triggered, this, show(ShowMode::Earlier));
  connect(m->ShowLater, &QAction::triggered, this, show(ShowMode::Later));
  connect(m->SelectFile, &QAction::triggered, this, [this] {
    const QPoint p = pointer_.LastRightClick;
    const int slot = SlotUnderPointer(slots_, display_->View().layout, p.x(), p.y());
    if (!slot) return TimedMessage(QString::fromLatin1(msg::kNoFileForAction), kMessageMs);
    SetActionSlot(slot);
    ExportP->ListLightTempValsBtn->setText(QString::fromLatin1(msg::kSelectedSlotButtonPrefix) +
                                           QString::number(slot) +
                                           QString::fromLatin1(msg::kSelectedSlotButtonSuffix));
  });
  auto minuteAtClick = [this, at] { return PixelToTime(display_->View(), at()).Mn; };
  connect(m->SelectionStart, &QAction::triggered, this, [this, minuteAtClick] {
    SetSelectionStart(pointer_.selection, display_->View(), slots_, minuteAtClick());
    SelectionChanged();
  });
  connect(m->SelectionEnd, &QAction::triggered, this, [this, minuteAtClick] {
    SetMenuVisible(false);
    SetSelectionEnd(pointer_.selection, display_->View(), slots_, minuteAtClick());
    SelectionChanged();
  });
  connect(m->ClearSelection, &QAction::triggered, this, &TB::ClearSelectionClick);
  auto needSlot = [this] {
    if (FileSlots::ValidSlot(actionSlot_) && slots_[actionSlot_].Open) return true;
    TimedMessage(QString::fromLatin1(msg::kNoFileForAction), kMessageMs);
    return false;
  };
  connect(m->SaveTimePoint, &QAction::triggered, this, [this, at, needSlot] {
    if (needSlot()) display_->Nav().SaveTimePointAt(actionSlot_, at());
    Display->update();
  });
  connect(m->GoToTimePoint, &QAction::triggered, this, [this, needSlot] {
    if (needSlot()) display_->Nav().GoToSavedTimePoint(actionSlot_);
    Display->update();
  });
  connect(m->TimeToMemo, &QAction::triggered, this, [this, at] {
    AddLine(Memo::DataMemo, QString::fromStdString(GoToText(PixelToTime(display_->View(), at()), true)));
  });
  for (auto [action, mark] : {std::pair{m->MarkCalls, true}, std::pair{m->UnmarkCalls, false}})
    connect(action, &QAction::triggered, this, [this, at, needSlot, mark] {
      if (!needSlot()) return;
      display_->View().SeekFile = seekFile_;
      display_->MarkBeforePointer(actionSlot_, at(), mark);
      Display->update();
    });
  connect(m->PasteRaw, &QAction::triggered, this, [this] { PasteListClick(false); });
  connect(m->PasteCalls, &QAction::triggered, this, [this] { PasteListClick(true); });
  connect(m->CreateWav, &QAction::triggered, this, &TB::CreateWavFileClick);
  connect(m->WavNameToClipboard, &QAction::triggered, this, &TB::WavNameToClipboardClick);
}

bool TB::PointerAboveStatusPanel() const {
  // The status panel is the bar above the display (the menu button, the status text, the seek
  // boxes). Keys typed with the pointer on it belong to its controls, not to the view.
  const QWidget* panel = BigLbl->parentWidget();
  const QRect onWindow(panel->mapTo(this, QPoint(0, 0)), panel->size());
  return !onWindow.contains(mapFromGlobal(QCursor::pos()));
}

void TB::RescaleKey(bool up) {
  const int slot = pointer_.pointerSlot;
  if (!slot) return TimedMessage(Q(up ? zorvel::msg::kF6NoSlot : zorvel::msg::kF5NoSlot), kMessageMs);
  ScaleEdits e = display_->Options().scales;
  if (!RescaleAxis(e, slots_[slot].FileYaxisType, display_->View().HighRes(), up)) return;
  DisplayPage* d = DisplayOptions;
  {
    const QSignalBlocker b1(d->KHZYscaleMaxEdit), b2(d->PeriodYscaleMaxEdit), b3(d->SPLYscaleMaxEdit),
        b4(d->CountYscaleMaxEdit);
    d->KHZYscaleMaxEdit->setText(QString::number(e.kHzMax));
    d->PeriodYscaleMaxEdit->setText(QString::number(e.periodMax));
    d->SPLYscaleMaxEdit->setText(QString::number(e.amplitudeMax));
    d->CountYscaleMaxEdit->setText(QString::number(e.countMax));
  }
  ApplyDisplayPage();
}

void TB::CopyDisplayPicture() {
  // Drawn once more in presentation colours (white ground, black lines) so that the picture
  // survives the reduction to two colours, then the screen is put back as it was.
  zorvel::DisplayOptions& o = display_->Options();
  const zorvel::DisplayOptions saved = o;
  o.WhiteScreen = o.BlackLines = o.PresentationMode = true;
  display_->View().FrameDirty = true;
  display_->Nav().Refresh(false);
  const Layout& l = display_->View().layout;
  const QRect area(QPoint(l.PlotLeft - 16, l.PlotTop + 22), QPoint(l.PlotRight + 30, l.PlotBottom + 12));
  const QImage picture =
      display_->Image().copy(area).convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither);
  o = saved;
  display_->View().FrameDirty = true;
  display_->Nav().Refresh(false);
  QGuiApplication::clipboard()->setImage(picture);
}

bool TB::PointerKeyRelease(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  // Ctrl+F is the one combination that leaves the menu up, so it works wherever the pointer is.
  if (ctrl && event->key() == Qt::Key_F) {
    MicrophoneResponseKey();
    return true;
  }
  if (MenuVisible() || !PointerAboveStatusPanel()) return false;
  auto setCombo = [this](int slot, int index) {
    DisplayOptions->DisplayOptionsCombo[static_cast<size_t>(slot - 1)]->setCurrentIndex(index);
  };
  auto matchSlot1 = [this, setCombo](int index) {
    for (int i = 1; i <= kSlotCount; ++i)
      if (slots_[i].Open) setCombo(i, index);
  };
  switch (event->key()) {
    case Qt::Key_F5:
    case Qt::Key_F6:
      if (!display_->HasScreen()) return true;
      RescaleKey(event->key() == Qt::Key_F6);
      return true;
    case Qt::Key_F7:
      return true;
    case Qt::Key_F8:
      for (int i = 1; i <= kSlotCount; ++i)
        if (slots_[i].Open) setCombo(i, slots_[i].FileType == ftZV1 ? tySPL : tyPeriod);
      return true;
    case Qt::Key_F9:
      matchSlot1(shift ? tyPeriod : tyFreq);
      return true;
    case Qt::Key_F10:
      matchSlot1(tySPL);
      return true;
    case Qt::Key_G:
      if (!ctrl || !display_->HasScreen()) return false;
      CopyDisplayPicture();
      return true;
    case Qt::Key_C:
      if (!ctrl || !shift) return false;
      CompareCallFilesKey();
      return true;
    case Qt::Key_S:
      // Plain S saves the filter settings at high resolution. Ctrl+S is not bound.
      if (ctrl || !display_->HasScreen() || !display_->View().HighRes()) return false;
      SaveFilterSettingsBtnClick();
      return true;
    case Qt::Key_T:
      if (!ctrl || !display_->HasScreen() || !display_->View().HighRes()) return false;
      AddLine(Memo::DataMemo,
              QString::fromStdString(
                  GoToText(PixelToTime(display_->View(), Display->mapFromGlobal(QCursor::pos()).x()), true)));
      return true;
    default:
      return false;
  }
}

void TB::MicrophoneResponseKey() {
  ExportFilters filters{filters_, species_};
  const TRecTime rangeStart{display_->View().RangeFirstMin, 0};
  const auto lines = MicrophoneResponse(slots_, rangeStart, filters, host());
  // The files were read from the range's start: the screen puts them back where it shows.
  if (display_->HasScreen()) {
    display_->Nav().Refresh(false);
    Display->update();
  }
  if (lines) QGuiApplication::clipboard()->setText(QString::fromStdString(ClipboardText(*lines)));
}

void TB::CompareCallFilesKey() {
  if (!display_->HasScreen() || !display_->View().HighRes()) return;
  int firstZv3 = 0, zv3Count = 0;
  for (int slot = 1; slot <= 3; ++slot)
    if (slots_[slot].Open && slots_[slot].FileType == ftZV3) {
      if (!firstZv3) firstZv3 = slot;
      ++zv3Count;
    }
  if (zv3Count < 2) return TimedMessage(QString::fromLatin1(msg::kComparisonNeedsZv3), kMessageMs);
  MenuLbl->setText(QString::fromLatin1(msg::kComparingZv3));
  // Paging stops only at screens where the seek file has calls; without one, the first ZV3 file
  // becomes the seek file.
  if (!FileSlots::ValidSlot(seekFile_) || !slots_[seekFile_].Open) {
    SkipOn[static_cast<size_t>(firstZv3 - 1)]->setChecked(true);
    SkipOnClick(firstZv3, true);
  }
  display_->View().SeekFile = seekFile_;
  display_->Nav().GoOn();
  Display->update();
}

}  // namespace zorvel::ui
