// How the logger names its files on the SD card, seen from the reading side: where a card's
// first series starts, which file follows which in a series, and the first file of the next
// series. Two schemes exist: numbered series ("0BAT000.NXQ", "0BAT001.NXQ" … "1BAT000.NXQ")
// and the older "ZORVEL0.NXQ", "ZORVEL1.NXQ" ….
#pragma once

#include <optional>
#include <string>

namespace zorvel {

struct FirstSdFile {
  int scheme = 1;  // 1 numbered series, 2 legacy
  int series = 0;  // series index
  std::string name;
};

// The first series on the card in folder; nullopt when no file has a first-file name.
std::optional<FirstSdFile> FindFirstSdFile(const std::string& folder);

// How many logger files (any name ending ".NXQ", in any case) the folder holds; nullopt when it
// is not a folder that can be listed. Tells an empty card from one whose first file is missing.
std::optional<int> CountLoggerFiles(const std::string& folder);

// The name of file n (1, 2, …) of a series, given the name of the series' first file. A name
// that cannot exist ("…xxxx.NXQ") ends the series.
std::string NextSdFileName(int scheme, int series, const std::string& firstName, int n);

// The first file's name of series index `series`.
std::string NextSeriesName(int scheme, int series);

}  // namespace zorvel
