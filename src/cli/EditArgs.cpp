#include "cli/EditArgs.h"

#include "cli/Messages.h"
#include "filters/EditChecks.h"
#include "filters/Sequence.h"

namespace zorvel::cli {

namespace {
bool Refuse(std::string* message, const std::string& text) {
  if (message) *message = text;
  return false;
}
}  // namespace

bool ApplyEditArgs(const std::vector<std::string>& edits, FilterSettings& f, std::string* message) {
  for (const std::string& e : edits) {
    const size_t eq = e.find('=');
    if (eq == std::string::npos) return Refuse(message, std::string(msg::kEditForm));
    const std::string name = e.substr(0, eq), text = e.substr(eq + 1);
    bool found = false;
    for (int i = 0; i < kRangeEditCount && !found; ++i) {
      const auto edit = static_cast<RangeEdit>(i);
      if (InfoOf(edit).name != name) continue;
      // A typed value that is not a whole number would silently stand for the edit's fallback.
      if (const std::string problem = RangeEditProblem(edit, text); !problem.empty())
        return Refuse(message, name + ": " + problem);
      f.ranges.SetText(edit, text);
      found = true;
    }
    for (int i = 0; i < static_cast<int>(MinuteEdit::Count) && !found; ++i) {
      const auto edit = static_cast<MinuteEdit>(i);
      if (InfoOf(edit).name != name) continue;
      if (const std::string said = MinuteEditProblem(edit, text); !said.empty())
        return Refuse(message, name + ": " + said);
      f.minutes.SetText(edit, text);
      found = true;
    }
    if (!found && (name == "SeqEdit" || name == "Seq2Edit")) {
      if (const std::string problem = SequencePatternProblem(text); !problem.empty())
        return Refuse(message, name + ": " + problem);
      (name == "SeqEdit" ? f.sequence.Seq : f.sequence.Seq2) = text;
      name == "SeqEdit" ? f.sequence.SeqEditExit() : f.sequence.Seq2EditExit();
      found = true;
    }
    if (!found) return Refuse(message, std::string(msg::kEditForm));
  }
  return true;
}

}  // namespace zorvel::cli
