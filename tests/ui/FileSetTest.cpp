#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "core/Header.h"
#include "core/TimeBase.h"
#include "support/Synthetic.h"
#include "ui/ClickLabel.h"
#include "ui/Messages.h"
#include "ui/DisplayControl.h"
#include "ui/UiTestSupport.h"
#include "ui/pages/FileSetPanel.h"
#include "ui/pages/FilesPage.h"

namespace zorvel::ui::test {
namespace {

constexpr int32_t kStart = 46'000 * 1440;  // midnight of a day

class FileSetTest : public ::testing::Test {
 protected:
  FileSetTest() : window(Options()) {}
  StartupOptions Options() {
    StartupOptions o = rec.Options();
    o.checkScreenHeight = false;
    return o;
  }
  // A ZV1 (or other) file of `minutes` minutes starting at `first`, with a few wave groups each.
  QString Make(const QString& name, int32_t first, int minutes) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(zorvel::testing::WriteDataFile(path.toStdString(),
                                               zorvel::testing::MakeHeader(first, first + minutes - 1),
                                               zorvel::testing::RegularMinutes(minutes, 3)));
    return path;
  }
  void Open(const QStringList& paths) { window.OpenUnrelatedFiles(paths); }
  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  QByteArray Header(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(1024) : QByteArray();
  }
  int32_t HeaderInt(const QString& path, int offset) {
    const QByteArray h = Header(path);
    if (h.size() < offset + 4) return -1;
    const auto* b = reinterpret_cast<const uint8_t*>(h.constData()) + offset;
    return static_cast<int32_t>(uint32_t{b[0]} << 24 | uint32_t{b[1]} << 16 | uint32_t{b[2]} << 8 | b[3]);
  }
  static QString Moment(int32_t mn) {
    const CivilDateTime t = DateTimeOfMinute(mn);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  }

  QTemporaryDir dir;
  Recorder rec;
  TB window;
};

TEST_F(FileSetTest, RenamingASetMovesEveryFileAndSaysWhere) {
  const QString zv1 = Make(QStringLiteral("night.ZV1"), kStart, 3);
  QFile map(dir.filePath(QStringLiteral("night.z1m")));
  ASSERT_TRUE(map.open(QIODevice::WriteOnly));
  map.close();
  Open({zv1});
  ASSERT_EQ(window.Slots().OpenCount(), 1);
  rec.savePath = dir.filePath(QStringLiteral("roost.ZV1"));
  Click(window.FileSet->RenameFileSetBtn);
  EXPECT_EQ(rec.saveTitle, QStringLiteral("Save night.ZV1 as .."));
  EXPECT_FALSE(QFile::exists(zv1));
  EXPECT_TRUE(QFile::exists(rec.savePath));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("roost.z1m"))));
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("night.z1m"))));
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("Saved as ") + rec.savePath));
  EXPECT_EQ(window.Slots().OpenCount(), 0);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorvel.exe  "));

  // Nothing open: nothing to rename.
  rec.timed.clear();
  Click(window.FileSet->RenameFileSetBtn);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("No files renamed")));
}

TEST_F(FileSetTest, RenamingOneFileOntoAnotherAsksFirst) {
  const QString a = Make(QStringLiteral("a.ZV1"), kStart, 2);
  const QString b = Make(QStringLiteral("b.ZV1"), kStart, 2);
  Open({a});
  rec.savePath = b;
  rec.answer = Answer::No;
  Click(window.FileSet->RenameOneFileBtn);
  ASSERT_EQ(rec.asked.size(), 1);
  EXPECT_TRUE(rec.asked.front().contains(QStringLiteral("already exists")));
  EXPECT_TRUE(QFile::exists(a));
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("No files renamed")));

  rec.savePath.clear();  // the dialog cancelled
  rec.timed.clear();
  Click(window.FileSet->RenameOneFileBtn);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("No files renamed")));
  EXPECT_TRUE(QFile::exists(a));
}

