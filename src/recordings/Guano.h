// The GUANO metadata text of bat recordings: a first line "GUANO|Version:…", then one field a
// line, "Key: value" or "Namespace|Key: value". Real files stray from the rules (two spaces
// after the colon, none at all, CR LF line ends, Length in milliseconds); the parser takes them
// as they are and trims blanks around keys and values.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zorvel::rec {

struct Guano {
  bool ok = false;
  std::string error;  // why the text was not taken, when !ok
  std::string version;
  std::vector<std::pair<std::string, std::string>> fields;  // in the order written
  // The value of a key (exact, with its namespace if any), or nullptr.
  const std::string* Get(std::string_view key) const;
};

Guano ParseGuano(std::string_view text);

// Whether the bytes are valid UTF-8.
bool IsUtf8(std::string_view text);

// A recording's length from the GUANO Length field, in seconds. Some recorders write
// milliseconds: a value more than twice the length the samples give is taken as milliseconds.
std::optional<double> GuanoLengthSeconds(const Guano& g, double samplesSeconds);

// Latitude and longitude from "Loc Position" ("lat lon", blank or comma separated).
std::optional<std::pair<double, double>> GuanoPosition(const Guano& g);

// The text for a GUANO chunk: "GUANO|Version:1.0" and the fields, one per line.
std::string WriteGuano(const std::vector<std::pair<std::string, std::string>>& fields);

}  // namespace zorvel::rec
