#include "cli/ParseOutcome.h"

namespace zorvel::cli {

int ParseOutcome(const CLI::App& app, const CLI::ParseError& e, std::ostream& out, std::ostream& err) {
  const int code = app.exit(e, out, err);
  // CLI11 names its errors by type; a runner's RuntimeError holds the command's real outcome.
  if (e.get_name() == "RuntimeError" || code == static_cast<int>(CLI::ExitCodes::Success)) return code;
  return kUsageExitCode;
}

}  // namespace zorvel::cli
