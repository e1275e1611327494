// The survey report as a PDF (A4 pages with page numbers) or as one self-contained HTML file
// (the figures inline as SVG). Both come from the same content and the same figure drawing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "report/ReportData.h"

namespace zorvel::report {

enum class ReportFormat { Pdf, Html };
// From the output name's ending (case does not matter); empty for any other.
std::optional<ReportFormat> FormatOfPath(const std::string& path);

struct ReportOutcome {
  bool ok = false;
  std::string message;  // names the file when !ok
  int pages = 0;        // PDF pages (0 for HTML)
  int64_t bytes = 0;
};

// Reads the survey file (only reads) and writes the report to outPath, whole or not at all.
ReportOutcome WriteSurveyReport(const std::string& surveyPath, const std::string& outPath);
// The same from data already read.
ReportOutcome WriteReport(const ReportData& data, const std::string& outPath);

// Drawing text needs a Qt application object; a program without a window (the command line)
// holds this while it writes reports. It makes one on the offscreen platform (unless the
// environment names another) when there is none yet, and ends it when released.
std::shared_ptr<void> EnsureDrawingApplication();

}  // namespace zorvel::report
