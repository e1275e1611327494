#include "batch/Manifest.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <xxhash.h>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "batch/Csv.h"
#include "batch/Messages.h"
#include "import/PositionParser.h"
#include "import/SdNames.h"
#include "recordings/RecordingTime.h"
#include "species/BuiltInSpecies.h"

namespace fs = std::filesystem;

namespace zorvel::batch {

namespace {

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

bool Readable(const fs::path& p, bool folder) {
  if (folder) {
    DIR* d = ::opendir(p.c_str());
    if (!d) return false;
    ::closedir(d);
    return true;
  }
  const int fd = ::open(p.c_str(), O_RDONLY);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

InputKind KindOfFile(const fs::path& p) {
  const std::string ext = Upper(p.extension().string());
  if (ext == ".ZV1") return InputKind::Zv1;
  if (ext == ".ZV2" || ext == ".ZV3") return InputKind::Zv2;
  if (ext == ".NXQ") return InputKind::SdCard;
  return InputKind::Recordings;
}

// Checks one row and fills in its path and kind; returns the reasons it is refused.
std::vector<std::string> CheckRow(ManifestRow& row, const fs::path& base) {
  std::vector<std::string> why;
  if (row.input.empty()) return {msg::kEmptyInput};
  fs::path p(row.input);
  if (p.is_relative()) p = base / p;
  p = p.lexically_normal();
  row.path = p.string();
  std::error_code ec;
  const fs::file_status st = fs::status(p, ec);
  if (ec || !fs::exists(st)) {
    why.push_back(msg::kInputMissing + row.input);
  } else {
    const bool folder = fs::is_directory(st);
    if (!Readable(p, folder)) why.push_back(msg::kInputUnreadable + row.input);
    if (folder)
      row.kind = FindFirstSdFile(p.string()) ? InputKind::SdCard : InputKind::Recordings;
    else if (fs::is_regular_file(st))
      row.kind = KindOfFile(p);
    else
      why.push_back(msg::kInputKindUnknown + row.input);
  }
  const bool zv = row.kind == InputKind::Zv1 || row.kind == InputKind::Zv2;
  if (zv && !(row.site.empty() && row.lat.empty() && row.lon.empty() && row.utc.empty() &&
              row.timeExpansion.empty()))
    why.push_back(msg::kTextForZvFile);
  if (!row.classifier.empty() && row.classifier != kBuiltInClassifierName &&
      row.classifier != kZorvelEU1ClassifierName)
    why.push_back(msg::kUnknownClassifier + row.classifier);
  else if (row.kind == InputKind::Zv2 && !row.classifier.empty())
    why.push_back(msg::kClassifierForZv2);
  // The parser reads the forms people type; the survey's sun times need a place on the globe too.
  auto position = [&](const std::string& text, bool latitude) {
    const tParseReport r = ParsePosition(text, latitude);
    const std::string label = latitude ? msg::kBadLat : msg::kBadLong;
    if (!r.Errors.empty()) return why.push_back(label + text + " (" + r.Errors + ")");
    // Too short a text (e.g. "51") reads as nothing yet, and the survey would find no position.
    if (r.Value.empty() && !text.empty()) return why.push_back(label + text + " (" + std::string(msg::kNoPosition) + ")");
    const double limit = latitude ? 90 : 180;
    if (!r.Value.empty() && std::abs(std::atof(r.Value.c_str())) > limit)
      why.push_back(label + text + " (" + msg::kBeyond + (latitude ? "90" : "180") + msg::kDegrees + ")");
  };
  position(row.lat, true);
  position(row.lon, false);
  if (!row.utc.empty() && !rec::ParseUtcOffset(row.utc)) why.push_back(msg::kBadUtc + row.utc);
  if (!row.timeExpansion.empty()) {
    const std::string& t = row.timeExpansion;
    const bool digits =
        t.size() <= 3 && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    const int v = digits ? std::stoi(t) : 0;
    if (v < 2 || v > 100) why.push_back(msg::kBadTimeExpansion + t);
  }
  return why;
}

}  // namespace

Manifest ParseManifest(std::string_view text, const std::string& baseDir, const std::string& name) {
  Manifest m;
  auto refuse = [&](int line, const std::string& why) {
    m.errors.push_back(name + ":" + std::to_string(line) + ": " + why);
  };
  const CsvParse csv = ParseCsv(text);
  if (!csv.error.empty()) {
    refuse(csv.errorLine, csv.error);
    return m;
  }
  if (csv.records.empty()) {
    refuse(1, msg::kNoHeading);
    return m;
  }
  const CsvRecord& head = csv.records.front();
  int col[std::size(msg::kColumns)];
  for (size_t c = 0; c < std::size(msg::kColumns); ++c) {
    const auto at = std::find(head.fields.begin(), head.fields.end(), msg::kColumns[c]);
    col[c] = at == head.fields.end() ? -1 : static_cast<int>(at - head.fields.begin());
    if (col[c] < 0) refuse(head.line, msg::kMissingColumn + std::string(msg::kColumns[c]));
  }
  if (!m.errors.empty()) return m;
  const fs::path base = fs::absolute(baseDir.empty() ? fs::path(".") : fs::path(baseDir));
  std::map<std::string, int> seen;  // resolved input → its first line
  for (size_t r = 1; r < csv.records.size(); ++r) {
    const CsvRecord& rec = csv.records[r];
    auto field = [&](int c) {
      return static_cast<size_t>(col[c]) < rec.fields.size() ? rec.fields[col[c]] : std::string();
    };
    ManifestRow row;
    row.line = rec.line;
    row.input = field(0);
    row.site = field(1);
    row.lat = field(2);
    row.lon = field(3);
    row.utc = field(4);
    row.timeExpansion = field(5);
    row.classifier = field(6);
    std::vector<std::string> why = CheckRow(row, base);
    if (!row.path.empty()) {
      std::error_code ec;
      const fs::path canon = fs::weakly_canonical(row.path, ec);
      // The same input with the same classifier twice would add the same files twice over.
      const std::string key = (ec ? row.path : canon.string()) + '\n' + row.classifier;
      const auto [at, fresh] = seen.emplace(key, row.line);
      if (!fresh) why.push_back(msg::kDuplicate + std::to_string(at->second));
    }
    for (const std::string& w : why) refuse(row.line, w);
    m.rows.push_back(std::move(row));
  }
  if (m.rows.empty() && m.errors.empty()) refuse(head.line, msg::kNoRows);
  if (!m.errors.empty()) m.rows.clear();
  return m;
}

Manifest ReadManifest(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    Manifest m;
    m.errors.push_back(path + ": " + msg::kInputUnreadable + path);
    return m;
  }
  std::stringstream ss;
  ss << in.rdbuf();
  return ParseManifest(ss.str(), fs::path(path).parent_path().string(), path);
}

namespace {
// Regular files of an input, in path order (one file: itself).
std::vector<fs::path> FilesOf(const std::string& path) {
  std::vector<fs::path> files;
  std::error_code ec;
  if (!fs::is_directory(path, ec)) return {fs::path(path)};
  for (auto it = fs::recursive_directory_iterator(path, fs::directory_options::skip_permission_denied, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
    if (it->is_regular_file(ec)) files.push_back(it->path());
  std::sort(files.begin(), files.end());
  return files;
}
}  // namespace

int64_t InputBytes(const std::string& path) {
  int64_t total = 0;
  std::error_code ec;
  for (const fs::path& f : FilesOf(path)) {
    const auto n = fs::file_size(f, ec);
    if (!ec) total += static_cast<int64_t>(n);
  }
  return total;
}

std::string InputFingerprint(const std::string& path) {
  std::string text;
  std::error_code ec;
  for (const fs::path& f : FilesOf(path)) {
    const auto n = fs::file_size(f, ec);
    const auto t = fs::last_write_time(f, ec).time_since_epoch().count();
    text += f.lexically_relative(path).string() + '\t' + std::to_string(ec ? -1 : static_cast<int64_t>(n)) +
            '\t' + std::to_string(static_cast<int64_t>(t)) + '\n';
  }
  return HashText(text);
}

std::string HashText(std::string_view bytes) {
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016" PRIx64,
                static_cast<uint64_t>(XXH3_64bits(bytes.data(), bytes.size())));
  return buf;
}

}  // namespace zorvel::batch
