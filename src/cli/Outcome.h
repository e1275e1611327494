// What a command says about the files it was asked to process: each file that failed is named
// with its reason on standard error, a command that processed several ends with "N of M files
// failed", and the exit code is non-zero whenever any failed.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace zorvel::cli {

// Why path cannot be processed as a data file, or an empty text when it can be tried: missing,
// a folder, unreadable, not named as a data file, shorter than a header, or (when records are
// needed) a header without records.
std::string InputProblem(const std::string& path, bool needRecords = true);

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
