// Files handed to the program at start, as a file manager or the command line names them: good
// ones open whatever their names look like, bad ones are each named with a message.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include "ui/CommandLine.h"
#include "ui/UiTestSupport.h"

namespace zorvel::ui::test {
namespace {

class StartFilesTest : public ::testing::Test {
 protected:
  StartFilesTest() : window(rec.Options()) {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
  QString WriteBytes(const QString& name, const QByteArray& bytes) {
    QFile f(Path(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
  }
  bool Named(const QString& name) const {
    for (const auto& [text, ms] : rec.timed)
      if (text.contains(name)) return true;
    return false;
  }

  QTemporaryDir dir;
  Recorder rec;
  TB window;
};

TEST_F(StartFilesTest, NamesThatLookOddOpenLikeAnyOther) {
  const QStringList names = {QStringLiteral("pond night 1.ZV1"), QStringLiteral("été à l'étang.ZV1"),
                             QStringLiteral("-x.ZV1"), QStringLiteral("--help.ZV1")};
  QStringList paths;
  for (const QString& n : names) paths << WriteDataFile(dir.path(), n);
  EXPECT_EQ(window.OpenStartFiles(paths), 0);
  ASSERT_EQ(window.Slots().OpenCount(), 4);
  for (int slot = 1; slot <= 4; ++slot)
    EXPECT_EQ(QString::fromStdString(window.Slots()[slot].FullFileName), paths[slot - 1]) << slot;
  EXPECT_TRUE(window.ErrorsMemo->toPlainText().isEmpty());
}

TEST_F(StartFilesTest, AReadOnlyFileOpensAndIsLeftAsItWas) {
  const QString path = WriteDataFile(dir.path(), QStringLiteral("card copy.ZV1"), 5);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray before = f.readAll();
  f.close();
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
  EXPECT_EQ(window.OpenStartFiles({path}), 0);
  EXPECT_TRUE(window.Slots()[1].Open);
  window.CloseAllFilesBtnClick();
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), before);
}

TEST_F(StartFilesTest, EveryBadFileIsNamedAndTheGoodOnesStillOpen) {
  const QString good = WriteDataFile(dir.path(), QStringLiteral("good.ZV1"));
  const QString text = WriteBytes(QStringLiteral("notes.txt"), "a shopping list\n");
  const QString random = WriteBytes(QStringLiteral("noise.ZV1"), QByteArray(3000, '\x5a'));
  const QString empty = WriteBytes(QStringLiteral("empty.ZV2"), QByteArray());
  const QString card = WriteBytes(QStringLiteral("DATA0001.NXQ"), QByteArray(600, '\0'));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.ZV1")));
  const QString folder = Path(QStringLiteral("folder.ZV1"));
  const QString pipe = Path(QStringLiteral("pipe.ZV1"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const QString missing = Path(QStringLiteral("missing.ZV1"));

  const QStringList bad = {text, random, empty, card, folder, pipe, missing};
  EXPECT_EQ(window.OpenStartFiles(QStringList(bad) << good), bad.size());
  EXPECT_EQ(window.Slots().OpenCount(), 1);
  EXPECT_EQ(QString::fromStdString(window.Slots()[1].FullFileName), good);
  // Each has its message on screen, naming it, and the messages stay in the errors memo.
  for (const QString& b : {text, random, empty, folder, pipe, missing})
    EXPECT_TRUE(Named(QFileInfo(b).fileName())) << b.toStdString();
  EXPECT_TRUE(
      rec.TimedContains(QStringLiteral("This is an SDcard file that can be read via the 'Read SD' page")));
  const QString errors = window.ErrorsMemo->toPlainText();
  EXPECT_EQ(errors.count(QLatin1Char('\n')) + 1, bad.size()) << errors.toStdString();
  EXPECT_TRUE(errors.contains(QStringLiteral("File type not recognised ") + text));
  EXPECT_TRUE(errors.contains(missing + QStringLiteral(" not opened successfully.")));
}

TEST_F(StartFilesTest, MoreFilesThanSlotsNameTheOnesLeftOut) {
  QStringList paths;
  for (int i = 1; i <= kSlotCount + 1; ++i)
    paths << WriteDataFile(dir.path(), QStringLiteral("n%1.ZV1").arg(i));
  EXPECT_EQ(window.OpenStartFiles(paths), 1);
  EXPECT_EQ(window.Slots().OpenCount(), kSlotCount);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("No slot free for ") + paths.back()));
  EXPECT_EQ(QString::fromStdString(window.Slots()[1].FullFileName), paths.front()) << "file 1 stays open";
}

// The command line: options end at "--", names after it are files, and a name a shell split at
// its spaces is joined again when only the whole of it exists.
TEST(StartCommandLine, OptionsEndAtTwoDashes) {
  const char* raw[] = {"zorvel", "-style", "fusion", "--", "-reverse", "--help", "a b.ZV1"};
  char** argv = const_cast<char**>(raw);
  EXPECT_EQ(OptionArgumentCount(7, argv), 3);
  EXPECT_EQ(ArgumentsAfterOptions(7, argv),
            (QStringList{QStringLiteral("-reverse"), QStringLiteral("--help"), QStringLiteral("a b.ZV1")}));
  EXPECT_EQ(OptionArgumentCount(3, argv), 3);
  EXPECT_TRUE(ArgumentsAfterOptions(3, argv).isEmpty());
}

TEST(StartCommandLine, FilesOfTheParameters) {
  QTemporaryDir dir;
  const QString spaced = WriteDataFile(dir.path(), QStringLiteral("pond night.ZV1"));
  const QString plain = WriteDataFile(dir.path(), QStringLiteral("plain.ZV1"));
  const QString firstHalf = QDir(dir.path()).filePath(QStringLiteral("pond"));
  // One parameter per file, as a file manager passes them.
  EXPECT_EQ(FilesOfParameters({spaced, plain}, {}).open, (QStringList{spaced, plain}));
  // A shell split the name: it is whole again.
  EXPECT_EQ(FilesOfParameters({firstHalf, QStringLiteral("night.ZV1")}, {}).open, QStringList{spaced});
  // Nothing exists: each is tried, so that each gets its message.
  EXPECT_EQ(FilesOfParameters({QStringLiteral("x.ZV1"), QStringLiteral("y.ZV1")}, {}).open,
            (QStringList{QStringLiteral("x.ZV1"), QStringLiteral("y.ZV1")}));
  // A leading dash is an option before "--" and a file after it; "./-x" is always a file.
  const StartFiles dashed = FilesOfParameters({QStringLiteral("-x.ZV1")}, {});
  EXPECT_EQ(dashed.unknown, QStringLiteral("-x.ZV1"));
  EXPECT_TRUE(dashed.open.isEmpty());
  EXPECT_EQ(FilesOfParameters({QStringLiteral("./-x.ZV1")}, {QStringLiteral("-y.ZV1")}).open,
            (QStringList{QStringLiteral("./-x.ZV1"), QStringLiteral("-y.ZV1")}));
  EXPECT_TRUE(FilesOfParameters({QStringLiteral("-")}, {}).unknown.isEmpty()) << "a lone dash is a name";
}

}  // namespace
}  // namespace zorvel::ui::test
