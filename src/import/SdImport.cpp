#include "import/SdImport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <memory>
#include <set>
#include <system_error>

#include "core/BinaryFile.h"
#include "core/Bytes.h"
#include "core/CallRecords.h"
#include "core/Header.h"
#include "core/SlotFiles.h"
#include "core/TimeBase.h"
#include "core/ZvWriter.h"
#include "import/Messages.h"
#include "import/RecordCopy.h"
#include "import/SdNames.h"

namespace zorvel {

namespace {
constexpr int64_t kGiB = int64_t{1} << 30;
constexpr size_t kBlockBytes = 1'048'576;
constexpr int64_t kTooSmallBytes = 1000;
constexpr int kDataMemoLimit = 100;
constexpr uint8_t kZv1ClosedMark = 2;
constexpr int kFailedZv1Ms = 5000;
constexpr int kCreateFailedMs = 5000;
constexpr int kBlankMs = 3000;
constexpr int kTooSmallMs = 2000;
constexpr int kNoFirstFileMs = 5000;
constexpr int kCompletedMs = 3000;
// The logger writes its year as two BCD digits after 2000.
constexpr int32_t kFirstLoggerMinute = 52'597'440;   // 2000-01-01 00:00
constexpr int32_t kLastLoggerMinute = 105'193'439;  // 2099-12-31 23:59

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

std::string SdFolderOf(const std::string& sdPath) {
  std::error_code ec;
  // A path that names nothing is taken for the folder meant, so that the message names it.
  if (std::filesystem::is_directory(sdPath, ec) || !std::filesystem::exists(sdPath, ec)) return sdPath;
  return std::filesystem::path(sdPath).parent_path().string();
}
}  // namespace

int64_t Zv1SizeLimitBytes(const ImportOptions& o) {
  if (o.SizeLimitBytes > 0) return o.SizeLimitBytes;
  return static_cast<int64_t>(o.SizeLimitGB > 0 ? o.SizeLimitGB : kDefaultZv1SizeLimitGB) * kGiB;
}

// One run of the import; lives only while Run() works.
class ImportRun : public MinutesReadSink {
 public:
  ImportRun(SdCardImport& owner, const ImportOptions& o, Host& host, ImportListener* listener)
      : owner_(owner), o_(o), host_(host), listener_(listener), block_(kBlockBytes) {
    copyOptions_.addTimestampsAtTimeReversals = o.AddTimestampsAtTimeReversals;
    dataMemoLines_ = o.DataMemoLines;
  }

  ImportResult Run() {
    sdFolder_ = SdFolderOf(o_.SdPath);
    owner_.lastSdFolder_ = sdFolder_;
    const auto first = FindFirstSdFile(sdFolder_);
    if (!first) {
      host_.TimedMessage(msg::kNoFirstFile, kNoFirstFileMs);
      result_.Error = std::string(msg::kNoFirstFile) + ": " + NoFirstFileReason();
      return Finish(false);
    }
    scheme_ = first->scheme;
    series_ = first->series;
    std::string firstName = first->name;
    while (FileExists(SdPath(firstName)) && !stopped_) {
      totalWaveGroups_ += counters_.seriesWaveGroups;
      counters_.seriesMinutes = counters_.seriesWaveGroups = 0;
      if (!ReadSeries(firstName)) return Finish(false);
      const int64_t minutes = counters_.seriesMinutes;
      const int64_t perDay = minutes > 0 ? counters_.seriesWaveGroups / minutes * kMinutesPerDay : 0;
      host_.AddLine(Memo::UploadMemo, Zv1Name() + "\t" + MinuteDurationText(minutes) + "\t" +
                                          std::to_string(perDay) + std::string(msg::kPerDaySuffix));
      host_.AddLine(Memo::UploadMemo, "");
      firstName = NextSeriesName(scheme_, ++series_);
      if (host_.StopRequested()) stopped_ = true;
    }
    if (!CloseZv1()) return Finish(false);
    if (result_.FailedFiles.empty()) {
      host_.TimedMessage(msg::kReadingCompleted, kCompletedMs);
    } else {
      host_.TimedMessage(std::to_string(result_.FailedFiles.size()) + std::string(msg::kCardFilesFailed), kCompletedMs);
    }
    Status("");
    return Finish(true);
  }

