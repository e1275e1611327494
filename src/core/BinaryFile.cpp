#include "core/BinaryFile.h"

#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#define ZORVEL_FSEEK _fseeki64
#else
#define ZORVEL_FSEEK fseeko
#endif

namespace zorvel {

std::unique_ptr<BinaryFile> BinaryFile::Open(const std::string& path, Mode mode) {
  if (path.empty()) return nullptr;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return nullptr;
  if (mode != Mode::ReadOnly) {
    if (std::FILE* f = std::fopen(path.c_str(), "r+b")) {
      return std::unique_ptr<BinaryFile>(new BinaryFile(f, true));
    }
    if (mode == Mode::ReadWrite) return nullptr;
  }
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) return std::unique_ptr<BinaryFile>(new BinaryFile(f, false));
  return nullptr;
}

BinaryFile::~BinaryFile() {
  if (f_) std::fclose(f_);
}

int64_t BinaryFile::Size() {
  if (ZORVEL_FSEEK(f_, 0, SEEK_END) != 0) return -1;
#if defined(_WIN32)
  return _ftelli64(f_);
#else
  return static_cast<int64_t>(ftello(f_));
#endif
}

size_t BinaryFile::ReadAt(int64_t offset, void* dst, size_t count) {
  if (offset < 0 || ZORVEL_FSEEK(f_, offset, SEEK_SET) != 0) return 0;
  const size_t n = std::fread(dst, 1, count, f_);
  std::clearerr(f_);
  return n;
}

bool BinaryFile::WriteInPlace(int64_t offset, const void* src, size_t count) {
  if (!writable_ || offset < 0) return false;
  const int64_t size = Size();
  if (size < 0 || offset + static_cast<int64_t>(count) > size) return false;
  if (ZORVEL_FSEEK(f_, offset, SEEK_SET) != 0) return false;
  const size_t n = std::fwrite(src, 1, count, f_);
  const bool ok = n == count && std::fflush(f_) == 0;
  std::clearerr(f_);
  return ok;
}

bool BinaryFile::Flush() { return std::fflush(f_) == 0; }

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

int64_t FileSizeOf(const std::string& path) {
  std::error_code ec;
  const auto s = std::filesystem::file_size(path, ec);
  return ec ? -1 : static_cast<int64_t>(s);
}

}  // namespace zorvel
