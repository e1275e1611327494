// The real recordings of ZORVEL_REALDATA_DIR (skipped when absent) through the whole road: the
// import makes one file per night, the call finder finds their calls, and every call is traced
// back through the index to the recording it came from. Run with
//   test_recordings --gtest_filter='RealData*'
// to see the table of calls and modal frequencies per recording.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>

#include "callfinder/Batch.h"
#include "callfinder/KeepAwake.h"
#include "callfinder/Zv2Reading.h"
#include "core/FileRec.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"
#include "core/TimeBase.h"
#include "core/WavIndex.h"
#include "recordings/Recording.h"
#include "recordings/RecordingsImport.h"
#include "recordings/WavCut.h"
#include "recordings/WavReader.h"
#include "sound/WavSource.h"
#include "support/LabelledSounds.h"
#include "support/RecordingHost.h"
#include "support/TempDir.h"

namespace zorvel::rec {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  RecordingsImportResult import;
  std::map<std::string, std::vector<int32_t>> modalKhz;  // recording file name -> ModalKHZ of its calls
  std::map<std::string, std::vector<int32_t>> lengths;   // … and their durations (0.1 ms)
  std::map<std::string, std::vector<double>> startsMs;   // … and where they start in the recording
  std::map<std::string, std::string> madeFor;            // recording file name -> data file
};

// One import and call-finding run shared by the tests below.
const Outcome& RealRun() {
  static const Outcome outcome = [] {
    Outcome o;
    const fs::path root = fs::path(ZORVEL_REALDATA_DIR) / "bats";
    if (!fs::is_directory(root)) return o;
    PopulatePrecalculatedArrays();
    // Removed when the test program ends.
    static const struct Folder {
      fs::path path = fs::temp_directory_path() / ("zorvel_realdata_" + std::to_string(::getpid()));
      ~Folder() {
        std::error_code ec;
        fs::remove_all(path, ec);
      }
    } folder;
    const fs::path& out = folder.path;
    fs::remove_all(out);
    RecordingsImportOptions io;
    io.inputs = {(root / "batdetect2").string(), (root / "tadarida_c").string()};
    io.outFolder = out.string();
    io.read.timeExpansion = 10;  // the tadarida_c recordings are slowed down ten times, without GUANO
    testing::RecordingHost host;
    o.import = ImportRecordings(io, host);
    BatchOptions bo;
    bo.Jobs = 1;
    KeepAwake none;
    const BatchResult br = RunCallFindingBatch(o.import.madeFiles, bo, host, none);
    std::map<std::string, int64_t> starts;  // recording -> its start, 5-µs ticks
    for (size_t f = 0; f < br.zv2Files.size(); ++f) {
      const std::string zv1 = fs::path(br.zv2Files[f]).replace_extension(".ZV1").string();
      FileSlots slots;
      OpenFileInSlot(slots, zv1, 1, host, OpenOptions{});
      for (const auto& rc : test::ReadZv2Calls(br.zv2Files[f])) {
        const sound::WavNameLookup n = sound::WavNameAt(slots, 1, TRecTime{rc.minute, rc.call.StartTime});
        const std::string name = fs::path(n.name).filename().string();
        o.modalKhz[name].push_back(rc.call.ModalKHZ);
        o.lengths[name].push_back(rc.call.Duration100Musecs);
        if (!starts.count(name)) {
          const fs::path french = root / "tadarida_c" / name;
          const RecordingInfo info = ProbeRecording(
              (fs::exists(french) ? french : root / "batdetect2" / name).string(), io.read);
          starts[name] = std::llround(info.start * 200'000.0);
        }
        const int64_t at = int64_t{rc.minute} * 12'000'000 + rc.call.StartTime;
        if (!rc.call.BuzzCall) o.startsMs[name].push_back(static_cast<double>(at - starts[name]) / 200.0);
      }
    }
    for (const std::string& zv1 : o.import.madeFiles)
      for (const auto& e : fs::directory_iterator(out))
        if (e.path().extension() == ".txt" && WavIndexPath(zv1) == e.path().string()) {
          FileSlots slots;
          OpenFileInSlot(slots, zv1, 1, host, OpenOptions{});
          for (int line = 1; line <= static_cast<int>(slots[1].WavFileTimes.size()); ++line)
            o.madeFor[fs::path(sound::WavNameFromIndex(slots[1].WavIndexFile, line)).filename().string()] = zv1;
        }
    for (const auto& [name, khz] : o.modalKhz) {
      std::string line = name + "\tcalls " + std::to_string(khz.size()) + "\tmodal kHz";
      for (int32_t k : khz) line += " " + std::to_string(k);
      std::printf("[ table    ] %s\n", line.c_str());
    }
    return o;
  }();
  return outcome;
}

class RealData : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::is_directory(fs::path(ZORVEL_REALDATA_DIR) / "bats")) GTEST_SKIP() << "no real recordings";
  }
  static double Median(std::vector<int32_t> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2.0;
  }
};

