// The record reader: the single road from a data file to everything that looks at data.
//
// Layout after the 1024-byte header: 16-byte records, big-endian, to the end record.
// The first byte says what a record is:
//   0x00-0xB7 wave group (the byte is the high byte of the 24-bit tick time)
//   0xB8-0xF6 invalid   0xF7 logger run error   0xF8/0xF9/0xFA call records A/B/C
//   0xFB wave group suppressed by the minute scan of earlier versions (skipped; the reader now
//   skips wave groups whose time runs backwards without marking them, see TimeOrder.h)
//   0xFC suppressed by the SD import
//   0xFD ignored   0xFE minute record   0xFF end of data
// ZV1 wave group: 0-2 tick, 3-10 eight IPI bytes, 11-14 four amplitude bytes (amplitude j serves
//   waves j and j+2 for j < 2, waves j+2 and j+4 otherwise), 15 bits 4-0 score.
// ZV2/ZV3 wave group: 0-2 tick, 3+2j amplitude and 4+2j IPI of pair j, 13 bit 7 harmonic,
//   bit 6 gap precedes, bits 5-0 call number 13-8; 14 call number 7-0; 15 bits 7-5 feature
//   class, bits 4-0 score.
// Call records A, B, C: see CallRecords.h. Minute record: 6 light, 7 clock temperature (°C),
//   8 preamp temperature (half °C + 20), 10 bit 0 listening, bits 2-1 battery in use (0 = 4),
//   11-14 battery voltages in 0.1 V. Minute records carry no minute number: the reader counts them.
#pragma once

#include <climits>
#include <cstdint>

#include "core/FileRec.h"
#include "core/Host.h"

namespace zorvel {

enum class MarkMode { None, Mark, Unmark };

// Where the filters plug into the reader. The default accepts everything.
struct RecordFilter {
  virtual ~RecordFilter() = default;
  virtual bool MinuteFiltersOn() const { return false; }
  // Decides ExcludedMinute after a minute record has been decoded.
  virtual bool MinuteExcluded(const TFileRec&) const { return false; }
  virtual bool WaveGroupAccepted(const TFileRec&) const { return true; }
  virtual bool SequenceFilterGiven() const { return false; }
  virtual bool SeqFits(const tCall&) const { return true; }
  virtual bool CallAccepted(const TFileRec&) const { return true; }
};

struct ReaderOptions {
  bool IgnoreFilters = false;
  bool ForceExtendedIPIs = false;   // developer option
  bool ForceExtendedSPL = false;    // developer option
  bool ShowTimingMessages = false;  // developer option
  bool ExportTimeStamps = false;    // developer option: minute records into the data list
  bool MicAdjustment = false;       // amplitude display "+Mic adjustment"
  MarkMode Mark = MarkMode::None;
  int32_t LastMinuteToShow = INT32_MAX;
};

struct ReaderContext {
  Host& host;
  const RecordFilter* filter = nullptr;
  ReaderOptions options{};
};

// Reads the slot's next record. True when the record is for the caller: a wave group or a
// complete call that passes the filters, a minute record, or the end of data. The decoded values
// are left in the slot.
bool ReadNextRecord(TFileRec& slot, ReaderContext& ctx);

// Reads used records until one is returned; the slot's NrType tells what it was.
inline void ReadNextUsedRecord(TFileRec& slot, ReaderContext& ctx) {
  while (!ReadNextRecord(slot, ctx)) {
  }
}

// How long "Writeback failed" stays up.
inline constexpr int kWritebackFailedMs = 3000;

// Writes the buffer back to the file when a record in it was changed. False on a failed write.
bool WriteBackIfChanged(TFileRec& slot, Host& host);

// Reads the next block after the present one into the buffer; false when nothing was read.
bool RefillBuffer(TFileRec& slot, Host& host);

// Reads a block of records starting at record index (16-byte unit) r into the buffer.
bool LoadBufferAt(TFileRec& slot, int64_t r, Host& host);

}  // namespace zorvel
