// Walks the CLI11 tables and writes them as roff; also the hidden options that print the man
// page sections and the completion script.
#include <iostream>
#include <sstream>
#include <string_view>

#include "cli/Documentation.h"
#include "cli/Messages.h"

namespace zorvel::cli {

namespace {
bool IsVisible(const CLI::Option& opt) {
  return !opt.get_group().empty();
}

void CollectCommands(const CLI::App& app, const std::string& path, std::vector<CommandNode>& out) {
  out.push_back({path, &app});
  for (const CLI::App* sub : VisibleSubcommands(app))
    CollectCommands(*sub, path.empty() ? sub->get_name() : path + " " + sub->get_name(), out);
}

// Body text for roff: backslashes and control characters at a line start are made harmless, and a
// dash that starts a word (an option name) becomes a minus sign so that it can be searched for and
// copied; dashes inside words stay hyphens.
std::string Roff(std::string_view text) {
  std::string out;
  char prev = ' ';
  bool lineStart = true;
  for (const char c : text) {
    if (lineStart && (c == '.' || c == '\'')) out += "\\&";
    if (c == '\\')
      out += "\\e";
    else if (c == '-' && (prev == ' ' || prev == '-' || prev == '(' || prev == '[' || prev == '|' ||
                          prev == ',' || prev == '\n' || prev == '"'))
      out += "\\-";
    else
      out += c;
    lineStart = c == '\n';
    prev = c;
  }
  return out;
}

std::string Bold(std::string_view text) {
  return "\\fB" + Roff(text) + "\\fR";
}

std::string Italic(std::string_view text) {
  return "\\fI" + Roff(text) + "\\fR";
}

bool Repeats(const CLI::Option& opt) {
  return opt.get_expected_max() == CLI::detail::expected_max_vector_size || opt.get_expected_min() > 1;
}

// The value's name without the validator's description: "INT" of "INT:{1,2}".
std::string ValueName(const CLI::Option& opt) {
  const std::string type = opt.get_type_name();
  const auto colon = type.find(':');
  const std::string name = type.substr(0, colon);
  return name.empty() ? "VALUE" : name;
}

std::string PositionalName(const CLI::Option& opt) {
  return opt.get_name(true, false);
}

// "FILE..." for the usage line, in brackets when it may be left out.
std::string PositionalUsage(const CLI::Option& opt) {
  std::string text = Italic(PositionalName(opt)) + (Repeats(opt) ? "..." : "");
  return opt.get_required() ? text : "[" + text + "]";
}

void WriteOptionEntry(std::ostringstream& out, const CLI::Option& opt) {
  out << ".TP\n";
  if (opt.get_positional()) {
    out << Italic(PositionalName(opt)) << (Repeats(opt) ? "..." : "") << '\n';
  } else {
    out << "\\fB" << Roff(OptionNames(opt)) << "\\fR";
    if (TakesValue(opt)) out << ' ' << Italic(ValueName(opt)) << (Repeats(opt) ? " ..." : "");
    out << '\n';
  }
  std::string text = opt.get_description();
  const std::vector<std::string> allowed = AllowedValues(opt);
  if (!allowed.empty()) {
    std::string list;
    for (const std::string& v : allowed) list += (list.empty() ? "" : ", ") + v;
    text += (text.empty() ? "" : "; ") + std::string(msg::kManOneOf) + list;
  }
  if (!opt.get_default_str().empty())
    text += " (" + std::string(msg::kManDefault) + opt.get_default_str() + ")";
  if (opt.get_required()) text += (text.empty() ? "(" : " (") + std::string(msg::kManRequired) + ")";
  out << Roff(text) << '\n';
}

void WriteCommand(std::ostringstream& out, const std::string& programName, const CommandNode& node) {
  const CLI::App& app = *node.app;
  const std::string words = programName + " " + node.path;
  out << ".SS \"" << Roff(words) << "\"\n" << Roff(app.get_description()) << "\n.PP\n" << Bold(words);
  const auto options = VisibleOptions(app, false, false);
  const auto positionals = VisibleOptions(app, true, false);
  const auto subs = VisibleSubcommands(app);
  if (!options.empty()) out << " [" << Italic("OPTIONS") << "]";
  for (const CLI::Option* p : positionals) out << ' ' << PositionalUsage(*p);
  if (!subs.empty()) out << ' ' << Italic("COMMAND");
  out << '\n';
  if (!subs.empty()) {
    std::string names;
    for (const CLI::App* s : subs) names += (names.empty() ? "" : ", ") + s->get_name();
    out << ".PP\n" << msg::kManCommands << Roff(names) << ".\n";
  }
  for (const CLI::Option* p : positionals) WriteOptionEntry(out, *p);
  for (const CLI::Option* o : options) WriteOptionEntry(out, *o);
  if (!app.get_footer().empty()) out << ".PP\n" << Roff(app.get_footer()) << '\n';
}
}  // namespace

std::vector<CommandNode> VisibleCommands(const CLI::App& root) {
  std::vector<CommandNode> out;
  CollectCommands(root, "", out);
  return out;
}

std::vector<const CLI::App*> VisibleSubcommands(const CLI::App& app) {
  // Unnamed subcommands are CLI11's option groups; a subcommand in the empty group is hidden.
  return app.get_subcommands(
      [](const CLI::App* sub) { return !sub->get_name().empty() && !sub->get_group().empty(); });
}

std::vector<const CLI::Option*> VisibleOptions(const CLI::App& app, bool positional, bool withHelp) {
  std::vector<const CLI::Option*> out;
  for (const CLI::Option* opt : app.get_options()) {
    if (!IsVisible(*opt) || opt->get_positional() != positional) continue;
    if (!withHelp && (opt == app.get_help_ptr() || opt == app.get_help_all_ptr())) continue;
    out.push_back(opt);
  }
  for (const CLI::App* group : app.get_subcommands([](const CLI::App* s) { return s->get_name().empty(); })) {
    // CLI11 gives an option group a help flag of its own, a copy of its command's.
    const auto inner = VisibleOptions(*group, positional, false);
    out.insert(out.end(), inner.begin(), inner.end());
  }
  return out;
}

bool TakesValue(const CLI::Option& opt) {
  // A flag expects no value; CLI11 keeps its type size at one.
  return opt.get_items_expected_max() != 0;
}

std::string OptionNames(const CLI::Option& opt) {
  std::string out;
  for (const std::string& s : opt.get_snames()) out += (out.empty() ? "-" : ", -") + s;
  for (const std::string& l : opt.get_lnames()) out += (out.empty() ? "--" : ", --") + l;
  return out;
}

std::vector<std::string> AllowedValues(const CLI::Option& opt) {
  const std::string type = opt.get_type_name();
  const auto open = type.find('{');
  const auto close = type.find('}', open);
  if (open == std::string::npos || close == std::string::npos) return {};
  std::vector<std::string> out;
  std::string item;
  std::istringstream list(type.substr(open + 1, close - open - 1));
  while (std::getline(list, item, ',')) {
    const auto first = item.find_first_not_of(' ');
    if (first != std::string::npos) out.push_back(item.substr(first, item.find_last_not_of(' ') - first + 1));
  }
  return out;
}

std::string ManPageSections(const CLI::App& root, const std::string& programName) {
  std::ostringstream out;
  out << ".SH OPTIONS\n";
  for (const CLI::Option* o : VisibleOptions(root, false, true)) WriteOptionEntry(out, *o);
  out << ".PP\n" << msg::kManEveryCommandHelp << '\n';
  out << ".SH COMMANDS\n";
  const auto commands = VisibleCommands(root);
  for (size_t i = 1; i < commands.size(); ++i) WriteCommand(out, programName, commands[i]);
  return out.str();
}

void AddDocumentationOptions(CLI::App& app, const std::string& programName) {
  // Hidden (the empty group): they are for the build, which writes the man page and the
  // completion script from them.
  app.add_flag_callback("--help-man",
                        [&app, programName] {
                          std::cout << ManPageSections(app, programName);
                          throw CLI::Success();
                        })
      ->group("")
      ->configurable(false);
  app.add_flag_callback("--help-completion",
                        [&app, programName] {
                          std::cout << BashCompletion(app, programName);
                          throw CLI::Success();
                        })
      ->group("")
      ->configurable(false);
}

}  // namespace zorvel::cli
