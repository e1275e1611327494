#include "import/Zv1Header.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "core/Bytes.h"
#include "core/Header.h"
#include "core/TimeBase.h"
#include "import/Messages.h"

namespace zorvel {

namespace {
constexpr int kLoggerSettings = 128;
constexpr int kSettingsBytes = 64;
constexpr int kBlankCheckBytes = 528;
constexpr uint8_t kMarker = 0xFE;

void CopyText(HeaderBlock& b, int offset, int width, const std::string& text) {
  const size_t n = std::min(text.size(), static_cast<size_t>(width));
  std::memcpy(&b[static_cast<size_t>(offset)], text.data(), n);
}

bool FileNameCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return c == ' ' || (u >= 48 && u <= 90) || (u >= 97 && u <= 121);
}
}  // namespace

std::optional<Zv1Start> BuildZv1Start(const uint8_t* logger, size_t n, const DeploymentTexts& texts) {
  if (n < static_cast<size_t>(kLoggerHeaderRead)) return std::nullopt;
  Zv1Start z;
  HeaderBlock& b = z.block;
  std::memcpy(b.data(), logger, kLoggerHeaderRead);

  const uint8_t* t = &b[kLoggerStartBcd];
  z.startMn = TimeFromBcd(t[0], t[1], t[2], t[3], t[4], 0).Mn;

  std::memmove(&b[hdr::kUTCoffset], &b[kLoggerSettings], kSettingsBytes);
  std::memset(&b[kLoggerSettings], 0, kSettingsBytes);

  z.blank =
      std::all_of(b.begin(), b.begin() + kBlankCheckBytes, [](uint8_t v) { return v == 0 || v == 0xFF; });
  if (z.blank) return z;

  const int id = b[hdr::kIdentity] * 10000 + b[hdr::kIdentity + 1] * 100 + b[hdr::kIdentity + 2];
  char idBuf[16];
  std::snprintf(idBuf, sizeof idBuf, "%04d", id);
  z.idText = idBuf;

  b[hdr::kMarker1] = kMarker;
  b[hdr::kMarker2] = kMarker;
  // The series' first record becomes record 0 of the data file.
  std::memcpy(&b[kHeaderBytes], &b[kLoggerFirstRecord], kRecordBytes);
  std::memset(&b[kLoggerFirstRecord], 0, kRecordBytes);

  PutBe32(&b[hdr::kFirstLoggedMin], std::max(0, z.startMn));
  PutBe32(&b[hdr::kStoredFirstProcessMin], std::max(0, z.startMn));

  CopyText(b, hdr::kLatText, hdr::kLatLen, texts.Lat);
  CopyText(b, hdr::kLongText, hdr::kLongLen, texts.Long);
  CopyText(b, hdr::kNotesText, hdr::kNotesLen, texts.Notes);
  CopyText(b, hdr::kGMTText, hdr::kGMTLen, texts.Utc);
  CopyText(b, hdr::kLocationText, hdr::kLocationLen, texts.Location);
  return z;
}

std::string TextTooLongMessage(const DeploymentTexts& texts) {
  const struct {
    std::string_view field;
    const std::string& text;
    int width;
  } fields[] = {{msg::kLatitudeField, texts.Lat, hdr::kLatLen},
                {msg::kLongitudeField, texts.Long, hdr::kLongLen},
                {msg::kLocationField, texts.Location, hdr::kLocationLen},
                {msg::kNotesField, texts.Notes, hdr::kNotesLen},
                {msg::kUtcField, texts.Utc, hdr::kGMTLen}};
  for (const auto& f : fields)
    if (f.text.size() > static_cast<size_t>(f.width))
      return std::string(f.field) + std::string(msg::kTextIs) + std::to_string(f.text.size()) +
             std::string(msg::kCharactersHeaderHolds) + std::to_string(f.width);
  return {};
}

std::string Zv1FileName(const std::string& place, int32_t startMn, const std::string& idText, int series,
                        bool noGaps) {
  std::string name;
  const size_t from = place.find_first_not_of(' ');
  if (from != std::string::npos) {
    for (size_t i = from; i < place.size(); ++i)
      if (FileNameCharacter(place[i])) name.push_back(place[i]);
  }
  name += " " + MinuteFileDateText(startMn) + std::string(msg::kFileNameTag) + idText +
          std::string(msg::kFileNameFile) + std::to_string(series) + ".ZV1";
  name.erase(0, std::min(name.find_first_not_of(' '), name.size()));
  if (noGaps) std::replace(name.begin(), name.end(), ' ', '_');
  return name;
}

}  // namespace zorvel
