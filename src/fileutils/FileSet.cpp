#include "fileutils/FileSet.h"

#include <array>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/AtomicFile.h"
#include "core/BinaryFile.h"
#include "core/MinuteMap.h"
#include "core/MinuteSummary.h"
#include "core/SlotFiles.h"
#include "fileutils/Messages.h"

namespace zorvel::fileutils {

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 3> kDataExts = {".ZV1", ".ZV2", ".ZV3"};
constexpr std::array<const char*, 3> kMapExts = {".z1m", ".z2m", ".z3m"};

bool SamePath(const std::string& a, const std::string& b) {
  std::error_code ec;
  return a == b || fs::equivalent(a, b, ec);
}

// Closes every slot that holds path.
void CloseSlotsHolding(FileSlots& slots, const std::string& path) {
  for (int i = 1; i <= kSlotCount; ++i)
    if (slots[i].Open && SamePath(slots[i].FullFileName, path)) CloseSlot(slots, i);
}

bool ConfirmReplace(const std::string& target, Host& host) {
  const std::string q = std::string(msg::kReplaceQuestion1) + target + std::string(msg::kReplaceQuestion2);
  return host.Ask(q, Buttons::YesNo) == Answer::Yes;
}

// A copy made to the target's folder, then renamed there: used where a rename cannot cross drives.
bool CopyThenRemove(const std::string& from, const std::string& to, std::string* error) {
  auto in = BinaryFile::Open(from, BinaryFile::Mode::ReadOnly);
  if (!in) {
    if (error) *error = "cannot read " + from;
    return false;
  }
  AtomicFileWriter out(to);
  std::vector<uint8_t> buf(1 << 20);
  int64_t at = 0;
  for (size_t n; (n = in->ReadAt(at, buf.data(), buf.size())) > 0; at += static_cast<int64_t>(n))
    if (!out.Write(buf.data(), n)) break;
  if (at != in->Size() || !out.Commit()) {
    if (error) *error = out.ErrorText();
    return false;
  }
  in.reset();
  std::error_code ec;
  if (!fs::remove(from, ec)) {
    fs::remove(to, ec);  // keep exactly one copy
    if (error) *error = "cannot remove " + from;
    return false;
  }
  return true;
}

}  // namespace

int ActionSlot(const FileSlots& slots, int selectedSlot) {
  if (FileSlots::ValidSlot(selectedSlot) && slots[selectedSlot].Open) return selectedSlot;
  return slots.OpenCount() == 1 ? slots.LowestOpenSlot() : 0;
}

std::optional<std::string> RenameSetSource(const FileSlots& slots, Host& host) {
  if (const int lowest = slots.LowestOpenSlot()) return slots[lowest].FullFileName;
  host.TimedMessage(msg::kNoFilesRenamed, 10'000);
  return std::nullopt;
}

std::optional<std::string> ActionSlotPath(const FileSlots& slots, int selectedSlot, Host& host) {
  if (const int slot = ActionSlot(slots, selectedSlot)) return slots[slot].FullFileName;
  host.TimedMessage(msg::kNoFileForAction, 5000);
  return std::nullopt;
}

bool MoveFile(const std::string& from, const std::string& to, std::string* error) {
  std::error_code ec;
  fs::rename(from, to, ec);
  if (!ec) return true;
  if (ec == std::errc::cross_device_link) return CopyThenRemove(from, to, error);
  if (error) *error = ec.message();
  return false;
}

SaveRequest RenameRequest(const TFileRec& slot) {
  return {std::string(msg::kSavePrefix) + slot.ShortName + std::string(msg::kSaveSuffix), slot.FullFileName,
          std::string(msg::kZV1Filter)};
}

int RenameFileSet(FileSlots& slots, const std::string& source, const std::string& chosen, Host& host) {
  struct Move {
    std::string from, to, mapFrom, mapTo, ext, summaryFrom, summaryTo;
  };
  std::vector<Move> moves;
  bool replacing = false;
  for (size_t k = 0; k < kDataExts.size(); ++k) {
    Move m{WithExtension(source, kDataExts[k]),
           WithExtension(chosen, kDataExts[k]),
           WithExtension(source, kMapExts[k]),
           WithExtension(chosen, kMapExts[k]),
           kDataExts[k],
           SummaryFileName(source, static_cast<TFileType>(ftZV1 + k)),
           SummaryFileName(chosen, static_cast<TFileType>(ftZV1 + k))};
    if (!FileExists(m.from)) continue;
    if (SamePath(m.from, m.to)) continue;
    if (FileExists(m.to)) replacing = true;
    moves.push_back(std::move(m));
  }
  if (moves.empty() || (replacing && !ConfirmReplace(WithExtension(chosen, ""), host))) {
    host.TimedMessage(msg::kNoFilesRenamed, 10'000);
    return 0;
  }
  CloseAllSlots(slots);
  int moved = 0;
  for (const Move& m : moves) {
    if (!MoveFile(m.from, m.to)) {
      host.TimedMessage(std::string(msg::kFailedRename1) + m.ext + std::string(msg::kFailedRename2), 10'000);
      continue;  // its map stays with it
    }
    ++moved;
    host.TimedMessage(std::string(msg::kSavedAs) + m.to, 2000);
    if (FileExists(m.mapFrom)) MoveFile(m.mapFrom, m.mapTo);
    // The summary names its data file only by size and time, which a rename keeps.
    if (FileExists(m.summaryFrom)) MoveFile(m.summaryFrom, m.summaryTo);
  }
  return moved;
}

bool RenameOneFile(FileSlots& slots, const std::string& path, const std::string& chosen, Host& host) {
  if (SamePath(path, chosen) || (FileExists(chosen) && !ConfirmReplace(chosen, host))) {
    host.TimedMessage(msg::kNoFilesRenamed, 10'000);
    return false;
  }
  CloseSlotsHolding(slots, path);
  if (!FileExists(path)) return false;
  if (!MoveFile(path, chosen)) {
    host.TimedMessage(msg::kFailedRenameFile, 10'000);
    return false;
  }
  host.TimedMessage(std::string(msg::kSavedAs) + chosen, 2000);
  const TFileType type = FileTypeOfPath(path);
  if (type != ftUnknown) {
    const std::string mapExt = kMapExts[type - ftZV1];
    if (FileExists(WithExtension(path, mapExt)))
      MoveFile(WithExtension(path, mapExt), WithExtension(chosen, mapExt));
  }
  return true;
}

int DeleteFileSet(FileSlots& slots, const std::string& path, Host& host) {
  const std::string q = std::string(msg::kDeleteQuestion1) + path + std::string(msg::kDeleteQuestion2);
  if (host.Ask(q, Buttons::YesNo) != Answer::Yes) {
    host.TimedMessage(msg::kNoFilesDeleted, 10'000);
    return 0;
  }
  CloseAllSlots(slots);
  int deleted = 0;
  for (const char* ext : {".ZV1", ".z1m", ".ZV2", ".z2m"}) {
    const std::string name = WithExtension(path, ext);
    std::error_code ec;
    if (!fs::exists(name, ec)) continue;
    if (fs::remove(name, ec)) {
      ++deleted;
    } else {
      // The rest of the set is still deleted: the user asked for all of it to go.
      host.TimedMessage(std::string(msg::kFailedDelete) + name + " (" + ec.message() + ")", 10'000);
    }
  }
  // Summaries are remade from their data files at will: they go without a count or a message.
  for (TFileType type : {ftZV1, ftZV2}) {
    std::error_code ec;
    fs::remove(SummaryFileName(path, type), ec);
  }
  return deleted;
}

}  // namespace zorvel::fileutils
