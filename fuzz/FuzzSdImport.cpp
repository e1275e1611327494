// Any bytes as an SD card: one or two logger files (split where the first byte says), read
// with every option the import has. It must never crash or hang, and it must leave only whole
// ZV1 files behind.
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "FuzzHost.h"
#include "import/SdImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorvel;
  namespace fs = std::filesystem;
  if (size < 2) return 0;
  const uint8_t mode = data[0];
  const fs::path sd = fs::path(fuzz::ScratchPath("sd")), out = fs::path(fuzz::ScratchPath("out"));
  fs::remove_all(sd);
  fs::remove_all(out);
  fs::create_directories(sd);
  fs::create_directories(out);
  const size_t body = size - 1;
  const size_t cut = (mode & 1) ? body * data[1] / 256 : body;
  const auto put = [&](const char* name, const uint8_t* p, size_t n) {
    if (FILE* f = std::fopen((sd / name).c_str(), "wb")) {
      std::fwrite(p, 1, n, f);
      std::fclose(f);
    }
  };
  put((mode & 2) ? "ZORVEL0.NXQ" : "0BAT000.NXQ", data + 1, cut);
  if (cut < body) put((mode & 2) ? "ZORVEL1.NXQ" : "0BAT001.NXQ", data + 1 + cut, body - cut);

  fuzz::AdminHost host;
  SdCardImport importer;
  ImportOptions o;
  o.SdPath = sd.string();
  o.Zv1Folder = out.string();
  o.Zv1FolderChosen = true;
  o.AddTimestampsAtTimeReversals = (mode & 4) != 0;
  o.SizeLimitBytes = (mode & 8) ? 1100 : 0;
  o.Texts.Location = "fuzz";
  importer.Run(o, host);
  for (const auto& e : fs::directory_iterator(out)) {
    if (e.path().extension() != ".ZV1" || e.file_size() < 1040 || e.file_size() % 16 != 0) __builtin_trap();
  }
  return 0;
}
