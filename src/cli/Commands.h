// Each zorvel-cli subcommand lives in a file of its own and registers itself here.
#pragma once

#include <CLI/CLI.hpp>

namespace zorvel::cli {

void RegisterInfoCommand(CLI::App& app);
void RegisterDumpCommand(CLI::App& app);
void RegisterMapCommand(CLI::App& app);
void RegisterSimulateCommand(CLI::App& app);
void RegisterImportCommand(CLI::App& app);
void RegisterImportRecordingsCommand(CLI::App& app);
void RegisterLoggerCommand(CLI::App& app);
void RegisterWavCommand(CLI::App& app);
void RegisterFilesCommand(CLI::App& app);
void RegisterExportCommand(CLI::App& app);
void RegisterListCommand(CLI::App& app);
void RegisterFindCallsCommand(CLI::App& app);
void RegisterBatchCommand(CLI::App& app);

// `survey` and its subcommands, each registered on the group.
void RegisterSurveyCommands(CLI::App& app);
void RegisterSurveyAddCommand(CLI::App& survey);
void RegisterSurveyListCommand(CLI::App& survey);
void RegisterSurveyExportCommand(CLI::App& survey);
void RegisterSurveyReportCommand(CLI::App& survey);

}  // namespace zorvel::cli