  void MinutesRead(int64_t total) override {
    if (listener_) listener_->MinutesReadLabel(MinuteDurationText(total));
  }

 private:
  std::string SdPath(const std::string& name) const {
    return (std::filesystem::path(sdFolder_) / name).string();
  }
  std::string Zv1Name() const { return FileNameOf(zv1Path_); }

  // An empty card, a card of later files only (the first one lost) and a wrong folder all find no
  // first file; the person in front of the card needs to know which.
  std::string NoFirstFileReason() const {
    const std::string folder = std::string(msg::kTheFolder) + sdFolder_;
    const std::optional<int> count = CountLoggerFiles(sdFolder_);
    std::error_code ec;
    if (!std::filesystem::exists(sdFolder_, ec)) return folder + std::string(msg::kDoesNotExist);
    if (!count) return folder + std::string(msg::kCannotBeListed);
    if (*count == 0) return folder + std::string(msg::kNoLoggerFiles);
    return folder + std::string(msg::kNoFirstOfSeries1) + std::to_string(*count) +
           std::string(msg::kNoFirstOfSeries2);
  }

  void Status(const std::string& text) {
    if (listener_) listener_->StatusLabel(text);
    host_.Progress(text, filesRead_, 0);
  }

  ImportResult Finish(bool completed) {
    if (!completed) CloseZv1();
    result_.Completed = completed;
    result_.Stopped = stopped_;
    result_.MinutesRead = counters_.totalMinutes;
    result_.WaveGroups = totalWaveGroups_ + counters_.seriesWaveGroups;
    return result_;
  }

  // False when the import has to end.
  bool ReadSeries(const std::string& firstName) {
    host_.AddLine(Memo::UploadMemo, std::string(msg::kReadingSeries) + SdPath(firstName));
    std::string name = firstName;
    bool needNewZv1 = true;  // the series' first readable file starts a ZV1 file
    for (int n = 0;;) {
      const std::string path = SdPath(name);
      auto file = BinaryFile::Open(path, BinaryFile::Mode::ReadOnly);
      const int64_t size = file ? file->Size() : -1;
      if (!file) {
        host_.AddLine(Memo::UploadMemo, std::string(msg::kFailedToOpen) + name);
        Status(std::string(msg::kReadingFile) + name);
        Failed(path + std::string(msg::kCouldNotOpenReason));
      } else if (size < kLoggerHeaderRead) {
        Failed(path + std::string(msg::kTooShortForHeader1) + std::to_string(std::max<int64_t>(0, size)) +
               std::string(msg::kTooShortForHeader2));
      }
      const bool fromStart =
          needNewZv1 || (zv1_ && zv1_->RecordsWritten() * kRecordBytes + kHeaderBytes >= limit_);
      // A date no logger can hold (random bytes, a damaged header) would date the file 1899.
      const bool dateGood = !file || size < kLoggerHeaderRead || !fromStart || PlausibleStart(*file);
      if (!dateGood) Failed(path + std::string(msg::kImpossibleStartDate));
      if (file && size >= kLoggerHeaderRead && dateGood) {
        if (fromStart) {
          if (!CloseZv1()) return false;
          createError_.clear();
          CreateZv1(*file, name);
          if (!zv1_) {
            host_.TimedMessage(msg::kFailedToOpenZv1, kFailedZv1Ms);
            host_.AddLine(Memo::UploadMemo, Zv1Name() + "\t" + std::string(msg::kFailedToOpenSuffix));
            result_.Error = std::string(msg::kFailedToOpenZv1) +
                            (createError_.empty() ? std::string() : ": " + createError_);
            return false;
          }
        }
        needNewZv1 = false;
        Status(std::string(msg::kReading) + name);
        // A file that started a ZV1 file gave its record at 496 to the header block.
        if (!CopyRecords(*file, fromStart ? kLoggerHeaderRead : kLoggerFirstRecord)) return false;
      } else {
        // Minutes in a file that could not be read are missing; the next file starts a new ZV1
        // file from its own header, so that the minutes after the gap keep their true times.
        needNewZv1 = true;
      }
      file.reset();
      ++filesRead_;
      host_.AddLine(Memo::UploadMemo, Zv1Name() + "\t" + path);
      name = NextSdFileName(scheme_, series_, firstName, ++n);
      if (!FileExists(SdPath(name))) return true;
      if (host_.StopRequested()) {
        stopped_ = true;
        return true;
      }
    }
  }

