// The filters as the record reader sees them: the call test, the wave-group test and the minute
// test, over the values the window's controls hold.
#pragma once

#include <string>

#include "core/RecordReader.h"
#include "filters/MinuteFilter.h"
#include "filters/RangeEdits.h"
#include "filters/Sequence.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {

// A filter label that cycles 0 -> 1 -> 2 -> 0: calls with the flag included, excluded, or only.
struct ThreeWay {
  int state = 0;
  void Click() { state = (state + 1) % 3; }
  // False when a call with (or without) the flag is to be rejected.
  bool Passes(bool flag) const { return !((state == 1 && flag) || (state == 2 && !flag)); }
};

struct FilterSettings {
  RangeValues ranges;
  int32_t MinTempParam = 0, MaxTempParam = 0;  // developer form; starts as 0 … 0
  bool CFchk = true, QCFchk = true, FMchk = true, noSpChk = true;
  bool IncludeFragments = true;
  bool CallHasThirdHarmonic = false;
  ThreeWay Buzz, Mark, SocialCall;
  SequenceEdits sequence;
  MinuteFilterValues minutes;
  bool IgnoreFilters = false;
};

class CallFilter : public RecordFilter {
 public:
  CallFilter(const FilterSettings& settings, const SpeciesListModel& species) : f_(settings), sp_(species) {}

  bool MinuteFiltersOn() const override { return f_.minutes.MinuteFiltersActive(); }
  bool MinuteExcluded(const TFileRec& s) const override { return f_.minutes.MinuteIsExcluded(s); }
  bool WaveGroupAccepted(const TFileRec& s) const override;
  bool SequenceFilterGiven() const override { return f_.sequence.Given(); }
  bool SeqFits(const tCall& c) const override { return f_.sequence.Fits(c.Seq); }
  bool CallAccepted(const TFileRec& s) const override { return CallPassesFilters(s.aCall); }
  int32_t WaveGroupScoreCeiling(int32_t largestAvSPL) const override;
  bool AcceptsEveryCall() const override;

  bool CallPassesFilters(const tCall& c) const;

 private:
  const FilterSettings& f_;
  const SpeciesListModel& sp_;
};

// The summary of the click filters shown on the display and the Export page.
std::string FilterSummary(const FilterSettings& f);

}  // namespace zorvel
