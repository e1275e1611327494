// The pointer over the display through real mouse and key events: drag-zoom, F5/F6, the status
// panel, the popup's selection and memo commands, and the read-out window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include "core/CallRecords.h"
#include "display/TimeMath.h"
#include "support/Synthetic.h"
#include "ui/ClickLabel.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/MovingInfoWindow.h"
#include "ui/UiTestSupport.h"
#include "ui/ZoomMenu.h"
#include "ui/pages/DisplayPage.h"
#include "ui/pages/ExportPage.h"

namespace zorvel::ui::test {
namespace {

class PointerTest : public ::testing::Test {
 protected:
  PointerTest() : window(rec.Options()) {
    EXPECT_TRUE(ShowBusyFileAtLevel7(window, dir.path(), QStringLiteral("pointer.ZV1")));
  }
  ViewState& View() { return window.Screen().View(); }
  const Layout& L() { return View().layout; }
  // A point inside slot 1's band.
  QPoint InBand() {
    const QRect band = window.Screen().BandRect(1);
    return {L().PlotLeft + 200, band.center().y()};
  }
  void MoveTo(QPoint p) {
    QCursor::setPos(window.Display->mapToGlobal(p));
    QTest::mouseMove(window.Display, p);
  }
  void Drag(int x1, int x2, int y) {
    QTest::mousePress(window.Display, Qt::LeftButton, {}, {x1, y});
    QTest::mouseMove(window.Display, {x2, y});
    QTest::mouseRelease(window.Display, Qt::LeftButton, {}, {x2, y});
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyRelease(&window, key, mods);
  }
  ZoomMenu* Menu() { return window.findChild<ZoomMenu*>(); }
  void RightPress(QPoint p) { QTest::mousePress(window.Display, Qt::RightButton, {}, p); }
  void Choose(QAction* a) {
    a->trigger();
    Menu()->close();
  }
  DisplayPage* D() { return window.DisplayOptions; }

