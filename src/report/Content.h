// The report's words and tables, the same for the PDF and the HTML file: the title lines, the
// statement of who named the species and how sure it was, the deployments and species tables,
// and the heading lines of each deployment's page.
#pragma once

#include <string>
#include <vector>

#include "report/ReportData.h"

namespace zorvel::report {

struct TableBlock {
  std::vector<std::string> headings;
  std::vector<double> widths;  // shares of the page width, adding up to 1
  std::vector<bool> right;     // numbers are right-aligned
  std::vector<std::vector<std::string>> rows;
};

TableBlock DeploymentTable(const ReportData& data);
TableBlock SpeciesTable(const ReportData& data);
std::string NamesStatement(const ReportData& data);
std::string DeploymentTitle(const Deployment& d);
std::string DeploymentLine(const Deployment& d);

}  // namespace zorvel::report
