#include "batch/Csv.h"

#include "batch/Messages.h"

namespace zorvel::batch {

CsvParse ParseCsv(std::string_view text) {
  CsvParse out;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  size_t i = 0;
  int line = 1;
  while (i < text.size()) {
    CsvRecord rec;
    rec.line = line;
    std::string field;
    bool endOfRecord = false;
    while (!endOfRecord) {
      if (i < text.size() && text[i] == '"') {
        const int quoteLine = line;
        ++i;
        for (;;) {
          if (i >= text.size()) {
            out.error = msg::kUnclosedQuote;
            out.errorLine = quoteLine;
            return out;
          }
          const char c = text[i++];
          if (c == '"') {
            if (i < text.size() && text[i] == '"') {
              field += '"';
              ++i;
              continue;
            }
            break;
          }
          if (c == '\n') ++line;
          field += c;
        }
      }
      // Up to the next comma or line end (text after a closing quote is kept as typed).
      while (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') field += text[i++];
      if (i >= text.size()) {
        endOfRecord = true;
      } else if (text[i] == ',') {
        ++i;
      } else {
        if (text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
        ++line;
        endOfRecord = true;
      }
      rec.fields.push_back(std::move(field));
      field.clear();
    }
    const bool blank = rec.fields.size() == 1 && rec.fields[0].empty();
    if (!blank) out.records.push_back(std::move(rec));
  }
  return out;
}

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string out;
  for (size_t k = 0; k < fields.size(); ++k) {
    if (k) out += ',';
    const std::string& f = fields[k];
    if (f.find_first_of(",\"\r\n") == std::string::npos) {
      out += f;
      continue;
    }
    out += '"';
    for (char c : f) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  out += '\n';
  return out;
}

}  // namespace zorvel::batch