  QTemporaryDir dir;
  Recorder rec;
  TB window;
};

TEST_F(PointerTest, TenPixelDragDoesNothingElevenZooms) {
  ASSERT_TRUE(window.Screen().HasScreen());
  const int y = InBand().y();
  const TRecTime before = View().DisplayPosition;
  Drag(300, 310, y);
  EXPECT_EQ(View().DisplayTimeUnit, 7);
  EXPECT_EQ(View().DisplayPosition, before);
  // 100 pixels of 5 ms: 111 ticks a pixel, level 5.
  Drag(300, 400, y);
  EXPECT_EQ(View().DisplayTimeUnit, 5);
  EXPECT_EQ(window.Pointer().DragStartX, 0) << "a release ends the drag";
}

TEST_F(PointerTest, YellowLineWhileDragging) {
  const int y = InBand().y();
  QTest::mousePress(window.Display, Qt::LeftButton, {}, {300, y});
  QTest::mouseMove(window.Display, {400, y});
  const QImage shot = window.Display->grab().toImage();
  EXPECT_EQ(shot.pixelColor(350, L().PlotTop + 20), QColor(Qt::yellow));
  QTest::mouseRelease(window.Display, Qt::LeftButton, {}, {400, y});
  EXPECT_NE(window.Display->grab().toImage().pixelColor(350, L().PlotTop + 20), QColor(Qt::yellow));
}

TEST_F(PointerTest, F5AndF6RescaleTheAxisUnderThePointer) {
  D()->DisplayOptionsCombo[0]->setCurrentIndex(tyFreq);
  D()->KHZYscaleMaxEdit->setText(QStringLiteral("40"));
  MoveTo(InBand());
  ASSERT_EQ(window.Pointer().pointerSlot, 1);
  Key(Qt::Key_F5);
  EXPECT_EQ(D()->KHZYscaleMaxEdit->text(), QStringLiteral("20"));
  Key(Qt::Key_F5);
  EXPECT_EQ(D()->KHZYscaleMaxEdit->text(), QStringLiteral("16"));
  EXPECT_EQ(window.Screen().Options().scales.kHzMax, 16);
  D()->DisplayOptionsCombo[0]->setCurrentIndex(tyPeriod);
  D()->PeriodYscaleMaxEdit->setText(QStringLiteral("200"));
  MoveTo(InBand());
  Key(Qt::Key_F6);
  EXPECT_EQ(D()->PeriodYscaleMaxEdit->text(), QStringLiteral("255"));
  EXPECT_EQ(D()->KHZYscaleMaxEdit->text(), QStringLiteral("16"));
}

TEST_F(PointerTest, F5OutsideABandExplains) {
  MoveTo({L().PlotLeft - 10, InBand().y()});
  Key(Qt::Key_F5);
  EXPECT_TRUE(
      rec.TimedContains(QStringLiteral("When the pointer is within the display area of a file F5 will reduce "
                                       "the scale of the parameter on display")));
}

TEST_F(PointerTest, KeysOverTheStatusPanelAreIgnored) {
  D()->DisplayOptionsCombo[0]->setCurrentIndex(tyFreq);
  D()->KHZYscaleMaxEdit->setText(QStringLiteral("40"));
  MoveTo(InBand());
  // Then the pointer goes up onto the status panel above the display.
  QCursor::setPos(window.BigLbl->mapToGlobal(window.BigLbl->rect().center()));
  const TRecTime before = View().DisplayPosition;
  Key(Qt::Key_F5);
  Key(Qt::Key_F1);
  EXPECT_EQ(D()->KHZYscaleMaxEdit->text(), QStringLiteral("40"));
  EXPECT_EQ(View().DisplayPosition, before);
}

TEST_F(PointerTest, SelectionFromThePopup) {
  ASSERT_TRUE(window.Screen().ShowLevelAt(12, ""));  // one minute per 3-pixel column
  const int y = InBand().y();
  EXPECT_FALSE(window.ExportP->ExportSelectedTime->isEnabled());
  RightPress({L().PlotLeft + 4, y});
  ASSERT_TRUE(Menu()->isVisible());
  Choose(Menu()->SelectionStart);
  RightPress({L().PlotLeft + 7, y});
  Choose(Menu()->SelectionEnd);
  EXPECT_TRUE(window.TimeSelectionActive());
  EXPECT_EQ(View().RangeFirstMin, kFirstMinute + 1);
  EXPECT_EQ(View().RangeLastMin, kFirstMinute + 2);
  EXPECT_EQ(window.Slots()[1].FirstProcessMin, kFirstMinute + 1);
  EXPECT_TRUE(window.ExportP->ExportSelectedTime->isEnabled());
  EXPECT_EQ(window.toolTip(),
            QStringLiteral("Selection: ") + QString::fromStdString(MinuteAloneText(kFirstMinute + 1)) +
                QStringLiteral("  to  ") + QString::fromStdString(MinuteAloneText(kFirstMinute + 2)));
  window.ExportP->ExportSelectedTime->setChecked(true);
  RightPress({L().PlotLeft + 50, y});
  Choose(Menu()->ClearSelection);
  EXPECT_FALSE(window.TimeSelectionActive());
  EXPECT_FALSE(window.ExportP->ExportSelectedTime->isEnabled());
  EXPECT_FALSE(window.ExportP->ExportSelectedTime->isChecked());
  EXPECT_EQ(View().RangeFirstMin, kFirstMinute);
  EXPECT_EQ(window.Slots()[1].FirstProcessMin, kFirstMinute);
}

TEST_F(PointerTest, CtrlGCopiesABlackAndWhitePicture) {
  QGuiApplication::clipboard()->clear();
  const zorvel::DisplayOptions before = window.Screen().Options();
  Key(Qt::Key_G, Qt::ControlModifier);
  const QImage picture = QGuiApplication::clipboard()->image();
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.width(), L().PlotWidth + 47);
  EXPECT_EQ(picture.height(), L().PlotBottom - L().PlotTop - 9);
  int white = 0, black = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb p = picture.pixel(x, y);
      if (p == qRgb(255, 255, 255))
        ++white;
      else if (p == qRgb(0, 0, 0))
        ++black;
    }
  EXPECT_EQ(white + black, picture.width() * picture.height());
  EXPECT_GT(white, black) << "a white ground";
  EXPECT_GT(black, 0) << "with something drawn on it";
  EXPECT_EQ(window.Screen().Options().WhiteScreen, before.WhiteScreen) << "the screen's colours come back";
}

TEST_F(PointerTest, TimeIntoTheResultsMemo) {
  const QPoint at = InBand();
  RightPress(at);
  const TRecTime t = PixelToTime(View(), at.x());
  Choose(Menu()->TimeToMemo);
  EXPECT_TRUE(window.DataMemo->toPlainText().endsWith(QString::fromStdString(GoToText(t, true))));
}

