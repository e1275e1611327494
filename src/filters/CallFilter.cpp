#include "filters/CallFilter.h"

#include <algorithm>

#include "core/Tables.h"
#include "filters/Messages.h"

namespace zorvel {

namespace {
bool Within(int32_t v, const RangeValues& r, RangeEdit lo, RangeEdit hi) { return v >= r.Value(lo) && v <= r.Value(hi); }

bool SpeciesChecked(const SpeciesListModel& sp, int32_t n) { return n >= 0 && n < kSpeciesListSize && sp.Checked(n); }
}  // namespace

bool CallFilter::WaveGroupAccepted(const TFileRec& s) const {
  const RangeValues& r = f_.ranges;
  const tOct& o = s.aOct;
  return Within(o.avF, r, RangeEdit::MinOctKHZedit, RangeEdit::MaxOctKHZedit) &&
         Within(o.avSPL, r, RangeEdit::MinOctSPLEdit, RangeEdit::MaxOctSPLEdit) &&
         Within(o.score, r, RangeEdit::MinOctQEdit, RangeEdit::MaxOctQedit);
}

int32_t CallFilter::WaveGroupScoreCeiling(int32_t largestAvSPL) const {
  const RangeValues& r = f_.ranges;
  using E = RangeEdit;
  // avF runs 0 … 255, avSPL from 0 and scores 0 … 31.
  if (r.Value(E::MinOctKHZedit) > 0 || r.Value(E::MaxOctKHZedit) < 255 || r.Value(E::MinOctSPLEdit) > 0 ||
      r.Value(E::MaxOctSPLEdit) < largestAvSPL || r.Value(E::MinOctQEdit) > 0 || r.Value(E::MaxOctQedit) < 0)
    return -1;
  return std::min(r.Value(E::MaxOctQedit), 31);
}

bool CallFilter::AcceptsEveryCall() const {
  // Every test below is checked against the whole range its value can take when read from a
  // call record; anything narrower may reject a call.
  if (sp_.UseSpList() || !f_.noSpChk || !f_.FMchk || !f_.QCFchk || !f_.CFchk || !f_.IncludeFragments)
    return false;
  if (f_.Buzz.state != 0 || f_.Mark.state != 0 || f_.SocialCall.state != 0) return false;
  if (sp_.NoPoorSpecies || f_.CallHasThirdHarmonic || f_.sequence.Given()) return false;
  if (f_.MinTempParam > 0 || f_.MaxTempParam < 0) return false;
  const RangeValues& r = f_.ranges;
  using E = RangeEdit;
  auto covers = [&](E lo, E hi, int32_t largest) { return r.Value(lo) <= 0 && r.Value(hi) >= largest; };
  const int32_t largestCompact = DecodeCompact(255);
  return covers(E::MinDuration100MusecEdit, E::MaxDuration100MusecEdit, largestCompact) &&
         covers(E::MinCallQEdit, E::MaxCallQEdit, 15) &&
         covers(E::MinAvSPLEdit, E::MaxAvSPLEdit, largestCompact) &&
         covers(E::MinMaxCallKHZEdit, E::MaxMaxCallKHZEdit, 255) &&
         covers(E::MinMinCallKHZEdit, E::MaxMinCallKHZEdit, 255) &&
         covers(E::MinCallMedianKHZEdit, E::MaxCallMedianKHZEdit, 255) &&
         covers(E::MinFlatKHZEdit, E::MaxFlatKHZEdit, 333) &&
         covers(E::MinSlopeKHZedit, E::MaxSlopeKHZedit, 255) &&
         covers(E::MinBendUpKhzEdit, E::MaxBendUpKhzEdit, 255) &&
         covers(E::MinBendDownKhzEdit, E::MaxBendDownKhzEdit, 255);
}

bool CallFilter::CallPassesFilters(const tCall& c) const {
  if (sp_.UseSpList()) {
    const bool pass = (SpeciesChecked(sp_, c.SpN) && sp_.FilterSpN1) || (SpeciesChecked(sp_, c.Sp2N) && sp_.FilterSpN2) ||
                      (SpeciesChecked(sp_, c.Sp3N) && sp_.FilterSpN3);
    if (!pass) return false;
  } else {
    const bool classOn[] = {f_.noSpChk, f_.FMchk, f_.QCFchk, f_.CFchk};
    if (!classOn[c.CallType]) return false;
  }
  if (c.Reverb && !f_.IncludeFragments) return false;
  if (!f_.Buzz.Passes(c.BuzzCall) || !f_.Mark.Passes(c.Marked) || !f_.SocialCall.Passes(c.Social)) return false;
  if (c.SpConfidence < 1 && sp_.NoPoorSpecies) return false;
  const RangeValues& r = f_.ranges;
  using E = RangeEdit;
  if (!Within(c.Duration100Musecs, r, E::MinDuration100MusecEdit, E::MaxDuration100MusecEdit) ||
      !Within(c.avScore, r, E::MinCallQEdit, E::MaxCallQEdit) || !Within(c.AmpAv, r, E::MinAvSPLEdit, E::MaxAvSPLEdit) ||
      !Within(c.Fmax, r, E::MinMaxCallKHZEdit, E::MaxMaxCallKHZEdit) ||
      !Within(c.Fmin, r, E::MinMinCallKHZEdit, E::MaxMinCallKHZEdit) ||
      !Within(c.MedianKHZ, r, E::MinCallMedianKHZEdit, E::MaxCallMedianKHZEdit) ||
      !Within(c.Flat1KHZ, r, E::MinFlatKHZEdit, E::MaxFlatKHZEdit) ||
      !Within(c.MinSlopeKHZ, r, E::MinSlopeKHZedit, E::MaxSlopeKHZedit) ||
      !Within(c.UBkhz, r, E::MinBendUpKhzEdit, E::MaxBendUpKhzEdit) ||
      !Within(c.DBkhz, r, E::MinBendDownKhzEdit, E::MaxBendDownKhzEdit) ||
      c.TempParam < f_.MinTempParam || c.TempParam > f_.MaxTempParam)
    return false;
  if (c.HmicScore == 0 && f_.CallHasThirdHarmonic) return false;
  return c.SeqFits;
}

std::string FilterSummary(const FilterSettings& f) {
  if (f.IgnoreFilters) return "";
  const RangeValues& r = f.ranges;
  const std::string& kLo = r.Text(RangeEdit::MinOctKHZedit);
  const std::string& kHi = r.Text(RangeEdit::MaxOctKHZedit);
  const std::string& aLo = r.Text(RangeEdit::MinOctSPLEdit);
  const std::string& aHi = r.Text(RangeEdit::MaxOctSPLEdit);
  const bool freqSet = kLo != "0" || kHi != "333";
  const bool ampSet = aLo != "0" || aHi != "9999";
  if (!freqSet && !ampSet) return "";
  std::string out(msg::kClickFilter);
  if (freqSet) out += std::string(msg::kFreqPart) + kLo + "-" + kHi + "kHz, ";
  if (ampSet) out += std::string(msg::kAmplitudePart) + aLo + "-" + aHi + ",";
  return out;
}

}  // namespace zorvel
