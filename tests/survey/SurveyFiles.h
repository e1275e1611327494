// Small ZV2 files for the survey tests: a header with logger number, place, offset and
// classifier, minutes with light and temperature, and passes of calls at chosen times.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

#include "core/Header.h"
#include "core/TimeBase.h"
#include "support/Synthetic.h"

namespace zorvel::testing {

struct Place {
  std::string location = "Pond";
  std::string lat = "51 30 N", lon = "0 7 W", utc = "+1";
  std::string classifier = "British0";
  int logger = 10203;  // identity bytes 1, 2, 3
};

inline void PutText(HeaderBytes& h, int at, int len, const std::string& t) {
  for (int i = 0; i < len; ++i) h[static_cast<size_t>(at + i)] = i < static_cast<int>(t.size()) ? t[i] : 0;
}

inline HeaderBytes SurveyHeader(int32_t first, int32_t last, const Place& p) {
  HeaderBytes h = MakeHeader(first, last);
  h[hdr::kIdentity] = static_cast<uint8_t>(p.logger / 10000);
  h[hdr::kIdentity + 1] = static_cast<uint8_t>(p.logger / 100 % 100);
  h[hdr::kIdentity + 2] = static_cast<uint8_t>(p.logger % 100);
  PutText(h, hdr::kLatText, hdr::kLatLen, p.lat);
  PutText(h, hdr::kLongText, hdr::kLongLen, p.lon);
  PutText(h, hdr::kGMTText, hdr::kGMTLen, p.utc);
  PutText(h, hdr::kLocationText, hdr::kLocationLen, p.location);
  PutText(h, hdr::kSpClassifierName, hdr::kClassifierLen, p.classifier);
  return h;
}

// A call of a pass: 5 ms long at `peak` kHz, species number sp, at ms within the minute.
inline tCall SurveyCall(int32_t ms, int32_t peak, int32_t sp, int32_t number, bool buzz = false) {
  tCall c;
  c.StartTime = ms * 200;
  c.Number = number;
  c.Duration100Musecs = 50;
  c.ModalKHZ = peak;
  c.MedianKHZ = peak + 3;
  c.Fmin = peak - 1;
  c.Fmax = peak + 20;
  c.SpN = sp;
  c.SpConfidence = 9;
  c.CallType = tcFM;
  c.BuzzCall = buzz;
  return c;
}

// Minutes from `first`: listening, light 10, clock temperature 12 °C unless changed.
inline std::vector<SyntheticMinute> QuietMinutes(int n) {
  std::vector<SyntheticMinute> ms(static_cast<size_t>(n));
  for (auto& m : ms) {
    m.values.MinON = true;
    m.values.LightN = 10;
    m.values.RtcDegC = 12;
  }
  return ms;
}

// Appends `count` calls 100 ms apart from `ms` in minute k.
inline void AddPass(std::vector<SyntheticMinute>& ms, size_t k, int32_t ms0, int count, int32_t peak,
                    int32_t sp) {
  int number = 1;
  for (const auto& r : ms[k].records) number += r[0] == 0xF8 ? 1 : 0;
  for (int i = 0; i < count; ++i) {
    const tCall c = SurveyCall(ms0 + 100 * i, peak, sp, number + i);
    for (const Record& r : EncodeCall(c)) ms[k].records.push_back(r);
  }
}

inline std::string ScalarText(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* st = nullptr;
  std::string out = "<error>";
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
      const unsigned char* t = sqlite3_column_text(st, 0);
      out = t ? reinterpret_cast<const char*>(t) : "NULL";
    } else if (rc == SQLITE_DONE) {
      out = "<none>";
    }
  }
  sqlite3_finalize(st);
  return out;
}

}  // namespace zorvel::testing
