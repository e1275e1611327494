#include "recordings/ByteSource.h"

#include <algorithm>
#include <cstring>

namespace zorvel::rec {

size_t MemoryByteSource::ReadAt(uint64_t offset, void* out, size_t n) {
  if (offset >= n_) return 0;
  const size_t k = static_cast<size_t>(std::min<uint64_t>(n, n_ - offset));
  std::memcpy(out, data_ + offset, k);
  return k;
}

FileByteSource::FileByteSource(const std::string& path) {
  f_ = std::fopen(path.c_str(), "rb");
  if (!f_) return;
  if (std::fseek(f_, 0, SEEK_END) == 0) {
    const long long end = ftello(f_);
    size_ = end > 0 ? static_cast<uint64_t>(end) : 0;
  }
  std::fseek(f_, 0, SEEK_SET);
}

FileByteSource::~FileByteSource() {
  if (f_) std::fclose(f_);
}

size_t FileByteSource::ReadAt(uint64_t offset, void* out, size_t n) {
  if (!f_ || offset >= size_) return 0;
  if (offset != pos_ && fseeko(f_, static_cast<off_t>(offset), SEEK_SET) != 0) return 0;
  const size_t k = std::fread(out, 1, n, f_);
  pos_ = offset + k;
  return k;
}

}  // namespace zorvel::rec