TEST_F(FileSetTest, DeletingASetAsksAndKeepsZv3Files) {
  const QString zv1 = Make(QStringLiteral("d.ZV1"), kStart, 2);
  const QString zv3 = Make(QStringLiteral("d.ZV3"), kStart, 2);
  Open({zv1});
  rec.answer = Answer::No;
  Click(window.FileSet->DeleteFileSetBtn);
  ASSERT_EQ(rec.asked.size(), 1);
  EXPECT_EQ(rec.asked.front(),
            QStringLiteral("Are you SURE you wish to permanently delete all files in the set '") + zv1 +
                QStringLiteral("'\r\nThey will NOT be in the Recycle Bin"));
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("No files deleted")));
  EXPECT_TRUE(QFile::exists(zv1));

  rec.answer = Answer::Yes;
  Click(window.FileSet->DeleteFileSetBtn);
  EXPECT_FALSE(QFile::exists(zv1));
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("d.z1m"))));
  EXPECT_TRUE(QFile::exists(zv3));
  EXPECT_EQ(window.Slots().OpenCount(), 0);

  rec.timed.clear();
  Click(window.FileSet->DeleteFileSetBtn);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("No file selected for action")));
}

TEST_F(FileSetTest, AddingADayMovesTheFileAndItsMapGoes) {
  const QString zv1 = Make(QStringLiteral("s.ZV1"), kStart, 2);
  Open({zv1});
  window.FileSet->MinsToAddToStartEdit->setText(QStringLiteral("x"));
  Click(window.FileSet->AddMinsToStartBtn);
  EXPECT_TRUE(rec.TimedContains(QString::fromLatin1(msg::kMinutesNotNumber)));
  EXPECT_EQ(HeaderInt(zv1, 256), kStart);

  window.FileSet->MinsToAddToStartEdit->setText(QStringLiteral("1440"));
  Click(window.FileSet->AddMinsToStartBtn);
  EXPECT_EQ(HeaderInt(zv1, 256), kStart + 1440);
  EXPECT_EQ(HeaderInt(zv1, 260), kStart + 1441);
  EXPECT_EQ(HeaderInt(zv1, 272), kStart + 1440);
  ASSERT_TRUE(window.Slots()[1].Open);
  EXPECT_EQ(window.Slots()[1].FirstLoggedMin, kStart + 1440);
}

TEST_F(FileSetTest, JoinAsksForACopyFirstThenAppendsWithGapMinutes) {
  const QString first = Make(QStringLiteral("j1.ZV1"), kStart, 5);
  const QString later = Make(QStringLiteral("j2.ZV1"), kStart + 5 + 9, 2);  // starts 10 minutes after
  const QString overlapping = Make(QStringLiteral("j0.ZV1"), kStart + 2, 2);
  Open({first});
  Click(window.FileSet->JoinZV1FilesBtn);
  EXPECT_TRUE(rec.TimedContains(
      QStringLiteral("To create a copy of the first file:\r\nRight click the name in Explorer and select "
                     "'Copy'\r\nthen CTRL V to "
                     "paste the copy into the same directory\r\nthen resume this process")));
  EXPECT_EQ(HeaderInt(first, 260), kStart + 4);

  window.FileSet->CopyJoinFirstFileChk->setChecked(false);
  rec.toOpen = {later, overlapping};
  const qint64 before = QFileInfo(first).size();
  Click(window.FileSet->JoinZV1FilesBtn);
  EXPECT_EQ(rec.openTitle, QStringLiteral("Select one or more ZV1 files to append"));
  EXPECT_TRUE(rec.openMultiple);
  EXPECT_EQ(HeaderInt(first, 260), kStart + 5 + 9 + 1);
  EXPECT_EQ(QFileInfo(first).size(), before + 9 * 16 + (QFileInfo(later).size() - 1024 - 16));
  const QString memo = window.DataMemo->toPlainText();
  EXPECT_TRUE(memo.startsWith(QStringLiteral("Action\tfile\tGapMins\tFirstLoggedMin\tLastLoggedMin")));
  EXPECT_TRUE(memo.contains(QStringLiteral("Appended\tj2.ZV1\t9\t")));
  EXPECT_FALSE(memo.contains(QStringLiteral("Appended\tj0.ZV1")));
  EXPECT_TRUE(rec.TimedContains(
      QStringLiteral("1 files appended.  Go to the Process page of the menu to create a new ZV2 file")));
  EXPECT_EQ(window.pp->currentIndex(), msg::kResultsPage);
  EXPECT_FALSE(window.BatchRunning());
  EXPECT_EQ(window.Slots().OpenCount(), 0);
}

