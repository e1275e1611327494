// A small simulated scheme for the batch tests: SD cards of different loggers, places and
// starts, made once per test program, with a manifest over them, and the one-machine survey of
// the same inputs (import, find calls, add each ZV2 file) to compare shard merges against.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "callfinder/Batch.h"
#include "core/TimeBase.h"
#include "import/SdImport.h"
#include "sim/Simulator.h"
#include "support/RecordingHost.h"
#include "survey/Survey.h"

namespace zorvel::testing {

namespace fs = std::filesystem;

struct SchemeCard {
  std::string folder, site, lat, lon, utc, classifier;
};

inline std::string SchemeRoot() {
  return (fs::path(::testing::TempDir()) / ("zorvel_batch_scheme_" + std::to_string(::getpid()))).string();
}

// Cards 0 … count-1; every third uses the European classifier, so one survey holds both.
inline std::vector<SchemeCard> MakeScheme(int count) {
  std::vector<SchemeCard> cards;
  for (int i = 0; i < count; ++i) {
    SchemeCard c;
    c.folder = (fs::path(SchemeRoot()) / ("card" + std::to_string(i))).string();
    c.site = "Site " + std::to_string(i);
    c.lat = std::to_string(50 + i % 5) + "." + std::to_string(i);
    c.lon = "-" + std::to_string(1 + i % 3) + ".5";
    c.utc = i % 2 ? "+1" : "0";
    c.classifier = i % 3 == 2 ? "ZorvelEU1" : "";
    if (!fs::exists(c.folder)) {
      sim::SimOptions o;
      o.outDir = c.folder;
      o.truthPath = c.folder + "_truth.txt";
      o.seed = 100 + static_cast<uint64_t>(i);
      o.loggerId = 2000 + i;
      o.startMn = sim::DefaultStartMinute() + (i % 4) * 1440;
      o.activity = 0.5;
      o.loggerFileBytes = 1 << 20;
      EXPECT_TRUE(sim::SimulateCard(o).ok);
    }
    cards.push_back(c);
  }
  return cards;
}

inline std::string ManifestText(const std::vector<SchemeCard>& cards, bool relative) {
  std::string text = "input,site,lat,long,utc,time_expansion,classifier\n";
  for (const SchemeCard& c : cards)
    text += (relative ? fs::path(c.folder).filename().string() : c.folder) + "," + c.site + "," + c.lat +
            "," + c.lon + "," + c.utc + ",," + c.classifier + "\n";
  return text;
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every public table of a survey as its CSV export, in one string.
inline std::string ExportAll(const std::string& surveyPath) {
  survey::OpenResult r = survey::OpenSurvey(surveyPath, survey::OpenMode::ReadOnly);
  EXPECT_TRUE(r.survey) << r.message;
  if (!r.survey) return {};
  std::string all;
  for (survey::Table t : {survey::Table::Deployments, survey::Table::Nights, survey::Table::Passes,
                          survey::Table::SpeciesNights})
    all += survey::ExportTableCsv(*r.survey, t) + "----\n";
  return all;
}

// The one-machine result: each card imported and its calls found as the single commands do,
// then every ZV2 file added to one survey.
inline std::string OneMachineSurvey(const std::vector<SchemeCard>& cards, const std::string& workDir) {
  const std::string path = workDir + "/one.zvs";
  fs::create_directories(workDir);
  RecordingHost host;
  {
    survey::OpenResult s = survey::OpenSurvey(path, survey::OpenMode::ReadWrite);
    EXPECT_TRUE(s.survey) << s.message;
    for (size_t i = 0; i < cards.size(); ++i) {
      const std::string dir = workDir + "/card" + std::to_string(i);
      fs::create_directories(dir);
      ImportOptions io;
      io.SdPath = cards[i].folder;
      io.Texts.Lat = cards[i].lat;
      io.Texts.Long = cards[i].lon;
      io.Texts.Location = cards[i].site;
      io.Texts.Utc = cards[i].utc;
      io.Zv1Folder = dir;
      io.Zv1FolderChosen = true;
      SdCardImport importer;
      const ImportResult ir = importer.Run(io, host);
      EXPECT_TRUE(ir.Completed) << ir.Error;
      BatchOptions bo;
      if (cards[i].classifier == "ZorvelEU1") bo.settings.Classifier = SpClassifier::ZorvelEU1;
      KeepAwake none;
      const BatchResult br = RunCallFindingBatch(ir.MadeFiles, bo, host, none);
      EXPECT_EQ(br.failed, 0);
      for (const std::string& f : br.zv2Files) {
        const survey::AddOutcome a = survey::AddFile(*s.survey, f, survey::AddOptions{}, host);
        EXPECT_EQ(a.status, survey::AddStatus::Added) << a.message;
      }
    }
  }
  return path;
}

}  // namespace zorvel::testing