  void Failed(const std::string& line) {
    host_.AddLine(Memo::UploadMemo, line);
    result_.FailedFiles.push_back(line);
  }

  static bool PlausibleStart(BinaryFile& file) {
    uint8_t head[kLoggerHeaderRead];
    if (file.ReadAt(0, head, sizeof head) < sizeof head) return false;
    const uint8_t* t = &head[kLoggerStartBcd];
    // A blank header is told apart (and reported) where the ZV1 file is made.
    if (std::all_of(head, head + kLoggerHeaderRead, [](uint8_t v) { return v == 0 || v == 0xFF; })) return true;
    const int32_t mn = TimeFromBcd(t[0], t[1], t[2], t[3], t[4], 0).Mn;
    return mn >= kFirstLoggerMinute && mn <= kLastLoggerMinute;
  }

  void CreateZv1(BinaryFile& file, const std::string& name) {
    uint8_t head[kLoggerHeaderRead];
    const auto start = file.ReadAt(0, head, sizeof head) < sizeof head
                           ? std::nullopt
                           : BuildZv1Start(head, sizeof head, o_.Texts);
    zv1Path_.clear();
    if (!start) {
      createError_ = name + std::string(msg::kHeaderShortReason);
      return;
    }
    if (start->blank) {
      if (host_.AdministratorMode()) host_.TimedMessage(name + std::string(msg::kHeaderBlank), kBlankMs);
      createError_ = name + std::string(msg::kHeaderBlankReason);
      return;
    }
    const std::string path = UniquePath(
        Zv1FileName(o_.Texts.Location, start->startMn, start->idText, series_, o_.NoGapsInFileName));
    std::string chosen = path;
    zv1Path_ = path;
    if (!zv1FolderChosen_) {
      SaveRequest request{std::string(msg::kSaveZv1Title), path, std::string(msg::kSaveZv1Filter)};
      const auto answer = host_.ChooseSavePath(request);
      if (!answer) {
        host_.AddLine(Memo::UploadMemo, msg::kFailedToSelectZv1);
        createError_ = msg::kNoNameChosen;
        return;
      }
      chosen = *answer;
      zv1Path_ = chosen;
    }
    HeaderBytes header{};
    std::copy_n(start->block.begin(), kHeaderBytes, header.begin());
    auto zv1 = std::make_unique<ZvFileWriter>(chosen, header);
    Record first{};
    std::copy_n(start->block.begin() + kHeaderBytes, kRecordBytes, first.begin());
    if (!zv1->IsOpen() || !zv1->Append(first)) {
      createError_ = std::string(msg::kCannotCreate) + chosen + ": " + zv1->ErrorText();
      if (zv1FolderChosen_) {
        host_.AddLine(Memo::UploadMemo, std::string(msg::kFailedToCreateTab) + chosen);
      } else {
        host_.TimedMessage(std::string(msg::kFailedToCreate) + chosen, kCreateFailedMs);
      }
      return;
    }
    if (!zv1FolderChosen_) {
      zv1FolderChosen_ = true;
      zv1Folder_ = std::filesystem::path(chosen).parent_path().string();
      owner_.lastZv1Folder_ = zv1Folder_;
    }
    zv1_ = std::move(zv1);
    zv1StartMn_ = start->startMn;
    firstIsMinute_ = first[0] == kIdMinute;
    counters_.lastMinuteCount = 0;
    counters_.minuteRecords = 0;
    made_.insert(chosen);
    result_.MadeFiles.push_back(chosen);
  }

  // A name is taken when this import made it, or when the folder already holds a data file of
  // that name (an earlier import's ZV1 file, or a ZV2/ZV3 file made from it): an import never
  // replaces a file, nor puts a new ZV1 file beside another file's calls.
  bool Taken(const std::string& path) const {
    if (made_.count(path) != 0) return true;
    for (const char* ext : {".ZV1", ".ZV2", ".ZV3", ".z1m"})
      if (FileExists(WithExtension(path, ext))) return true;
    return false;
  }

