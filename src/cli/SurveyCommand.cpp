// zorvel-cli survey …: the command group. Each survey subcommand lives in a file of its own and
// registers itself on the group here.
#include "cli/Commands.h"
#include "cli/SurveyMessages.h"

namespace zorvel::cli {

void RegisterSurveyCommands(CLI::App& app) {
  auto* survey = app.add_subcommand("survey", std::string(msg::kSurveyGroupHelp));
  survey->require_subcommand(1);
  RegisterSurveyAddCommand(*survey);
  RegisterSurveyListCommand(*survey);
  RegisterSurveyExportCommand(*survey);
}

}  // namespace zorvel::cli
