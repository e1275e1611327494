// Listings of whole files: calibration bytes, file times, logger settings and firmware.
#include <array>

#include "core/BinaryFile.h"
#include "core/SlotFiles.h"
#include "export/DetailListings.h"
#include "export/ExportText.h"
#include "export/Messages.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {

namespace {
constexpr int kCalibFirstByte = 77;
constexpr int kCalibBytes = 50;
constexpr int kCalibFirstKhz = 18, kCalibLastKhz = 218, kCalibKhzStep = 4;
constexpr int64_t kMegabyte = 1'048'576;

std::string Joined(std::initializer_list<std::string> parts) {
  std::string out;
  bool first = true;
  for (const auto& p : parts) {
    if (!first) out += "\t";
    out += p;
    first = false;
  }
  return out;
}

std::string N(int64_t v) {
  return std::to_string(v);
}

// Opens each file in slot 1 of a private set of slots and hands it to row(); failed() gets the
// paths that would not open, whose number is returned.
template <typename Row, typename Failed>
int ForEachFile(const std::vector<std::string>& files, Host& host, Row row, Failed failed) {
  FileSlots slots;
  InitSlotSpeciesNames(slots);
  OpenOptions openOptions;
  openOptions.batchRunning = true;
  const int n = static_cast<int>(files.size());
  int failures = 0;
  for (int i = 0; i < n && !host.StopRequested(); ++i) {
    const std::string& path = files[static_cast<size_t>(i)];
    host.Progress(std::to_string(i + 1) + std::string(msg::kOf) + std::to_string(n), i, n);
    if (!OpenFileInSlot(slots, path, 1, host, openOptions).opened) {
      failed(path);
      ++failures;
      continue;
    }
    ApplyBuiltInSpeciesNames(slots, 1);
    row(slots[1]);
    CloseSlot(slots, 1);
  }
  return failures;
}
}  // namespace

int ListCalibration(const std::vector<std::string>& files, Host& host) {
  if (files.empty()) {
    host.TimedMessage(msg::kNoFilesSelected, 2000);
    return 0;
  }
  host.AddLine(Memo::DataMemo, msg::kValuesAreDb);
  std::string heading(msg::kCalibrationHeadingStart);
  for (int f = kCalibFirstKhz; f <= kCalibLastKhz; f += kCalibKhzStep)
    heading += "\t" + N(f) + std::string(msg::kKhz);
  host.AddLine(Memo::DataMemo, heading);
  return ForEachFile(
      files, host,
      [&host](TFileRec& s) {
        std::array<uint8_t, kCalibBytes> bytes{};
        if (s.Infile) s.Infile->ReadAt(kCalibFirstByte, bytes.data(), bytes.size());
        std::string row = s.ShortName + "\t" + s.ZorvelIDstr;
        for (uint8_t v : bytes) row += "\t" + N(v / 10) + "." + N(v % 10);
        host.AddLine(Memo::DataMemo, row);
      },
      [](const std::string&) {});
}

bool AskListUserSettings(Host& host) {
  return host.Ask(msg::kListUserSettingsQuestion, Buttons::YesNo) == Answer::Yes;
}

bool AskIncludeDeployment(Host& host) {
  return host.Ask(msg::kIncludeDeployment, Buttons::YesNo) == Answer::Yes;
}

int ListFileTimes(const std::vector<std::string>& files, bool withDeployment, Host& host) {
  std::string heading(msg::kFileTimesHeading);
  if (withDeployment) heading += std::string(msg::kDeploymentHeading);
  host.AddLine(Memo::DataMemo, heading);
  const int failures = ForEachFile(
      files, host,
      [&](TFileRec& s) {
        const int64_t size = FileSizeOf(s.FullFileName);
        std::string row =
            Joined({s.ShortName, s.ZorvelIDstr, ExportDateTimeText(s.FirstLoggedMin),
                    ExportDateTimeText(s.LastLoggedMin), N(s.FirstLoggedMin), N(s.LastLoggedMin),
                    FixedPoint(static_cast<int64_t>(s.LastProcessMin) - s.FirstProcessMin + 1, 1440, 2),
                    FixedPoint(size < 0 ? 0 : size, kMegabyte, 2)});
        if (withDeployment)
          row += "\t" +
                 Joined({s.LatText, s.LongText, s.LocationText, s.NotesText, s.GMTText, s.SpClassifierName});
        host.AddLine(Memo::DataMemo, row);
      },
      [&host](const std::string& path) {
        host.AddLine(Memo::DataMemo, std::string(msg::kErrorSpace) + path);
      });
  host.Progress(msg::kListFilesCaption, 1, 1);
  host.Progress(msg::kZorvelCompletedList, 1, 1);
  host.Progress(msg::kListOnResultsPage, 1, 1);
  return failures;
}

