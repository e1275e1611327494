// zorvel-cli survey export SURVEY --table NAME [--out FILE.csv]: one public table as CSV, to the
// file given (written whole or not at all) or to standard output.
#include <iostream>

#include "cli/Commands.h"
#include "cli/SurveyMessages.h"
#include "core/AtomicFile.h"
#include "survey/Survey.h"

namespace zorvel::cli {

namespace {
struct SurveyExportOptions {
  std::string survey, table, out;
};

int RunSurveyExport(const SurveyExportOptions& o) {
  const std::optional<survey::Table> table = survey::TableFromName(o.table);
  if (!table) {
    std::cerr << msg::kSurveyUnknownTable << '\n';
    return 2;
  }
  survey::OpenResult r = survey::OpenSurvey(o.survey, survey::OpenMode::ReadOnly);
  if (!r.survey) {
    std::cerr << r.message << '\n';
    return 1;
  }
  const std::string csv = survey::ExportTableCsv(*r.survey, *table);
  if (o.out.empty()) {
    std::cout << csv;
    return 0;
  }
  std::string error;
  if (!WriteWholeFile(o.out, csv.data(), csv.size(), &error)) {
    std::cerr << o.out << msg::kSurveyOutNotWritten << error << '\n';
    return 1;
  }
  size_t rows = 0;
  for (char c : csv) rows += c == '\n';
  std::cerr << (rows > 0 ? rows - 1 : 0) << msg::kSurveyExportedTo << o.out << '\n';
  return 0;
}
}  // namespace

void RegisterSurveyExportCommand(CLI::App& survey) {
  auto o = std::make_shared<SurveyExportOptions>();
  auto* cmd = survey.add_subcommand("export", "Write one of a survey's tables as CSV");
  cmd->add_option("SURVEY", o->survey, "The survey file")->required();
  cmd->add_option("--table", o->table, "deployments, nights, passes or species-nights")->required();
  cmd->add_option("--out", o->out, "The CSV file (default: standard output)");
  cmd->callback([o] {
    if (const int rc = RunSurveyExport(*o)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
