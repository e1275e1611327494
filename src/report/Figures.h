// The four figures of a deployment, each drawn into a rectangle of any QPainter: the PDF page,
// an SVG for the HTML file, or a widget on the Survey page.
#pragma once

#include <QPainter>
#include <QRectF>

#include "report/ReportData.h"

namespace zorvel::report {

enum class Figure { Nightly, Season, FirstPass, Environment };
inline constexpr Figure kFigures[] = {Figure::Nightly, Figure::Season, Figure::FirstPass,
                                      Figure::Environment};

// At most this many species get a colour of their own; the rest share one.
inline constexpr size_t kChartSpecies = 8;

void DrawFigure(QPainter& p, const QRectF& area, const Deployment& d, Figure which);

}  // namespace zorvel::report
