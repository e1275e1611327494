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

}  // namespace zorvel