TEST_F(PointerTest, ReadoutFollowsThePointerInsideThePlot) {
  auto* tmif = window.findChild<MovingInfoWindow*>();
  ASSERT_NE(tmif, nullptr);
  const QPoint at = InBand();
  MoveTo(at);
  EXPECT_TRUE(tmif->isVisible());
  EXPECT_EQ(tmif->TimeLbl->text(), QStringLiteral(" ") +
                                       QString::fromStdString(GoToText(PixelToTime(View(), at.x()), true)) +
                                       QStringLiteral(" "));
  EXPECT_TRUE(tmif->ValueLbl->text().endsWith(QStringLiteral(" SPL  ")));
  EXPECT_EQ(tmif->pos(), window.Display->mapTo(&window, QPoint(0, 0)) + at + QPoint(40, 50));
  EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("pointer.ZV1  (under pointer)")));
  D()->HidePointerTxtChk->setChecked(true);
  MoveTo(at + QPoint(1, 0));
  EXPECT_FALSE(tmif->isVisible());
  D()->HidePointerTxtChk->setChecked(false);
  MoveTo({L().PlotLeft - 10, at.y()});
  EXPECT_FALSE(tmif->isVisible()) << "left of the plot";
}

// A ZV2 file with calls at 1 s, 3 s and 6 s of its first minute, marked through the popup.
TEST(PointerMarking, PopupMarksOnlyTheMarkBitOfCallsBeforeThePointer) {
  QTemporaryDir dir;
  Recorder rec;
  TB window(rec.Options());
  std::vector<zorvel::testing::SyntheticMinute> ms(2);
  for (int32_t start : {200'000, 600'000, 1'200'000}) {
    tCall c = zorvel::testing::AcceptedCall(start);
    c.BuzzCall = start == 600'000;
    for (const Record& r : EncodeCall(c)) ms[0].records.push_back(r);
  }
  const std::string path = (dir.path() + QStringLiteral("/calls.ZV2")).toStdString();
  ASSERT_TRUE(
      zorvel::testing::WriteDataFile(path, zorvel::testing::MakeHeader(kFirstMinute, kFirstMinute + 1), ms));
  const auto before = zorvel::testing::ReadAll(path);
  window.resize(1000, 700);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.OpenUnrelatedFiles({QString::fromStdString(path)});
  window.SetMenuVisible(false);
  ASSERT_TRUE(window.Screen().ShowLevelAt(7, ""));  // 5 ms a pixel
  const ViewState& v = window.Screen().View();
  const TRecTime start = v.ScreenStart();
  const int y = window.Screen().BandRect(1).center().y();
  const int64_t ticks =
      (int64_t{kFirstMinute} - start.Mn) * kTicksPerMinute + 800'000 - start.FiveMuSec;  // 4 s
  const int x = v.layout.PlotLeft + static_cast<int>(ticks / v.FiveMusecPerPixel);
  ASSERT_LT(x, v.layout.PlotRight);
  auto* menu = window.findChild<ZoomMenu*>();
  auto choose = [&](QAction* a) {
    QTest::mousePress(window.Display, Qt::RightButton, {}, {x, y});
    a->trigger();
    menu->close();
  };
  choose(menu->MarkCalls);
  EXPECT_TRUE(rec.TimedContains(
      QStringLiteral("No file selected for action.  Right click in file area and select for action")));
  EXPECT_EQ(zorvel::testing::ReadAll(path), before);
  choose(menu->SelectFile);
  ASSERT_EQ(window.ActionSlot(), 1);
  choose(menu->MarkCalls);
  const auto marked = zorvel::testing::ReadAll(path);
  ASSERT_EQ(marked.size(), before.size());
  int changed = 0;
  for (size_t i = 0; i < marked.size(); ++i) {
    if (marked[i] == before[i]) continue;
    ++changed;
    EXPECT_EQ(marked[i] ^ before[i], kFlagMarked) << i;
    EXPECT_EQ(marked[i - kFlagsByte], kIdCallC) << i;
  }
  EXPECT_EQ(changed, 2) << "the calls at 1 s and 3 s, not the one at 6 s";
  choose(menu->UnmarkCalls);
  EXPECT_EQ(zorvel::testing::ReadAll(path), before) << "unmarking leaves the buzz bit";
}

}  // namespace
}  // namespace zorvel::ui::test
