// The decoded header of an open slot as (name, value) text pairs, in header order: what
// "zorvel-cli info" prints and what listings of file settings show.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/FileRec.h"

namespace zorvel {

std::vector<std::pair<std::string, std::string>> HeaderFieldTexts(const TFileRec& slot);

const char* FileTypeName(TFileType t);

}  // namespace zorvel