TEST_F(RealData, EveryRecordingIsReadIntoNightFiles) {
  const Outcome& o = RealRun();
  EXPECT_EQ(o.import.read, 26);
  EXPECT_TRUE(o.import.AllRead());
  for (const SkippedRecording& s : o.import.skipped) EXPECT_FALSE(s.failed) << s.path << ": " << s.reason;
  // Two French nights, the 2017, 2018 (two), 2022, 2023 and 2024 recordings.
  EXPECT_EQ(o.import.madeFiles.size(), 8u);
  EXPECT_EQ(o.madeFor.size(), 26u);
}

TEST_F(RealData, TimesAndPositionsComeFromTheMetadata) {
  const Outcome& o = RealRun();
  ASSERT_TRUE(o.madeFor.count("Echometer.wav"));
  FileSlots slots;
  testing::RecordingHost host;
  ASSERT_TRUE(OpenFileInSlot(slots, o.madeFor.at("Echometer.wav"), 1, host, OpenOptions{}).opened);
  // GUANO: "Timestamp:  2022-08-15 21:34:14+0100", "Loc Position: 50.7179417 -1.7611083".
  EXPECT_EQ(slots[1].FirstLoggedMin, *MinuteNumber(2022, 8, 15, 21, 34));
  EXPECT_EQ(slots[1].LatText, "50.71794    ");
  EXPECT_EQ(slots[1].LongText, "-1.76111    ");
  EXPECT_EQ(slots[1].GMTText, "+1 ");
  EXPECT_EQ(slots[1].NotesText.substr(0, 18), "Wildlife Acoustics");
  // The passive recorder's two files of one evening share a file: 19:31:30 and 20:26:15.
  ASSERT_TRUE(OpenFileInSlot(slots, o.madeFor.at("Audiomoth.WAV"), 2, host, OpenOptions{}).opened);
  EXPECT_EQ(o.madeFor.at("Audiomoth.WAV"), o.madeFor.at("AudiomothNoBatCalls.WAV"));
  EXPECT_EQ(slots[2].FirstLoggedMin, *MinuteNumber(2024, 9, 3, 19, 31));
  EXPECT_EQ(slots[2].LastLoggedMin, *MinuteNumber(2024, 9, 3, 20, 26));
  // The French recordings have only their names: 20160630_034535 is in the night of the 29th.
  const std::string pass = "Car370293-2016-Pass1-Z3-US-16611-0_20160630_034535_500.wav";
  EXPECT_NE(o.madeFor.at(pass).find("2016 06 29"), std::string::npos) << o.madeFor.at(pass);
}

// A bat's echolocation call, by the label's genus and type.
bool BatCall(const testing::LabelledSound& l) {
  static const char* genera[] = {"Pip", "Ept", "Myo", "Ple", "Bar", "Min", "Nyc", "Rhi"};
  return l.type == "echolo" &&
         std::any_of(std::begin(genera), std::end(genera), [&](const char* g) { return l.code.rfind(g, 0) == 0; });
}

std::vector<testing::LabelledSound> LabelledSounds(const std::string& recording) {
  const fs::path dir = fs::path(ZORVEL_REALDATA_DIR) / "bats" / "tadarida_c";
  const std::string stem = fs::path(recording).stem().string();
  return testing::ReadLabelledSounds(dir / "eti" / (stem + ".eti"), dir / "ta" / (stem + ".ta"));
}

std::vector<double> MeasuredPeaks(const std::string& recording) {
  std::vector<double> peaks;
  for (const testing::LabelledSound& l : LabelledSounds(recording))
    if (BatCall(l)) peaks.push_back(l.peakKhz);
  return peaks;
}

// Through the import: most bat calls a person labelled get a call starting in them.
TEST_F(RealData, MostLabelledBatCallsAreFound) {
  const Outcome& o = RealRun();
  int labelled = 0, found = 0;
  for (const auto& e : fs::directory_iterator(fs::path(ZORVEL_REALDATA_DIR) / "bats" / "tadarida_c")) {
    if (e.path().extension() != ".wav") continue;
    const std::string name = e.path().filename().string();
    const auto starts = o.startsMs.count(name) ? o.startsMs.at(name) : std::vector<double>{};
    for (const testing::LabelledSound& l : LabelledSounds(name)) {
      if (!BatCall(l)) continue;
      ++labelled;
      found += std::any_of(starts.begin(), starts.end(),
                           [&](double ms) { return ms >= l.startMs - 2 && ms <= l.endMs + 2; });
    }
  }
  std::printf("[ table    ] labelled bat calls %d, found %d\n", labelled, found);
  ASSERT_GT(labelled, 300);
  EXPECT_GE(found * 100, labelled * 65);
}

