// Where a reader of recordings gets its bytes: a file on disk (read in pieces, never loaded
// whole) or bytes in memory (tests and fuzz targets). Reads past the end return fewer bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace zorvel::rec {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Copies up to n bytes from offset; returns how many were copied.
  virtual size_t ReadAt(uint64_t offset, void* out, size_t n) = 0;
};

class MemoryByteSource : public ByteSource {
 public:
  MemoryByteSource(const uint8_t* data, size_t n) : data_(data), n_(n) {}
  uint64_t Size() const override { return n_; }
  size_t ReadAt(uint64_t offset, void* out, size_t n) override;

 private:
  const uint8_t* data_;
  size_t n_;
};

class FileByteSource : public ByteSource {
 public:
  explicit FileByteSource(const std::string& path);
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;
  bool IsOpen() const { return f_ != nullptr; }
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, void* out, size_t n) override;

 private:
  std::FILE* f_ = nullptr;
  uint64_t size_ = 0;
  uint64_t pos_ = 0;
};

}  // namespace zorvel::rec
