// The survey report of a season: 10 deployments x 30 nights (by default) with a few hundred passes
// a night, written straight into a survey's public tables, then timed from opening the survey file
// to the PDF and the HTML file in place (as `zorvel-cli survey report` does it).
//   bench_report [--deployments N] [--nights N] [--passes PER_NIGHT] [--dir DIR]
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "report/PublicRows.h"
#include "report/Report.h"
#include "survey/Survey.h"

namespace {
double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}
}  // namespace

int main(int argc, char** argv) {
  int deployments = 10, nights = 30, passes = 300;
  std::string dir = (std::filesystem::temp_directory_path() / "zorvel_bench_report").string();
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--deployments")) deployments = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--nights")) nights = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--passes")) passes = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--dir")) dir = argv[i + 1];
  }
  const auto app = zorvel::report::EnsureDrawingApplication();
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string path = dir + "/season.zvs";
  {
    auto opened = zorvel::survey::OpenSurvey(path, zorvel::survey::OpenMode::ReadWrite);
    if (!opened.survey ||
        !zorvel::testing::BuildSeason(opened.survey->Handle(), deployments, nights, passes)) {
      std::fprintf(stderr, "could not build the survey: %s\n", opened.message.c_str());
      return 1;
    }
  }
  std::printf("survey: %d deployments x %d nights, %d passes a night, %.1f MB\n", deployments, nights, passes,
              std::filesystem::file_size(path) / 1e6);
  for (const char* name : {"report.pdf", "report.html"}) {
    const auto t0 = std::chrono::steady_clock::now();
    const auto r = zorvel::report::WriteSurveyReport(path, dir + "/" + name);
    if (!r.ok) {
      std::fprintf(stderr, "%s\n", r.message.c_str());
      return 1;
    }
    std::printf("%-12s %6.2f s  %8.1f kB  %d pages\n", name, Seconds(t0), r.bytes / 1e3, r.pages);
  }
  return 0;
}
