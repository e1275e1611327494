// zorvel-cli dump FILE [--from MIN] [--to MIN]: one decoded line per record, minute numbers
// counted as the reader counts them (each minute record opens the next minute).
#include <climits>
#include <iostream>
#include <sstream>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/OpenForCli.h"
#include "core/CallRecords.h"
#include "core/MinuteMap.h"
#include "core/RecordReader.h"
#include "core/TimeBase.h"

namespace zorvel::cli {

namespace {
struct DumpOptions {
  std::string file;
  int32_t from = INT32_MIN;
  int32_t to = INT32_MAX;
};

std::string Hex(uint8_t b) {
  static const char* d = "0123456789ABCDEF";
  return std::string{'0', 'x', d[b >> 4], d[b & 15]};
}

void PrintOctet(std::ostream& out, const TFileRec& s) {
  const tOct& o = s.aOct;
  out << "wave " << s.NrTime.Mn << ' ' << s.NrTime.FiveMuSec << " score=" << o.score << " avF=" << o.avF
      << " avSPL=" << o.avSPL << " ipi=";
  for (int i = 0; i < 8; ++i) out << (i ? "," : "") << o.IPIs[i];
  out << " amp=";
  for (int i = 0; i < 8; ++i) out << (i ? "," : "") << o.AMPs[i];
  if (s.FileType != ftZV1)
    out << " feature=" << static_cast<int>(s.FeatureClass) << " hmic=" << o.OctHmic << " gap=" << o.GapPrecedes;
  out << '\n';
}

void PrintCall(std::ostream& out, const TFileRec& s) {
  const tCall& c = s.aCall;
  out << "call " << s.NrTime.Mn << ' ' << c.StartTime << " number=" << c.Number << " type=" << static_cast<int>(c.CallType)
      << " sp=" << c.SpN << ',' << c.Sp2N << ',' << c.Sp3N << " conf=" << c.SpConfidence << " dur100us="
      << c.Duration100Musecs << " fmin=" << c.Fmin << " fmax=" << c.Fmax << " fstart=" << c.Fstart << " fend=" << c.Fend
      << " fav=" << c.Fav << " octs=" << c.nSelOctInCall << " seq=" << c.Seq << " marked=" << c.Marked
      << " buzz=" << c.BuzzCall << '\n';
}

void PrintMinute(std::ostream& out, const TFileRec& s) {
  out << "minute " << s.NrTime.Mn << ' ' << MinuteDateTimeText(s.NrTime.Mn) << " on=" << s.MinON
      << " light=" << s.LightN << " rtc=" << s.HalfDegC_RTC << " preamp=" << s.HalfDegCpreamp
      << " bat=" << s.BatInUse << " v=" << s.Bat1Vn << ',' << s.Bat2Vn << ',' << s.Bat3Vn << ',' << s.Bat4Vn << '\n';
}

int RunDump(const DumpOptions& o) {
  ConsoleHost host;
  FileSlots slots;
  if (!OpenForCli(slots, o.file, host)) return 1;
  TFileRec& s = slots[1];
  const int32_t from = std::max(o.from, s.FirstLoggedMin);
  if (from > s.LastLoggedMin || !SeekToMinuteStart(slots, 1, from, host, false)) return 0;
  ReaderContext ctx{host};
  ctx.options.IgnoreFilters = true;
  std::ostringstream out;
  while (true) {
    const bool haveRecord = s.BufPosn < s.NumBytesRead || RefillBuffer(s, host);
    const uint8_t id = haveRecord ? s.FBuf[static_cast<size_t>(s.BufPosn)] : kIdEnd;
    if (!haveRecord) {
      out << "end of file without end record\n";
      break;
    }
    if (id == kIdMinute && s.NrTime.Mn + 1 > o.to) break;
    ReadNextRecord(s, ctx);
    if (id <= kLastWaveGroupId && s.NrType == tOctet) {
      PrintOctet(out, s);
    } else if (id <= kLastWaveGroupId) {
      // skipped by the reader because its time runs backwards: shown as such a mark reads
      out << "other " << s.NrTime.Mn << ' ' << Hex(kIdScanSuppressed) << '\n';
    } else if (id == kIdMinute) {
      PrintMinute(out, s);
    } else if (id == kIdCallC) {
      PrintCall(out, s);
    } else if (id == kIdCallA || id == kIdCallB) {
      // the call is printed whole when record C completes it
    } else if (id == kIdEnd) {
      out << "end " << s.NrTime.Mn << '\n';
      break;
    } else {
      out << "other " << s.NrTime.Mn << ' ' << Hex(id) << '\n';
    }
    if (out.tellp() > (1 << 20)) {
      std::cout << out.str();
      out.str("");
    }
  }
  std::cout << out.str();
  return 0;
}
}  // namespace

void RegisterDumpCommand(CLI::App& app) {
  auto opts = std::make_shared<DumpOptions>();
  auto* cmd = app.add_subcommand("dump", "Print one decoded line per record");
  cmd->add_option("FILE", opts->file, "ZV1, ZV2 or ZV3 file")->required();
  cmd->add_option("--from", opts->from, "First minute number to print");
  cmd->add_option("--to", opts->to, "Last minute number to print");
  cmd->callback([opts] {
    if (const int rc = RunDump(*opts)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
