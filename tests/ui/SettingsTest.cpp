#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "logger/LoggerSettings.h"
#include "logger/SetupFiles.h"
#include "ui/ClickLabel.h"
#include "ui/UiTestSupport.h"
#include "ui/pages/SettingsPage.h"

namespace zorvel::ui::test {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() : window(OptionsWithBrowser()) { window.ShowPage(QStringLiteral("Settings")); }
  StartupOptions OptionsWithBrowser() {
    StartupOptions o = rec.Options();
    o.checkScreenHeight = false;
    o.hooks.openUrl = [this](const QUrl& url) { opened << url.toString(); };
    return o;
  }
  SettingsPage& Page() { return *window.Settings; }
  QLineEdit* Edit(const char* name) { return Page().findChild<QLineEdit*>(QString::fromLatin1(name)); }
  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  // Clicks the label n times and returns the texts it showed after each click.
  QStringList Cycle(ClickLabel* label, int n) {
    QStringList seen;
    for (int i = 0; i < n; ++i) {
      Click(label);
      seen << label->text();
    }
    return seen;
  }
  void Type(QLineEdit* e, const QString& text) {
    e->clear();
    QTest::keyClicks(e, text);
  }
  QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  Recorder rec;
  QStringList opened;
  TB window;
  QTemporaryDir dir;
};

TEST_F(SettingsTest, EveryEditHasItsLengthAndDefault) {
  for (const logger::EditSpec& spec : logger::EditSpecs()) {
    QLineEdit* e = Edit(std::string(spec.name).c_str());
    ASSERT_NE(e, nullptr) << spec.name;
    EXPECT_EQ(e->maxLength(), spec.maxLength) << spec.name;
    EXPECT_EQ(e->text().toStdString(), spec.defaultText) << spec.name;
  }
  EXPECT_EQ(Page().HighPassFilterLbl->text(), QStringLiteral("HighPass filter      40kHz"));
  EXPECT_EQ(Page().BatteryInfoLbl->text(),
            QStringLiteral("(6 NiMH AA cells in each of 1,2 or 3 stacks. 6v)"));
  EXPECT_EQ(Page().SetNowBtn->text(), QStringLiteral("now +"));
  EXPECT_EQ(Page().RestoreDefaultsBtn->text(), QStringLiteral("restore defaults"));
  // What the user types longer than the logger takes is cut at the edit.
  Type(Edit("TriadThresholdEdit"), QStringLiteral("1234"));
  EXPECT_EQ(Edit("TriadThresholdEdit")->text(), QStringLiteral("12"));
  EXPECT_EQ(Page().Model().Values().TriadThresholdEdit, "12");
}

TEST_F(SettingsTest, OptionLabelsCycleBackToWhereTheyStarted) {
  EXPECT_EQ(Cycle(Page().MinsOffLbl, 5), QStringList({"1minON, 1MinOff", "1minON, 2MinOff", "1minON, 4MinOff",
                                                      "1minON, 9MinOff", "Logging continuously"}));
  EXPECT_EQ(Cycle(Page().HighPassFilterLbl, 4),
            QStringList({"HighPass filter      80kHz", "HighPass:      no filter",
                         "HighPass filter      20kHz", "HighPass filter      40kHz"}));
  EXPECT_EQ(Cycle(Page().DetectionModeLbl, 2), QStringList({"DetectionMode qtr", "DetectionMode half"}));
  EXPECT_EQ(Cycle(Page().LightSwitchLbl, 4).back(), QStringLiteral("ON at all light levels"));
  EXPECT_TRUE(rec.shown.isEmpty());
}

TEST_F(SettingsTest, BatteryTypeSetsItsInformationLine) {
  QStringList infos;
  for (int i = 0; i < 4; ++i) {
    Click(Page().BatteryTypeLbl);
    infos << Page().BatteryInfoLbl->text();
  }
  EXPECT_EQ(infos, QStringList({"(6 Alkaline AA cells in each of 1,2 or 3 stacks. 7v)",
                                "(Car battery, SealedLeadAcid, or Solar + SLA. 11v)",
                                "(your setting: go to advanced settings. 45v)",
                                "(6 NiMH AA cells in each of 1,2 or 3 stacks. 6v)"}));
  for (int i = 0; i < 3; ++i) Click(Page().BatteryTypeLbl);
  ASSERT_EQ(Page().BatteryTypeLbl->text(), QStringLiteral("User voltage setting"));
  Type(Edit("BattSwitchLevelEdit"), QStringLiteral("52"));
  EXPECT_EQ(Page().BatteryInfoLbl->text(), QStringLiteral("(your setting: go to advanced settings)"));
}

