#include "report/Figures.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "report/FigureFrame.h"
#include "report/Messages.h"
#include "report/Summaries.h"

namespace zorvel::report {

namespace {

std::string S(std::string_view v) {
  return std::string(v);
}

std::vector<LegendEntry> SpeciesLegend(const ChartSpecies& cs) {
  std::vector<LegendEntry> legend;
  for (size_t i = 0; i < cs.names.size(); ++i) {
    const bool others = cs.hasOthers && i + 1 == cs.names.size();
    legend.push_back({others ? cs.names[i] : SpeciesLabel(cs.names[i]), SeriesColour(i), false});
  }
  return legend;
}

std::vector<std::string> Dates(const Deployment& d) {
  std::vector<std::string> out;
  for (const NightRow& n : d.nights) out.push_back(n.date);
  return out;
}

// Stacked bars: each night's passes, split by species.
void Nightly(QPainter& p, const QRectF& area, const Deployment& d) {
  const ChartSpecies cs = SpeciesForCharts(d, kChartSpecies);
  FigureFrame f(p, area, S(msg::kFigNightly), SpeciesLegend(cs));
  const size_t nights = d.nights.size();
  std::vector<std::vector<int>> stack(nights, std::vector<int>(cs.names.size(), 0));
  int most = 0;
  for (const SpeciesNightRow& s : d.speciesNights)
    if (s.night < nights) stack[s.night][cs.IndexOf(s.species)] += s.passes;
  for (const auto& n : stack) {
    int sum = 0;
    for (int v : n) sum += v;
    most = std::max(most, sum);
  }
  f.SetX(-0.5, static_cast<double>(nights) - 0.5);
  f.SetY(0, std::max(1.0, most * 1.08));
  f.YAxis(S(msg::kAxisPasses));
  f.NightAxis(Dates(d));
  const double barW = std::max(0.5, 0.7 * f.Plot().width() / std::max<size_t>(1, nights));
  p.setPen(Qt::NoPen);
  for (size_t i = 0; i < nights; ++i) {
    double base = 0;
    const double x = f.X(static_cast<double>(i));
    for (size_t k = 0; k < cs.names.size(); ++k) {
      const int v = stack[i][k];
      if (v == 0) continue;
      const QRectF bar(QPointF(x - barW / 2, f.Y(base + v)), QPointF(x + barW / 2, f.Y(base)));
      p.fillRect(bar, SeriesColour(k));
      base += v;
    }
  }
  f.Box();
  if (d.nights.empty()) f.NoData();
}

QColor Shade(int count, int most) {
  return QColor::fromRgbF(0.1f, 0.1f, 0.1f, static_cast<float>(0.25 + 0.75 * count / std::max(1, most)));
}

// One row per night, one column per 15 minutes after sunset, darker for more passes.
void Season(QPainter& p, const QRectF& area, const Deployment& d) {
  const SeasonGrid g = SeasonBins(d);
  std::vector<LegendEntry> legend = {{S(msg::kSunset), QColor(213, 94, 0), true},
                                     {S(msg::kSunrise), QColor(0, 114, 178), true}};
  std::vector<int> shown;
  for (const int step : {1, 2, 3}) {
    const int v = (g.maxCount * step + 2) / 3;
    if (v == 0 || (!shown.empty() && shown.back() == v)) continue;
    shown.push_back(v);
    legend.push_back({std::to_string(v) + " " + S(msg::kAxisPasses), Shade(v, g.maxCount), false});
  }
  FigureFrame f(p, area, S(msg::kFigSeason), legend);
  const size_t nights = d.nights.size();
  const double x0 = g.firstBin * SeasonGrid::kBinMinutes,
               x1 = (g.firstBin + g.bins) * SeasonGrid::kBinMinutes;
  f.SetX(x0, x1);
  // Night 0 on top, as a calendar reads.
  f.SetY(static_cast<double>(nights), 0);
  f.XAxis(S(msg::kAxisHoursAfterSunset), 60, 1.0 / 60);
  // Date labels on the left, thinned to fit.
  p.setFont(f.SmallFont());
  p.setPen(Qt::black);
  const double rowH = f.Plot().height() / std::max<size_t>(1, nights);
  const size_t every = std::max<size_t>(1, static_cast<size_t>(std::ceil(9.0 / std::max(rowH, 0.1))));
  for (size_t i = 0; i < nights; i += every) {
    const std::string& date = d.nights[i].date;
    p.drawText(QRectF(f.Plot().left() - 36, f.Y(i + 0.5) - 5, 33, 10), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromStdString(date.size() >= 10 ? date.substr(5, 5) : date));
  }
  const double cellW = f.Plot().width() / std::max(1, g.bins);
  for (size_t i = 0; i < nights; ++i) {
    for (int b = 0; b < g.bins; ++b) {
      const int c = g.counts[i][static_cast<size_t>(b)];
      if (c == 0) continue;
      p.fillRect(QRectF(f.X((g.firstBin + b) * SeasonGrid::kBinMinutes), f.Y(static_cast<double>(i)),
                        cellW + 0.2, rowH + 0.2),
                 Shade(c, g.maxCount));
    }
  }
  p.setPen(QPen(QColor(213, 94, 0), 1.2));
  p.drawLine(QPointF(f.X(0), f.Plot().top()), QPointF(f.X(0), f.Plot().bottom()));
  p.setPen(QPen(QColor(0, 114, 178), 1.2));
  for (size_t i = 0; i < nights; ++i) {
    if (!g.sunriseAfter[i]) continue;
    const double x = f.X(*g.sunriseAfter[i]);
    p.drawLine(QPointF(x, f.Y(static_cast<double>(i))), QPointF(x, f.Y(i + 1.0)));
  }
  f.Box();
  if (nights == 0) f.NoData();
}

// A dot per night and species at the first pass's minutes after sunset.
void FirstPass(QPainter& p, const QRectF& area, const Deployment& d) {
  ChartSpecies cs = SpeciesForCharts(d, kChartSpecies);
  FigureFrame f(p, area, S(msg::kFigFirstPass), SpeciesLegend(cs));
  double lo = 0, hi = 60;
  bool any = false;
  for (const SpeciesNightRow& s : d.speciesNights) {
    if (!s.firstAfterSunset) continue;
    lo = std::min(lo, *s.firstAfterSunset);
    hi = std::max(hi, *s.firstAfterSunset);
    any = true;
  }
  const size_t nights = d.nights.size();
  f.SetX(-0.5, static_cast<double>(nights) - 0.5);
  f.SetY(lo - 5, hi * 1.08 + 5);
  f.YAxis(S(msg::kAxisMinutesAfterSunset));
  f.NightAxis(Dates(d));
  p.setPen(QPen(QColor(213, 94, 0), 0.8, Qt::DashLine));
  p.drawLine(QPointF(f.Plot().left(), f.Y(0)), QPointF(f.Plot().right(), f.Y(0)));
  // The others' dot is the earliest of the species it stands for.
  std::vector<std::vector<std::optional<double>>> first(cs.names.size(),
                                                        std::vector<std::optional<double>>(nights));
  for (const SpeciesNightRow& s : d.speciesNights) {
    if (!s.firstAfterSunset || s.night >= nights) continue;
    auto& cell = first[cs.IndexOf(s.species)][s.night];
    cell = cell ? std::min(*cell, *s.firstAfterSunset) : *s.firstAfterSunset;
  }
  const double r = 2.0;
  for (size_t k = 0; k < cs.names.size(); ++k) {
    const QColor c = SeriesColour(k);
    QPainterPath line;
    bool started = false;
    for (size_t i = 0; i < nights; ++i) {
      if (!first[k][i]) {
        started = false;
        continue;
      }
      const QPointF pt(f.X(static_cast<double>(i)), f.Y(*first[k][i]));
      started ? line.lineTo(pt) : line.moveTo(pt);
      started = true;
    }
    p.setPen(QPen(c, 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (size_t i = 0; i < nights; ++i)
      if (first[k][i]) p.drawEllipse(QPointF(f.X(static_cast<double>(i)), f.Y(*first[k][i])), r, r);
  }
  p.setBrush(Qt::NoBrush);
  f.Box();
  if (!any) f.NoData();
}

// Temperature range and temperature at sunset on the left axis, mean light on the right.
void Environment(QPainter& p, const QRectF& area, const Deployment& d) {
  const QColor range(190, 190, 190), atSunset(213, 94, 0), light(0, 114, 178);
  FigureFrame f(p, area, S(msg::kFigEnvironment),
                {{S(msg::kTempRange), range, false},
                 {S(msg::kTempAtSunset), atSunset, true},
                 {S(msg::kMeanLight), light, true}},
                true);
  double lo = 1e9, hi = -1e9, lightHi = 10;
  for (const NightRow& n : d.nights) {
    for (const auto& v : {n.tempMin, n.tempMax, n.tempSunset}) {
      if (!v) continue;
      lo = std::min(lo, *v);
      hi = std::max(hi, *v);
    }
    if (n.meanLight) lightHi = std::max(lightHi, *n.meanLight);
  }
  const size_t nights = d.nights.size();
  const bool anyTemperature = lo <= hi;
  if (!anyTemperature) lo = 0, hi = 20;
  f.SetX(-0.5, static_cast<double>(nights) - 0.5);
  f.SetY(std::floor(lo - 1), std::ceil(hi + 1));
  f.YAxis(S(msg::kAxisDegC));
  f.RightAxis(0, lightHi * 1.1, S(msg::kAxisLight));
  f.NightAxis(Dates(d));
  const double barW = std::max(0.5, 0.5 * f.Plot().width() / std::max<size_t>(1, nights));
  for (size_t i = 0; i < nights; ++i) {
    const NightRow& n = d.nights[i];
    if (n.tempMin && n.tempMax) {
      const double x = f.X(static_cast<double>(i));
      p.fillRect(QRectF(QPointF(x - barW / 2, f.Y(*n.tempMax)), QPointF(x + barW / 2, f.Y(*n.tempMin))),
                 range);
    }
  }
  auto series = [&](const QColor& c, auto value, auto y) {
    QPainterPath path;
    bool started = false;
    for (size_t i = 0; i < nights; ++i) {
      const std::optional<double> v = value(d.nights[i]);
      if (!v) {
        started = false;
        continue;
      }
      const QPointF pt(f.X(static_cast<double>(i)), y(*v));
      started ? path.lineTo(pt) : path.moveTo(pt);
      started = true;
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawEllipse(pt, 1.5, 1.5);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, 1.0));
    p.drawPath(path);
  };
  series(
      atSunset, [](const NightRow& n) { return n.tempSunset; }, [&](double v) { return f.Y(v); });
  series(
      light, [](const NightRow& n) { return n.meanLight; }, [&](double v) { return f.RightY(v); });
  f.Box();
  if (nights == 0) f.NoData();
}

}  // namespace

void DrawFigure(QPainter& p, const QRectF& area, const Deployment& d, Figure which) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  switch (which) {
    case Figure::Nightly:
      Nightly(p, area, d);
      break;
    case Figure::Season:
      Season(p, area, d);
      break;
    case Figure::FirstPass:
      FirstPass(p, area, d);
      break;
    case Figure::Environment:
      Environment(p, area, d);
      break;
  }
  p.restore();
}

}  // namespace zorvel::report
