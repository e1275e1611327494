// The logger's side of the SD card: its file names, its file headers, and the writer that
// starts a new file when one has grown past the logger's file size.
//
// A series (one deployment) is a first file and the files that follow it. The first file has
// a 512-byte header: 2-4 identity, 96-100 start date-time as BCD (year - 2000, month, day,
// hour, minute), 101 seconds, 128-191 the settings block, and at 496-511 the series' first
// record. Later files have a 496-byte header (the same bytes, with the date-time of the file's
// first minute) and their records start at byte 496. Every file ends with an end record.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/CallRecords.h"
#include "sim/Simulator.h"

namespace zorvel::sim {

constexpr int kFirstHeaderBytes = 512;
constexpr int kLaterHeaderBytes = 496;

// Name of file n of series s; empty when the scheme has no name for it.
std::string LoggerFileName(int scheme, int series, int n);

// The 496 header bytes the logger writes for a file whose first minute is mn.
std::array<uint8_t, kLaterHeaderBytes> LoggerHeader(const SimOptions& options, int32_t mn);

class SeriesWriter {
 public:
  SeriesWriter(const SimOptions& options, int series, int32_t startMn, SimSeriesCounts& counts);
  // Opens minute mn with its minute record; the logger moves to a new file first when the
  // present one has reached its size.
  bool BeginMinute(int32_t mn, const Record& minuteRecord);
  bool Append(const Record& r);
  // Ends the last file with an end record and puts it in place.
  bool Finish();
  const std::string& Error() const { return error_; }

 private:
  bool OpenFile(int32_t mn, const Record& firstRecord);
  bool CloseFile();
  bool Put(const uint8_t* p, size_t n);
  bool Flush();

  const SimOptions& opt_;
  int series_;
  int fileN_ = 0;
  SimSeriesCounts& counts_;
  std::unique_ptr<AtomicFileWriter> file_;
  int64_t fileBytes_ = 0;
  std::vector<uint8_t> pending_;
  std::string error_;
};

}  // namespace zorvel::sim
