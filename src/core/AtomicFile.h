// Files we create appear whole or not at all: the bytes go to a temporary name in the same
// folder, and only Commit() renames them into place. A writer destroyed without Commit()
// removes its temporary file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace zorvel {

class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string finalPath);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  bool IsOpen() const { return f_ != nullptr && ok_; }
  bool Write(const void* data, size_t n);
  bool WriteAt(int64_t offset, const void* data, size_t n);  // patch bytes already written
  int64_t BytesWritten() const { return written_; }
  // Flushes, closes and renames into place (replacing an existing file). False on any error.
  bool Commit();
  // Abandons the file: nothing appears at the final path.
  void Abandon();
  const std::string& ErrorText() const { return error_; }
  const std::string& FinalPath() const { return final_; }

 private:
  std::string final_, temp_;
  std::FILE* f_ = nullptr;
  bool ok_ = true;
  int64_t written_ = 0;
  std::string error_;
};

// Removes the temporary files "<finalPath>.<pid>.part" that runs killed before they could clean
// up have left beside finalPath (only those whose process no longer exists). Every writer does
// this before it starts its own.
void RemoveStaleTemporaries(const std::string& finalPath);

// Writes the whole of data to path through an AtomicFileWriter.
bool WriteWholeFile(const std::string& path, const void* data, size_t n, std::string* error = nullptr);

}  // namespace zorvel
