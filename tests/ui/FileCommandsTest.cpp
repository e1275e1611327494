#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "ui/DisplayArea.h"
#include "ui/Messages.h"
#include "ui/UiTestSupport.h"
#include "ui/ZoomMenu.h"
#include "ui/pages/FilesPage.h"

namespace zorvel::ui::test {
namespace {

class FileCommandsTest : public ::testing::Test {
 protected:
  FileCommandsTest() : window(rec.Options()) {}
  QString File(const QString& name) { return WriteDataFile(dir.path(), name); }
  void OpenThroughButton(const QStringList& paths) {
    rec.toOpen = paths;
    QTest::mouseClick(window.Files->OpenUnrelatedFilesBtn, Qt::LeftButton);
  }
  QString Caption() const { return window.Files->OpenUnrelatedFilesBtn->text(); }
  QCheckBox* Skip(int slot) const { return window.SkipOn[static_cast<size_t>(slot - 1)]; }
  QString Label(int slot) const { return window.Display->FileLbl[static_cast<size_t>(slot - 1)]->text(); }

  QTemporaryDir dir;
  Recorder rec;
  TB window;
};

TEST_F(FileCommandsTest, VacantAtStart) {
  EXPECT_EQ(Caption(), QStringLiteral("Open up to 6 unrelated files"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorvel.exe  "));
  EXPECT_FALSE(window.Files->CloseAllFilesBtn->isEnabled());
  for (int s = 1; s <= 6; ++s) {
    EXPECT_EQ(Label(s), QStringLiteral("(File %1 - vacant)").arg(s));
    EXPECT_FALSE(Skip(s)->isEnabled());
  }
}

TEST_F(FileCommandsTest, OpeningThreeThenClosingTheThird) {
  OpenThroughButton({File("a.ZV1"), File("b.ZV1"), File("c.zv2")});
  EXPECT_EQ(window.Slots().OpenCount(), 3);
  EXPECT_EQ(Caption(), QStringLiteral("Open up to 3 files"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorvel.exe  a.ZV1"));
  EXPECT_TRUE(window.Files->CloseAllFilesBtn->isEnabled());
  EXPECT_EQ(Skip(2)->text(), QStringLiteral("Skip on b.ZV1"));
  EXPECT_TRUE(Skip(3)->isEnabled());
  EXPECT_EQ(Label(3), QStringLiteral("c.zv2"));
  EXPECT_EQ(window.Slots()[1].FileYaxisType, tySPL);
  EXPECT_EQ(window.Slots()[3].FileYaxisType, tyFreq);
  EXPECT_EQ(window.pp->currentIndex(), msg::kDisplayPage);
  EXPECT_EQ(window.SeekFile(), 1);
  EXPECT_TRUE(Skip(1)->isChecked());

  // No file selected: the close command says how to select one.
  QTest::mouseClick(window.Files->CloseFileBtn, Qt::LeftButton);
  EXPECT_TRUE(rec.TimedContains(
      QStringLiteral("No file selected for action.  Right click in file area and select for action")));
  EXPECT_EQ(window.Slots().OpenCount(), 3);

  window.SetActionSlot(3);
  QTest::mouseClick(window.Files->CloseFileBtn, Qt::LeftButton);
  EXPECT_TRUE(window.Slots()[1].Open);
  EXPECT_TRUE(window.Slots()[2].Open);
  EXPECT_FALSE(window.Slots()[3].Open);
  EXPECT_EQ(Caption(), QStringLiteral("Open up to 4 files"));
  EXPECT_FALSE(Skip(3)->isEnabled());
  EXPECT_FALSE(Skip(3)->isChecked());
  EXPECT_EQ(Label(3), QStringLiteral("(File 3 - vacant)"));
  EXPECT_EQ(window.ActionSlot(), 0);
}

TEST_F(FileCommandsTest, RightClickInABandSelectsItsFile) {
  OpenThroughButton({File("a.ZV1"), File("b.ZV1")});
  window.resize(1000, 700);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.SetMenuVisible(false);
  // File 1's band is the lowest.
  const QPoint inLowerBand(window.Display->width() / 2, window.Display->height() * 3 / 4);
  ASSERT_EQ(window.Display->SlotAt(inLowerBand.y()), 1);
  const QPoint inUpperBand(window.Display->width() / 2, window.Display->height() / 4);
  ASSERT_EQ(window.Display->SlotAt(inUpperBand.y()), 2);
  // A right press opens the popup; its "Select file for action" picks the band pressed in.
  QTest::mouseClick(window.Display, Qt::RightButton, {}, inUpperBand);
  EXPECT_EQ(window.ActionSlot(), 0);
  auto* menu = window.findChild<ZoomMenu*>();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());
  menu->SelectFile->trigger();
  menu->close();
  EXPECT_EQ(window.ActionSlot(), 2);
  EXPECT_TRUE(window.Display->FileLbl[1]->styleSheet().contains(QStringLiteral("#ff0000")));
  EXPECT_TRUE(window.Display->FileLbl[0]->styleSheet().contains(QStringLiteral("#ffffff")));
}

TEST_F(FileCommandsTest, SeekFileMovesWhenItsFileCloses) {
  OpenThroughButton({File("a.ZV1"), File("b.ZV1"), File("c.ZV1")});
  QTest::mouseClick(Skip(2), Qt::LeftButton);
  EXPECT_EQ(window.SeekFile(), 2);
  EXPECT_FALSE(Skip(1)->isChecked());
  window.CloseFileSlot(2);
  EXPECT_EQ(window.SeekFile(), 1);
  EXPECT_TRUE(Skip(1)->isChecked());
}

TEST_F(FileCommandsTest, SeventhFileClosesSlotOneAndTakesIt) {
  QStringList six;
  for (int i = 1; i <= 6; ++i) six << File(QStringLiteral("f%1.ZV1").arg(i));
  OpenThroughButton(six);
  EXPECT_EQ(Caption(), QStringLiteral("(all file slots in use)"));
  EXPECT_FALSE(window.Files->OpenUnrelatedFilesBtn->isEnabled());
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorvel.exe  f1.ZV1"));

  window.OpenUnrelatedFiles({File("seventh.ZV1"), File("eighth.ZV1")});
  ASSERT_FALSE(rec.timed.empty());
  EXPECT_EQ(rec.timed.front().first, QStringLiteral("No slot free for another file.  Closing File1"));
  EXPECT_EQ(rec.timed.front().second, 10'000);
  EXPECT_EQ(QString::fromStdString(window.Slots()[1].ShortName), QStringLiteral("seventh.ZV1"));
  EXPECT_EQ(QString::fromStdString(window.Slots()[2].ShortName), QStringLiteral("f2.ZV1"));
  EXPECT_EQ(window.Slots().OpenCount(), 6);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorvel.exe  seventh.ZV1"));
}

TEST_F(FileCommandsTest, OtherFilesArePassedOverAndSdCardFilesExplained) {
  QFile text(dir.filePath(QStringLiteral("notes.txt")));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.close();
  OpenThroughButton({dir.filePath(QStringLiteral("notes.txt")), dir.filePath(QStringLiteral("0BAT000.NXQ")),
                     File("a.ZV1")});
  EXPECT_EQ(window.Slots().OpenCount(), 1);
  EXPECT_EQ(QString::fromStdString(window.Slots()[1].ShortName), QStringLiteral("a.ZV1"));
  EXPECT_TRUE(
      rec.TimedContains(QStringLiteral("This is an SDcard file that can be read via the 'Read SD' page")));
}

TEST_F(FileCommandsTest, TooSmallFileLeavesTheSlotVacant) {
  QFile small(dir.filePath(QStringLiteral("small.ZV1")));
  ASSERT_TRUE(small.open(QIODevice::WriteOnly));
  small.write(QByteArray(1023, '\0'));
  small.close();
  OpenThroughButton({small.fileName()});
  EXPECT_EQ(window.Slots().OpenCount(), 0);
  EXPECT_EQ(Caption(), QStringLiteral("Open up to 6 unrelated files"));
  EXPECT_FALSE(Skip(1)->isEnabled());
}

TEST_F(FileCommandsTest, FileSetOpensTheZv1ThenItsZv2) {
  File("night.ZV1");
  const QString zv2 = File("night.ZV2");
  rec.toOpen = {zv2};
  QTest::mouseClick(window.Files->OpenFileSetBtn, Qt::LeftButton);
  ASSERT_EQ(window.Slots().OpenCount(), 2);
  EXPECT_EQ(QString::fromStdString(window.Slots()[1].ShortName), QStringLiteral("night.ZV1"));
  EXPECT_EQ(window.Slots()[1].FileYaxisType, tySPL);
  EXPECT_EQ(QString::fromStdString(window.Slots()[2].ShortName), QStringLiteral("night.ZV2"));
  EXPECT_EQ(window.Slots()[2].FileYaxisType, tyFreq);
  EXPECT_TRUE(rec.asked.isEmpty());  // no time selection to ask about

  // A ZV2 without its ZV1 opens alone; with a time selection in force the user is asked first.
  window.SetTimeSelectionActive(true);
  rec.answer = Answer::No;
  window.OpenFileSet(File("lonely.ZV2"));
  EXPECT_EQ(QString::fromStdString(window.Slots()[3].ShortName), QStringLiteral("lonely.ZV2"));
  EXPECT_EQ(window.Slots().OpenCount(), 3);
  ASSERT_EQ(rec.asked.size(), 1);
  EXPECT_FALSE(window.TimeSelectionActive());
}

TEST_F(FileCommandsTest, CloseAllEmptiesEverySlot) {
  OpenThroughButton({File("a.ZV1"), File("b.ZV1")});
  QTest::mouseClick(window.Files->CloseAllFilesBtn, Qt::LeftButton);
  EXPECT_EQ(window.Slots().OpenCount(), 0);
  EXPECT_EQ(Caption(), QStringLiteral("Open up to 6 unrelated files"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorvel.exe  "));
  EXPECT_FALSE(window.Files->CloseAllFilesBtn->isEnabled());
  EXPECT_EQ(window.SeekFile(), 1);
  for (int s = 1; s <= 6; ++s) {
    EXPECT_FALSE(Skip(s)->isChecked());
    EXPECT_FALSE(Skip(s)->isEnabled());
  }
}

}  // namespace
}  // namespace zorvel::ui::test
