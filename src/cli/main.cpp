// zorvel-cli: the engine without a window. main only parses options; each subcommand's runner
// does the work.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/Documentation.h"
#include "cli/Messages.h"
#include "cli/ParseOutcome.h"
#include "core/Tables.h"

int main(int argc, char** argv) {
  zorvel::PopulatePrecalculatedArrays();
  CLI::App app{"zorvel-cli: reads, processes and exports Zorvel logger data without a window"};
  // --help and --version print and exit 0 before any subcommand is asked for.
  app.set_version_flag("--version", std::string("zorvel-cli ") + ZORVEL_VERSION);
  app.require_subcommand(1);
  zorvel::cli::AddDocumentationOptions(app, "zorvel-cli");
  zorvel::cli::RegisterInfoCommand(app);
  zorvel::cli::RegisterDumpCommand(app);
  zorvel::cli::RegisterMapCommand(app);
  zorvel::cli::RegisterSimulateCommand(app);
  zorvel::cli::RegisterImportCommand(app);
  zorvel::cli::RegisterImportRecordingsCommand(app);
  zorvel::cli::RegisterLoggerCommand(app);
  zorvel::cli::RegisterWavCommand(app);
  zorvel::cli::RegisterFilesCommand(app);
  zorvel::cli::RegisterExportCommand(app);
  zorvel::cli::RegisterListCommand(app);
  zorvel::cli::RegisterFindCallsCommand(app);
  zorvel::cli::RegisterSurveyCommands(app);
  zorvel::cli::RegisterBatchCommand(app);
  int rc = 0;
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    rc = zorvel::cli::ParseOutcome(app, e);
  }
  // Output that could not be written (a full disk behind a redirection) is a failure too.
  std::cout.flush();
  if (!std::cout) {
    std::cerr << zorvel::cli::msg::kStdoutFailed << '\n';
    if (rc == 0) rc = 1;
  }
  // A run ended by Ctrl+C, SIGTERM or SIGHUP says so, whatever it finished before it stopped.
  if (zorvel::cli::StopWasRequested()) {
    std::cerr << zorvel::cli::msg::kStopped << '\n';
    return zorvel::cli::kStoppedExitCode;
  }
  return rc;
}
