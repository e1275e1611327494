// zorvel-cli survey list SURVEY: the survey's deployments and their nights.
#include <iostream>

#include "cli/Commands.h"
#include "survey/Survey.h"

namespace zorvel::cli {

void RegisterSurveyListCommand(CLI::App& survey) {
  auto path = std::make_shared<std::string>();
  auto* cmd = survey.add_subcommand("list", "List a survey's deployments and nights");
  cmd->add_option("SURVEY", *path, "The survey file")->required();
  cmd->callback([path] {
    survey::OpenResult r = survey::OpenSurvey(*path, survey::OpenMode::ReadOnly);
    if (!r.survey) {
      std::cerr << r.message << '\n';
      throw CLI::RuntimeError(1);
    }
    for (const std::string& line : survey::ListSurvey(*r.survey)) std::cout << line << '\n';
  });
}

}  // namespace zorvel::cli
