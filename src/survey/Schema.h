// The survey file's tables. The primary rows record what each added data file holds; the public
// tables are rebuilt from them (Derive.h).
#pragma once

#include <string_view>

namespace zorvel::survey {

// Creates every table and index of the present schema in an empty database.
inline constexpr std::string_view kSchemaSql = R"sql(
CREATE TABLE survey_file(
  id INTEGER PRIMARY KEY,
  logger INTEGER NOT NULL,
  first_minute INTEGER NOT NULL,
  last_minute INTEGER NOT NULL,
  classifier TEXT NOT NULL,
  content_hash TEXT NOT NULL,
  name TEXT NOT NULL,
  file_bytes INTEGER NOT NULL,
  location TEXT NOT NULL,
  latitude REAL,
  longitude REAL,
  utc_offset_min INTEGER,
  UNIQUE(logger, first_minute, classifier));
CREATE TABLE file_night(
  file_id INTEGER NOT NULL REFERENCES survey_file(id) ON DELETE CASCADE,
  date TEXT NOT NULL,
  logged_minutes INTEGER NOT NULL,
  listened_minutes INTEGER NOT NULL,
  effort_minutes INTEGER,
  temp_sunset REAL,
  temp_min REAL,
  temp_max REAL,
  light_sum INTEGER NOT NULL,
  PRIMARY KEY(file_id, date)) WITHOUT ROWID;
CREATE TABLE file_pass(
  file_id INTEGER NOT NULL REFERENCES survey_file(id) ON DELETE CASCADE,
  start REAL NOT NULL,
  end REAL NOT NULL,
  species TEXT NOT NULL,
  confidence INTEGER NOT NULL,
  calls INTEGER NOT NULL,
  buzz_calls INTEGER NOT NULL,
  median_peak_khz REAL NOT NULL);
CREATE INDEX file_pass_of_file ON file_pass(file_id);
CREATE TABLE deployment(
  id INTEGER PRIMARY KEY,
  logger INTEGER NOT NULL,
  location TEXT NOT NULL,
  latitude REAL,
  longitude REAL,
  utc_offset_min INTEGER,
  first_minute REAL NOT NULL,
  last_minute REAL NOT NULL,
  files TEXT NOT NULL,
  classifier TEXT NOT NULL);
CREATE INDEX deployment_of_logger ON deployment(logger, classifier, first_minute);
CREATE TABLE night(
  id INTEGER PRIMARY KEY,
  deployment_id INTEGER NOT NULL REFERENCES deployment(id) ON DELETE CASCADE,
  date TEXT NOT NULL,
  sunset REAL, sunrise REAL, dusk REAL, dawn REAL,
  listened_minutes INTEGER NOT NULL,
  effort_minutes INTEGER,
  temp_sunset REAL, temp_min REAL, temp_max REAL,
  mean_light REAL,
  UNIQUE(deployment_id, date));
CREATE TABLE pass(
  id INTEGER PRIMARY KEY,
  deployment_id INTEGER NOT NULL REFERENCES deployment(id) ON DELETE CASCADE,
  night_id INTEGER REFERENCES night(id) ON DELETE CASCADE,
  file TEXT NOT NULL,
  start REAL NOT NULL,
  end REAL NOT NULL,
  species TEXT NOT NULL,
  classifier TEXT NOT NULL,
  confidence INTEGER NOT NULL,
  calls INTEGER NOT NULL,
  buzz_calls INTEGER NOT NULL,
  median_peak_khz REAL NOT NULL);
CREATE INDEX pass_of_deployment ON pass(deployment_id, start);
CREATE INDEX pass_of_night ON pass(night_id);
CREATE TABLE species_night(
  night_id INTEGER NOT NULL REFERENCES night(id) ON DELETE CASCADE,
  classifier TEXT NOT NULL,
  species TEXT NOT NULL,
  passes INTEGER NOT NULL,
  calls INTEGER NOT NULL,
  buzz_calls INTEGER NOT NULL,
  activity_index INTEGER NOT NULL,
  first_after_sunset_min REAL,
  last_before_sunrise_min REAL,
  busiest_hour INTEGER NOT NULL,
  PRIMARY KEY(night_id, species));
)sql";

}  // namespace zorvel::survey
