#include "ui/ClassifierGraph.h"

#include <QPainter>
#include <algorithm>

namespace zorvel::ui {

namespace {
constexpr int kWidth = 1440 / 2 + 40;  // half a pixel per minute keeps the graph on the page
constexpr int kHeight = 2 * 140 + 20;  // 2 pixels per kHz up to 140 kHz
constexpr int kBase = kHeight - 10;
constexpr int kLeft = 20;

QColor FrequencyColour(int khz) {
  // Low frequencies red, through green, to blue for the horseshoes' high constant frequencies.
  const int hue = std::clamp(khz * 2, 0, 260);
  return QColor::fromHsv(hue, 220, 235);
}
}  // namespace

ClassifierGraph::ClassifierGraph(QWidget* parent) : QWidget(parent), image_(kWidth, kHeight, QImage::Format_RGB32) {
  setObjectName(QStringLiteral("ClassifierGraph"));
  setMinimumSize(kWidth / 2, kHeight / 2);
  Clear();
}

void ClassifierGraph::Clear() {
  marks_ = 0;
  image_.fill(QColor(21, 26, 32));
  DrawAxes();
  update();
}

void ClassifierGraph::DrawAxes() {
  QPainter p(&image_);
  p.setPen(QColor(120, 135, 150));
  p.drawLine(kLeft, kBase, kWidth - 1, kBase);
  p.drawLine(kLeft, 0, kLeft, kBase);
  for (int khz = 20; khz <= 140; khz += 20) p.drawLine(kLeft - 4, kBase - 2 * khz, kLeft, kBase - 2 * khz);
  // Midnight lies in the middle of a noon-to-noon graph.
  p.drawLine(kLeft + 360, kBase, kLeft + 360, kBase + 5);
}

void ClassifierGraph::AddMark(int minuteOfDay, int fav) {
  if (marks_ >= kMaxMarks) Clear();
  ++marks_;
  // (minute of the day + 720) mod 1440 puts noon at the left edge; half a pixel a minute.
  const int x = std::min(kWidth - 2, kLeft + ((minuteOfDay + 720) % 1440) / 2);
  const int y = std::clamp(kBase - 2 * fav, 0, kBase - 2);
  const QColor c = FrequencyColour(fav);
  image_.setPixelColor(x, y, c);
  image_.setPixelColor(x, y + 1, c);
  update();
}

void ClassifierGraph::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(rect(), image_);
}

}  // namespace zorvel::ui
