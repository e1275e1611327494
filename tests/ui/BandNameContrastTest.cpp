// The file names written in the bands can be read on every background the bands take: black and
// white screens, high and low resolution, columns of counts and the grey of minutes without data.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/UiTestSupport.h"
#include "ui/pages/DisplayPage.h"

namespace zorvel::ui::test {
namespace {

// Relative luminance as the usual contrast rules define it (sRGB, 0 … 1).
double Luminance(QRgb c) {
  auto lin = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

// The contrast ratio (1 … 21) between the inked pixels of the label's letters and the pixels
// just around them, measured on the picture of the display as drawn. The letters are drawn into
// a mask with the label's font; since padding and margins move them inside the label, the mask
// is tried at small offsets and the best fit counts: a name that cannot be read has no offset
// at which it stands out.
double NameContrast(const QImage& shot, const QLabel& label) {
  constexpr int kAround = 4, kNear = 2, kShift = 6;
  const QSize size = label.size() + QSize(2 * kAround, 2 * kAround);
  QImage mask(size, QImage::Format_Grayscale8);
  mask.fill(0);
  {
    QPainter p(&mask);
    p.setFont(label.font());
    p.setPen(Qt::white);
    p.drawText(QRect(QPoint(kAround, kAround), label.size()), static_cast<int>(label.alignment()),
               label.text());
  }
  // 2: fully inked; 1: near ink (left out of both sides); 0: around the letters.
  std::vector<uint8_t> kind(static_cast<size_t>(size.width() * size.height()), 0);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) {
      if (qGray(mask.pixel(x, y)) == 0) continue;
      for (int dy = -kNear; dy <= kNear; ++dy)
        for (int dx = -kNear; dx <= kNear; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= size.width() || ny >= size.height()) continue;
          uint8_t& k = kind[static_cast<size_t>(ny * size.width() + nx)];
          k = std::max<uint8_t>(k, 1);
        }
    }
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      if (qGray(mask.pixel(x, y)) > 220) kind[static_cast<size_t>(y * size.width() + x)] = 2;

  double best = 0;
  for (int sy = -kShift; sy <= kShift; ++sy)
    for (int sx = -kShift; sx <= kShift; ++sx) {
      std::vector<double> text, around;
      for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
          const QPoint p = label.pos() + QPoint(x - kAround + sx, y - kAround + sy);
          if (!shot.rect().contains(p)) continue;
          const uint8_t k = kind[static_cast<size_t>(y * size.width() + x)];
          if (k == 2) text.push_back(Luminance(shot.pixel(p)));
          if (k == 0) around.push_back(Luminance(shot.pixel(p)));
        }
      if (text.size() < 20 || around.size() < 20) continue;
      // Thin letters are smoothed at their edges, so not every inked pixel takes the full
      // colour: the letters' own colour is that of the pixels that stand out most (the tenth
      // part of them), against what is around them as a whole.
      const double b = Median(around);
      std::vector<double> ratios;
      for (double a : text) ratios.push_back((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05));
      std::sort(ratios.begin(), ratios.end());
      best = std::max(best, ratios[ratios.size() * 9 / 10]);
    }
  return best;
}

class BandNameContrastTest : public ::testing::TestWithParam<std::tuple<int, bool>> {
 protected:
  BandNameContrastTest() : window(rec.Options()) {}
  QTemporaryDir dir;
  Recorder rec;
  TB window;
};

TEST_P(BandNameContrastTest, EveryNameStandsOutFromWhatIsUnderIt) {
  const auto [level, whiteScreen] = GetParam();
  window.resize(1400, 900);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  // Half an hour of busy minutes: at coarse levels the rest of the screen is minutes without data.
  const QString a = WriteBusyFile(dir.path(), QStringLiteral("2026 06 01 ZORVEL_1234 file0.ZV1"), 30, 60);
  const QString b = WriteBusyFile(dir.path(), QStringLiteral("2026 06 02 ZORVEL_1234 file0.ZV1"), 30, 60);
  window.OpenUnrelatedFiles({a, b});
  ASSERT_EQ(window.Slots().OpenCount(), 2);
  window.SetActionSlot(2);  // one name in the colour of the file chosen for action
  window.DisplayOptions->WhiteScreen->setChecked(whiteScreen);
  window.SetMenuVisible(false);
  ASSERT_TRUE(window.Screen().ShowLevelAt(level, ""));
  QCoreApplication::processEvents();
  const QImage shot = window.Display->grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (int slot = 1; slot <= 2; ++slot) {
    const QLabel& label = *window.Display->FileLbl[static_cast<size_t>(slot - 1)];
    ASSERT_TRUE(label.isVisible());
    EXPECT_GE(NameContrast(shot, label), 4.5)
        << "file " << slot << " at level " << level << (whiteScreen ? " on a white screen" : "");
  }
}

INSTANTIATE_TEST_SUITE_P(LevelsAndScreens, BandNameContrastTest,
                         ::testing::Combine(::testing::Values(3, 7, 12, 16, 20), ::testing::Bool()));

// The measure itself: white letters on black are read, white on light grey are not.
TEST(BandNameContrastMeasure, TellsReadableFromUnreadable) {
  QWidget area;
  area.resize(300, 60);
  QLabel label(QStringLiteral("2026 06 01 file0.ZV1"), &area);
  label.move(10, 10);
  label.adjustSize();
  area.show();
  QImage shot(area.size(), QImage::Format_RGB32);
  for (const auto& [ground, readable] :
       {std::pair{QColor(Qt::black), true}, std::pair{QColor(0xe0, 0xe0, 0xe0), false}}) {
    shot.fill(ground);
    QPainter p(&shot);
    p.setFont(label.font());
    p.setPen(Qt::white);
    p.drawText(label.geometry().translated(label.contentsRect().topLeft()),
               static_cast<int>(label.alignment()), label.text());
    p.end();
    EXPECT_EQ(NameContrast(shot, label) >= 4.5, readable) << ground.name().toStdString();
  }
}

}  // namespace
}  // namespace zorvel::ui::test
