// The popup's two clipboard lists, chosen as a person would: right press, "Select file for
// action", right press, the list command; then the clipboard holds the table.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include "core/CallRecords.h"
#include "support/Synthetic.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/UiTestSupport.h"
#include "ui/ZoomMenu.h"
#include "ui/pages/ExportPage.h"

namespace zorvel::ui::test {
namespace {

const QString kRawHeader = QStringLiteral(
    "file\tMin\t5uS\tavF\tSPL\tScore\tAMP1\tAMP2\tAMP3\tAMP4\tAMP5\tAMP6\tAMP7\tAMP8\tIPI1\tIPI2\tIPI3\tIPI4"
    "\tIPI5\t"
    "IPI6\tIPI7\tIPI8");
const QString kUntouched = QStringLiteral("left there before the command");

class PasteTest : public ::testing::Test {
 protected:
  PasteTest() : window(rec.Options()) {
    EXPECT_TRUE(ShowBusyFileAtLevel7(window, dir.path(), QStringLiteral("paste.ZV1")));
    QGuiApplication::clipboard()->setText(kUntouched);
  }
  QPoint InBand() {
    const QRect band = window.Screen().BandRect(1);
    return {window.Screen().View().layout.PlotLeft + 200, band.center().y()};
  }
  ZoomMenu* Menu() { return window.findChild<ZoomMenu*>(); }
  void Choose(QAction* a) {
    QTest::mousePress(window.Display, Qt::RightButton, {}, InBand());
    a->trigger();
    Menu()->close();
  }
  QStringList ClipboardLines() { return QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n")); }

  QTemporaryDir dir;
  Recorder rec;
  TB window;
};

TEST_F(PasteTest, RawDataOfEveryWaveGroupOnScreenOfTheActionFile) {
  Choose(Menu()->PasteRaw);
  EXPECT_TRUE(rec.TimedContains(
      QStringLiteral("No file selected for action.  Right click in file area and select for action")));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), kUntouched);
  ASSERT_TRUE(window.ExportP->OmitSpreadsheetHeaders->isChecked());

  Choose(Menu()->SelectFile);
  ASSERT_EQ(window.ActionSlot(), 1);
  ASSERT_TRUE(Menu()->PasteRaw->isEnabled());
  Choose(Menu()->PasteRaw);
  const QStringList lines = ClipboardLines();
  const TFileRec& s = window.Slots()[1];
  ASSERT_GT(s.OctInThisScreen, 3);
  ASSERT_EQ(lines.size(), s.OctInThisScreen + 1);
  EXPECT_EQ(lines[0], kRawHeader);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QStringList f = lines[i].split(QLatin1Char('\t'));
    ASSERT_EQ(f.size(), 22) << i;
    EXPECT_EQ(f[0], QStringLiteral("paste.ZV1"));
    EXPECT_EQ(f[1].toInt(), kFirstMinute);
    EXPECT_EQ((f[2].toInt() - 50'000) % 100'000, 0) << "a wave group every half second from 0.25 s";
    EXPECT_EQ(f[14], QStringLiteral("99"));
  }
  EXPECT_FALSE(window.ExportP->OmitSpreadsheetHeaders->isChecked()) << "the header box is unticked";
  EXPECT_FALSE(s.PasteRaw) << "the flag lasts one refresh";
  EXPECT_TRUE(window.Screen().Paste().Empty());

  // The next ordinary screen adds nothing to a list.
  window.Screen().Nav().GoOn();
  EXPECT_TRUE(window.Screen().Paste().Empty());
}

TEST_F(PasteTest, AtLowResolutionTheCommandAsksForAZoomIn) {
  Choose(Menu()->SelectFile);
  ASSERT_TRUE(window.Screen().ShowLevelAt(12, ""));
  Choose(Menu()->PasteCalls);
  EXPECT_TRUE(rec.TimedContains(
      QStringLiteral("The clipboard lists are made from high resolution screens: zoom in first")));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), kUntouched);
  EXPECT_FALSE(window.Slots()[1].PasteCalls);
}

TEST(PasteCalls, CallParametersOfEveryCallOnScreen) {
  QTemporaryDir dir;
  Recorder rec;
  TB window(rec.Options());
  std::vector<zorvel::testing::SyntheticMinute> ms(2);
  for (int n : {1, 2, 3}) {
    tCall c;
    c.Number = n;
    c.CallType = n == 2 ? tcQCF : tcFM;
    c.StartTime = n == 2 ? 600'000 : 200'000;  // 1 s and 3 s of the first minute, 1 s of the next
    c.AmpAv = 100;
    c.SpConfidence = 5;
    for (const Record& r : EncodeCall(c)) ms[n == 3 ? 1 : 0].records.push_back(r);
  }
  const std::string path = (dir.path() + QStringLiteral("/calls.ZV2")).toStdString();
  ASSERT_TRUE(
      zorvel::testing::WriteDataFile(path, zorvel::testing::MakeHeader(kFirstMinute, kFirstMinute + 1), ms));
  window.resize(1000, 700);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.OpenUnrelatedFiles({QString::fromStdString(path)});
  window.SetMenuVisible(false);
  ASSERT_TRUE(window.Screen().ShowLevelAt(7, ""));
  auto* menu = window.findChild<ZoomMenu*>();
  const QPoint at(window.Screen().View().layout.PlotLeft + 100, window.Screen().BandRect(1).center().y());
  auto choose = [&](QAction* a) {
    QTest::mousePress(window.Display, Qt::RightButton, {}, at);
    a->trigger();
    menu->close();
  };
  choose(menu->SelectFile);
  choose(menu->PasteCalls);
  const QStringList lines = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 3) << "the header and the two calls of the first minute";
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("file\tcalls.ZV2\tMin\t5uS\tCallN\tCall type\t")));
  EXPECT_TRUE(lines[0].endsWith(QStringLiteral("\tAmpAv")));
  const QStringList a = lines[1].split(QLatin1Char('\t')), b = lines[2].split(QLatin1Char('\t'));
  EXPECT_EQ(a.size(), lines[0].split(QLatin1Char('\t')).size());
  EXPECT_EQ(a.mid(3, 3), (QStringList{"200000", "1", "tcFM"}));
  EXPECT_EQ(b.mid(3, 3), (QStringList{"600000", "2", "tcQCF"}));
  EXPECT_FALSE(window.Slots()[1].PasteCalls);
  EXPECT_FALSE(window.ExportP->OmitSpreadsheetHeaders->isChecked());
}

}  // namespace
}  // namespace zorvel::ui::test
