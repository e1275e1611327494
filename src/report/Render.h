// The report's two renderings in memory, for the writer and the tests.
#pragma once

#include <QByteArray>
#include <string>

#include "report/ReportData.h"

namespace zorvel::report {

// The report's PDF bytes; pages receives the page count.
QByteArray RenderPdf(const ReportData& data, int* pages = nullptr);
// The report as one HTML document (UTF-8).
std::string RenderHtml(const ReportData& data);
// One figure (index into kFigures) as an SVG element without XML prologue, width x height points.
std::string FigureSvg(const Deployment& d, int figure, double width, double height);

}  // namespace zorvel::report
