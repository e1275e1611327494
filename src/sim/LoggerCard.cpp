#include "sim/LoggerCard.h"

#include <filesystem>

#include "core/Bytes.h"
#include "core/TimeBase.h"

namespace zorvel::sim {

namespace {
constexpr size_t kFlushBytes = 1 << 16;

uint8_t Bcd(int v) {
  return static_cast<uint8_t>(((v / 10) % 10) << 4 | (v % 10));
}

// Offsets in the logger's header; the settings block moves 64 bytes down in a data file.
constexpr int kStartBcd = 96;
constexpr int kSettings = 128;
}  // namespace

std::string LoggerFileName(int scheme, int series, int n) {
  if (n < 0 || series < 0) return "";
  if (scheme == 1) {
    if (n > 999) return "";
    char num[16];
    std::snprintf(num, sizeof num, "%03d", n);
    return std::to_string(series) + "BAT" + num + ".NXQ";
  }
  if (series == 0) return "ZORVEL" + std::to_string(n) + ".NXQ";
  if (series > 9) return "";
  if (n == 0) return std::to_string(series) + "BAT000.NXQ";
  return std::to_string(series - 1) + "ORVEL0" + std::to_string(n) + ".NXQ";
}

std::array<uint8_t, kLaterHeaderBytes> LoggerHeader(const SimOptions& o, int32_t mn) {
  std::array<uint8_t, kLaterHeaderBytes> h{};
  h[1] = 3;  // gain
  h[2] = static_cast<uint8_t>(o.loggerId / 10000 % 100);
  h[3] = static_cast<uint8_t>(o.loggerId / 100 % 100);
  h[4] = static_cast<uint8_t>(o.loggerId % 100);
  PutBe16(&h[5], static_cast<uint32_t>(DaysFromCivil(2024, 3, 1)));
  h[11] = 2;   // preamplifier
  h[13] = 3;   // microphone
  h[14] = 1;   // light sensor
  h[18] = 0;   // housing
  h[20] = 50;  // IPI count level
  const uint8_t bonus[9] = {0, 0, 0, 0, 1, 1, 2, 3, 4};
  for (int i = 0; i < 9; ++i) h[21 + i] = bonus[i];
  h[30] = 5;              // main board
  h[32] = 4, h[33] = 12;  // processor firmware 4.12
  h[34] = 3, h[35] = 2;   // gate-array code 3.2
  h[36] = 100;            // plain IPI bytes
  const CivilDateTime t = DateTimeOfMinute(mn);
  h[kStartBcd] = Bcd(t.year - 2000);
  h[kStartBcd + 1] = Bcd(t.month);
  h[kStartBcd + 2] = Bcd(t.day);
  h[kStartBcd + 3] = Bcd(t.hour);
  h[kStartBcd + 4] = Bcd(t.minute);
  h[kStartBcd + 5] = 0;
  uint8_t* s = &h[kSettings];       // settings block: the data file's bytes 64-127
  s[0] = 0;                         // UTC offset
  s[1] = 1;                         // high-pass filter 40 kHz
  s[3] = 2;                         // ADC dead band
  s[4] = 100;                       // frequency lifts 1, 2, 1, 0
  s[5] = 14, s[6] = 36, s[7] = 60;  // score, triad and penalty thresholds
  s[12] = static_cast<uint8_t>(o.lightSwitchLevel);
  s[13] = static_cast<uint8_t>(o.minsOff);
  s[14] = 60;                // battery switch level
  s[15] = 2;                 // file size class
  s[16] = 6;                 // gate-array dead band
  s[58] = ':', s[59] = ';';  // no months off
  return h;
}

SeriesWriter::SeriesWriter(const SimOptions& options, int series, int32_t startMn, SimSeriesCounts& counts)
    : opt_(options), series_(series), counts_(counts) {
  counts_.startMn = startMn;
  pending_.reserve(kFlushBytes + 64);
}

bool SeriesWriter::Put(const uint8_t* p, size_t n) {
  pending_.insert(pending_.end(), p, p + n);
  fileBytes_ += static_cast<int64_t>(n);
  return pending_.size() < kFlushBytes || Flush();
}

bool SeriesWriter::Flush() {
  if (!file_) return false;
  const bool ok = file_->Write(pending_.data(), pending_.size());
  pending_.clear();
  if (!ok) error_ = file_->FinalPath() + ": " + file_->ErrorText();
  return ok;
}

bool SeriesWriter::OpenFile(int32_t mn, const Record& firstRecord) {
  const std::string name = LoggerFileName(opt_.scheme, series_, fileN_);
  if (name.empty()) {
    error_ = "no file name for file " + std::to_string(fileN_) + " of series " + std::to_string(series_);
    return false;
  }
  file_ = std::make_unique<AtomicFileWriter>((std::filesystem::path(opt_.outDir) / name).string());
  if (!file_->IsOpen()) {
    error_ = file_->FinalPath() + ": " + file_->ErrorText();
    return false;
  }
  counts_.files.push_back(name);
  fileBytes_ = 0;
  auto header = LoggerHeader(opt_, mn);
  if (fileN_ == 0 && series_ == opt_.awkward.blankHeaderSeries) {
    // A card formatted but never properly started: nothing but erased bytes up to 512.
    header.fill(0xFF);
    Record blank;
    blank.fill(0xFF);
    return Put(header.data(), header.size()) && Put(blank.data(), blank.size()) &&
           Put(firstRecord.data(), firstRecord.size());
  }
  return Put(header.data(), header.size()) && Put(firstRecord.data(), firstRecord.size());
}

bool SeriesWriter::CloseFile() {
  if (!file_) return true;
  const Record end = EndRecord();
  Put(end.data(), end.size());
  const bool ok = Flush() && file_->Commit();
  if (!ok && error_.empty()) error_ = file_->FinalPath() + ": " + file_->ErrorText();
  file_.reset();
  return ok;
}

bool SeriesWriter::BeginMinute(int32_t mn, const Record& minuteRecord) {
  ++counts_.minuteRecords;
  if (file_ && fileBytes_ < opt_.loggerFileBytes) return Put(minuteRecord.data(), minuteRecord.size());
  if (file_) {
    if (!CloseFile()) return false;
    ++fileN_;
  }
  return OpenFile(mn, minuteRecord);
}

bool SeriesWriter::Append(const Record& r) {
  return file_ && Put(r.data(), r.size());
}

bool SeriesWriter::Finish() {
  return CloseFile();
}

}  // namespace zorvel::sim