// The modal frequency of a recording's calls, as the recording's bats sounded: the person's
// own measurements where there are any (for calls with a constant-frequency part, where the
// modal frequency and the frequency of greatest energy are one); elsewhere published search-call peak frequencies
// (common pipistrelle ≈46 kHz, greater horseshoe 81 kHz), weighted by how long each call
// lasts, so that the long constant-frequency calls of a horseshoe bat count for more than the
// short sweeps of a bat passing in the background.
TEST_F(RealData, ModalFrequenciesAgreeWithThePersonsMeasurementsAndThePublishedFigures) {
  const Outcome& o = RealRun();
  for (const char* name : {"Car370293-2016-Pass1-Z3-US-16611-0_20160630_034535_500.wav",
                           "Car340319-2015-Pass1-G2-16701_0_20150718_034611_770.wav",
                           "Car340319-2015-Pass1-G2-16701_0_20150718_052755_293.wav",
                           "Car340319-2015-Pass1-G2-16701_0_20150718_045047_787.wav"}) {
    SCOPED_TRACE(name);
    std::vector<double> measured = MeasuredPeaks(name);
    ASSERT_GE(measured.size(), 5u);
    std::sort(measured.begin(), measured.end());
    ASSERT_TRUE(o.modalKhz.count(name)) << "no calls";
    EXPECT_NEAR(Median(o.modalKhz.at(name)), measured[measured.size() / 2], 2.0);
  }
  const auto weighted = [&](const std::string& name) {
    std::vector<std::pair<int32_t, int32_t>> calls;
    int64_t total = 0;
    for (size_t i = 0; i < o.modalKhz.at(name).size(); ++i) {
      calls.emplace_back(o.modalKhz.at(name)[i], o.lengths.at(name)[i]);
      total += o.lengths.at(name)[i];
    }
    std::sort(calls.begin(), calls.end());
    int64_t seen = 0;
    for (const auto& [khz, length] : calls)
      if ((seen += length) * 2 >= total) return khz;
    return 0;
  };
  for (const auto& [name, khz] : {std::pair<const char*, int>{"Echometer.wav", 46},
                                  {"20180627_215323-RHIFER-LR_0_0.5.wav", 81}}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(o.modalKhz.count(name)) << "no calls";
    EXPECT_NEAR(weighted(name), khz, 3);
  }
}

TEST_F(RealData, NoCallsInNoiseInsectsOrBirds) {
  const Outcome& o = RealRun();
  for (const char* name : {"AudiomothNoBatCalls.WAV", "Car370293-2016-Pass1-Z3-US-16611-0_20160630_041559_488.wav",
                           "Car370293-2016-Pass1-Z3-US-16611-0_20160629_220901_133.wav",
                           "Car370293-2016-Pass1-Z3-US-16611-0_20160629_213356_166.wav",
                           "Car340319-2015-Pass1-G2-16701_0_20150718_040807_273.wav",
                           "Car370293-2016-Pass1-Z3-US-16611-0_20160630_062107_735.wav"})
    EXPECT_FALSE(o.modalKhz.count(name)) << name << ": " << o.modalKhz.at(name).size() << " calls";
}

}  // namespace
}  // namespace zorvel::rec

namespace zorvel::rec {
namespace {

TEST_F(RealData, CutWavIsTheSourceSamplesOfTheSpan) {
  const Outcome& o = RealRun();
  ASSERT_TRUE(o.madeFor.count("Echometer.wav"));
  // The recording starts at 21:34:14; one second in, 0.2 s long: frames 256,000 … 307,200.
  const int32_t m = *MinuteNumber(2022, 8, 15, 21, 34);
  CutRequest q;
  q.dataFile = o.madeFor.at("Echometer.wav");
  q.from = TRecTime{m, 15 * 200'000};
  q.to = TRecTime{m, 15 * 200'000 + 40'000};
  q.outPath = (fs::temp_directory_path() / ("zorvel_cut_" + std::to_string(::getpid()) + ".wav")).string();
  const CutResult c = CutOriginalAudio(q);
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.sampleRate, 256'000u);
  auto samples = [](const std::string& path) {
    FileByteSource src(path);
    const WavLayout w = ReadWavLayout(src);
    std::vector<float> s(static_cast<size_t>(w.frames));
    SampleStream(src, w, 0).Read(s.data(), s.size());
    return s;
  };
  const auto cut = samples(q.outPath);
  const auto source = samples((fs::path(ZORVEL_REALDATA_DIR) / "bats" / "batdetect2" / "Echometer.wav").string());
  fs::remove(q.outPath);
  ASSERT_EQ(cut.size(), 51'200u);
  EXPECT_TRUE(std::equal(cut.begin(), cut.end(), source.begin() + 256'000));
}

}  // namespace
}  // namespace zorvel::rec
