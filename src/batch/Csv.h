// CSV as spreadsheets write it: commas, fields in double quotes when they hold a comma, a quote
// or a line end (a quote inside doubled), LF or CR LF line ends, an optional UTF-8 mark at the
// start. Each record keeps the number of the line it starts on, for messages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvel::batch {

struct CsvRecord {
  int line = 0;
  std::vector<std::string> fields;
};

struct CsvParse {
  std::vector<CsvRecord> records;  // blank lines left out
  std::string error;               // empty, or what stopped the reading
  int errorLine = 0;
};

CsvParse ParseCsv(std::string_view text);

// One record as a line ending in LF, fields quoted only where they must be.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace zorvel::batch
