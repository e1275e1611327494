// The manifest of a scheme's season: one row per input (an SD card folder, a folder or file of
// recordings, a ZV1 or ZV2 file) with the texts its import takes. Every row is checked before
// any work starts; a bad row is named by its line number and reason.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvel::batch {

enum class InputKind { SdCard, Recordings, Zv1, Zv2 };

struct ManifestRow {
  int line = 0;
  std::string input;  // as written in the manifest
  std::string path;   // absolute, relative inputs taken from the manifest's folder
  InputKind kind = InputKind::SdCard;
  std::string site, lat, lon, utc, timeExpansion, classifier;
};

struct Manifest {
  std::vector<ManifestRow> rows;    // in manifest order
  std::vector<std::string> errors;  // "<manifest>:<line>: <reason>", every one found
  bool Ok() const { return errors.empty(); }
};

// baseDir: the folder relative inputs are taken from; name: how messages call the manifest.
Manifest ParseManifest(std::string_view text, const std::string& baseDir, const std::string& name);

// Reads the file and parses it with its own folder as baseDir.
Manifest ReadManifest(const std::string& path);

// The bytes a plan balances: the input file's size, or the sizes of every file in the folder.
int64_t InputBytes(const std::string& path);

// What identifies an input's present bytes without reading them all: the relative path, size and
// modification time of each file, in path order, hashed.
std::string InputFingerprint(const std::string& path);

// XXH3 (64 bits) of the bytes, as 16 hexadecimal digits.
std::string HashText(std::string_view bytes);

}  // namespace zorvel::batch
