// Copies of a selected span of minutes: "Copy selected time period into new file(s)" for the open
// files, and "Make copies cropped to same times" for a batch of files against file 1's span.
#pragma once

#include <string>
#include <vector>

#include "core/FileRec.h"
#include "core/Host.h"

namespace zorvel::fileutils {

// "<full name without extension> PART <minutes><extension>", with characters that file names
// may not hold replaced by "_".
std::string PeriodCopyName(const std::string& fullName, int32_t minutes);
SaveRequest PeriodCopyRequest(const TFileRec& slot, int32_t firstMin, int32_t lastMin);

// Writes minutes firstMin … lastMin of each open slot 1 … 3 to new files: the first copied slot
// to output, the others to output with their own extension. A slot that does not hold the whole
// period is skipped with a message. Returns the number of files written.
int CopySelectedPeriod(FileSlots& slots, int32_t firstMin, int32_t lastMin, const std::string& output,
                       Host& host);

struct CropOutcome {
  int copied = 0;
  int failed = 0;
};
// Copies each file cropped to the span of the file in slot 1; the host's save dialog names each
// copy. All slots are closed on the way.
CropOutcome MakeCroppedCopies(FileSlots& slots, const std::vector<std::string>& files, Host& host);

// The deployment texts of file 1's boxes.
struct DeploymentTexts {
  std::string Lat1Edit, Long1Edit, Notes1Edit, GMT1Edit, Location1Edit;
};
// Writes the texts into the header of every open file. Returns the number of files written.
int CopyTextToOpenFiles(FileSlots& slots, const DeploymentTexts& texts, Host& host);

}  // namespace zorvel::fileutils
