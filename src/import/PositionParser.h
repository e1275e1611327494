// The deployment position as typed: latitude or longitude text in any of the forms people
// write (decimal degrees, degrees and decimal minutes, degrees minutes seconds with or without
// labels, hemisphere letters or a leading minus) checked as it is typed and turned into signed
// decimal degrees, or into the reason it cannot be read.
#pragma once

#include <string>
#include <string_view>

namespace zorvel {

struct tParseReport {
  std::string Value;   // decimal degrees with five decimals, or empty
  std::string Errors;  // what is wrong, or empty
};

// isLatitude says which of the two edits the text came from (it decides which hemisphere
// letters are allowed and which make the value negative).
tParseReport ParsePosition(std::string_view text, bool isLatitude);

// Why a position given whole (on a command line or in a file, where no more keys will come)
// should not go into a header, or an empty text when it may; a blank text gives no position and
// is fine. Beyond the parser's own errors, a text the parser reads as nothing (letters only, or
// one or two characters, such as "51") and a latitude beyond 90 degrees are refused: the file
// would carry a position no reader can place on the globe.
std::string PositionTextProblem(std::string_view text, bool isLatitude);

}  // namespace zorvel