std::vector<std::string> ListBatchSettings(const std::vector<std::string>& files, bool userSettings,
                                           Host& host, int* failures) {
  std::vector<std::string> lines;
  if (files.empty()) {
    host.TimedMessage(msg::kNoFilesSelected, 2000);
    return lines;
  }
  lines.emplace_back(userSettings ? msg::kUserSettingsHeading : msg::kFirmwareHeading);
  const int failed = ForEachFile(
      files, host,
      [&](TFileRec& s) {
        if (userSettings) {
          lines.push_back(
              Joined({s.ShortName, s.ZorvelIDstr, N(s.LightSwitchLevel), N(s.ChunkLimit), N(s.ChunksPerMin),
                      N(s.MinsOffBetweenMinsON), N(s.Gain), FixedPoint(s.BatterySwitchLevel, 10, 1),
                      N(s.PowerDownLevel), s.HiPassFilterStr, N(s.PenaltyThreshold), N(s.TriadThreshold),
                      N(s.ScoreThreshold), N(s.Over160kUplift), N(s.Under160kUplift), N(s.Under80kUplift),
                      N(s.Under40kUplift)}));
        } else {
          lines.push_back(Joined({s.ShortName, s.ZorvelIDstr, s.DateOfManufacture, N(s.MainBoardVersion),
                                  s.PICcodeVersionStr, s.FPGAcodeVersionStr, N(s.PreAmpVersion),
                                  N(s.LightSensorVersion)}));
        }
      },
      [&lines](const std::string& path) { lines.push_back(std::string(msg::kFailedToRead) + path); });
  host.Progress(msg::kSettingsCaption, 1, 1);
  host.Progress(msg::kZorvelCompletedSettings, 1, 1);
  if (failures) *failures = failed;
  return lines;
}

std::string OpenFileSettingsRow(const TFileRec& s) {
  std::string bonus;
  for (uint8_t b : s.IPIbelowCountBonus) bonus += N(b) + ",";
  const size_t sizeClass = std::min<size_t>(s.MaxFileSizeClass, 5);
  return Joined({s.ShortName,
                 s.ZorvelIDstr,
                 N(s.Gain),
                 N(s.FPGADeadband),
                 s.HiPassFilterStr,
                 N(s.PenaltyThreshold),
                 N(s.TriadThreshold),
                 N(s.ScoreThreshold),
                 N(s.Over160kUplift),
                 N(s.Under160kUplift),
                 N(s.Under80kUplift),
                 N(s.Under40kUplift),
                 N(s.IPIbelowVal),
                 bonus,
                 N(s.ADCdeadband),
                 N(s.PkDetMode),
                 s.DateOfManufacture,
                 N(s.MainBoardVersion),
                 s.PICcodeVersionStr,
                 s.FPGAcodeVersionStr,
                 std::string(s.HasExtendedIPIs ? msg::kMinKhz9 : msg::kMinKhz17),
                 N(s.PreAmpVersion),
                 N(s.LightSwitchLevel),
                 FixedPoint(s.BatterySwitchLevel, 10, 1),
                 N(s.MinsOffBetweenMinsON),
                 MonthList(s.MonthsOFF),
                 std::string(msg::kFileSizeLimits[sizeClass])});
}

std::vector<std::string> OpenFileSettingsLines(const FileSlots& slots) {
  std::vector<std::string> lines{std::string(msg::kOpenSettingsHeading)};
  for (int i = 1; i <= kSlotCount; ++i) {
    if (!slots[i].Open) continue;
    if (i > 1 && slots[i - 1].Open && slots[i - 1].ShortName == slots[i].ShortName) continue;
    lines.push_back(OpenFileSettingsRow(slots[i]));
  }
  return lines;
}

std::string ClipboardText(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

}  // namespace zorvel
