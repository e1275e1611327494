#include "core/RecordReader.h"

#include <algorithm>
#include <string>

#include "core/Bytes.h"
#include "core/CallRecords.h"
#include "core/Messages.h"
#include "core/Tables.h"

namespace zorvel {

namespace {

constexpr int kReportMs = 5000;
constexpr int kShortReportMs = 3000;

bool MinuteBlocked(const TFileRec& s, const ReaderContext& ctx) {
  return !ctx.options.IgnoreFilters && s.ExcludedMinute;
}

// Thirteen characters of a record as text (bytes that are not printable become '.').
std::string RecordText(const uint8_t* r, int from) {
  std::string t;
  for (int i = from; i < kRecordBytes; ++i) t.push_back(r[i] >= 0x20 && r[i] <= 0x7E ? static_cast<char>(r[i]) : '.');
  return t;
}

void DecodeZV1WaveGroup(TFileRec& s, const uint8_t* r, bool expandIpis, bool extendedAmps) {
  tOct& o = s.aOct;
  int32_t ipiSum = 4;
  for (int i = 0; i < 8; ++i) {
    const int32_t ipi = expandIpis ? ExpandValue(r[3 + i]) : r[3 + i];
    o.IPIs[i] = ipi;
    o.KHZs[i] = KhzOfIpi(ipi);
    ipiSum += ipi;
  }
  o.IPIsum = ipiSum;
  o.FirstIPI = o.IPIs[0];
  int32_t splSum = 0;
  for (int j = 0; j < 4; ++j) {
    const int w = j < 2 ? j : j + 2;
    const int32_t amp = DecodeAmplitude(r[11 + j], o.IPIs[2 * j], extendedAmps);
    o.AMPs[w] = amp;
    o.AMPs[w + 2] = amp;
    splSum += amp;
  }
  o.SPLsum = splSum;
  o.GapPrecedes = false;
  o.OctHmic = 0;
  o.InCall = false;
  s.FeatureClass = tfNotFeature;
}

void DecodeZV2WaveGroup(TFileRec& s, const uint8_t* r, bool expandIpis, bool extendedAmps) {
  tOct& o = s.aOct;
  int32_t pairSum = 0;
  int32_t splSum = 0;
  for (int j = 0; j < 4; ++j) {
    const int w = j < 2 ? j : j + 2;
    const int32_t ipi = expandIpis ? ExpandValue(r[4 + 2 * j]) : r[4 + 2 * j];
    const int32_t khz = KhzOfIpi(ipi);
    o.IPIs[w] = o.IPIs[w + 2] = ipi;
    o.KHZs[w] = o.KHZs[w + 2] = khz;
    const int32_t amp = DecodeAmplitude(r[3 + 2 * j], ipi, extendedAmps);
    o.AMPs[w] = o.AMPs[w + 2] = amp;
    splSum += amp;
    pairSum += ipi;
  }
  o.IPIsum = 2 * (2 + pairSum);
  o.SPLsum = splSum;
  o.FirstIPI = o.IPIs[0];
  o.GapPrecedes = (r[13] & 0x40) != 0;
  o.OctHmic = (r[13] & 0x80) ? 1 : 0;
  o.InCall = true;
  s.FeatureClass = static_cast<tFeatureClass>(r[15] >> 5);
}

void TimingCheck(TFileRec& s, ReaderContext& ctx, int32_t tick) {
  if (s.TimingMessageShown || s.LastFiveMusecTime < 0 || tick > s.LastFiveMusecTime) return;
  s.TimingMessageShown = true;
  if (tick == s.LastFiveMusecTime) {
    if (tick > 0) ctx.host.TimedMessage(std::string(msg::kSameTime) + std::to_string(tick), 2000);
  } else {
    ctx.host.TimedMessage(std::string(msg::kWaveGroupAt) + std::to_string(tick) + std::string(msg::kPrecedesPreviousBy) +
                              std::to_string(s.LastFiveMusecTime - tick) + std::string(msg::kFiveMicrosecs),
                          2000);
  }
}

bool ReadWaveGroup(TFileRec& s, ReaderContext& ctx, const uint8_t* r) {
  const int32_t tick = static_cast<int32_t>(Be24(r));
  // Judged before any filter, so that what is skipped never depends on the filters.
  if (s.WaveOrder.RunsBackwards(tick)) {
    s.NrType = tNoRecClass;
    return false;
  }
  const bool zv2Layout = s.FileType == ftZV2 || s.FileType == ftZV3;
  if (MinuteBlocked(s, ctx) || (zv2Layout && !s.CallOK)) return false;
  s.NrType = tOctet;
  s.NrTime.FiveMuSec = tick;
  const bool expandIpis = s.HasExtendedIPIs || ctx.options.ForceExtendedIPIs;
  const bool extendedAmps = s.HasExtendedAmps || ctx.options.ForceExtendedSPL;
  if (zv2Layout) {
    DecodeZV2WaveGroup(s, r, expandIpis, extendedAmps);
    ++s.nZV2octShownInCall;
  } else {
    DecodeZV1WaveGroup(s, r, expandIpis, extendedAmps);
  }
  tOct& o = s.aOct;
  o.avF = std::min<int32_t>(255, 32000 / o.IPIsum);
  o.avSPL = o.SPLsum / 4;
  o.score = r[15] & 0x1F;
  o.SPLinUse = ctx.options.MicAdjustment ? s.KHZcalib[o.avF / 4] * o.avSPL / 16 : o.avSPL;
  if (ctx.options.ShowTimingMessages) TimingCheck(s, ctx, tick);
  s.LastFiveMusecTime = tick;
  if (!ctx.options.IgnoreFilters && ctx.filter && !ctx.filter->WaveGroupAccepted(s)) return false;
  ++s.OctInThisMinute;
  return true;
}

bool ReadCallC(TFileRec& s, ReaderContext& ctx, uint8_t* r) {
  if (MinuteBlocked(s, ctx)) {
    s.CallOK = false;
    return false;
  }
  DecodeCallC(r, s.aCall);
  s.NewCall = true;
  s.NrType = tCallrec;
  const bool seqFilter = ctx.filter && ctx.filter->SequenceFilterGiven();
  s.aCall.SeqFits = seqFilter ? ctx.filter->SeqFits(s.aCall) : true;
  if (ctx.options.IgnoreFilters || !ctx.filter) {
    s.CallOK = true;
  } else {
    s.CallOK = ctx.filter->CallAccepted(s);
  }
  if (!s.CallOK) return false;
  if (ctx.options.Mark != MarkMode::None && !s.ReadOnly) {
    const bool mark = ctx.options.Mark == MarkMode::Mark;
    if (s.aCall.Marked != mark) {
      r[kFlagsByte] = static_cast<uint8_t>(mark ? (r[kFlagsByte] | kFlagMarked) : (r[kFlagsByte] & ~kFlagMarked));
      s.aCall.Marked = mark;
      s.WriteBackChangesRequired = true;
    }
  }
  return true;
}

void ReadMinuteRecord(TFileRec& s, ReaderContext& ctx, const uint8_t* r) {
  s.NrType = tMinRec;
  s.WaveOrder.Restart();
  s.NrTime.Mn += 1;
  s.NrTime.FiveMuSec = 0;
  s.LastFiveMusecTime = -1;
  s.TimingMessageShown = false;
  s.OctInThisMinute = 0;
  if (s.NrTime.Mn > ctx.options.LastMinuteToShow) {
    s.InPlay = false;
    return;
  }
  s.PrevMinON = s.MinON;
  if (s.ZorvelVersion > 0) {
    s.LightN = r[6];
    s.HalfDegC_RTC = r[7] * 2;
    s.HalfDegCpreamp = r[8] - 20;
    s.MinON = (r[10] & 1) != 0;
    const int bat = (r[10] >> 1) & 3;
    s.BatInUse = bat == 0 ? 4 : bat;
    s.Bat1Vn = r[11];
    s.Bat2Vn = r[12];
    s.Bat3Vn = r[13];
    s.Bat4Vn = r[14];
    s.Bat1Voltage = r[11] * 0.1f;
    s.Bat2Voltage = r[12] * 0.1f;
    s.Bat3Voltage = r[13] * 0.1f;
    s.Bat4Voltage = r[14] * 0.1f;
  } else {
    // Files built from WAV recordings: the minute record names the minute's last WAV file.
    const int32_t lastWav = static_cast<int32_t>(Be24(r + 5));
    if (lastWav > 0) s.NLastWavFileOnDisplay = lastWav;
    s.MinON = true;
    s.HalfDegCpreamp = 22;
    s.LightN = 22;
    s.BatInUse = 1;
    s.Bat1Voltage = 50.0f;
  }
  // Minutes of files built from WAV recordings have fixed light and temperature: they are not
  // judged, and keep the verdict they had.
  if (s.ZorvelVersion > 0) {
    s.ExcludedMinute = false;
    if (!ctx.options.IgnoreFilters && ctx.filter && ctx.filter->MinuteFiltersOn())
      s.ExcludedMinute = ctx.filter->MinuteExcluded(s);
  }
  s.NewCall = false;
  s.DetectionText.clear();
  if (ctx.options.ExportTimeStamps) {
    std::string line;
    for (int i = 0; i < kRecordBytes; ++i) {
      if (i) line.push_back('\t');
      line += std::to_string(r[i]);
    }
    ctx.host.AddLine(Memo::DataMemo, line);
  }
}

void ReportOddRecord(TFileRec& s, ReaderContext& ctx, const uint8_t* r) {
  if (!ctx.host.AdministratorMode()) return;
  const uint8_t id = r[0];
  if (id == kIdIgnored) return;
  if (id == kIdRunError) {
    ctx.host.AddLine(Memo::ErrorsMemo, std::string(msg::kRunErrorCode) + std::to_string(r[1]) + "." +
                                           std::to_string(r[2]) + "\t" + RecordText(r, 3));
    return;
  }
  if (id == kIdScanSuppressed || id == kIdImportSuppressed) {
    if (s.ErrorMessageShown) return;
    s.ErrorMessageShown = true;
    if (id == kIdImportSuppressed) {
      ctx.host.TimedMessage(std::string(msg::kRunErrorCode) + std::to_string(r[0]) + "." + std::to_string(r[1]) +
                                std::to_string(r[2]) + "\t" + RecordText(r, 3),
                            kReportMs);
      const std::string idText = std::string(msg::kRecordIdentifierIs) + std::to_string(id);
      ctx.host.TimedMessage(idText, kShortReportMs);
      ctx.host.AddLine(Memo::DataMemo, idText);
    }
    return;
  }
  // Invalid identifier.
  const std::string minuteAndId = std::to_string(s.NrTime.Mn) + "\t" + std::to_string(id);
  if (!s.RecordClassErrorFound) {
    s.RecordClassErrorFound = true;
    ctx.host.TimedMessage(s.ShortName + std::string(msg::kRecordIdError), kReportMs);
    ctx.host.AddLine(Memo::ErrorsMemo, s.ShortName + std::string(msg::kRecordIdErrorAtMinute) + minuteAndId);
  } else {
    ctx.host.AddLine(Memo::ErrorsMemo, minuteAndId);
  }
}

}  // namespace

bool WriteBackIfChanged(TFileRec& s, Host& host) {
  if (!s.WriteBackChangesRequired) return true;
  s.WriteBackChangesRequired = false;
  if (!s.Infile || s.NumBytesRead <= 0) return true;
  const bool ok = s.Infile->WriteInPlace(s.BufFileOffset, s.FBuf.data(), static_cast<size_t>(s.NumBytesRead));
  if (ok) {
    s.NumBytesWritten += s.NumBytesRead;
  } else {
    host.TimedMessage(msg::kWritebackFailed, kWritebackFailedMs);
  }
  return ok;
}

bool LoadBufferAt(TFileRec& s, int64_t r, Host& host) {
  WriteBackIfChanged(s, host);
  if (s.FBuf.size() != static_cast<size_t>(kBufferBytes)) s.FBuf.assign(kBufferBytes, 0);
  s.BufFileOffset = r * kRecordBytes;
  const size_t n = s.Infile ? s.Infile->ReadAt(s.BufFileOffset, s.FBuf.data(), kBufferBytes) : 0;
  s.NumRecsRead = static_cast<int32_t>(n / kRecordBytes);
  s.NumBytesRead = s.NumRecsRead * kRecordBytes;
  s.BufPosn = 0;
  return s.NumRecsRead > 0;
}

bool RefillBuffer(TFileRec& s, Host& host) {
  const int64_t next = s.BufFileOffset + std::max(0, s.NumBytesRead);
  return LoadBufferAt(s, next / kRecordBytes, host);
}

bool ReadNextRecord(TFileRec& s, ReaderContext& ctx) {
  if (s.BufPosn >= s.NumBytesRead) {
    if (!s.InPlay || !s.Open || !RefillBuffer(s, ctx.host)) {
      s.InPlay = false;
      s.NrType = tEnd;
      return true;
    }
  }
  uint8_t* r = s.FBuf.data() + s.BufPosn;
  s.BufPosn += kRecordBytes;
  const uint8_t id = r[0];
  if (id <= kLastWaveGroupId) return ReadWaveGroup(s, ctx, r);
  s.NrType = tNoRecClass;
  switch (id) {
    case kIdCallA:
      if (s.FileType == ftZV2 || s.FileType == ftZV3) s.WaveOrder.Restart();
      if (!MinuteBlocked(s, ctx)) {
        DecodeCallA(r, s.aCall);
        s.aCall.ClBufPosnOfStart = s.BufPosn - kRecordBytes;
        s.nZV2octShownInCall = 0;
      }
      return false;
    case kIdCallB:
      if (!MinuteBlocked(s, ctx)) DecodeCallB(r, s.aCall);
      return false;
    case kIdCallC:
      return ReadCallC(s, ctx, r);
    case kIdMinute:
      ReadMinuteRecord(s, ctx, r);
      return true;
    case kIdEnd:
      s.NrType = tEnd;
      s.InPlay = false;
      WriteBackIfChanged(s, ctx.host);
      if (ctx.host.AdministratorMode() && s.NrTime.Mn < s.LastLoggedMin) {
        ctx.host.TimedMessage(std::string(msg::kTerminationMarker1) + std::to_string(s.LastLoggedMin - s.NrTime.Mn) +
                                  std::string(msg::kTerminationMarker2),
                              kShortReportMs);
      }
      return true;
    default:
      ReportOddRecord(s, ctx, r);
      return false;
  }
}

}  // namespace zorvel