TEST_F(SettingsTest, ALabelTextOutsideItsCycleIsReportedAndKept) {
  Page().Model().Values().LightSwitchLbl = "dusk";
  Page().PullFromModel();
  Click(Page().LightSwitchLbl);
  EXPECT_EQ(rec.shown, QStringList({"Coding error in LightSwitchLblClick"}));
  EXPECT_EQ(Page().LightSwitchLbl->text(), QStringLiteral("dusk"));
}

TEST_F(SettingsTest, IpiHintAdvancedPanelNowAndRestore) {
  Type(Edit("IPImaxEdit"), QStringLiteral("50"));
  EXPECT_TRUE(Edit("IPImaxEdit")->toolTip().endsWith(QStringLiteral("50 = above 80kHz")));
  Type(Edit("IPImaxEdit"), QStringLiteral("160"));
  EXPECT_EQ(Edit("IPImaxEdit")->statusTip(),
            QStringLiteral("Favours logging of wave groups with IPIs below 160 = above 25kHz"));

  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(Page().AdvancedPanel->isHidden());
  EXPECT_EQ(Page().ShowAdvancedSettingsLbl->text(), QStringLiteral("Show advanced settings"));
  Click(Page().ShowAdvancedSettingsLbl);
  EXPECT_FALSE(Page().AdvancedPanel->isHidden());
  QApplication::processEvents();  // the panel is laid out before its button is clicked
  EXPECT_EQ(Page().ShowAdvancedSettingsLbl->text(), QStringLiteral("Hide advanced settings"));

  // Two minutes after 23:59 on the last day of the year, without leading zeros.
  Page().SetNow({2026, 12, 31, 23, 59});
  EXPECT_EQ(Edit("YearEdit")->text(), QStringLiteral("2027"));
  EXPECT_EQ(Edit("MonthEdit")->text(), QStringLiteral("1"));
  EXPECT_EQ(Edit("DayEdit")->text(), QStringLiteral("1"));
  EXPECT_EQ(Edit("HourEdit")->text(), QStringLiteral("0"));
  EXPECT_EQ(Edit("MinuteEdit")->text(), QStringLiteral("1"));

  Type(Edit("Over160kHzEdit"), QStringLiteral("3"));
  Type(Edit("UTCoffsetEdit"), QStringLiteral("+2"));
  Type(Edit("SettingsFileNameEdit"), QStringLiteral("Roost 4"));
  Click(Page().HighPassFilterLbl);
  Click(Page().LightSwitchLbl);
  Click(Page().RestoreDefaultsBtn);
  EXPECT_EQ(Edit("Over160kHzEdit")->text(), QStringLiteral("1"));
  EXPECT_EQ(Edit("UTCoffsetEdit")->text(), QStringLiteral("0"));
  EXPECT_EQ(Edit("IPImaxEdit")->text(), QStringLiteral("50"));
  EXPECT_EQ(Page().HighPassFilterLbl->text(), QStringLiteral("HighPass filter      40kHz"));
  // Left alone: the light switch, the name and the clock.
  EXPECT_EQ(Page().LightSwitchLbl->text(), QStringLiteral("OFF at high light levels"));
  EXPECT_EQ(Edit("SettingsFileNameEdit")->text(), QStringLiteral("Roost 4"));
  EXPECT_EQ(Edit("YearEdit")->text(), QStringLiteral("2027"));
}

