// INI text files: "[section]" lines, each followed by "key=value" lines. Sections and keys
// match without regard to letter case, and blanks around keys and values do not count. An
// existing file is updated in place: a key that is set replaces its own line, a new key goes to
// the end of its section, and every other line (comments, garbage, other sections) is kept.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvel {

class IniFile {
 public:
  // Parses text; any bytes are accepted (a line that is neither a section nor a key is kept
  // and ignored).
  static IniFile FromText(std::string_view text);
  // Reads a file; an empty IniFile when it does not exist or cannot be read.
  static IniFile Load(const std::string& path);
  // Reads a file that is to be used as settings: nothing, with the reason in *problem (after the
  // path), when it cannot be read, is larger than the limit, or is not single-byte text (NUL
  // bytes, a UTF-16 byte-order mark).
  static std::optional<IniFile> LoadText(const std::string& path, std::string* problem);
  // For updating a file in place: an empty IniFile when there is no file yet, nothing when a
  // file is there but cannot be read whole (it must then not be replaced).
  static std::optional<IniFile> LoadForUpdate(const std::string& path);

  // True when a "[section]" line names it (letter case aside).
  bool HasSection(std::string_view section) const;
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  void Set(std::string_view section, std::string_view key, std::string_view value);

  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // A whole number that fits 32 bits, else the fallback.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
  // Any non-zero number is true; a value that is not a number gives the fallback.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
  void WriteInteger(std::string_view section, std::string_view key, int64_t v) {
    Set(section, key, std::to_string(v));
  }
  void WriteBool(std::string_view section, std::string_view key, bool v) { Set(section, key, v ? "1" : "0"); }

  // The text with CR LF line ends.
  std::string Text() const;
  // Writes the file whole or not at all.
  bool Save(const std::string& path) const;

 private:
  // Index of the key's line, or -1.
  int FindKey(std::string_view section, std::string_view key) const;
  std::vector<std::string> lines_;
};

}  // namespace zorvel
