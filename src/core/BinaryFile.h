// A data file opened for reading (and writing where the file system allows), addressed by
// 64-bit byte offsets. Reads and writes say how many bytes they moved; nothing throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace zorvel {

class BinaryFile {
 public:
  enum class Mode { ReadOnly, ReadWrite, ReadWritePreferred };

  // nullptr when the file cannot be opened. ReadWritePreferred falls back to read-only.
  static std::unique_ptr<BinaryFile> Open(const std::string& path, Mode mode);

  ~BinaryFile();
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;

  bool Writable() const { return writable_; }
  // Current length in bytes, or -1 when it cannot be found.
  int64_t Size();
  size_t ReadAt(int64_t offset, void* dst, size_t count);
  // Writes only inside the file's present length: an edit in place never extends a file.
  bool WriteInPlace(int64_t offset, const void* src, size_t count);
  bool Flush();

 private:
  BinaryFile(std::FILE* f, bool writable) : f_(f), writable_(writable) {}
  std::FILE* f_;
  bool writable_;
};

bool FileExists(const std::string& path);
// Size of a file in bytes, or -1 when it does not exist or cannot be read.
int64_t FileSizeOf(const std::string& path);

}  // namespace zorvel
