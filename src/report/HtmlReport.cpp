// One HTML file that needs nothing beside it: the styles in the head, the figures as inline SVG
// drawn by the same code as the PDF's.
#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "report/Content.h"
#include "report/Figures.h"
#include "report/Messages.h"
#include "report/Render.h"
#include "report/ReportFont.h"

namespace zorvel::report {

namespace {

constexpr double kFigureW = 515, kFigureH = 190;

std::string Escape(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (const char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void Table(std::string& out, const TableBlock& t) {
  out += "<table>\n<tr>";
  for (size_t i = 0; i < t.headings.size(); ++i)
    out += std::string(t.right[i] ? "<th class=\"n\">" : "<th>") + Escape(t.headings[i]) + "</th>";
  out += "</tr>\n";
  for (const auto& row : t.rows) {
    out += "<tr>";
    for (size_t i = 0; i < row.size(); ++i)
      out += std::string(t.right[i] ? "<td class=\"n\">" : "<td>") + Escape(row[i]) + "</td>";
    out += "</tr>\n";
  }
  out += "</table>\n";
}

constexpr const char* kStyle =
    "body{font-family:'DejaVu Sans',sans-serif;max-width:60em;margin:2em auto;color:#000}"
    "table{border-collapse:collapse;margin:0.5em 0 1em}th,td{padding:0.15em 0.6em;border-bottom:1px solid "
    "#ccc;"
    "text-align:left}th{border-bottom:1px solid #000}.n{text-align:right}"
    "section{margin-top:2em}figure{margin:0.5em 0}svg{width:100%;height:auto}.note{font-size:0.85em}";

}  // namespace

std::string FigureSvg(const Deployment& d, int figure, double width, double height) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(72);
    svg.setSize(QSize(static_cast<int>(width), static_cast<int>(height)));
    svg.setViewBox(QRectF(0, 0, width, height));
    QPainter p(&svg);
    p.setFont(ReportFont(8, false));
    DrawFigure(p, QRectF(0, 0, width, height), d, kFigures[figure]);
  }
  std::string text = bytes.toStdString();
  const size_t at = text.find("<svg");
  return at == std::string::npos ? text : text.substr(at);
}

std::string RenderHtml(const ReportData& data) {
  std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
  out += Escape(std::string(msg::kTitle) + ": " + data.surveyName) + "</title>\n<style>" + kStyle +
         "</style>\n</head>\n<body>\n";
  out += "<h1>" + Escape(std::string(msg::kTitle)) + "</h1>\n";
  out += "<p>" + Escape(std::string(msg::kSurveyFile) + data.surveyName) + "</p>\n";
  out += "<p>" + Escape(NamesStatement(data)) + "</p>\n";
  out += "<h2>" + Escape(std::string(msg::kOverview)) + "</h2>\n";
  if (data.deployments.empty()) {
    out += "<p>" + Escape(std::string(msg::kNoDeployments)) + "</p>\n";
  } else {
    Table(out, DeploymentTable(data));
  }
  out += "<p class=\"note\">" + Escape(std::string(msg::kEffortNote)) + "</p>\n";
  out += "<h2>" + Escape(std::string(msg::kSpeciesTable)) + "</h2>\n";
  Table(out, SpeciesTable(data));
  for (const Deployment& d : data.deployments) {
    out +=
        "<section>\n<h2>" + Escape(DeploymentTitle(d)) + "</h2>\n<p>" + Escape(DeploymentLine(d)) + "</p>\n";
    for (int f = 0; f < static_cast<int>(std::size(kFigures)); ++f)
      out += "<figure>" + FigureSvg(d, f, kFigureW, kFigureH) + "</figure>\n";
    out += "</section>\n";
  }
  out += "</body>\n</html>\n";
  return out;
}

}  // namespace zorvel::report
