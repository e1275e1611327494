// Report data rows built in a line, for tests that hand the report's code a deployment directly
// instead of reading one from a survey.
#pragma once

#include <string>

#include "report/ReportData.h"

namespace zorvel::testing {

// A species-night row with its passes and activity index.
inline report::SpeciesNightRow SN(size_t night, const std::string& species, int passes, int activityIndex) {
  report::SpeciesNightRow s;
  s.night = night;
  s.species = species;
  s.passes = passes;
  s.activityIndex = activityIndex;
  return s;
}

}  // namespace zorvel::testing
