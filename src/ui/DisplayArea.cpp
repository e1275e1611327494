#include "ui/DisplayArea.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace zorvel::ui {

namespace {
// Room for the file-parameter panel on the left, the ruler below, and a right margin.
constexpr int kPlotLeft = 25;
constexpr int kPlotRightMargin = 50;
constexpr int kPlotTop = 8;
constexpr int kRulerHeight = 42;
constexpr int kPlotWidthStep = 9;
const QColor kBackground(0x12, 0x16, 0x1c);
const QColor kPlotBackground(0x0b, 0x0e, 0x12);
const QColor kBandLine(0x3a, 0x44, 0x52);
const QColor kGridLine(0x1e, 0x25, 0x2e);
const QColor kSelected(0xe0, 0xb0, 0x30);
constexpr int kDragWidth = 120;
constexpr int kDragLineWidth = 5;
}  // namespace

DisplayArea::DisplayArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("DisplayArea"));
  setAutoFillBackground(true);
  setMouseTracking(true);  // the read-out follows the pointer with no button held
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kBackground);
  setPalette(pal);
  for (int i = 0; i < kSlotCount; ++i) {
    auto* lbl = new QLabel(this);
    lbl->setObjectName(QStringLiteral("FileLbl%1").arg(i + 1));
    lbl->setText(QString::fromStdString(VacantFileLabel(i + 1)));
    lbl->setAttribute(Qt::WA_TransparentForMouseEvents);
    FileLbl[static_cast<size_t>(i)] = lbl;
  }
  SetBands({1, 2, 3, 4, 5, 6});
}

void DisplayArea::SetBands(std::vector<int> slots) {
  bands_ = std::move(slots);
  PlaceLabels();
  update();
}

void DisplayArea::SetSelectedSlot(int slot) {
  selected_ = slot;
  PlaceLabels();
  update();
}

void DisplayArea::SetCanvas(const QImage* image, std::function<QRect(int)> bandOfSlot) {
  canvas_ = image;
  bandOfSlot_ = std::move(bandOfSlot);
  PlaceLabels();
  update();
}

void DisplayArea::SetChrome(QRect backBar, QRect frontBar, QString startText, QString endText) {
  backBar_ = backBar;
  frontBar_ = frontBar;
  startText_ = std::move(startText);
  endText_ = std::move(endText);
  update();
}

QRect DisplayArea::PlotRect() const {
  const int width =
      std::max(0, (this->width() - kPlotLeft - kPlotRightMargin) / kPlotWidthStep * kPlotWidthStep);
  const int height = std::max(0, this->height() - kPlotTop - kRulerHeight);
  return QRect(kPlotLeft, kPlotTop, width, height);
}

QRect DisplayArea::BandRect(size_t index) const {
  if (canvas_ && bandOfSlot_) {
    const QRect r = bandOfSlot_(bands_[index]);
    if (!r.isEmpty()) return r;
  }
  const QRect plot = PlotRect();
  const int n = static_cast<int>(std::max<size_t>(1, bands_.size()));
  const int i = static_cast<int>(index);
  const int top = plot.top() + plot.height() * i / n;
  const int bottom = plot.top() + plot.height() * (i + 1) / n;
  return QRect(plot.left(), top, plot.width(), bottom - top);
}

int DisplayArea::SlotAt(int y) const {
  for (size_t i = 0; i < bands_.size(); ++i) {
    const QRect r = BandRect(i);
    if (y >= r.top() && y <= r.bottom()) return bands_[i];
  }
  return 0;
}

void DisplayArea::SetFileLabelsShown(bool shown) {
  if (shown == fileLabelsShown_) return;
  fileLabelsShown_ = shown;
  PlaceLabels();
}

void DisplayArea::PlaceLabels() {
  for (int s = 1; s <= kSlotCount; ++s) FileLbl[static_cast<size_t>(s - 1)]->hide();
  if (!fileLabelsShown_) return;
  for (size_t i = 0; i < bands_.size(); ++i) {
    const int s = bands_[i];
    if (!FileSlots::ValidSlot(s)) continue;
    QLabel* lbl = FileLbl[static_cast<size_t>(s - 1)];
    // The file chosen for action reads in red; the others in white. Bands can be black, white,
    // light grey (minutes without data) or any colour of the counts, so the name sits on a
    // nearly opaque dark box of its own: both colours stay readable on all of them.
    const QString colour = s == selected_ ? QStringLiteral("#ff0000") : QStringLiteral("#ffffff");
    lbl->setStyleSheet(
        QStringLiteral(
            "QLabel { color: %1; background: rgba(0, 0, 0, 240); padding: 1px 4px; border-radius: 2px; }")
            .arg(colour));
    lbl->adjustSize();
    const QRect r = BandRect(i);
    lbl->move(r.left() + 6, r.top() + 4);
    lbl->show();
  }
}

