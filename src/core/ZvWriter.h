// Writes a whole ZV1 or ZV2 file: the 1024 header bytes, the records, and the end record. The
// file appears at its name only when Finish() succeeds.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/CallRecords.h"
#include "core/FileRec.h"

namespace zorvel {

using HeaderBytes = std::array<uint8_t, kHeaderBytes>;

// Stores a 32-bit header field big-endian (a negative value is stored as 0).
void PutHeaderInt32(HeaderBytes& h, int offset, int32_t value);
// Stores a text field padded with blanks (longer texts are cut).
void PutHeaderText(HeaderBytes& h, int offset, int length, const std::string& text);

class ZvFileWriter {
 public:
  ZvFileWriter(const std::string& path, const HeaderBytes& header);
  bool IsOpen() const { return out_.IsOpen(); }
  bool Append(const Record& r);
  bool Append(const uint8_t* records, size_t count);
  int64_t RecordsWritten() const { return records_; }
  // Patches header bytes already written (for fields known only at the end).
  bool PatchHeader(int offset, const void* data, size_t n);
  // Writes the end record and puts the file in place.
  bool Finish();
  const std::string& ErrorText() const { return out_.ErrorText(); }

 private:
  bool Flush();
  AtomicFileWriter out_;
  std::vector<uint8_t> pending_;
  int64_t records_ = 0;
};

}  // namespace zorvel
