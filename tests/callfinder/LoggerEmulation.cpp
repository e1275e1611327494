#include "LoggerEmulation.h"

#include "recordings/Recording.h"

namespace zorvel::test {

EmulatedRecording EmulateRecording(const std::string& path, int32_t timeExpansion, int32_t startTick,
                                    const rec::FrontEndOptions& frontEnd) {
  EmulatedRecording out;
  rec::ReadOptions o;
  o.timeExpansion = timeExpansion;
  o.frontEnd = frontEnd;
  const rec::RecordingInfo info = rec::ProbeRecording(path, o);
  if (!info.ok) {
    out.error = path + ": " + info.error;
    return out;
  }
  out.seconds = info.seconds;
  out.ok = rec::ReadWaveGroups(info, o, [&](const std::vector<rec::WaveGroup>& gs) {
    for (const rec::WaveGroup& g : gs) {
      synth::Octet s;
      s.tick = startTick + static_cast<int32_t>(g.tick);
      s.ipi = g.ipi;
      s.amp = g.amp;
      s.score = g.score;
      out.groups.push_back(s);
    }
  }, &out.error);
  return out;
}

bool WriteRecordingZv1(const std::string& path, int32_t firstMin, const std::vector<synth::Octet>& octets) {
  return synth::WriteZv1(path, firstMin,
                         {synth::MinuteRecords({}), synth::MinuteRecords(octets), synth::MinuteRecords({})});
}

}  // namespace zorvel::test
