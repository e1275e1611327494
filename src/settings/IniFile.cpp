#include "settings/IniFile.h"

#include <algorithm>
#include <cctype>

#include "core/AtomicFile.h"
#include "core/BinaryFile.h"
#include "core/OutputGuard.h"
#include "filters/RangeEdits.h"
#include "settings/Messages.h"

namespace zorvel {

namespace {
constexpr int64_t kMaxIniBytes = 16 * 1024 * 1024;  // far above any settings file

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The section named by a "[name]" line.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// The key of a "key=value" line (not a comment).
std::optional<std::string_view> KeyOf(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, eq));
}
}  // namespace

IniFile IniFile::FromText(std::string_view text) {
  IniFile ini;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ini.lines_.emplace_back(line);
    start = end + 1;
  }
  return ini;
}

IniFile IniFile::Load(const std::string& path) {
  const int64_t size = FileSizeOf(path);
  if (size <= 0 || size > kMaxIniBytes) return IniFile{};
  auto f = BinaryFile::Open(path, BinaryFile::Mode::ReadOnly);
  if (!f) return IniFile{};
  std::string bytes(static_cast<size_t>(size), '\0');
  bytes.resize(f->ReadAt(0, bytes.data(), bytes.size()));
  return FromText(bytes);
}

std::optional<IniFile> IniFile::LoadText(const std::string& path, std::string* problem) {
  const auto refuse = [&](std::string_view why) {
    if (problem) *problem = path + std::string(why);
    return std::nullopt;
  };
  if (const std::string notFile = NotRegularFileProblem(path); !notFile.empty())
    return refuse(": " + notFile);
  const int64_t size = FileSizeOf(path);
  if (!FileExists(path) || size < 0) return refuse(msg::kSettingsUnreadable);
  if (size > kMaxIniBytes) return refuse(msg::kSettingsTooLarge);
  auto f = BinaryFile::Open(path, BinaryFile::Mode::ReadOnly);
  if (!f) return refuse(msg::kSettingsUnreadable);
  std::string bytes(static_cast<size_t>(size), '\0');
  if (f->ReadAt(0, bytes.data(), bytes.size()) != bytes.size()) return refuse(msg::kSettingsUnreadable);
  if (bytes.size() >= 2 &&
      ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')))
    return refuse(msg::kSettingsUtf16);
  if (bytes.find('\0') != std::string::npos) return refuse(msg::kSettingsNotText);
  return FromText(bytes);
}

bool IniFile::HasSection(std::string_view section) const {
  return std::any_of(lines_.begin(), lines_.end(), [section](const std::string& line) {
    const auto s = SectionOf(line);
    return s && SameText(*s, section);
  });
}

std::optional<IniFile> IniFile::LoadForUpdate(const std::string& path) {
  if (!FileExists(path)) return IniFile{};
  const int64_t size = FileSizeOf(path);
  if (size < 0 || size > kMaxIniBytes) return std::nullopt;
  if (size == 0) return IniFile{};
  auto f = BinaryFile::Open(path, BinaryFile::Mode::ReadOnly);
  if (!f) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  if (f->ReadAt(0, bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
  return FromText(bytes);
}

int IniFile::FindKey(std::string_view section, std::string_view key) const {
  bool inSection = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (const auto s = SectionOf(lines_[i])) {
      inSection = SameText(*s, section);
    } else if (inSection) {
      const auto k = KeyOf(lines_[i]);
      if (k && SameText(*k, key)) return static_cast<int>(i);
    }
  }
  return -1;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  const int i = FindKey(section, key);
  if (i < 0) return std::nullopt;
  const std::string& line = lines_[static_cast<size_t>(i)];
  return std::string(Trim(std::string_view(line).substr(line.find('=') + 1)));
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  if (const int i = FindKey(section, key); i >= 0) {
    lines_[static_cast<size_t>(i)] = std::move(line);
    return;
  }
  // After the last key line of the first section of that name.
  int insertAt = -1;
  bool inSection = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (const auto s = SectionOf(lines_[i])) {
      if (inSection) break;
      inSection = SameText(*s, section);
      if (inSection) insertAt = static_cast<int>(i) + 1;
    } else if (inSection && KeyOf(lines_[i])) {
      insertAt = static_cast<int>(i) + 1;
    }
  }
  if (insertAt >= 0) {
    lines_.insert(lines_.begin() + insertAt, std::move(line));
    return;
  }
  while (!lines_.empty() && Trim(lines_.back()).empty()) lines_.pop_back();
  if (!lines_.empty()) lines_.emplace_back();
  lines_.push_back("[" + std::string(section) + "]");
  lines_.push_back(std::move(line));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  auto v = Get(section, key);
  return v ? *v : std::string(fallback);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const {
  const auto v = Get(section, key);
  if (!v) return fallback;
  return ParseWholeNumber(*v).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::string IniFile::Text() const {
  std::string out;
  for (const auto& l : lines_) out += l + "\r\n";
  return out;
}

bool IniFile::Save(const std::string& path) const {
  const std::string text = Text();
  return WriteWholeFile(path, text.data(), text.size());
}

}  // namespace zorvel
