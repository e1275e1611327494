// The counting and the texts of the file graphs.
#include "display/Graphs.h"

#include <algorithm>

#include "core/MinuteSummary.h"
#include "display/Messages.h"

namespace zorvel {
namespace {

size_t Bin(int32_t v) {
  return static_cast<size_t>(std::clamp(v, 0, kGraphBins - 1));
}

// The value a call adds to a call-based histogram.
int32_t CallValue(const tCall& c, tGraphType t) {
  switch (t) {
    case tKHZmaxE:
      return c.ModalKHZ;
    case tMaxKHZ:
      return c.Fmax;
    case tMinKHZ:
      return c.Fmin;
    case tMaxSlope:
      return c.MaxIPIriseKHZ;
    case tMinSlope:
      return c.MinSlopeKHZ;
    case tFlatKHZ:
      return c.Flat1KHZ;
    case tBendUpKHZ:
      return c.UBkhz;
    case tBendDownKHZ:
      return c.DBkhz;
    case tDuration:
      return std::min(255, c.Duration100Musecs);
    default:
      return -1;
  }
}

}  // namespace

bool IsCallGraph(tGraphType t) {
  return t >= tKHZmaxE && t <= tBendDownKHZ;
}

void GraphTally::Add(const TFileRec& s) {
  if (s.NrType == tMinRec) {
    // A call is counted at its first wave group in its own minute, as the reader's NewCall is.
    callPending = false;
    ++minutes;
    if (type == tDiel) {
      DielBin& b = diel[static_cast<size_t>((((s.NrTime.Mn % 1440) + 1440) % 1440) / 10)];
      ++b.minutes;
      if (s.MinON) ++b.onMinutes;
      b.lightSum += s.LightN;
      b.tempSum += static_cast<double>(s.HalfDegCpreamp);
    }
    return;
  }
  if (s.NrType == tCallrec) {
    callPending = true;
    return;
  }
  if (s.NrType != tOctet) return;
  ++octets;
  const tOct& o = s.aOct;
  if (callPending) {
    callPending = false;
    ++calls;
    const int32_t v = CallValue(s.aCall, type);
    if (v >= 0 && fileType != ftZV1) ++hist[Bin(v)];
  }
  if (type == tDiel) {
    DielBin& b = diel[static_cast<size_t>((((s.NrTime.Mn % 1440) + 1440) % 1440) / 10)];
    ++b.octets;
    ++b.khz[static_cast<size_t>(std::clamp(o.avF / 4, 0, kDielKHzClasses - 1))];
    return;
  }
  // A raw file's wave groups are not yet sorted into calls and echoes: its graph is the energy
  // per frequency, whatever type is asked for.
  if (fileType == ftZV1) {
    hist[Bin(o.avF)] += std::max(0, o.avSPL);
    return;
  }
  switch (type) {
    case tKHZdwell:
      ++hist[Bin(o.avF)];
      break;
    case tSpectrum:
      hist[Bin(o.avF)] += std::max(0, o.avSPL);
      break;
    case tAmplitude:
      ++hist[Bin(o.avSPL)];
      break;
    default:
      break;
  }
}

namespace {

constexpr int32_t kMinutesBetweenStopChecks = 1440;

// The tally of whole minutes [s.NrTime.Mn, endMin) from the slot's summary: the same sums that
// Add() makes record by record.
GraphTally TallyFromSummary(TFileRec& s, const MinuteSummary& sum, int layers, tGraphType type,
                            int32_t endMin, ReaderContext& reader) {
  GraphTally t;
  t.type = type;
  t.fileType = s.FileType;
  const int32_t first = s.FirstLoggedMin, last = first + sum.MinuteCount() - 1;
  const bool minuteFilters =
      !reader.options.IgnoreFilters && reader.filter && reader.filter->MinuteFiltersOn();
  const uint8_t counted = layers == 1 ? kSummaryCallCountedLow : kSummaryCallCountedAny;
  TFileRec minute;
  MinuteDigest d;
  for (int32_t m = std::max(s.NrTime.Mn, first); m < endMin && m <= last; ++m) {
    if ((m - first) % kMinutesBetweenStopChecks == 0 && reader.host.StopRequested()) break;
    if (!sum.Minute(m - first, d)) continue;
    ApplyMinuteValues(minute, d);
    minute.NrTime = {m, 0};
    minute.NrType = tMinRec;
    t.Add(minute);
    if (minuteFilters && reader.filter->MinuteExcluded(minute)) continue;
    DielBin& bin = t.diel[static_cast<size_t>((((m % 1440) + 1440) % 1440) / 10)];
    for (size_t l = 0; l < static_cast<size_t>(layers); ++l) {
      for (const SummaryFreqRow& row : d.freq[l]) {
        t.octets += row.count;
        if (type == tDiel) {
          bin.octets += row.count;
          bin.khz[static_cast<size_t>(std::clamp(row.bin / 4, 0, kDielKHzClasses - 1))] += row.count;
        } else if (s.FileType == ftZV1 || type == tSpectrum) {
          t.hist[row.bin] += static_cast<int64_t>(row.splSum);
        } else if (type == tKHZdwell) {
          t.hist[row.bin] += row.count;
        }
      }
      if (type == tAmplitude && s.FileType != ftZV1)
        for (const SummaryAmpRow& row : d.amp[l]) t.hist[row.bin] += row.count;
    }
    for (const SummaryCall& c : d.calls) {
      if (!(c.flags & counted)) continue;
      ++t.calls;
      const int32_t v = CallValue(c.call, type);
      if (v >= 0 && s.FileType != ftZV1) ++t.hist[Bin(v)];
    }
  }
  return t;
}

}  // namespace

GraphTally TallySlot(TFileRec& s, tGraphType type, TRecTime end, ReaderContext& reader, bool allowSummary) {
  int layers = kSummaryLayers;
  // The summary holds whole minutes, and takes over where the slot stands on a minute record.
  if (allowSummary && end.FiveMuSec == 0 && s.InPlay && s.NrType == tMinRec) {
    if (const MinuteSummary* sum = ServingSummary(s, reader, &layers))
      return TallyFromSummary(s, *sum, layers, type, end.Mn, reader);
  }
  GraphTally t;
  t.type = type;
  t.fileType = s.FileType;
  while (s.InPlay && s.NrType != tEnd && ItemTime(s) < end) {
    if (reader.host.StopRequested()) break;
    t.Add(s);
    ReadNextUsedRecord(s, reader);
  }
  return t;
}

GraphHistogram SmoothBins(const GraphHistogram& h) {
  GraphHistogram r = h;
  for (size_t i = 2; i + 2 < h.size(); ++i)
    r[i] = h[i - 2] + 2 * h[i - 1] + 3 * h[i] + 2 * h[i + 1] + h[i + 2];
  return r;
}

GraphMode FindMode(const GraphHistogram& h) {
  GraphMode m;
  for (int i = 6; i < kGraphBins; ++i)
    if (h[static_cast<size_t>(i)] > m.count) m = {i, h[static_cast<size_t>(i)]};
  return m;
}

std::string DataAmountText(int64_t n, bool padded) {
  if (n <= 1) return std::string(padded ? msg::kLessThan2MinutesPadded : msg::kLessThan2Minutes);
  if (n <= 239)
    return std::to_string(n) + std::string(padded ? msg::kMinutesOfDataPadded : msg::kMinutesOfData);
  if (n >= 2880)
    return std::to_string(n / 1440) + std::string(padded ? msg::kDaysOfDataPadded : msg::kDaysOfData);
  return std::to_string(n / 60) + std::string(padded ? msg::kHoursOfDataPadded : msg::kHoursOfData);
}

std::string ModeText(tGraphType t, const GraphMode& m) {
  const std::string n = std::to_string(m.count);
  if (t == tDuration)
    return std::string(msg::kModalDuration) + std::to_string(m.bin / 10) + "." + std::to_string(m.bin % 10) +
           std::string(msg::kModalDurationMid) + n + std::string(msg::kModalDurationEnd);
  if (t == tAmplitude)
    return std::string(msg::kModalAmplitude) + std::to_string(m.bin) + std::string(msg::kModalAmplitudeMid) +
           n + std::string(msg::kModalEnd);
  return std::string(msg::kModalFrequency) + std::to_string(m.bin) + std::string(msg::kModalFrequencyMid) +
         n + std::string(msg::kModalEnd);
}

std::string WithThousands(int64_t n) {
  std::string digits = std::to_string(n < 0 ? -n : n), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return n < 0 ? "-" + out : out;
}

std::string WavesText(int64_t octets) {
  return std::string(msg::kNWaves) + WithThousands(8 * octets) + std::string(msg::kCountTail);
}

std::string CallsText(int64_t calls) {
  return std::string(msg::kNOfCalls) + std::to_string(calls) + std::string(msg::kCountTail);
}

std::string GraphCaption(tGraphType t) {
  return std::string(msg::kGraphTypeCaptions[std::min<size_t>(t, msg::kGraphTypeCaptions.size() - 1)]);
}

}  // namespace zorvel
