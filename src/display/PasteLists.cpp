#include "display/PasteLists.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "display/Messages.h"
#include "display/TimeMath.h"
#include "filters/Sequence.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {

namespace {

// Builds one tab-separated line field by field.
class Fields {
 public:
  Fields& operator<<(std::string_view text) {
    if (!first_) line_.push_back('\t');
    first_ = false;
    line_ += text;
    return *this;
  }
  Fields& operator<<(const std::string& text) { return *this << std::string_view(text); }
  Fields& operator<<(int32_t value) { return *this << std::to_string(value); }
  Fields& operator<<(bool value) { return *this << (value ? msg::kPasteTrue : msg::kPasteFalse); }
  Fields& operator<<(const char*) = delete;  // would pick the bool overload
  std::string Take() { return std::move(line_); }

 private:
  std::string line_;
  bool first_ = true;
};

// The results summary's names of the call types; there each is followed by its count's tab.
std::string_view CallTypeName(tCallType type) {
  static constexpr std::array<std::string_view, 4> kNames{msg::kMemoUnclass, msg::kMemoFM, msg::kMemoQCF,
                                                          msg::kMemoCF};
  std::string_view name = kNames[type & 3];
  if (!name.empty() && name.back() == '\t') name.remove_suffix(1);
  return name;
}

// A call's duration in milliseconds with one decimal, as the pointer's call label shows it.
std::string Milliseconds(int32_t duration100Musecs) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", duration100Musecs / 10.0);
  return buf;
}

// The second and third species are optional: 0 there means none was given, not "unclassed".
std::string OptionalSpecies(const TFileRec& s, int32_t spN) {
  return spN == 0 ? std::string() : SpeciesNameOrNumber(s, spN);
}

}  // namespace

std::string RawPasteHeader() {
  return std::string(msg::kPasteRawHeader);
}

std::string RawPasteLine(const TFileRec& s) {
  const tOct& o = s.aOct;
  Fields f;
  f << s.ShortName << s.NrTime.Mn << s.NrTime.FiveMuSec << o.avF << o.SPLinUse << o.score;
  for (int32_t amp : o.AMPs) f << amp;
  for (int32_t ipi : o.IPIs) f << ipi;
  return f.Take();
}

std::string CallPasteHeader(const TFileRec& s) {
  return std::string(msg::kPasteCallHeaderFile) + s.ShortName + "\t" +
         std::string(msg::kPasteCallHeaderFields);
}

std::string CallPasteLine(const TFileRec& s) {
  const tCall& c = s.aCall;
  Fields f;
  f << s.ShortName << s.LocationText << MinuteAloneText(s.NrTime.Mn) << c.StartTime << c.Number
    << CallTypeName(c.CallType) << SpeciesNameOrNumber(s, c.SpN) << OptionalSpecies(s, c.Sp2N)
    << OptionalSpecies(s, c.Sp3N) << c.BuzzCall << c.Reverb << Milliseconds(c.Duration100Musecs)
    << FeatureString(c.Seq) << c.nSelOctInCall << c.avScore << c.Fmin << c.Fmax << c.Fstart << c.Fend
    << c.Frange << c.ModalKHZ << c.MedianKHZ << c.Fav << c.BodyHiKhz << c.BodyLoKhz << c.MinSlopeKHZ
    << c.UBkhz << c.UBSharp << c.DBkhz << c.DBSharp << c.Flat1KHZ << c.Flat1score << c.Flat2KHZ
    << c.Flat2score << c.AmpAv;
  return f.Take();
}

void PasteList::AddRaw(const TFileRec& s) {
  if (lines_.empty()) lines_.push_back(RawPasteHeader());
  lines_.push_back(RawPasteLine(s));
}

void PasteList::AddCall(const TFileRec& s) {
  if (lines_.empty()) lines_.push_back(CallPasteHeader(s));
  lines_.push_back(CallPasteLine(s));
}

std::string PasteList::Text() const {
  std::string out;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (i) out += msg::kPasteLineEnd;
    out += lines_[i];
  }
  return out;
}

}  // namespace zorvel
