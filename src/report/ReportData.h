// What the report shows, read from a survey's public tables in one go: the deployments, their
// nights, species-nights and passes. Times are minute numbers (with the fraction of the minute) in
// the deployment's local clock, as the survey stores them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace zorvel::report {

struct NightRow {
  int64_t id = 0;
  std::string date;  // yyyy-mm-dd of the evening
  std::optional<double> sunset, sunrise, dusk, dawn;
  int listenedMinutes = 0;
  std::optional<int> effortMinutes;
  std::optional<double> tempSunset, tempMin, tempMax, meanLight;
};

struct SpeciesNightRow {
  size_t night = 0;  // index into Deployment::nights
  std::string species;
  int passes = 0, calls = 0, buzzCalls = 0, activityIndex = 0;
  std::optional<double> firstAfterSunset, lastBeforeSunrise;
  std::optional<int> busiestHour;
};

struct PassRow {
  size_t night = 0;  // index into Deployment::nights
  double start = 0;
  std::string species;
  int confidence = 0;
  int buzzCalls = 0;
};

struct Deployment {
  int64_t id = 0;
  int logger = 0;
  std::string location;
  std::optional<double> latitude, longitude;
  std::optional<int> utcOffsetMinutes;
  double firstMinute = 0, lastMinute = 0;
  std::string files, classifier;
  std::vector<NightRow> nights;  // in date order
  std::vector<SpeciesNightRow> speciesNights;
  std::vector<PassRow> passes;  // in time order
};

struct ReportData {
  std::string surveyName;               // the survey file's name, for the title
  std::vector<Deployment> deployments;  // by logger, classifier and first minute
};

struct LoadResult {
  std::optional<ReportData> data;
  std::string message;  // the SQLite error when data is empty
};

// Reads the public tables through an open connection; only reads.
LoadResult LoadReportData(sqlite3* db, const std::string& surveyName);

}  // namespace zorvel::report
