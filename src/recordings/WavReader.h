// Reads the layout of a RIFF/WAVE recording and streams its samples.
//
// Accepted: chunks in any order, odd-sized chunks padded to even length, unknown chunks passed
// over; PCM of 8 (unsigned), 16, 24 and 32 bits, 32-bit float, and WAVE_FORMAT_EXTENSIBLE
// carrying either; any number of channels (one is read). Recorders that stop abruptly leave a
// data size of 0 or 0xFFFFFFFF (read to the end of the file) or a size past the end (read what
// is there); both are reported as warnings. Compressed formats are refused by name.
//
// Metadata gathered on the way: the GUANO text ("guan"), the INFO comment (LIST/INFO/ICMT) and
// the bext chunk's origination date and time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "recordings/ByteSource.h"

namespace zorvel::rec {

enum class SampleKind : uint8_t { Unsigned8, Int16, Int24, Int32, Float32 };

struct WavLayout {
  bool ok = false;
  std::string error;                  // why the file is refused, when !ok
  std::vector<std::string> warnings;  // what was repaired or passed over
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t sampleRate = 0;
  uint16_t bitsPerSample = 0;
  uint16_t blockAlign = 0;
  SampleKind kind = SampleKind::Int16;
  uint64_t dataOffset = 0;
  uint64_t frames = 0;
  std::string guano;    // the guan chunk's text, as stored
  std::string comment;  // LIST/INFO/ICMT
  std::string bextDate, bextTime;  // "yyyy-mm-dd", "hh:mm:ss"
};

// Largest metadata chunk kept; a GUANO or LIST chunk declaring more is passed over.
constexpr uint32_t kMaxMetadataBytes = 1 << 20;

WavLayout ReadWavLayout(ByteSource& src);

// The name of a compressed format tag ("A-law", "MPEG Layer 3", …), or "format 0xNNNN".
std::string FormatName(uint16_t tag);

// Reads frames of one channel as floats on the 16-bit scale (full scale is ±32768 whatever the
// stored size), block by block.
class SampleStream {
 public:
  SampleStream(ByteSource& src, const WavLayout& layout, int channel);
  // Reads up to n samples into out from the present frame on; returns how many (0 at the end).
  size_t Read(float* out, size_t n);
  // Moves to a frame (clamped to the end).
  void Seek(uint64_t frame);
  uint64_t Position() const { return next_; }

 private:
  ByteSource& src_;
  const WavLayout& layout_;
  int channel_;
  uint64_t next_ = 0;
  std::vector<uint8_t> raw_;
};

}  // namespace zorvel::rec
