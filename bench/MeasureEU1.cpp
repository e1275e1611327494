// Measures ZorvelEU1 and the recordings front end on labelled real recordings, call by call.
//
//   measure_eu1 <realdata/bats> [gate-over-floor [hold-over-floor [spectral|zero-crossing]]]
//
// Each recording goes through the product's front end (as a logger would have stored it) and the
// whole call-finding batch. Where the recording has a per-event label list (a .eti label file
// with its .ta measurement file: start and duration of every sound a person labelled), every
// call found is matched to the labelled event it starts in (of overlapping events, the one whose
// band holds the call's modal frequency), and every labelled event counts as found when a call
// starts in it; elsewhere the recording's one label holds for all its calls.
// Prints, per labelled species: events, events found, calls, named, right species, right group
// (species or the group that holds it), the calls of insects, birds, noise and the no-bat
// recording given any name, and per confidence band the share right.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "LoggerEmulation.h"
#include "TestHost.h"
#include "Zv2Reading.h"
#include "support/LabelledSounds.h"
#include "callfinder/Batch.h"
#include "core/Tables.h"
#include "species/BuiltInSpecies.h"

namespace fs = std::filesystem;
using namespace zorvel;

namespace {

constexpr int32_t kStartTick = 200'000;  // the recording starts 1 s into its minute
constexpr double kTicksPerMs = 200.0;
constexpr double kMatchSlackMs = 2.0;
constexpr double kMatchSlackKhz = 3.0;
constexpr int kHeardGroups = 2;  // an event the front end made this many wave groups in

// A label: the species number a right name has, and the group that also counts as right.
struct Label {
  std::string code;
  int32_t species = -1;  // -1: not a bat (insect, bird, noise)
  int32_t group = -1;
  std::set<int32_t> alsoRight;  // other bats the recording holds
};

Label LabelOf(const std::string& code, const std::string& type) {
  static const std::map<std::string, std::pair<int32_t, int32_t>> bats = {
      {"Pippip", {3, eu1::kPipistrellus}},
      {"Pippyg", {4, eu1::kPipistrellus}},
      {"Pipkuh", {eu1::kKuhl, eu1::kPipistrellus}},
      {"Barbar", {eu1::kBarbastelle, -1}},
      {"Myonat", {8, eu1::kMyotis}},
      {"Eptser", {11, eu1::kNyctaloid}},
      {"Pleaur", {13, -1}},
      {"Minsch", {24, -1}},
      {"Myomys", {eu1::kWhiskBrandt, eu1::kMyotis}},
      {"Rhifer", {1, -1}}};
  Label l;
  l.code = code.empty() ? "(unlabelled)" : code;
  const auto it = bats.find(code);
  if (it != bats.end() && type != "social") l.species = it->second.first, l.group = it->second.second;
  if (it != bats.end() && type == "social") l.code += "-social";
  if (type == "buzz") l.code += "-buzz";
  return l;
}

struct Event {
  double startMs = 0, endMs = 0;
  double fminKhz = 0, fmaxKhz = 1e9;  // the band the labelled sound spans
  Label label;
  bool found = false;
  int groups = 0;  // wave groups the front end made within the event
};

std::vector<Event> ReadEvents(const fs::path& eti, const fs::path& ta) {
  std::vector<Event> events;
  for (const testing::LabelledSound& l : testing::ReadLabelledSounds(eti, ta)) {
    Event e;
    e.startMs = l.startMs;
    e.endMs = l.endMs;
    e.fminKhz = l.fminKhz;
    e.fmaxKhz = l.fmaxKhz;
    e.label = LabelOf(l.code, l.type);
    events.push_back(e);
  }
  return events;
}

struct Tally {
  int events = 0, heard = 0, found = 0, calls = 0, named = 0, species = 0, group = 0, social = 0, unknown = 0;
  int buzzNamed = 0;  // buzz calls given a name (counted only where no bat was labelled)
};

struct Recording {
  std::string path;
  int32_t expansion;
  std::string fileLabel;  // for recordings without an event list ("" = unlabelled, "-" = no bat)
  std::set<int32_t> alsoRight = {};
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: measure_eu1 <realdata/bats> [gate-over-floor [hold-over-floor [spectral|zero-crossing]]]\n");
    return 2;
  }
  const fs::path root = argv[1];
  rec::FrontEndOptions fe;
  if (argc > 2) {
    const double gate = std::atof(argv[2]);
    fe.holdOverFloor = gate * fe.holdOverFloor / fe.gateOverFloor;
    fe.gateOverFloor = gate;
  }
  if (argc > 3) fe.holdOverFloor = std::atof(argv[3]);
  if (argc > 4 && std::string(argv[4]) == "zero-crossing") fe.kind = rec::FrontEndKind::ZeroCrossing;
  PopulatePrecalculatedArrays();
  const fs::path dir = fs::temp_directory_path() / ("zorvel_measure_" + std::to_string(::getpid()));
  fs::create_directories(dir);

