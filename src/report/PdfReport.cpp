// A4 pages at 72 dots per inch, so that one unit is one point: the overview (title, the names'
// statement, the deployments and species tables, which run on to further pages when long), then
// a page per deployment with its four figures.
#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <memory>

#include "report/Content.h"
#include "report/Figures.h"
#include "report/Messages.h"
#include "report/Render.h"
#include "report/ReportFont.h"

namespace zorvel::report {

namespace {

constexpr double kRowH = 13;

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

class PdfFlow {
 public:
  PdfFlow(QPdfWriter& w, QPainter* p, int totalPages, const std::string& surveyName)
      : w_(w), p_(p), total_(totalPages), survey_(surveyName) {
    const QRect r = w.pageLayout().paintRectPixels(w.resolution());
    body_ = QRectF(0, 0, r.width(), r.height() - 16);
    y_ = body_.top();
  }

  int Pages() const { return page_; }

  void NewPage() {
    Footer();
    if (p_) w_.newPage();
    ++page_;
    y_ = body_.top();
  }
  void Finish() { Footer(); }

  void Text(const std::string& text, double pt, bool bold, double gapAfter) {
    const QFont f = ReportFont(pt, bold);
    const QRectF need =
        QFontMetricsF(f, &w_).boundingRect(QRectF(0, 0, body_.width(), 1e6), Qt::TextWordWrap, Q(text));
    if (y_ + need.height() > body_.bottom()) NewPage();
    if (p_) {
      p_->setFont(f);
      p_->setPen(Qt::black);
      p_->drawText(QRectF(body_.left(), y_, body_.width(), need.height()), Qt::TextWordWrap, Q(text));
    }
    y_ += need.height() + gapAfter;
  }

  // The heading row again at the top of every page the table runs on to.
  void Table(const TableBlock& t) {
    if (y_ + 2 * kRowH > body_.bottom()) NewPage();
    Row(t, t.headings, true);
    for (const auto& row : t.rows) {
      if (y_ + kRowH > body_.bottom()) {
        NewPage();
        Row(t, t.headings, true);
      }
      Row(t, row, false);
    }
    y_ += 10;
  }

  void Figures(const Deployment& d) {
    const double each = (body_.bottom() - y_) / 4;
    for (const Figure f : kFigures) {
      if (p_) {
        p_->setFont(ReportFont(8, false));
        DrawFigure(*p_, QRectF(body_.left(), y_, body_.width(), each - 8), d, f);
      }
      y_ += each;
    }
  }

 private:
  void Row(const TableBlock& t, const std::vector<std::string>& cells, bool heading) {
    if (p_) {
      p_->setFont(ReportFont(8, heading));
      p_->setPen(Qt::black);
      double x = body_.left();
      for (size_t i = 0; i < cells.size() && i < t.widths.size(); ++i) {
        const double w = t.widths[i] * body_.width();
        const Qt::Alignment a = (t.right[i] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        const QRectF cell(x + 2, y_, w - 6, kRowH);
        p_->drawText(cell, a,
                     QFontMetricsF(p_->font(), &w_).elidedText(Q(cells[i]), Qt::ElideRight, cell.width()));
        x += w;
      }
      p_->setPen(QPen(heading ? Qt::black : QColor(210, 210, 210), heading ? 0.8 : 0.4));
      p_->drawLine(QPointF(body_.left(), y_ + kRowH), QPointF(body_.right(), y_ + kRowH));
    }
    y_ += kRowH;
  }

  void Footer() {
    if (!p_) return;
    p_->setFont(ReportFont(7, false));
    p_->setPen(Qt::darkGray);
    const QRectF foot(body_.left(), body_.bottom() + 4, body_.width(), 12);
    p_->drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, Q(survey_));
    p_->drawText(
        foot, Qt::AlignRight | Qt::AlignVCenter,
        Q(std::string(msg::kPage) + std::to_string(page_) + std::string(msg::kOf) + std::to_string(total_)));
  }

  QPdfWriter& w_;
  QPainter* p_;
  int total_;
  std::string survey_;
  QRectF body_;
  double y_ = 0;
  int page_ = 1;
};

// The whole document once; without a painter only the pages are counted.
int Flow(QPdfWriter& w, QPainter* p, int total, const ReportData& data) {
  PdfFlow f(w, p, total, data.surveyName);
  f.Text(std::string(msg::kTitle), 18, true, 4);
  f.Text(std::string(msg::kSurveyFile) + data.surveyName, 9, false, 8);
  f.Text(NamesStatement(data), 9, false, 10);
  f.Text(std::string(msg::kOverview), 12, true, 4);
  if (data.deployments.empty()) {
    f.Text(std::string(msg::kNoDeployments), 9, false, 8);
  } else {
    f.Table(DeploymentTable(data));
  }
  f.Text(std::string(msg::kEffortNote), 7.5, false, 10);
  f.Text(std::string(msg::kSpeciesTable), 12, true, 4);
  f.Table(SpeciesTable(data));
  for (const Deployment& d : data.deployments) {
    f.NewPage();
    f.Text(DeploymentTitle(d), 12, true, 2);
    f.Text(DeploymentLine(d), 8, false, 8);
    f.Figures(d);
  }
  f.Finish();
  return f.Pages();
}

}  // namespace

QByteArray RenderPdf(const ReportData& data, int* pages) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter w(&buffer);
    w.setResolution(72);
    w.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(40, 40, 40, 30),
                                QPageLayout::Point));
    w.setTitle(Q(std::string(msg::kTitle) + ": " + data.surveyName));
    w.setCreator(Q(std::string(msg::kCreator)));
    const int total = Flow(w, nullptr, 0, data);
    QPainter p(&w);
    const int drawn = Flow(w, &p, total, data);
    if (pages) *pages = drawn;
  }
  return bytes;
}

}  // namespace zorvel::report
