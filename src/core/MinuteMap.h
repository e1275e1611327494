// Minute maps: the table from minute to record position that lets the program jump to any
// minute of a data file, built by one scan of the file and, for files of more than 100,000
// records, kept beside it as a map file.
//
// Map file (".z1m", ".z2m", ".z3m" beside the data file): the slot's MinStarts entries
// 0 … MinStartsWritten (each minute record's index in 16-byte units, then the end record's
// index) as 32-bit little-endian signed integers, nothing else: 4 × (minutes + 1) bytes.
// A map file is used only when its entries rise and each points at a minute record of the file,
// the last at the end record (or the end of a file without one); its minute count may differ
// from the header's, whose last minute is then amended in memory as a scan would amend it.
// Nothing here writes into the data file.
#pragma once

#include <string>

#include "core/FileRec.h"
#include "core/Host.h"
#include "core/RecordReader.h"

namespace zorvel {

constexpr int64_t kMapFileMinRecords = 100'000;
constexpr int32_t kScanSpanLimit = 1'051'199;
constexpr int32_t kOpenSpanLimit = 6'307'200;
constexpr int32_t kMinStartsGrowth = 1440;

// The map file's name for the slot's file ("skip" when the slot has no file type).
std::string MapFileName(const TFileRec& slot);

// Maps the slot. True when the map is valid and no map file was written; false when a map file
// was written (the caller lists "<name> re-mapped") or the slot had to be closed (then it is no
// longer Open). Outside batch runs the slot's per-minute summary (core/MinuteSummary.h) is read
// from its file or made in the same scan.
// reportAmendment: list "<name> File map amended header: <n>" when the span differs from the
// header's (opening maps quietly, as every file is mapped there).
bool MapSlot(FileSlots& slots, int slot, bool force, Host& host, bool batchRunning = false,
             bool reportAmendment = true);

// What a mapped slot's scan found wrong with the file's end, as a sentence for the person reading
// it (a file cut short, a file with no minutes); empty when nothing was wrong.
std::string MapWarning(const TFileRec& slot);

// Loads the buffer at the minute record that opens the minute (the first minute for earlier
// ones, the end record for later ones) without reading it; the next record read is that minute
// record. False when the slot is not open or could not be mapped.
bool SeekToMinuteStart(FileSlots& slots, int slot, int32_t minute, Host& host, bool refreshMaps);

// Positions one slot at the first used record at or after the moment.
void PositionSlot(FileSlots& slots, int slot, TRecTime target, ReaderContext& ctx, bool refreshMaps);

// The same for every open slot.
void MoveAllFilePosn(FileSlots& slots, TRecTime target, ReaderContext& ctx, bool refreshMaps);

}  // namespace zorvel
