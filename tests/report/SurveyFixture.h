// A new survey file in a temporary folder, open for writing rows straight into its tables.
#pragma once

#include <gtest/gtest.h>

#include "PublicRows.h"
#include "report/ReportData.h"
#include "support/TempDir.h"
#include "survey/Survey.h"

namespace zorvel::testing {

struct SurveyFixture {
  TempDir dir;
  std::string path = dir / "season.zvs";
  survey::OpenResult opened = survey::OpenSurvey(path, survey::OpenMode::ReadWrite);
  PublicRows rows{opened.survey ? opened.survey->Handle() : nullptr};

  report::ReportData Load() {
    report::LoadResult r = report::LoadReportData(opened.survey->Handle(), "season.zvs");
    EXPECT_TRUE(r.data.has_value()) << r.message;
    return r.data ? *r.data : report::ReportData{};
  }
};

}  // namespace zorvel::testing
