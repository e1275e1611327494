// The report's renderings: pages and page numbers of the PDF, the self-contained HTML, the figures'
// pixels, and the writer's refusals.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <fstream>

#include "ReportRows.h"
#include "SurveyFixture.h"
#include "report/Figures.h"
#include "report/Render.h"
#include "report/Report.h"
#include "report/Summaries.h"

namespace zorvel {
namespace {

using zorvel::testing::SN;

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Page objects of a PDF Qt wrote (one "/Type /Page" each, besides the "/Type /Pages" tree).
int PdfPages(const QByteArray& pdf) {
  const std::string s = pdf.toStdString();
  return Count(s, "/Type /Page\n") + Count(s, "/Type /Page\r") + Count(s, "/Type /Page ") +
         Count(s, "/Type /Page/");
}

TEST(RenderPdf, AnOverviewPageThenOnePerDeployment) {
  testing::SurveyFixture s;
  ASSERT_TRUE(testing::BuildSeason(s.opened.survey->Handle(), 3, 10, 40)) << s.rows.Error();
  int pages = 0;
  const QByteArray pdf = report::RenderPdf(s.Load(), &pages);
  EXPECT_TRUE(pdf.startsWith("%PDF-"));
  EXPECT_EQ(pages, 4);
  EXPECT_EQ(PdfPages(pdf), 4);
}

TEST(RenderPdf, ALongOverviewRunsOnToMorePages) {
  testing::SurveyFixture s;
  // Sixty deployments do not fit the first page's table.
  ASSERT_TRUE(testing::BuildSeason(s.opened.survey->Handle(), 60, 1, 2));
  int pages = 0;
  const QByteArray pdf = report::RenderPdf(s.Load(), &pages);
  EXPECT_GT(pages, 61);
  EXPECT_EQ(PdfPages(pdf), pages);
}

TEST(RenderPdf, AnEmptySurveyStillGivesItsOverview) {
  testing::SurveyFixture s;
  int pages = 0;
  EXPECT_TRUE(report::RenderPdf(s.Load(), &pages).startsWith("%PDF-"));
  EXPECT_EQ(pages, 1);
}

TEST(RenderHtml, OneSelfContainedFileWithFourFiguresPerDeployment) {
  testing::SurveyFixture s;
  ASSERT_TRUE(testing::BuildSeason(s.opened.survey->Handle(), 2, 5, 20));
  const int64_t odd = s.rows.Deployment(99, "<Pond & \"Co\">", std::nullopt, std::nullopt, 66000, 66100);
  s.rows.Night(odd, "2080-09-11", {});
  const std::string html = report::RenderHtml(s.Load());
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(Count(html, "<svg"), 12);
  EXPECT_EQ(Count(html, "</svg>"), 12);
  EXPECT_EQ(Count(html, "<?xml"), 0);
  // Nothing is fetched from beside the file.
  EXPECT_EQ(Count(html, "src="), 0);
  EXPECT_EQ(Count(html, "<link"), 0);
  EXPECT_NE(html.find("&lt;Pond &amp; &quot;Co&quot;&gt;"), std::string::npos);
  EXPECT_EQ(html.find("<Pond"), std::string::npos);
  EXPECT_NE(html.find("no position"), std::string::npos);
  EXPECT_NE(html.find("ZorvelEU1"), std::string::npos);
  EXPECT_NE(html.find("Mean confidence of named passes: "), std::string::npos);
}

// The darkest pixel in a column band of the image, 0 (black) to 255 (white).
int DarkestIn(const QImage& img, int x0, int x1, int y0, int y1) {
  int darkest = 255;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) darkest = std::min(darkest, qGray(img.pixel(x, y)));
  return darkest;
}

TEST(Figures, NightlyBarsGrowWithPassesAndTheSeasonGridMarksItsBins) {
  report::Deployment d;
  d.classifier = "ZorvelEU1";
  for (int i = 0; i < 4; ++i) {
    report::NightRow n;
    n.date = "2026-06-0" + std::to_string(i + 1);
    n.sunset = 1000.0 + 1440 * i;
    n.sunrise = 1480.0 + 1440 * i;
    d.nights.push_back(n);
  }
  // Night 1 has four times night 3's passes; nights 0 and 2 have none.
  d.speciesNights = {SN(1, "CmnPip", 40, 0), SN(3, "CmnPip", 10, 0)};
  for (int i = 0; i < 40; ++i) d.passes.push_back({1, 1440.0 + 1000 + 130, "CmnPip", 12, 0});

  QImage img(600, 200, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    report::DrawFigure(p, QRectF(0, 0, 600, 200), d, report::Figure::Nightly);
  }
  // Bar heights: the coloured run in the middle of each night's column.
  auto barHeight = [&](double xFrac) {
    const int x = static_cast<int>(xFrac);
    int h = 0;
    for (int y = 0; y < 200; ++y) {
      const QColor c = img.pixelColor(x, y);
      if (c.saturation() > 100) ++h;
    }
    return h;
  };
  // Plot from x = 38 to 600 - 86; four nights share it.
  const double plotL = 38, plotW = 600 - 38 - 86;
  const int h1 = barHeight(plotL + plotW * 1.5 / 4), h3 = barHeight(plotL + plotW * 3.5 / 4);
  EXPECT_EQ(barHeight(plotL + plotW * 0.5 / 4), 0);
  EXPECT_GT(h3, 5);
  EXPECT_NEAR(static_cast<double>(h1) / h3, 4.0, 0.5);

  img.fill(Qt::white);
  {
    QPainter p(&img);
    report::DrawFigure(p, QRectF(0, 0, 600, 200), d, report::Figure::Season);
  }
  // The passes 130 minutes after sunset sit in bin 8 of night 1 (of bins -4 … 36).
  const report::SeasonGrid g = report::SeasonBins(d);
  ASSERT_EQ(g.firstBin, -4);
  const double binW = plotW / g.bins;
  const int cellX = static_cast<int>(plotL + (8 - g.firstBin + 0.5) * binW);
  const int emptyX = static_cast<int>(plotL + (20 - g.firstBin + 0.5) * binW);
  // Title and margins take the top 25 points or so; rows are a quarter of the rest each.
  EXPECT_LT(DarkestIn(img, cellX - 1, cellX + 2, 60, 120), 80);
  EXPECT_GT(DarkestIn(img, emptyX - 1, emptyX + 2, 60, 120), 200);
}

TEST(WriteReport, RefusesWhatItCannotWriteAndLeavesNothingBehind) {
  testing::SurveyFixture s;
  ASSERT_TRUE(testing::BuildSeason(s.opened.survey->Handle(), 1, 2, 5));
  s.opened.survey.reset();  // closed, as a separate program would find it

  const report::ReportOutcome odd = report::WriteSurveyReport(s.path, s.dir / "report.docx");
  EXPECT_FALSE(odd.ok);
  EXPECT_NE(odd.message.find("report.docx"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(s.dir / "report.docx"));

  const report::ReportOutcome missing = report::WriteSurveyReport(s.dir / "none.zvs", s.dir / "r.pdf");
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.message.find("none.zvs"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(s.dir / "none.zvs"));
  EXPECT_FALSE(std::filesystem::exists(s.dir / "r.pdf"));

  const report::ReportOutcome noFolder = report::WriteSurveyReport(s.path, s.dir / "no/such/dir/r.pdf");
  EXPECT_FALSE(noFolder.ok);
  EXPECT_NE(noFolder.message.find("r.pdf"), std::string::npos);

  const auto before = std::filesystem::last_write_time(s.path);
  const report::ReportOutcome pdf = report::WriteSurveyReport(s.path, s.dir / "r.PDF");
  ASSERT_TRUE(pdf.ok) << pdf.message;
  EXPECT_EQ(pdf.pages, 2);
  EXPECT_EQ(std::filesystem::file_size(s.dir / "r.PDF"), static_cast<uintmax_t>(pdf.bytes));
  const report::ReportOutcome html = report::WriteSurveyReport(s.path, s.dir / "r.html");
  ASSERT_TRUE(html.ok) << html.message;
  std::ifstream in(s.dir / "r.html");
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first, "<!DOCTYPE html>");
  // Reading the survey for the report leaves it as it was, and no temporary file stays.
  EXPECT_EQ(std::filesystem::last_write_time(s.path), before);
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(s.dir.Path()))
    files += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 3);
}

}  // namespace
}  // namespace zorvel
