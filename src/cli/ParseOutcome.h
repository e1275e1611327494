// The exit code of a command line that CLI11 did not simply parse. A command's runner ends with
// CLI::RuntimeError carrying its own code, help and version end with success, and everything
// else CLI11 throws is a command line that is wrong in some way (a missing or unknown option, a
// value out of range, an unknown command): scripts test for one code for all of those.
#pragma once

#include <CLI/CLI.hpp>
#include <iostream>

namespace zorvel::cli {

inline constexpr int kUsageExitCode = 2;

// Prints what CLI11 prints for e (help, the version, or its message and the hint to --help) and
// returns the process exit code.
int ParseOutcome(const CLI::App& app, const CLI::ParseError& e, std::ostream& out = std::cout,
                 std::ostream& err = std::cerr);

}  // namespace zorvel::cli
