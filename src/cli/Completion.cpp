// The bash completion script, from the same command tree as --help: it finds which (nested)
// command the words so far name, then offers that command's subcommands or options, the allowed
// values after an option with a fixed set, and file names everywhere else.
#include <sstream>

#include "cli/Documentation.h"

namespace zorvel::cli {

namespace {
// Names are single-quoted in the script; CLI11 names never hold a quote, but a value list from a
// validator might, so each is quoted on its own.
std::string Quoted(const std::string& word) {
  std::string out = "'";
  for (const char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string Joined(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : " ") + w;
  return out;
}

std::vector<std::string> Names(const CLI::Option& opt) {
  std::vector<std::string> out;
  for (const std::string& s : opt.get_snames()) out.push_back("-" + s);
  for (const std::string& l : opt.get_lnames()) out.push_back("--" + l);
  return out;
}

std::string FunctionName(const std::string& programName) {
  std::string out = "_";
  for (const char c : programName) out += (c == '-' || c == '.') ? '_' : c;
  return out;
}
}  // namespace

std::string BashCompletion(const CLI::App& root, const std::string& programName) {
  const auto commands = VisibleCommands(root);
  std::ostringstream out;
  const std::string fn = FunctionName(programName);
  out << "# bash completion for " << programName << ", written by " << programName
      << " --help-completion from its option tables\n"
      << fn << "() {\n"
      << "  local cur=\"${COMP_WORDS[COMP_CWORD]}\" prev=\"\" path=\"\" i w\n"
      << "  [ \"$COMP_CWORD\" -gt 0 ] && prev=\"${COMP_WORDS[COMP_CWORD-1]}\"\n"
      << "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
      << "    w=\"${COMP_WORDS[i]}\"\n"
      << "    case \"$path|$w\" in\n";
  std::vector<std::string> steps;
  for (size_t i = 1; i < commands.size(); ++i) {
    const std::string& p = commands[i].path;
    const auto space = p.rfind(' ');
    const std::string parent = space == std::string::npos ? "" : p.substr(0, space);
    steps.push_back(Quoted(parent + "|" + commands[i].app->get_name()));
  }
  if (!steps.empty()) {
    out << "      ";
    for (size_t i = 0; i < steps.size(); ++i) out << (i ? "|" : "") << steps[i];
    out << ") path=\"${path:+$path }$w\" ;;\n";
  }
  out << "    esac\n  done\n"
      << "  local commands=\"\" options=\"\" valued=\"\"\n"
      << "  case \"$path\" in\n";
  for (const CommandNode& node : commands) {
    std::vector<std::string> subs, options, valued;
    for (const CLI::App* s : VisibleSubcommands(*node.app)) subs.push_back(s->get_name());
    for (const CLI::Option* o : VisibleOptions(*node.app, false, true)) {
      for (const std::string& n : Names(*o)) {
        options.push_back(n);
        if (TakesValue(*o)) valued.push_back(n);
      }
    }
    out << "    " << Quoted(node.path) << ") commands=" << Quoted(Joined(subs))
        << " options=" << Quoted(Joined(options)) << " valued=" << Quoted(" " + Joined(valued) + " ")
        << " ;;\n";
  }
  out << "  esac\n";
  // Options whose validator fixes the values offer those values.
  std::ostringstream fixed;
  for (const CommandNode& node : commands) {
    for (const CLI::Option* o : VisibleOptions(*node.app, false, true)) {
      const auto values = AllowedValues(*o);
      if (values.empty() || !TakesValue(*o)) continue;
      for (const std::string& n : Names(*o)) {
        fixed << "    " << Quoted(node.path + "|" + n) << ") COMPREPLY=($(compgen -W "
              << Quoted(Joined(values)) << " -- \"$cur\")); return ;;\n";
      }
    }
  }
  if (!fixed.str().empty()) out << "  case \"$path|$prev\" in\n" << fixed.str() << "  esac\n";
  // After an option that takes a value, and where no command is expected, an empty answer lets
  // bash complete file names (complete -o default).
  out << "  if [[ \"$valued\" == *\" $prev \"* ]]; then COMPREPLY=(); return; fi\n"
      << "  if [[ \"$cur\" == -* ]]; then COMPREPLY=($(compgen -W \"$options\" -- \"$cur\")); return; fi\n"
      << "  if [ -n \"$commands\" ]; then COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\")); return; fi\n"
      << "  COMPREPLY=()\n"
      << "}\n"
      << "complete -o default -F " << fn << ' ' << programName << '\n';
  return out.str();
}

}  // namespace zorvel::cli
