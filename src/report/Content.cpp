#include "report/Content.h"

#include "report/Messages.h"
#include "report/Summaries.h"

namespace zorvel::report {

namespace {
std::string S(std::string_view v) {
  return std::string(v);
}

std::string Hours(int minutes) {
  return FixedText(minutes / 60.0, 1);
}
}  // namespace

TableBlock DeploymentTable(const ReportData& data) {
  TableBlock t;
  t.headings = {S(msg::kColLogger), S(msg::kColLocation), S(msg::kColPosition), S(msg::kColFrom),
                S(msg::kColTo),     S(msg::kColNights),   S(msg::kColEffort)};
  t.widths = {0.09, 0.2, 0.27, 0.13, 0.13, 0.08, 0.1};
  t.right = {true, false, false, false, false, true, true};
  for (const Deployment& d : data.deployments) {
    t.rows.push_back({std::to_string(d.logger), d.location, PositionText(d), DateOfMinute(d.firstMinute),
                      DateOfMinute(d.lastMinute), std::to_string(d.nights.size()), Hours(EffortMinutes(d))});
  }
  return t;
}

TableBlock SpeciesTable(const ReportData& data) {
  TableBlock t;
  t.headings = {S(msg::kColSpecies),       S(msg::kColClassifier), S(msg::kColPasses),
                S(msg::kColNightsPresent), S(msg::kColActivity),   S(msg::kColBuzzShare)};
  t.widths = {0.2, 0.16, 0.1, 0.16, 0.16, 0.22};
  t.right = {false, false, true, true, true, true};
  for (const SpeciesTotal& s : SpeciesTotals(data)) {
    t.rows.push_back({SpeciesLabel(s.species), s.classifier, std::to_string(s.passes),
                      std::to_string(s.nightsPresent), std::to_string(s.activityIndex),
                      PercentText(s.BuzzShare())});
  }
  return t;
}

std::string NamesStatement(const ReportData& data) {
  const ConfidenceFigures c = Confidence(data);
  std::string names;
  for (size_t i = 0; i < c.classifiers.size(); ++i) {
    if (i > 0) names += S(i + 1 == c.classifiers.size() ? msg::kListAnd : msg::kListComma);
    names += c.classifiers[i].empty() ? S(msg::kUnknownName) : c.classifiers[i];
  }
  std::string text = S(msg::kNamesBy) + names + S(msg::kConfidence);
  if (c.namedPasses == 0) return text + S(msg::kNoNamedPasses);
  return text + S(msg::kMeanConfidence) + FixedText(c.meanConfidence, 1) + S(msg::kHighShare) +
         PercentText(static_cast<double>(c.highConfidence) / c.namedPasses) + ".";
}

std::string DeploymentTitle(const Deployment& d) {
  return S(msg::kDeployment) + (d.location.empty() ? S(msg::kUnknownName) : d.location) + S(msg::kTitleDash) +
         S(msg::kColLogger) + " " + std::to_string(d.logger) + " (" + d.classifier + ")";
}

std::string DeploymentLine(const Deployment& d) {
  int passes = 0;
  for (const SpeciesNightRow& s : d.speciesNights) passes += s.passes;
  return DateOfMinute(d.firstMinute) + S(msg::kRangeDash) + DateOfMinute(d.lastMinute) + S(msg::kLineDot) +
         PositionText(d) + S(msg::kLineDot) + std::to_string(d.nights.size()) + S(msg::kNightsWord) +
         S(msg::kLineDot) + S(msg::kColEffort) + " " + Hours(EffortMinutes(d)) + S(msg::kLineDot) +
         std::to_string(passes) + " " + S(msg::kAxisPasses);
}

}  // namespace zorvel::report
