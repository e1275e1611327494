#include "report/Report.h"

#include <QGuiApplication>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "core/AtomicFile.h"
#include "report/Messages.h"
#include "report/Render.h"
#include "survey/Survey.h"

namespace zorvel::report {

std::optional<ReportFormat> FormatOfPath(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == ".pdf") return ReportFormat::Pdf;
  if (ext == ".html" || ext == ".htm") return ReportFormat::Html;
  return std::nullopt;
}

ReportOutcome WriteReport(const ReportData& data, const std::string& outPath) {
  ReportOutcome r;
  const auto format = FormatOfPath(outPath);
  if (!format) {
    r.message = outPath + std::string(msg::kUnknownFormat);
    return r;
  }
  std::string error;
  bool written = false;
  if (*format == ReportFormat::Pdf) {
    const QByteArray pdf = RenderPdf(data, &r.pages);
    r.bytes = pdf.size();
    written = WriteWholeFile(outPath, pdf.constData(), static_cast<size_t>(pdf.size()), &error);
  } else {
    const std::string html = RenderHtml(data);
    r.bytes = static_cast<int64_t>(html.size());
    written = WriteWholeFile(outPath, html.data(), html.size(), &error);
  }
  if (!written) {
    r.message = outPath + std::string(msg::kCannotWrite) + error;
    return r;
  }
  r.ok = true;
  return r;
}

std::shared_ptr<void> EnsureDrawingApplication() {
  if (QGuiApplication::instance()) return {};
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // QGuiApplication keeps a reference to argc, so it lives as long as the application.
  struct App {
    int argc = 1;
    char name[12] = "zorvel-cli";
    char* argv[2] = {name, nullptr};
    QGuiApplication app{argc, argv};
  };
  return std::make_shared<App>();
}

ReportOutcome WriteSurveyReport(const std::string& surveyPath, const std::string& outPath) {
  ReportOutcome r;
  if (!FormatOfPath(outPath)) {
    r.message = outPath + std::string(msg::kUnknownFormat);
    return r;
  }
  // A report never makes a survey: a missing file is an error, not an empty survey.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(surveyPath, ec)) {
    r.message = surveyPath + std::string(msg::kCannotRead) + std::string(msg::kNoSuchSurvey);
    return r;
  }
  survey::OpenResult opened = survey::OpenSurvey(surveyPath, survey::OpenMode::ReadOnly);
  if (!opened.survey) {
    r.message = opened.message;
    return r;
  }
  LoadResult loaded =
      LoadReportData(opened.survey->Handle(), std::filesystem::path(surveyPath).filename().string());
  if (!loaded.data) {
    r.message = surveyPath + std::string(msg::kCannotRead) + loaded.message;
    return r;
  }
  return WriteReport(*loaded.data, outPath);
}

}  // namespace zorvel::report
