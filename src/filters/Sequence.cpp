#include "filters/Sequence.h"

#include <cctype>

#include "filters/Messages.h"

namespace zorvel {

namespace {
std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}
}  // namespace

char FeatureLetter(int code) {
  static constexpr char kLetters[8] = {0, 'F', 'R', 'D', 'U', 'C', 'M', 'Q'};
  return kLetters[code & 7];
}

std::string FeatureString(int32_t seq) {
  std::string out;
  int32_t v = seq < 0 ? 0 : seq;
  for (int i = 0; i < 5; ++i) {
    const int c = v % 8;
    if (c != 0) out.insert(out.begin(), FeatureLetter(c));
    if (v <= 7) break;
    v /= 8;
  }
  return out;
}

bool PatternMatches(std::string_view pattern, std::string_view features) {
  size_t from = 0;
  for (char p : pattern) {
    const char want = static_cast<char>(std::toupper(static_cast<unsigned char>(p)));
    if (from >= features.size()) return false;
    const size_t hit = features.find(want, from);
    if (hit == std::string_view::npos) return false;
    from = hit + 1;
  }
  return true;
}

std::string SequencePatternProblem(std::string_view pattern) {
  bool letters = true;
  for (char p : pattern) {
    const char want = static_cast<char>(std::toupper(static_cast<unsigned char>(p)));
    bool known = false;
    for (int code = 1; code < 8; ++code) known = known || (want != 0 && FeatureLetter(code) == want);
    letters = letters && known;
  }
  if (letters && pattern.size() <= SequenceEdits::kMaxLength) return {};
  return "'" + std::string(pattern.substr(0, msg::kShownTextLength)) +
         (pattern.size() > msg::kShownTextLength ? "..." : "") + std::string(msg::kSequenceLetters);
}

bool SequenceEdits::Fits(int32_t seq) const {
  if (Seq.empty()) return true;
  const std::string features = FeatureString(seq);
  return PatternMatches(Seq, features) || (!Seq2.empty() && PatternMatches(Seq2, features));
}

void SequenceEdits::SeqEditExit() {
  Seq = Upper(Seq.substr(0, kMaxLength));
  if (Seq.empty() && !Seq2.empty()) {
    Seq = Seq2;
    Seq2.clear();
  }
}

void SequenceEdits::Seq2EditExit() {
  Seq2 = Upper(Seq2.substr(0, kMaxLength));
  if (Seq.empty() && !Seq2.empty()) {
    Seq = Seq2;
    Seq2.clear();
  }
}

}  // namespace zorvel
