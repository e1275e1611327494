// zorvel-cli survey report SURVEY --out report.pdf|report.html: the survey's report, written
// whole or not at all. Text needs a Qt application object, made on the offscreen platform, so
// the command runs without a display.
#include <iostream>

#include "cli/Commands.h"
#include "cli/SurveyReportMessages.h"
#include "report/Report.h"

namespace zorvel::cli {

namespace {
struct ReportOptions {
  std::string survey, out;
};

int RunReport(const ReportOptions& o) {
  const auto app = report::EnsureDrawingApplication();
  const report::ReportOutcome r = report::WriteSurveyReport(o.survey, o.out);
  if (!r.ok) {
    std::cerr << r.message << '\n';
    return 1;
  }
  std::cout << o.out;
  if (r.pages > 0) std::cout << msg::kReportPagesOpen << r.pages << msg::kReportPagesClose;
  std::cout << '\n';
  return 0;
}
}  // namespace

void RegisterSurveyReportCommand(CLI::App& survey) {
  auto opts = std::make_shared<ReportOptions>();
  auto* cmd = survey.add_subcommand("report", std::string(msg::kReportHelp));
  cmd->add_option("SURVEY", opts->survey, "The survey file")->required();
  cmd->add_option("--out", opts->out, "report.pdf (A4 pages) or report.html (one file, figures inline)")
      ->required();
  cmd->callback([opts] {
    if (const int rc = RunReport(*opts)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
