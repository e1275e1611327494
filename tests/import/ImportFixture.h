// A fresh SD folder and output folder per test, and an import with a recording host.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "import/ImportHost.h"
#include "import/LoggerFiles.h"
#include "import/SdImport.h"

namespace zorvel::testing {

struct ImportFixture : ::testing::Test {
  TempDir dir;
  ImportHost host;
  SdCardImport importer;
  ImportOptions options;
  std::string sd = dir / "sd";
  std::string out = dir / "out";

  ImportFixture() {
    std::filesystem::create_directories(sd);
    std::filesystem::create_directories(out);
    options.SdPath = sd;
    options.Zv1Folder = out;
    options.Zv1FolderChosen = true;
    options.Texts.Location = "Wood";
  }
  ImportResult Run() { return importer.Run(options, host); }
  std::string Sd(const std::string& name) const { return (std::filesystem::path(sd) / name).string(); }
  std::string Out(const std::string& name) const { return (std::filesystem::path(out) / name).string(); }
  std::vector<std::string> OutFolder() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(out))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

}  // namespace zorvel::testing
