#include "core/ZvWriter.h"

#include <algorithm>

#include "core/Bytes.h"

namespace zorvel {

namespace {
constexpr size_t kFlushBytes = 1 << 20;
}

void PutHeaderInt32(HeaderBytes& h, int offset, int32_t value) { PutBe32(&h[offset], std::max(0, value)); }

void PutHeaderText(HeaderBytes& h, int offset, int length, const std::string& text) {
  for (int i = 0; i < length; ++i) h[offset + i] = i < static_cast<int>(text.size()) ? static_cast<uint8_t>(text[i]) : ' ';
}

ZvFileWriter::ZvFileWriter(const std::string& path, const HeaderBytes& header) : out_(path) {
  pending_.reserve(kFlushBytes + kRecordBytes);
  out_.Write(header.data(), header.size());
}

bool ZvFileWriter::Flush() {
  if (pending_.empty()) return out_.IsOpen();
  const bool ok = out_.Write(pending_.data(), pending_.size());
  pending_.clear();
  return ok;
}

bool ZvFileWriter::Append(const Record& r) { return Append(r.data(), 1); }

bool ZvFileWriter::Append(const uint8_t* records, size_t count) {
  if (!out_.IsOpen()) return false;
  pending_.insert(pending_.end(), records, records + count * kRecordBytes);
  records_ += static_cast<int64_t>(count);
  return pending_.size() < kFlushBytes || Flush();
}

bool ZvFileWriter::PatchHeader(int offset, const void* data, size_t n) {
  if (offset < 0 || offset + n > static_cast<size_t>(kHeaderBytes)) return false;
  return out_.WriteAt(offset, data, n);
}

bool ZvFileWriter::Finish() {
  const Record end = EndRecord();
  return Append(end) && Flush() && out_.Commit();
}

}  // namespace zorvel
