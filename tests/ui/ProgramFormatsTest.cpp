#include <gtest/gtest.h>

#include <QLocale>
#include <QString>
#include <cstdio>

#include "ui/Messages.h"
#include "ui/ProgramFormats.h"
#include "ui/Screenshot.h"

namespace zorvel::ui::test {
namespace {

TEST(ScreenScale, ScreenHeightSquaredOver700CappedAt2200) {
  // 1080 * 1080 / 700 = 1666.29 -> 1666
  EXPECT_DOUBLE_EQ(ScreenScaleFactor(1080, 894), 1666.0 / 1080.0);
  // 1400 * 1400 / 700 = 2800, capped
  EXPECT_DOUBLE_EQ(ScreenScaleFactor(1400, 2000), 2200.0 / 1400.0);
  EXPECT_DOUBLE_EQ(ScreenScaleFactor(2160, 2001), 1.0);
  EXPECT_DOUBLE_EQ(ScreenScaleFactor(2160, 3000), 1.0);
  // Above 3000 the client height takes the screen's place.
  EXPECT_DOUBLE_EQ(ScreenScaleFactor(1080, 3500), 2200.0 / 3500.0);
  // 875 * 875 / 700 = 1093.75 -> 1094; 35 * 35 / 700 = 1.75 -> 2; halves go to even: 350 -> 175
  EXPECT_DOUBLE_EQ(ScreenScaleFactor(875, 800), 1094.0 / 875.0);
  EXPECT_DOUBLE_EQ(ScreenScaleFactor(350, 300), 175.0 / 350.0);
}

TEST(ProgramFormats, IndependentOfTheUsersLocale) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  FixProgramFormats();
  EXPECT_EQ(QLocale().toString(1234.5, 'f', 1), QStringLiteral("1234.5"));
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", 2.25);
  EXPECT_STREQ(buffer, "2.25");
  EXPECT_EQ(ShortDate(QDate(2026, 12, 8)), QStringLiteral("8/12/2026"));
  EXPECT_EQ(ShortTime(QTime(9, 5)), QStringLiteral("09:05"));
  EXPECT_EQ(DecimalText(3.14159, 2), QStringLiteral("3.14"));
}

TEST(ProgramFormats, CommandLineHalvesMakeOneName) {
  EXPECT_EQ(ProposedFileName({QStringLiteral("my"), QStringLiteral("file.ZV1")}),
            QStringLiteral("my file.ZV1"));
  EXPECT_EQ(ProposedFileName({}), QString());
}

TEST(ScreenshotOptions, ParsesFilesSizeAndPage) {
  QString error;
  const auto o = ParseScreenshotOptions(
      {"--screenshot", "out.png", "--open", "a.ZV1", "b.ZV2", "--size", "1920x1080", "--page", "Results"},
      &error);
  ASSERT_TRUE(o.has_value()) << error.toStdString();
  EXPECT_EQ(o->output, QStringLiteral("out.png"));
  EXPECT_EQ(o->open, QStringList({"a.ZV1", "b.ZV2"}));
  EXPECT_EQ(o->size, QSize(1920, 1080));
  EXPECT_EQ(o->page, QStringLiteral("Results"));
  EXPECT_FALSE(ParseScreenshotOptions({"--screenshot", "out.png", "--size", "big"}, &error).has_value());
  EXPECT_FALSE(ParseScreenshotOptions({"--open", "a.ZV1"}, &error).has_value());
}

// Every option the screenshot parser takes is used once here, and each must have an entry of
// its own in --help (and so in zorvel(1), which is made from it).
TEST(ScreenshotOptions, EveryOptionParsesAndHasItsHelpEntry) {
  const QStringList line = {"--screenshot", "out.png",  "--open",    "a.ZV1",
                            "--size",       "800x600",  "--page",    "none",
                            "--level",      "13",       "--at",      "21/06/2026 22:00:00",
                            "--seek",       "--y-axis", "amplitude", "FREQ",
                            "--graph",      "duration", "--analyze"};
  QString error;
  const auto o = ParseScreenshotOptions(line, &error);
  ASSERT_TRUE(o.has_value()) << error.toStdString();
  EXPECT_EQ(o->output, QStringLiteral("out.png"));
  EXPECT_EQ(o->open, QStringList({"a.ZV1"}));
  EXPECT_EQ(o->size, QSize(800, 600));
  EXPECT_EQ(o->page, QStringLiteral("none"));
  EXPECT_EQ(o->level, 13);
  EXPECT_EQ(o->at, QStringLiteral("21/06/2026 22:00:00"));
  EXPECT_TRUE(o->seek);
  EXPECT_EQ(o->yAxis, QStringList({"amplitude", "FREQ"}));
  EXPECT_EQ(o->graph, tDuration);
  EXPECT_TRUE(o->analyze);
  const std::string help = msg::kUsage;
  const auto options = help.find("\n\nOptions:\n");
  ASSERT_NE(options, std::string::npos) << help;
  for (const QString& word : line) {
    if (word.startsWith(QLatin1String("--"))) {
      EXPECT_NE(help.find("\n  " + word.toStdString(), options), std::string::npos) << word.toStdString();
    }
  }
  for (const char* own : {"--help", "--version", "-- FILE"})
    EXPECT_NE(help.find(own, options), std::string::npos) << own;
  // Each wrong value is refused with the option named.
  for (const QStringList& wrong : {QStringList{"--level", "21"}, QStringList{"--graph", "13"},
                                   QStringList{"--y-axis", "loud"}, QStringList{"--size", "8x6"}}) {
    error.clear();
    EXPECT_FALSE(ParseScreenshotOptions(QStringList{"--screenshot", "out.png"} + wrong, &error).has_value());
    EXPECT_TRUE(error.startsWith(wrong.front())) << error.toStdString();
  }
}

}  // namespace
}  // namespace zorvel::ui::test
