// Any bytes as two data files (split where the first two bytes say) given to the file-set
// commands that make new files from them: join, a period copy and a crop. None may crash or
// hang; whatever they put in place is a whole data file (a multiple of 16 bytes ending in one
// end record), and a refused join leaves the first file as it was.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "FuzzHost.h"
#include "core/Bytes.h"
#include "core/FileRec.h"
#include "core/Header.h"
#include "core/SlotFiles.h"
#include "fileutils/PeriodCopy.h"
#include "fileutils/ShiftJoin.h"

namespace {

// Saves crops where the command proposes.
struct SavingHost : zorvel::fuzz::AdminHost {
  std::optional<std::string> ChooseSavePath(const zorvel::SaveRequest& r) override { return r.proposedPath; }
  zorvel::Answer Ask(std::string_view, zorvel::Buttons) override { return zorvel::Answer::Yes; }
};

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
  }
  return bytes;
}

void WriteFile(const std::string& path, const uint8_t* p, size_t n) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(p, 1, n, f);
    std::fclose(f);
  }
}

void CheckWhole(const std::string& path) {
  const auto b = ReadFile(path);
  if (b.size() < zorvel::kHeaderBytes + zorvel::kRecordBytes || b.size() % zorvel::kRecordBytes != 0)
    std::abort();
  if (!std::all_of(b.end() - zorvel::kRecordBytes, b.end(), [](uint8_t v) { return v == 0xFF; }))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorvel;
  namespace fs = std::filesystem;
  if (size < 3) return 0;
  const size_t body = size - 2;
  const size_t cut = std::min(body, (size_t{data[0]} << 8 | data[1]) * 16);
  const fs::path dir = fs::path(fuzz::ScratchPath("files"));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string a = (dir / "a.ZV1").string(), b = (dir / "b.ZV1").string();
  WriteFile(a, data + 2, cut);
  WriteFile(b, data + 2 + cut, body - cut);
  SavingHost host;

  // Join b onto a, with room for a few megabytes only (a longer gap is refused as a full disk).
  {
    FileSlots slots;
    if (OpenFileInSlot(slots, a, 1, host, {}).opened) {
      const auto before = ReadFile(a);
      const int appended = fileutils::JoinZV1Files(
          slots, {b},
          {.KeepGapsChk = (data[1] & 1) == 0, .CopyJoinFirstFileChk = false, .FreeBytesOverride = 8 << 20},
          host);
      if (appended > 0) CheckWhole(a);
      if (appended == 0 && ReadFile(a) != before) std::abort();
    }
  }
  // A period copy of b over minutes taken from its own header, and crops of a to b's span.
  {
    FileSlots slots;
    if (OpenFileInSlot(slots, b, 1, host, {}).opened) {
      const int32_t first = slots[1].FirstLoggedMin;
      const int32_t span = data[0] % 8;
      const std::string out = (dir / "cut.ZV1").string();
      if (first <= INT32_MAX - span &&
          fileutils::CopySelectedPeriod(slots, first, first + span, out, host) == 1)
        CheckWhole(out);
      CloseAllSlots(slots);
      if (OpenFileInSlot(slots, b, 1, host, {}).opened) {
        const auto r = fileutils::MakeCroppedCopies(slots, {a}, host);
        if (r.copied + r.failed > 1) std::abort();
      }
    }
  }
  return 0;
}
