#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "ui/Messages.h"
#include "ui/UiTestSupport.h"
#include "ui/pages/ResultsPage.h"

namespace zorvel::ui::test {
namespace {

class ResultsTest : public ::testing::Test {
 protected:
  ResultsTest() : window(rec.Options()) {
    window.AddLine(Memo::DataMemo, QStringLiteral("first\tline"));
    window.AddLine(Memo::DataMemo, QStringLiteral("second"));
  }
  Recorder rec;
  TB window;
  QTemporaryDir dir;
};

TEST_F(ResultsTest, ButtonCaptions) {
  EXPECT_EQ(window.Results->CopyDataMemoBtn->text(), QStringLiteral("Cut to Clipboard"));
  EXPECT_EQ(window.Results->CopyResultsBtn->text(), QStringLiteral("Copy to Clipboard"));
  EXPECT_EQ(window.Results->ClearJotterBtn->text(), QStringLiteral("Clear all"));
  EXPECT_EQ(window.Results->SaveResultsAsFileBtn->text(), QStringLiteral("Save as text file"));
}

TEST_F(ResultsTest, CopyKeepsTheTextCutAndClearEmptyItAllClearTheFlag) {
  ASSERT_TRUE(window.UnsavedResults());
  QTest::mouseClick(window.Results->CopyResultsBtn, Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("first\tline\nsecond"));
  EXPECT_EQ(window.DataMemo->toPlainText(), QStringLiteral("first\tline\nsecond"));
  EXPECT_FALSE(window.UnsavedResults());

  window.DataMemo->insertPlainText(QStringLiteral("typed"));  // any change sets the flag
  EXPECT_TRUE(window.UnsavedResults());
  QTest::mouseClick(window.Results->CopyDataMemoBtn, Qt::LeftButton);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("typed")));
  EXPECT_TRUE(window.DataMemo->toPlainText().isEmpty());
  EXPECT_FALSE(window.UnsavedResults());

  window.AddLine(Memo::DataMemo, QStringLiteral("more"));
  EXPECT_TRUE(window.UnsavedResults());
  QTest::mouseClick(window.Results->ClearJotterBtn, Qt::LeftButton);
  EXPECT_TRUE(window.DataMemo->toPlainText().isEmpty());
  EXPECT_FALSE(window.UnsavedResults());
}

TEST_F(ResultsTest, SaveWritesEveryLineWithCrLfAndKeepsTheFlag) {
  rec.savePath = dir.filePath(QStringLiteral("results.txt"));
  QTest::mouseClick(window.Results->SaveResultsAsFileBtn, Qt::LeftButton);
  EXPECT_EQ(rec.saveTitle, QStringLiteral("Save RESULTS text to file"));
  QFile f(rec.savePath);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("first\tline\r\nsecond\r\n"));
  EXPECT_TRUE(window.UnsavedResults());
  EXPECT_TRUE(rec.timed.empty());
}

TEST_F(ResultsTest, SaveCancelledOrImpossibleSaysSoForThirtySeconds) {
  rec.savePath.clear();
  QTest::mouseClick(window.Results->SaveResultsAsFileBtn, Qt::LeftButton);
  ASSERT_EQ(rec.timed.size(), 1u);
  EXPECT_EQ(rec.timed[0].first, QStringLiteral("Failed to create file "));
  EXPECT_EQ(rec.timed[0].second, 30'000);

  rec.savePath = dir.filePath(QStringLiteral("no such folder/results.txt"));
  QTest::mouseClick(window.Results->SaveResultsAsFileBtn, Qt::LeftButton);
  ASSERT_EQ(rec.timed.size(), 2u);
  EXPECT_EQ(rec.timed[1].first, QStringLiteral("Failed to create file ") + rec.savePath);
}

TEST_F(ResultsTest, EachMemoGetsItsOwnLines) {
  window.AddLine(Memo::ErrorsMemo, QStringLiteral("an error"));
  window.AddLine(Memo::UploadMemo, QStringLiteral("an upload"));
  window.AddLine(Memo::AnalysisMemo, QStringLiteral("a diagnosis"));
  EXPECT_EQ(window.ErrorsMemo->toPlainText(), QStringLiteral("an error"));
  EXPECT_EQ(window.UploadMemo->toPlainText(), QStringLiteral("an upload"));
  EXPECT_EQ(window.AnalysisMemo->toPlainText(), QStringLiteral("a diagnosis"));
  EXPECT_EQ(window.DataMemo->toPlainText(), QStringLiteral("first\tline\nsecond"));
}

}  // namespace
}  // namespace zorvel::ui::test
