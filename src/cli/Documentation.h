// The man page and the bash completion of zorvel-cli are written from the same CLI11 tables that
// --help prints, so the three never disagree and a new subcommand appears in all of them at once.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace zorvel::cli {

// One command of the tree: its words after the program name ("" for the program itself,
// "export counts" for a nested one) and its table.
struct CommandNode {
  std::string path;
  const CLI::App* app = nullptr;
};

// Every visible command, the program first, each parent before its subcommands, in the order
// they were registered.
std::vector<CommandNode> VisibleCommands(const CLI::App& root);
// The visible named subcommands directly under app.
std::vector<const CLI::App*> VisibleSubcommands(const CLI::App& app);
// The visible options (positionals when positional is true) of app, including those of its
// option groups; a subcommand's own help flag is left out, as every command has one.
std::vector<const CLI::Option*> VisibleOptions(const CLI::App& app, bool positional, bool withHelp);
// Whether the option is followed by a value (a flag is not).
bool TakesValue(const CLI::Option& opt);
// "-h, --help" style names of an option.
std::string OptionNames(const CLI::Option& opt);
// The values a validator allows ("{1,2}" in the type name), else empty.
std::vector<std::string> AllowedValues(const CLI::Option& opt);

// The COMMANDS and OPTIONS sections (roff) of the man page; the build puts them into the page's
// template, which holds the prose.
std::string ManPageSections(const CLI::App& root, const std::string& programName);
// A bash completion script for programName.
std::string BashCompletion(const CLI::App& root, const std::string& programName);

// Hidden options --help-man and --help-completion that print the two texts above and exit.
// Registered before the subcommands; the texts are made at parse time from the whole tree.
void AddDocumentationOptions(CLI::App& app, const std::string& programName);

}  // namespace zorvel::cli
