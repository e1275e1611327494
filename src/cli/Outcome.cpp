#include "cli/Outcome.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "cli/Messages.h"
#include "core/FileRec.h"
#include "core/SlotFiles.h"

namespace zorvel::cli {

std::string InputProblem(const std::string& path, bool needRecords) {
  namespace fs = std::filesystem;
  std::error_code ec;
  // Before anything opens it: opening a pipe that no one writes waits for ever.
  if (std::string problem = NotRegularFileProblem(path); !problem.empty()) return problem;
  const auto status = fs::status(path, ec);
  if (!fs::exists(status)) return std::string(msg::kNoSuchFile);
  if (fs::is_directory(status)) return std::string(msg::kIsFolder);
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::string(msg::kCannotRead) + std::strerror(errno);
  std::fclose(f);
  if (FileTypeOfPath(path) == ftUnknown) return std::string(msg::kNotDataFile);
  const auto size = fs::file_size(path, ec);
  if (ec) return std::string(msg::kCannotRead) + ec.message();
  if (size < static_cast<uintmax_t>(kHeaderBytes))
    return std::string(msg::kTooShort) + std::to_string(size) + std::string(msg::kTooShortEnd);
  if (needRecords && size < static_cast<uintmax_t>(kHeaderBytes + kRecordBytes))
    return std::string(msg::kNoRecords);
  return {};
}

bool OutputRefused(const std::string& output, const std::vector<std::string>& inputs, OutputKind kind) {
  const std::string problem = OutputProblem(output, inputs, kind);
  if (problem.empty()) return false;
  std::cerr << output << ": " << problem << '\n';
  return true;
}

bool OutputFolderRefused(const std::string& folder, const std::vector<std::string>& inputs) {
  const std::string problem = OutputFolderProblem(folder, inputs);
  if (problem.empty()) return false;
  std::cerr << folder << ": " << problem << '\n';
  return true;
}

bool StdoutRefused(const std::vector<std::string>& inputs) {
  struct stat out {};
  if (fstat(1, &out) != 0 || !S_ISREG(out.st_mode)) return false;  // a terminal or a pipe
  // The file's name, where the system tells it, for the data-file names.
  std::error_code ec;
  const std::string name = std::filesystem::read_symlink("/proc/self/fd/1", ec).string();
  for (const std::string& in : inputs) {
    struct stat st {};
    if (stat(in.c_str(), &st) == 0 && st.st_dev == out.st_dev && st.st_ino == out.st_ino) {
      std::cerr << msg::kStandardOutput << in << ": " << zorvel::msg::kOutputIsInput << '\n';
      return true;
    }
  }
  if (!ec && HasDataFileExtension(name)) {
    std::cerr << msg::kStandardOutput << name << ": " << zorvel::msg::kOutputIsDataFile << '\n';
    return true;
  }
  return false;
}

void FileTally::Fail(const std::string& path, std::string_view reason) {
  if (!failed_.insert(path).second) return;
  std::cerr << path << ": " << reason << '\n';
}

bool FileTally::Usable(const std::string& path, bool needRecords) {
  const std::string problem = InputProblem(path, needRecords);
  if (problem.empty()) return true;
  Fail(path, problem);
  return false;
}

int FileTally::ExitCode() const {
  const int failed = Failures();
  if (failed == 0) return 0;
  if (total_ > 1) std::cerr << failed << msg::kOf << total_ << msg::kFilesFailed << '\n';
  return 1;
}

}  // namespace zorvel::cli
