// Where the lines of an export go: a text file with CR LF line ends that appears whole when it
// is closed, or the Results page (one memo line each).
#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "core/AtomicFile.h"
#include "core/Host.h"

namespace zorvel {

class ReportSink {
 public:
  explicit ReportSink(Host& host) : host_(host) {}

  // Opens a report file (closing the one before). False when it cannot be created; then lines
  // go nowhere until another file is opened.
  bool OpenFile(const std::string& path);
  bool FileOpen() const { return file_ != nullptr; }
  const std::string& FileName() const { return name_; }
  // Puts the file in place. False when that failed.
  bool CloseFile();
  // Lines go to the Results page when no file is open and toResults is set.
  void SetToResults(bool toResults) { toResults_ = toResults; }
  void Line(std::string_view line);
  const std::string& LastError() const { return error_; }
  // Names given to report files in this run, so that two files of one run never share a name
  // even before the first is in place.
  bool NameTaken(const std::string& path) const;

 private:
  Host& host_;
  std::unique_ptr<AtomicFileWriter> file_;
  std::string name_, error_;
  std::set<std::string> claimed_;
  bool toResults_ = true;
};

}  // namespace zorvel