  // The whiskered bat's clip also holds four common pipistrelle calls near 49 kHz (its own
  // annotation file, at 0.14, 0.22, 0.30 and 0.47 s).
  std::vector<Recording> recs = {
      {"batdetect2/20170701_213954-MYOMYS-LR_0_0.5.wav", 1, "Myomys", {3, eu1::kPipistrellus}},
      {"batdetect2/20180627_215323-RHIFER-LR_0_0.5.wav", 1, "Rhifer"},
      {"batdetect2/Echometer.wav", 1, "Pippip"},
      {"batdetect2/AudiomothNoBatCalls.WAV", 1, "-"}};
  std::vector<fs::path> tadarida;
  for (const auto& e : fs::directory_iterator(root / "tadarida_c"))
    if (e.path().extension() == ".wav") tadarida.push_back(e.path());
  std::sort(tadarida.begin(), tadarida.end());
  for (const auto& p : tadarida) recs.push_back({"tadarida_c/" + p.filename().string(), 10, "events"});

  std::map<std::string, Tally> per;
  std::map<std::string, std::map<int32_t, int>> namedAs;
  std::array<std::pair<int, int>, 16> byConfidence{};
  std::map<std::pair<int32_t, int>, std::pair<int, int>> byConfidenceSpecies;  // (species, band/4)
  const auto& names = ZorvelEU1SpeciesNames();
  const auto nameOf = [&](int32_t sp) {
    return sp >= 0 && sp < static_cast<int32_t>(names.size()) ? names[static_cast<size_t>(sp)]
                                                              : "Sp" + std::to_string(sp);
  };
  test::RecordingHost host;
  for (const Recording& r : recs) {
    const test::EmulatedRecording wav =
        test::EmulateRecording((root / r.path).string(), r.expansion, kStartTick, fe);
    if (!wav.ok) {
      std::fprintf(stderr, "%s: %s\n", r.path.c_str(), wav.error.c_str());
      continue;
    }
    const std::string zv1 = (dir / "rec.ZV1").string();
    test::WriteRecordingZv1(zv1, 60'000'000, wav.groups);
    BatchOptions bo;
    bo.Jobs = 1;
    bo.settings.Classifier = SpClassifier::ZorvelEU1;
    KeepAwake none;
    const BatchResult br = RunCallFindingBatch({zv1}, bo, host, none);
    if (br.zv2Files.size() != 1) continue;
    std::vector<Event> events;
    if (r.fileLabel == "events") {
      const std::string stem = fs::path(r.path).stem().string();
      events = ReadEvents(root / "tadarida_c/eti" / (stem + ".eti"), root / "tadarida_c/ta" / (stem + ".ta"));
    }
    if (const char* d = std::getenv("MEASURE_DUMP"); d && r.path.find(d) != std::string::npos)
      for (const auto& g : wav.groups) {
        const double ms = (g.tick - kStartTick) / kTicksPerMs;
        if (ms >= std::atof(std::getenv("DUMP_FROM")) && ms <= std::atof(std::getenv("DUMP_TO")))
          std::printf("  group %.3f ipi %d %d %d %d %d %d %d %d amp %d %d %d %d score %d\n", ms, g.ipi[0],
                      g.ipi[1], g.ipi[2], g.ipi[3], g.ipi[4], g.ipi[5], g.ipi[6], g.ipi[7], g.amp[0],
                      g.amp[1], g.amp[2], g.amp[3], g.score);
      }
    for (const auto& g : wav.groups) {
      const double ms = (g.tick - kStartTick) / kTicksPerMs;
      for (Event& e : events)
        if (ms >= e.startMs && ms <= e.endMs) ++e.groups;
    }
    for (const auto& rc : test::ReadZv2Calls(br.zv2Files[0])) {
      const tCall& c = rc.call;
      const double ms = (c.StartTime - kStartTick) / kTicksPerMs;
      Label label;
      if (r.fileLabel == "events") {
        // Labelled events may overlap (a call and its echo, a bat calling over a singing
        // bush-cricket): the call finds every event it starts in, and takes the label of the
        // first one whose band holds its modal frequency (else of the first one).
        Event* hit = nullptr;
        bool inBand = false;
        for (Event& e : events)
          if (ms >= e.startMs - kMatchSlackMs && ms <= e.endMs + kMatchSlackMs) {
            const bool holds =
                c.ModalKHZ >= e.fminKhz - kMatchSlackKhz && c.ModalKHZ <= e.fmaxKhz + kMatchSlackKhz;
            if (!hit || (holds && !inBand)) hit = &e, inBand = holds;
            e.found = !c.BuzzCall || e.found;
          }
        if (!hit) {
          if (std::getenv("MEASURE_CALLS"))
            std::printf("  unmatched %s t=%.1f SpN=%d modal=%d Fmin=%d Fmax=%d dur=%d\n", r.path.c_str(), ms,
                        c.SpN, c.ModalKHZ, c.Fmin, c.Fmax, c.Duration100Musecs);
          continue;  // a sound nobody labelled: neither right nor wrong
        }
        label = hit->label;
      } else if (r.fileLabel == "-") {
        label.code = "(no bat file)";
      } else {
        label = LabelOf(r.fileLabel, "echolo");
        label.alsoRight = r.alsoRight;
      }
      if (c.BuzzCall) {
        if (label.species < 0 && c.SpN != 0) ++per[label.code].buzzNamed;
        continue;
      }
      if (std::getenv("MEASURE_CALLS"))
        std::printf("  %s %s t=%.1f SpN=%d conf=%d modal=%d Fmin=%d Fmax=%d Fs=%d Fe=%d dur=%d\n",
                    r.path.c_str(), label.code.c_str(), ms, c.SpN, c.SpConfidence, c.ModalKHZ, c.Fmin, c.Fmax,
                    c.Fstart, c.Fend, c.Duration100Musecs);
      Tally& t = per[label.code];
      ++t.calls;
      if (c.SpN == 0) continue;
      ++namedAs[label.code][c.SpN];
      const std::string n = nameOf(c.SpN);
      if (n == "Social") ++t.social;
      if (n == "UnknownBat") ++t.unknown;
      if (n == "Social" || n == "UnknownBat") continue;
      ++t.named;
      const bool sp = c.SpN == label.species,
                 grp = sp || (label.group >= 0 && c.SpN == label.group) || label.alsoRight.count(c.SpN) > 0;
      t.species += sp, t.group += grp;
      if (label.species >= 0) {
        auto& b = byConfidence[static_cast<size_t>(std::clamp(c.SpConfidence, 0, 15))];
        ++b.first, b.second += grp;
        auto& s = byConfidenceSpecies[{label.species, std::clamp(c.SpConfidence, 0, 15) / 4}];
        ++s.first, s.second += grp;
      }
    }
    for (const Event& e : events) {
      if (std::getenv("MEASURE_EVENTS") && e.label.species >= 0)
        std::printf("  event %s %.1f-%.1f groups %d found %d\n", e.label.code.c_str(), e.startMs, e.endMs,
                    e.groups, e.found ? 1 : 0);
      Tally& t = per[e.label.code];
      ++t.events;
      t.found += e.found;
      t.heard += e.groups >= kHeardGroups;
    }
  }
  fs::remove_all(dir);