TEST_F(FileSetTest, CopyOfTheSelectedPeriodAndCropsToFileOnesSpan) {
  const QString zv1 = Make(QStringLiteral("p.ZV1"), kStart, 10);
  Open({zv1});
  window.Files->PeriodFromEdit->setText(Moment(kStart + 2));
  window.Files->PeriodToEdit->setText(QStringLiteral("soon"));
  Click(window.Files->CopyPeriodBtn);
  EXPECT_TRUE(rec.TimedContains(QString::fromLatin1(msg::kPeriodNotReadable)));

  window.Files->PeriodToEdit->setText(Moment(kStart + 4));
  rec.savePath = dir.filePath(QStringLiteral("part.ZV1"));
  Click(window.Files->CopyPeriodBtn);
  EXPECT_EQ(HeaderInt(rec.savePath, 256), kStart + 2);
  EXPECT_EQ(HeaderInt(rec.savePath, 260), kStart + 4);
  EXPECT_EQ(window.Files->CopyPeriodBtn->text(),
            QStringLiteral("Copy selected time period into new file(s)"));

  // With the boxes empty the display's time selection is copied; without one, nothing is.
  window.Files->PeriodFromEdit->clear();
  window.Files->PeriodToEdit->clear();
  rec.savePath = dir.filePath(QStringLiteral("selection.ZV1"));
  Click(window.Files->CopyPeriodBtn);
  EXPECT_TRUE(rec.TimedContains(QString::fromLatin1(msg::kNoPeriodToCopy)));
  EXPECT_FALSE(QFile::exists(rec.savePath));
  window.Screen().View().RangeFirstMin = kStart + 5;
  window.Screen().View().RangeLastMin = kStart + 7;
  window.SetTimeSelectionActive(true);
  Click(window.Files->CopyPeriodBtn);
  EXPECT_EQ(HeaderInt(rec.savePath, 256), kStart + 5);
  EXPECT_EQ(HeaderInt(rec.savePath, 260), kStart + 7);

  // A crop of a file that ends before file 1's span is refused and listed; one that holds it is cut.
  const QString shorter = Make(QStringLiteral("short.ZV1"), kStart, 5);
  const QString longer = Make(QStringLiteral("long.ZV1"), kStart - 3, 20);
  rec.toOpen = {shorter, longer};
  rec.savePath = dir.filePath(QStringLiteral("cropped.ZV1"));
  Click(window.FileSet->CropCopiesBtn);
  EXPECT_EQ(rec.openTitle, QStringLiteral("Open ZV3 files to copy"));
  EXPECT_TRUE(window.DataMemo->toPlainText().contains(
      QStringLiteral("short.ZV1starts later or ends earlier than target time span")));
  EXPECT_EQ(HeaderInt(rec.savePath, 256), kStart);
  EXPECT_EQ(HeaderInt(rec.savePath, 260), kStart + 9);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("BUT .....  some Files could not be processed")));
  EXPECT_EQ(window.FileSet->CropCopiesBtn->text(), QStringLiteral("Create copies with same time span"));
  EXPECT_EQ(window.BigLbl->text(), QStringLiteral("Zorvel completed             "));
}

TEST_F(FileSetTest, File1TextsAreShownAndWrittenIntoEveryOpenFile) {
  const QString a = Make(QStringLiteral("t1.ZV1"), kStart, 2);
  const QString b = Make(QStringLiteral("t2.ZV2"), kStart, 2);
  Click(window.Files->SaveTextBtn);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("Text changes must be made on File1")));

  Open({a, b});
  EXPECT_TRUE(window.Files->Location1Edit->text().isEmpty());
  window.Files->Location1Edit->setText(QStringLiteral("Old barn"));
  window.Files->GMT1Edit->setText(QStringLiteral("+1"));
  Click(window.Files->SaveTextBtn);
  for (const QString& path : {a, b}) {
    const QByteArray h = Header(path);
    EXPECT_EQ(h.mid(283, 9), QByteArray("Old barn\0", 9)) << path.toStdString();
    EXPECT_EQ(h.mid(280, 3), QByteArray("+1\0", 3));
  }
  EXPECT_EQ(window.Files->SaveTextBtn->text(),
            QStringLiteral("Save / Paste text in File 1 boxes into all open files"));
  // The boxes keep what was saved when another file opens beside file 1.
  Open({Make(QStringLiteral("t3.ZV1"), kStart, 2)});
  EXPECT_EQ(window.Files->Location1Edit->text(), QStringLiteral("Old barn"));
}

}  // namespace
}  // namespace zorvel::ui::test
