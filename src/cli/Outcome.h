// What a command says about the files it was asked to process: each file that failed is named
// with its reason on standard error, a command that processed several ends with "N of M files
// failed", and the exit code is non-zero whenever any failed.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/OutputGuard.h"

namespace zorvel::cli {

// Why path cannot be processed as a data file, or an empty text when it can be tried: missing,
// a folder, unreadable, not named as a data file, shorter than a header, or (when records are
// needed) a header without records.
std::string InputProblem(const std::string& path, bool needRecords = true);

// Prints "<output>: <reason>" and returns true when output must not be written: it is one of
// the inputs, or a name the kind of output may never take (see core/OutputGuard.h). Commands
// exit with kRefusedOutputExitCode then, before anything is read or written.
bool OutputRefused(const std::string& output, const std::vector<std::string>& inputs,
                   OutputKind kind = OutputKind::Text);
// The same for a folder that receives the command's files (OutputFolderProblem).
bool OutputFolderRefused(const std::string& folder, const std::vector<std::string>& inputs);
// The same for standard output redirected into one of the inputs or a data file ("… >> x.ZV2").
bool StdoutRefused(const std::vector<std::string>& inputs);
inline constexpr int kRefusedOutputExitCode = 2;

class FileTally {
 public:
  explicit FileTally(int total) : total_(total) {}
  // Prints "<path>: <reason>" (once for each path) and counts the file as failed.
  void Fail(const std::string& path, std::string_view reason);
  // Checks path with InputProblem; false (after Fail) when it cannot be processed.
  bool Usable(const std::string& path, bool needRecords = true);
  bool HasFailed(const std::string& path) const { return failed_.count(path) > 0; }
  int Failures() const { return static_cast<int>(failed_.size()) + unnamed_; }
  // Files that failed without a path of their own to name (the engine has said why).
  void FailUnnamed(int n) { unnamed_ += n; }
  // Prints the closing count when several files were asked for and any failed; 0 or 1.
  int ExitCode() const;

 private:
  int total_;
  int unnamed_ = 0;
  std::set<std::string> failed_;
};

}  // namespace zorvel::cli