  std::printf("gate over floor %.1f, hold over floor %.1f\n", fe.gateOverFloor, fe.holdOverFloor);
  std::printf("%-18s %6s %6s %6s %6s %6s %6s %6s %6s %6s  named as\n", "label", "events", "heard", "found",
              "calls", "named", "sp.ok", "grp.ok", "social", "unkbat");
  Tally bats, notBats;
  for (const auto& [code, t] : per) {
    std::string as;
    for (const auto& [sp, n] : namedAs[code]) as += " " + nameOf(sp) + ":" + std::to_string(n);
    std::printf("%-18s %6d %6d %6d %6d %6d %6d %6d %6d %6d %s\n", code.c_str(), t.events, t.heard, t.found,
                t.calls, t.named, t.species, t.group, t.social, t.unknown, as.c_str());
    const Label l = LabelOf(code, "echolo");
    if (l.species >= 0 && code.find('-') == std::string::npos && code != "Minsch") {
      bats.events += t.events, bats.heard += t.heard, bats.found += t.found, bats.calls += t.calls,
          bats.named += t.named;
      bats.species += t.species, bats.group += t.group;
    }
    if (l.species < 0 && code != "(unlabelled)")
      notBats.calls += t.calls, notBats.named += t.named, notBats.social += t.social,
          notBats.unknown += t.unknown, notBats.buzzNamed += t.buzzNamed;
  }
  const auto pc = [](int a, int b) { return b == 0 ? 0.0 : 100.0 * a / b; };
  std::printf(
      "covered bats: events %d heard %d (%.0f %%) found %d (%.0f %%); calls %d named %d (%.0f %%), right %d "
      "(%.0f %% of named), "
      "right species %d (%.0f %% of calls)\n",
      bats.events, bats.heard, pc(bats.heard, bats.events), bats.found, pc(bats.found, bats.events),
      bats.calls, bats.named, pc(bats.named, bats.calls), bats.group, pc(bats.group, bats.named),
      bats.species, pc(bats.species, bats.calls));
  std::printf(
      "not bats (insects, bird, noise, the no-bat file): calls %d, named %d, social %d, unknown bat %d; buzz "
      "calls "
      "named %d\n",
      notBats.calls, notBats.named, notBats.social, notBats.unknown, notBats.buzzNamed);
  std::printf("confidence band: named right share\n");
  for (int b = 15; b >= 0; --b)
    if (byConfidence[static_cast<size_t>(b)].first > 0)
      std::printf(
          "  %2d: %4d %4d %5.0f %%\n", b, byConfidence[static_cast<size_t>(b)].first,
          byConfidence[static_cast<size_t>(b)].second,
          pc(byConfidence[static_cast<size_t>(b)].second, byConfidence[static_cast<size_t>(b)].first));
  std::printf("per labelled species, confidence 0-3 / 4-7 / 8-11 / 12-15: named right\n");
  for (const auto& [k, v] : byConfidenceSpecies)
    std::printf("  %-12s %2d-%2d: %4d %4d %5.0f %%\n", nameOf(k.first).c_str(), 4 * k.second,
                4 * k.second + 3, v.first, v.second, pc(v.second, v.first));
  return 0;
}
