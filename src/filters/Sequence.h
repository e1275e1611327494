// Sequence filter: a call's feature string built from its 16-bit Seq code (3 bits a feature,
// at most five, the lowest group being the last feature) matched against typed patterns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvel {

// Letter of a 3-bit feature code (0 has none).
char FeatureLetter(int code);
std::string FeatureString(int32_t seq);

// True when every letter of pattern (upper-cased) is found in features in order.
bool PatternMatches(std::string_view pattern, std::string_view features);

// Why a typed sequence pattern can never match (letters other than the feature letters, or more
// than five of them), or an empty text when it can.
std::string SequencePatternProblem(std::string_view pattern);

// The two sequence edits and their housekeeping.
struct SequenceEdits {
  static constexpr size_t kMaxLength = 5;
  std::string Seq;   // SeqEdit
  std::string Seq2;  // Seq2Edit

  bool Given() const { return !Seq.empty(); }
  bool Fits(int32_t seq) const;
  void SeqEditExit();
  void Seq2EditExit();
  void SeqEditDblClick() { Seq.clear(), Seq2.clear(); }
};

}  // namespace zorvel
