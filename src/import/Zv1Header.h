// The first 1040 bytes of a ZV1 file as the import makes them from a logger file's first 512
// bytes and the texts the user typed: the data file header followed by record 0, and the
// file's name.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/FileRec.h"

namespace zorvel {

constexpr int kLoggerHeaderRead = 512;
constexpr int kLoggerFirstRecord = 496;  // a first file's first record; a later file's records start here
constexpr int kLoggerStartBcd = 96;

// Texts typed beside the import, stored one byte per character and cut to their field widths.
struct DeploymentTexts {
  std::string Lat, Long, Location, Notes, Utc;
};

using HeaderBlock = std::array<uint8_t, kHeaderBlockBytes>;

struct Zv1Start {
  bool blank = false;  // the logger header held nothing: no file is made
  HeaderBlock block{};
  int32_t startMn = 0;
  std::string idText;  // the logger identity, at least four digits
};

// The message for the first text that is longer than its header field ("Location text is 52
// characters; the header holds 32"), or an empty text when every one fits. BuildZv1Start cuts
// texts to their fields; a caller that takes texts from outside checks them first.
std::string TextTooLongMessage(const DeploymentTexts& texts);

// From the first n bytes of a logger file (n at least 512; fewer give nullopt).
std::optional<Zv1Start> BuildZv1Start(const uint8_t* logger, size_t n, const DeploymentTexts& texts);

// "<place> <yyyy mm dd> ZORVEL_<id> file<series>.ZV1", place reduced to the characters a file
// name can safely hold; blanks become "_" when noGaps is set.
std::string Zv1FileName(const std::string& place, int32_t startMn, const std::string& idText, int series,
                        bool noGaps);

}  // namespace zorvel