  // The path for a new ZV1 file; a name already taken gets " part2", " part3" …
  std::string UniquePath(const std::string& name) const {
    const std::filesystem::path dir(zv1Folder_);
    std::string path = (dir / name).string();
    const std::string stem = name.substr(0, name.size() - 4), ext = name.substr(name.size() - 4);
    for (int k = 2; Taken(path); ++k) {
      std::string part = std::string(msg::kPartSuffix) + std::to_string(k);
      if (o_.NoGapsInFileName) part[0] = '_';
      path = (dir / (stem + part + ext)).string();
    }
    return path;
  }

  bool CopyRecords(BinaryFile& file, int64_t from) {
    for (int64_t at = from;;) {
      const size_t got = file.ReadAt(at, block_.data(), block_.size());
      if (got == 0 || block_[0] == kIdEnd) return true;
      const BlockOutcome b =
          RepairBlock(block_.data(), got, counters_, copyOptions_, host_, owner_.impossibleIdReported_, this);
      if (b.bytesToWrite > 0 && !zv1_->Append(block_.data(), b.bytesToWrite / kRecordBytes))
        return WriteFailed();
      at += static_cast<int64_t>(got);
    }
  }

  bool WriteFailed() {
    host_.AddLine(Memo::UploadMemo,
                  std::string(msg::kFailedToWriteTab) + zv1Path_ + "\t" + zv1_->ErrorText());
    result_.Error = std::string(msg::kFailedToWriteTab) + zv1Path_;
    Abandon();
    return false;
  }

  void Abandon() {
    // Destroying the writer without finishing it removes its temporary file: no half-made ZV1.
    zv1_.reset();
    made_.erase(zv1Path_);
    std::erase(result_.MadeFiles, zv1Path_);
  }

  // False when the file could not be finished (it is then not left behind).
  bool CloseZv1() {
    if (!zv1_) return true;
    const int64_t length = kHeaderBytes + zv1_->RecordsWritten() * kRecordBytes;
    if (length < kTooSmallBytes) {
      host_.AddLine(Memo::UploadMemo, zv1Path_ + "\t" + std::string(msg::kTooSmallToHoldDataTab));
      host_.TimedMessage(msg::kFileTooSmall, kTooSmallMs);
      Abandon();
      return true;
    }
    uint8_t closed = kZv1ClosedMark;
    uint8_t last[4];
    // The file's first minute record opens the start minute. When record 0 (which went with the
    // header) is a minute record, as it is on every card, each one copied after it adds a minute.
    const int32_t minutesAfterFirst = counters_.lastMinuteCount - (firstIsMinute_ ? 0 : 1);
    PutBe32(last, std::max(0, zv1StartMn_ + std::max(0, minutesAfterFirst)));
    const bool ok = zv1_->PatchHeader(hdr::kZV1Closed, &closed, 1) &&
                    zv1_->PatchHeader(hdr::kLastLoggedMin, last, 4) &&
                    zv1_->PatchHeader(hdr::kStoredLastProcessMin, last, 4) && zv1_->Finish();
    if (!ok) return WriteFailed();
    if (dataMemoLines_ < kDataMemoLimit) {
      host_.AddLine(Memo::DataMemo, std::string(msg::kFreeTab) + zv1Path_);
      ++dataMemoLines_;
    }
    zv1_.reset();
    return true;
  }

  SdCardImport& owner_;
  const ImportOptions& o_;
  Host& host_;
  ImportListener* listener_;
  std::vector<uint8_t> block_;
  CopyOptions copyOptions_;
  CopyCounters counters_;
  ImportResult result_;
  std::string sdFolder_;
  int scheme_ = 1, series_ = 0;
  int64_t limit_ = Zv1SizeLimitBytes(o_);
  bool zv1FolderChosen_ = o_.Zv1FolderChosen;
  std::string zv1Folder_ = o_.Zv1Folder;
  std::unique_ptr<ZvFileWriter> zv1_;
  std::string zv1Path_;
  int32_t zv1StartMn_ = 0;
  bool firstIsMinute_ = true;  // record 0 of the present ZV1 file is a minute record
  std::set<std::string> made_;
  std::string createError_;  // why the last CreateZv1 made no file
  int filesRead_ = 0;
  int dataMemoLines_ = 0;
  int64_t totalWaveGroups_ = 0;
  bool stopped_ = false;
};

ImportResult SdCardImport::Run(const ImportOptions& options, Host& host, ImportListener* listener) {
  ImportRun run(*this, options, host, listener);
  return run.Run();
}

}  // namespace zorvel
