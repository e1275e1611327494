// A small simulated deployment for the export tests: one night of minutes from 21:40 on
// 5 March 2021, with calls of known species, a call that runs over a minute boundary, a silent
// stretch and changing light, temperature and listening flags.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "core/CallRecords.h"
#include "core/TimeBase.h"
#include "support/Synthetic.h"

namespace zorvel::testing {

inline int32_t DeploymentStart() {
  return *MinuteNumber(2021, 3, 5, 21, 40);
}
constexpr int kDeploymentMinutes = 30;  // 21:40 … 22:09

inline tCall DeploymentCall(int32_t number, tCallType type, int32_t sp1, int32_t sp2, int32_t sp3) {
  tCall c;
  c.StartTime = 1000 * number;
  c.Number = number;
  c.CallType = type;
  c.SpN = sp1;
  c.Sp2N = sp2;
  c.Sp3N = sp3;
  c.SpConfidence = 3;
  c.Duration100Musecs = 40 + number;
  c.AmpAv = 100;
  c.Fmin = 40;
  c.Fmax = 80 + number;
  c.Fstart = 80;
  c.Fend = 41;
  c.Fav = 55;
  c.ModalKHZ = 50;
  c.MedianKHZ = 52;
  c.BodyHiKhz = 60;
  c.BodyLoKhz = 45;
  c.MinSlopeKHZ = 47;
  c.UBkhz = 44;
  c.UBSharp = 2;
  c.DBkhz = 70;
  c.DBSharp = 3;
  c.Flat1avIPI = 80;
  c.Flat1score = 4;
  c.Flat2avIPI = 90;
  c.Flat2score = 1;
  c.Nmissing = 1;
  c.avScore = 7;
  c.nSelOctInCall = 2 + number % 2;
  c.HmicScore = 2;
  c.Seq = (1 << 6) | (3 << 3) | 5;  // F, D, C
  return c;
}

inline void AppendCall(SyntheticMinute& m, const tCall& c, int waveGroups, bool withRecords = true) {
  if (withRecords) {
    for (const Record& r : EncodeCall(c)) m.records.push_back(r);
  }
  for (int k = 0; k < waveGroups; ++k)
    m.records.push_back(EncodeZV2WaveGroup(c.StartTime + 100 * k, {60, 60, 60, 60}, {80, 80, 80, 80}, false,
                                           false, c.Number, tfNotFeature, 12));
}

inline std::vector<SyntheticMinute> DeploymentMinutes() {
  std::vector<SyntheticMinute> ms(kDeploymentMinutes);
  for (int i = 0; i < kDeploymentMinutes; ++i) {
    ms[i].values.MinON = i != 5 && i != 6;
    ms[i].values.LightN = static_cast<uint8_t>(200 - 5 * i);
    ms[i].values.PreampHalfDegPlus20 = static_cast<uint8_t>(20 + 30 + i % 3);  // 15, 15.5, 16 degrees
    ms[i].values.RtcDegC = i < 15 ? 0 : 12;
    ms[i].values.BatInUse = 2;
    ms[i].values.BatVn = {52, 51, 0, 49};
  }
  AppendCall(ms[2], DeploymentCall(1, tcFM, 3, 4, 0), 3);
  AppendCall(ms[2], DeploymentCall(2, tcCF, 3, 0, 0), 2);
  AppendCall(ms[3], DeploymentCall(3, tcFM, 4, 3, 5), 2);
  // Call 4 starts at the end of minute 10 and goes on into minute 11.
  tCall spanning = DeploymentCall(4, tcQCF, 5, 0, 0);
  spanning.StartTime = 11'990'000;
  AppendCall(ms[10], spanning, 1);
  AppendCall(ms[11], spanning, 2, false);
  tCall fragment = DeploymentCall(5, tcFM, 1, 0, 0);
  fragment.Reverb = true;
  AppendCall(ms[25], fragment, 1);
  AppendCall(ms[26], DeploymentCall(6, tcNoSp, 0, 0, 0), 1);
  return ms;
}

inline HeaderBytes DeploymentHeader(int minutes = kDeploymentMinutes) {
  HeaderBytes h = MakeHeader(DeploymentStart(), DeploymentStart() + minutes - 1);
  // Zero-filled, not blank-padded: the classifier name must read back as exactly "British0".
  const std::string name = "British0";
  std::copy(name.begin(), name.end(), h.begin() + hdr::kSpClassifierName);
  return h;
}

inline std::string WriteDeployment(const TempDir& dir, const std::string& name) {
  const std::string path = dir.File(name);
  WriteDataFile(path, DeploymentHeader(), DeploymentMinutes());
  return path;
}

}  // namespace zorvel::testing