void DisplayArea::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (canvas_ && !canvas_->isNull()) {
    p.drawImage(0, 0, *canvas_);
    if (!backBar_.isEmpty()) {
      p.fillRect(backBar_, QColor(0x3a, 0x44, 0x52));
      const QColor front(0x30, 0x90, 0xe0);
      QRect bar = frontBar_;
      if (dragOffset_ >= 0) bar.setWidth(kDragWidth);
      p.fillRect(bar, front);
      p.setPen(Qt::white);
      if (dragOffset_ >= 0 && sliderText) p.drawText(bar, Qt::AlignCenter, sliderText(bar.left() - 1));
      // The screen's start and end, on the strip under the ruler.
      const int y = height() - 6;
      p.setPen(Qt::black);
      p.drawText(backBar_.left(), y, startText_);
      p.drawText(width() - 150, y, endText_);
    }
    if (dragLineX1_ > 0) {
      p.setPen(QPen(Qt::yellow, kDragLineWidth));
      p.drawLine(dragLineX1_, dragLineY_, dragLineX2_, dragLineY_);
    }
    if (selected_) {
      for (size_t i = 0; i < bands_.size(); ++i)
        if (bands_[i] == selected_) {
          p.setPen(kSelected);
          p.drawRect(BandRect(i).adjusted(0, 0, -1, -1));
        }
    }
    return;
  }
  const QRect plot = PlotRect();
  p.fillRect(plot, kPlotBackground);
  // Faint vertical grid every ninth of the plot, as the time ruler will divide it.
  p.setPen(kGridLine);
  for (int k = 1; k < kPlotWidthStep; ++k) {
    const int x = plot.left() + plot.width() * k / kPlotWidthStep;
    p.drawLine(x, plot.top(), x, plot.bottom());
  }
  for (size_t i = 0; i < bands_.size(); ++i) {
    const QRect r = BandRect(i);
    p.setPen(bands_[i] == selected_ ? kSelected : kBandLine);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
  p.setPen(kBandLine);
  p.drawLine(plot.left(), plot.bottom() + 1, plot.right(), plot.bottom() + 1);
}

void DisplayArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceLabels();
}

void DisplayArea::mouseMoveEvent(QMouseEvent* event) {
  if (dragOffset_ >= 0) {
    const int x = static_cast<int>(event->position().x());
    frontBar_.moveLeft(x - dragOffset_);
    update();
  }
  Q_EMIT PointerMoved(event->position().toPoint());
  QWidget::mouseMoveEvent(event);
}

void DisplayArea::mouseReleaseEvent(QMouseEvent* event) {
  if (dragOffset_ >= 0 && event->button() == Qt::LeftButton) {
    dragOffset_ = -1;
    Q_EMIT SliderReleased(frontBar_.left() - 1);
  } else {
    Q_EMIT PointerReleased(event->button(), event->position().toPoint());
  }
  QWidget::mouseReleaseEvent(event);
}

void DisplayArea::mousePressEvent(QMouseEvent* event) {
  // The slider widens while dragged so that the date under it can be read.
  if (event->button() == Qt::LeftButton && canvas_ && frontBar_.contains(event->position().toPoint())) {
    dragOffset_ = static_cast<int>(event->position().x()) - frontBar_.left();
    update();
  } else {
    Q_EMIT PointerPressed(event->button(), event->position().toPoint());
  }
  QWidget::mousePressEvent(event);
}

void DisplayArea::leaveEvent(QEvent* event) {
  Q_EMIT PointerLeft();
  QWidget::leaveEvent(event);
}

void DisplayArea::SetDragLine(int x1, int x2, int y) {
  if (x1 == dragLineX1_ && x2 == dragLineX2_ && y == dragLineY_) return;
  dragLineX1_ = x1, dragLineX2_ = x2, dragLineY_ = y;
  update();
}

}  // namespace zorvel::ui
