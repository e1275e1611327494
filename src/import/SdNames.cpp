#include "import/SdNames.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "core/BinaryFile.h"

namespace zorvel {

namespace {
constexpr char kFirstSuffix[] = "BAT000.NXQ";
constexpr char kLegacyFirst[] = "ZORVEL0.NXQ";
constexpr char kNoSuchFile[] = "xxxx.NXQ";
constexpr int kSeriesCharacters = 36;  // 0 … 9, then A … Z
constexpr int kOverflowSeries = 91;

char SeriesCharacter(int index) {
  return static_cast<char>(index < 10 ? '0' + index : 'A' + index - 10);
}
}  // namespace

std::optional<FirstSdFile> FindFirstSdFile(const std::string& folder) {
  const std::filesystem::path dir(folder);
  for (int i = 0; i < kSeriesCharacters; ++i) {
    const std::string name = std::string(1, SeriesCharacter(i)) + kFirstSuffix;
    if (FileExists((dir / name).string())) return FirstSdFile{1, i, name};
  }
  if (FileExists((dir / kLegacyFirst).string())) return FirstSdFile{2, 0, kLegacyFirst};
  return std::nullopt;
}

std::optional<int> CountLoggerFiles(const std::string& folder) {
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec), end;
  if (ec) return std::nullopt;
  int n = 0;
  for (; it != end; it.increment(ec)) {
    std::string ext = it->path().extension().string();
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::error_code typeEc;
    if (ext == ".NXQ" && it->is_regular_file(typeEc)) ++n;
  }
  if (ec) return std::nullopt;
  return n;
}

std::string NextSdFileName(int scheme, int series, const std::string& firstName, int n) {
  if (scheme == 1) {
    const std::string stem =
        firstName.size() >= 7 ? firstName.substr(0, firstName.size() - 7) : std::string();
    if (n > 999 || n < 0) return stem + kNoSuchFile;
    char num[16];
    std::snprintf(num, sizeof num, "%03d", n);
    return stem + num + ".NXQ";
  }
  if (series == 0) return "ZORVEL" + std::to_string(n) + ".NXQ";
  if (series >= 1 && series <= 9) return std::to_string(series - 1) + "ORVEL0" + std::to_string(n) + ".NXQ";
  return kNoSuchFile;
}

std::string NextSeriesName(int scheme, int series) {
  if (scheme == 1) return std::to_string(series) + kFirstSuffix;
  if (series == kOverflowSeries) return "OVERFLOW.NXQ";
  if (series >= 0 && series < 10) return std::to_string(series) + kFirstSuffix;
  return std::string(1, static_cast<char>(series + 55)) + kFirstSuffix;
}

}  // namespace zorvel