TEST_F(SettingsTest, SettingsFileWrittenThroughTheDialogIsTheEnginesText) {
  rec.savePath = dir.filePath(QStringLiteral("BATSETS.txt"));
  Click(Page().WriteSettingsFileBtn);
  EXPECT_EQ(rec.saveTitle, QStringLiteral("Save BATSETS.txt file to SD card"));
  const QString name = Edit("SettingsFileNameEdit")->text();
  EXPECT_TRUE(name.startsWith(QStringLiteral("Created on "))) << name.toStdString();
  const QByteArray bytes = Read(rec.savePath);
  EXPECT_EQ(bytes.toStdString(), logger::BuildBatsetsText(Page().Model().Values()).bytes);
  const QList<QByteArray> lines = bytes.split('\n');
  ASSERT_EQ(lines.size(), 25);  // 24 lines, each ended by CR LF
  EXPECT_EQ(lines[0], name.toLatin1() + '\r');
  EXPECT_EQ(lines[3], QByteArray("frequency_bonus=100; lift >160k 1 >80k 2 >40k 1 <40k 0\r"));
  EXPECT_EQ(Page().WriteSettingsFileBtn->text(), QStringLiteral("wait ..."));
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("Zorvel settings file: BATSETS.txt created")));
}

TEST_F(SettingsTest, CancelledOrBadSettingsLeaveNothingOnDisk) {
  rec.savePath.clear();
  Click(Page().WriteSettingsFileBtn);
  EXPECT_TRUE(rec.timed.empty());
  EXPECT_EQ(Page().WriteSettingsFileBtn->text(), QStringLiteral("Put these settings on an SD card"));

  rec.savePath = dir.filePath(QStringLiteral("BATSETS.txt"));
  Type(Edit("under80khzEdit"), QStringLiteral("x"));
  Click(Page().WriteSettingsFileBtn);
  EXPECT_FALSE(QFile::exists(rec.savePath));
  EXPECT_TRUE(
      rec.TimedContains(QStringLiteral("Frequency lift 'x' is not a whole number: BATSETS.txt not written")));
  EXPECT_EQ(Page().WriteSettingsFileBtn->text(), QStringLiteral("Put these settings on an SD card"));

  rec.savePath = QStringLiteral("/nonexistent_zorvel_card/BATSETS.txt");
  Type(Edit("under80khzEdit"), QStringLiteral("1"));
  Click(Page().WriteSettingsFileBtn);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("Zorvel settings file: BATSETS.txt  not created")));
}

TEST_F(SettingsTest, ClockFileHoldsTheNineteenBytesAndTheEditsArePadded) {
  Type(Edit("YearEdit"), QStringLiteral("2026"));
  Type(Edit("MonthEdit"), QStringLiteral("7"));
  Type(Edit("DayEdit"), QStringLiteral("4"));
  Type(Edit("HourEdit"), QStringLiteral("9"));
  Type(Edit("MinuteEdit"), QStringLiteral("5"));
  rec.savePath = dir.filePath(QStringLiteral("BATTIME.txt"));
  Click(Page().CreateClockSetSDBtn);
  EXPECT_EQ(rec.saveTitle, QStringLiteral("Save a file to reset a Zorvel clock to 26:07:04  09:05:00"));
  EXPECT_EQ(Read(rec.savePath), QByteArray("26:07:04:09:05:00\r\n"));
  EXPECT_EQ(Edit("MonthEdit")->text(), QStringLiteral("07"));
  EXPECT_EQ(Edit("MinuteEdit")->text(), QStringLiteral("05"));
  EXPECT_EQ(Page().TimefileLbl->text(),
            QStringLiteral("BATTIME.txt file created for  04 : 07 : 2026    09:05"));
  EXPECT_EQ(Page().CreateClockSetSDBtn->text(), QStringLiteral("wait ..."));

  rec.savePath.clear();
  Click(Page().CreateClockSetSDBtn);
  EXPECT_TRUE(rec.TimedContains(QStringLiteral("No file created")));
}

TEST_F(SettingsTest, WebTimeOpensTheBrowserAndSizeLimitFeedsTheImport) {
  Click(Page().ShowWebTimeBtn);
  ASSERT_EQ(opened.size(), 1);
  EXPECT_TRUE(opened.front().startsWith(QStringLiteral("https://")));
  Click(Page().ZV1sizeLimitLbl);
  EXPECT_EQ(window.Zv1SizeLimitGB(), 2);
  EXPECT_EQ(Page().Model().Values().ZV1sizeLimitLbl, "ZV1 file size limit     2GB");
}

}  // namespace
}  // namespace zorvel::ui::test
