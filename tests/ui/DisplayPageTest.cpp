// The Display page names the file of each slot beside its y-axis box, and follows every open,
// close and rename.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "ui/UiTestSupport.h"
#include "ui/pages/FileSetPanel.h"
#include "ui/pages/FilesPage.h"

namespace zorvel::ui::test {
namespace {

class DisplayPageTest : public ::testing::Test {
 protected:
  DisplayPageTest() : window(rec.Options()) {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  // The label as the page shows it, found by its name as a person's tool would.
  QString SlotText(int slot) {
    const auto* l = window.findChild<QLabel*>(QStringLiteral("DisplaySlot%1Lbl").arg(slot));
    return l ? l->text() : QStringLiteral("<no label>");
  }
  QStringList AllSlotTexts() {
    QStringList texts;
    for (int slot = 1; slot <= kSlotCount; ++slot) texts << SlotText(slot);
    return texts;
  }
  static QString Vacant(int slot) { return QStringLiteral("(File %1 - vacant)").arg(slot); }

  QTemporaryDir dir;
  Recorder rec;
  TB window;
};

TEST_F(DisplayPageTest, SlotLabelsFollowOpeningClosingAndRenaming) {
  EXPECT_EQ(AllSlotTexts(), (QStringList{Vacant(1), Vacant(2), Vacant(3), Vacant(4), Vacant(5), Vacant(6)}));
  const QString a = WriteDataFile(dir.path(), QStringLiteral("pond night.ZV1"));
  const QString b = WriteDataFile(dir.path(), QStringLiteral("wood edge.ZV1"));
  const QString c = WriteDataFile(dir.path(), QStringLiteral("barn.ZV1"));
  window.OpenUnrelatedFiles({a, b});
  ASSERT_EQ(window.Slots().OpenCount(), 2);
  // The page names what the slot itself is called (its short name), not a fixed text.
  EXPECT_EQ(SlotText(1), QString::fromStdString(window.Slots()[1].FileLbl));
  EXPECT_TRUE(SlotText(1).contains(QStringLiteral("pond night"))) << SlotText(1).toStdString();
  EXPECT_TRUE(SlotText(2).contains(QStringLiteral("wood edge"))) << SlotText(2).toStdString();
  for (int slot = 3; slot <= kSlotCount; ++slot) EXPECT_EQ(SlotText(slot), Vacant(slot));

  window.CloseFileSlot(1);
  EXPECT_EQ(SlotText(1), Vacant(1));
  EXPECT_TRUE(SlotText(2).contains(QStringLiteral("wood edge")));
  window.OpenUnrelatedFiles({c});  // the lowest free slot is 1 again
  EXPECT_TRUE(SlotText(1).contains(QStringLiteral("barn"))) << SlotText(1).toStdString();

  // Renaming file 2 through its button: the slot that held it is vacant, its label says so.
  window.SetActionSlot(2);
  rec.savePath = dir.filePath(QStringLiteral("copse.ZV1"));
  QTest::mouseClick(window.FileSet->RenameOneFileBtn, Qt::LeftButton);
  ASSERT_TRUE(QFile::exists(rec.savePath));
  EXPECT_EQ(window.Slots()[2].Open, false);
  EXPECT_EQ(SlotText(2), Vacant(2));
  EXPECT_TRUE(SlotText(1).contains(QStringLiteral("barn")));
  // Opened again under its new name, it is named so.
  window.OpenUnrelatedFiles({rec.savePath});
  EXPECT_TRUE(SlotText(2).contains(QStringLiteral("copse"))) << SlotText(2).toStdString();

  QTest::mouseClick(window.Files->CloseAllFilesBtn, Qt::LeftButton);
  EXPECT_EQ(AllSlotTexts(), (QStringList{Vacant(1), Vacant(2), Vacant(3), Vacant(4), Vacant(5), Vacant(6)}));
}

}  // namespace
}  // namespace zorvel::ui::test
