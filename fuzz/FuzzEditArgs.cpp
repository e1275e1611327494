// Any text as --edit arguments (one a line): applying them never crashes, and when they are
// accepted the sequence edits hold at most five feature letters.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/EditArgs.h"
#include "filters/Sequence.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> edits;
  std::string line;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      edits.push_back(line);
      line.clear();
    } else {
      line.push_back(static_cast<char>(data[i]));
    }
  }
  edits.push_back(line);
  zorvel::FilterSettings f;
  std::string message;
  if (zorvel::cli::ApplyEditArgs(edits, f, &message)) {
    if (!zorvel::SequencePatternProblem(f.sequence.Seq).empty() ||
        !zorvel::SequencePatternProblem(f.sequence.Seq2).empty())
      std::abort();
  } else if (message.empty()) {
    std::abort();
  }
  return 0;
}
