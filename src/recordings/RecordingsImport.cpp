#include "recordings/RecordingsImport.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

#include "core/AtomicFile.h"
#include "core/OutputGuard.h"
#include "core/WavIndex.h"
#include "recordings/Messages.h"

namespace zorvel::rec {

namespace fs = std::filesystem;

namespace {

constexpr double kSecondsPerDay = 86'400;
constexpr double kNoon = 43'200;

// The output folder exists and takes a file.
bool Writable(const std::string& folder, std::string& why) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder)) {
    why = ec ? ec.message() : folder;
    return false;
  }
  const std::string probe = (fs::path(folder) / ".zorvel-write-test").string();
  if (!WriteWholeFile(probe, "", 0, &why)) return false;
  fs::remove(probe, ec);
  return true;
}

std::string SourceName(const std::vector<RecordingInfo>& recs) {
  const RecordingInfo& r = recs.front();
  if (!r.model.empty()) return r.model;
  if (!r.make.empty()) return r.make;
  return fs::path(r.path).parent_path().filename().string();
}

}  // namespace

bool RecordingsImportResult::AllRead() const {
  return error.empty() && !stopped &&
         std::none_of(skipped.begin(), skipped.end(), [](const SkippedRecording& s) { return s.failed; });
}

std::vector<std::string> RecordingsImportResult::Summary() const {
  std::vector<std::string> lines;
  lines.push_back(std::string(msg::rec::kSummaryRead) + std::to_string(read) + "\t" +
                  std::string(msg::rec::kSummarySkipped) + std::to_string(skipped.size()) + "\t" +
                  std::string(msg::rec::kSummaryMinutes) + std::to_string(minutes) + "\t" +
                  std::string(msg::rec::kSummaryGroups) + std::to_string(groups) + "\t" +
                  std::string(msg::rec::kSummaryFiles) + std::to_string(madeFiles.size()));
  for (const SkippedRecording& s : skipped) lines.push_back(s.path + ": " + s.reason);
  return lines;
}

std::vector<std::string> GatherRecordings(const RecordingsImportOptions& o, std::vector<SkippedRecording>& skipped) {
  std::vector<std::string> files;
  for (const std::string& in : o.inputs) {
    std::error_code ec;
    if (!fs::is_directory(in, ec)) {
      files.push_back(in);  // a file named on its own is read whatever its name
      continue;
    }
    std::vector<std::string> found;
    auto take = [&](const fs::directory_entry& e) {
      const std::string p = e.path().string();
      // Pipes, devices and broken links are named, never passed over in silence.
      if (std::string problem = NotRegularFileProblem(p); !problem.empty()) {
        skipped.push_back({p, std::move(problem), true});
        return;
      }
      std::error_code fec;
      if (e.is_directory(fec)) {
        if (!o.recursive && LooksLikeRecording(p))
          skipped.push_back({p, std::string(msg::rec::kSubfolderSkipped), false});
        return;
      }
      if (!e.is_regular_file(fec)) return;
      if (LooksLikeRecording(p))
        found.push_back(p);
      else
        skipped.push_back({p, std::string(msg::rec::kNotAudio), false});
    };
    if (o.recursive) {
      for (auto it = fs::recursive_directory_iterator(in, fs::directory_options::skip_permission_denied, ec);
           !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        take(*it);
    } else {
      for (auto it = fs::directory_iterator(in, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) take(*it);
    }
    std::sort(found.begin(), found.end());
    if (found.empty()) skipped.push_back({in, std::string(msg::rec::kFolderWithoutRecordings), false});
    files.insert(files.end(), found.begin(), found.end());
  }
  return files;
}

RecordingsImportResult ImportRecordings(const RecordingsImportOptions& o, Host& host) {
  RecordingsImportResult out;
  std::string why;
  if (!Writable(o.outFolder, why)) {
    out.error = std::string(msg::rec::kCannotWriteOut) + o.outFolder + (why.empty() ? "" : " (" + why + ")");
    return out;
  }
  const std::vector<std::string> files = GatherRecordings(o, out.skipped);
  // First the headers: start times decide the nights and the order.
  std::vector<RecordingInfo> recs;
  recs.reserve(files.size());
  for (const std::string& f : files) {
    RecordingInfo r = ProbeRecording(f, o.read);
    for (const std::string& w : r.warnings) host.AddLine(Memo::UploadMemo, f + ": " + w);
    if (!r.ok) {
      host.AddLine(Memo::UploadMemo, f + ": " + r.error);
      out.skipped.push_back({f, r.error, true});
      continue;
    }
    recs.push_back(std::move(r));
  }
  if (recs.empty()) {
    if (files.empty()) out.error = msg::rec::kNoRecordings;
    return out;
  }
  std::stable_sort(recs.begin(), recs.end(), [](const RecordingInfo& a, const RecordingInfo& b) { return a.start < b.start; });
  // Nights (noon to noon) or folders.
  std::map<std::string, std::vector<RecordingInfo>> groups;
  std::map<std::string, double> groupDate;
  for (RecordingInfo& r : recs) {
    const double night = std::floor((r.start - kNoon) / kSecondsPerDay);
    std::string key = o.oneFile ? fs::path(r.path).parent_path().string() : std::to_string(static_cast<int64_t>(night));
    if (!o.oneFile) key = std::string(12 - std::min<size_t>(12, key.size()), '0') + key;  // sorts by night
    if (!groupDate.count(key)) groupDate[key] = night * kSecondsPerDay + kNoon;
    groups[key].push_back(std::move(r));
  }
  const int total = static_cast<int>(recs.size());
  int done = 0, n = 0;
  for (auto& group : groups) {
    // Named, not bound: lambdas below capture them.
    const std::string& key = group.first;
    std::vector<RecordingInfo>& list = group.second;
    const int32_t dateMinute = MinuteOfSeconds(groupDate[key]);
    std::string name = RecordingsFileName(o.place.location, dateMinute, SourceName(list), n++);
    const std::string path = (fs::path(o.outFolder) / name).string();
    // A file given on its own is read whatever its name, so a made file or its index could land
    // on a recording of this very import.
    std::string refused = OutputProblem(path, files, OutputKind::DataFile);
    if (refused.empty()) refused = OutputProblem(WavIndexPath(path), files, OutputKind::Text);
    if (!refused.empty()) {
      const std::string target =
          OutputProblem(path, files, OutputKind::DataFile).empty() ? WavIndexPath(path) : path;
      host.AddLine(Memo::UploadMemo, target + ": " + refused);
      for (const RecordingInfo& rec : list) out.skipped.push_back({rec.path, target + ": " + refused, true});
      continue;
    }
    const NightFileResult r = WriteNightFile(path, list, o.read, o.place, [&](size_t i) {
      if (host.StopRequested()) return false;
      host.Progress(std::string(msg::rec::kReadingRecording) + fs::path(list[i].path).filename().string(), done++, total);
      return true;
    });
    for (const std::string& f : r.failed) {
      host.AddLine(Memo::UploadMemo, f);
      const size_t colon = f.find(": ");
      out.skipped.push_back({f.substr(0, colon), colon == std::string::npos ? f : f.substr(colon + 2), true});
    }
    if (r.stopped) {
      out.stopped = true;
      host.AddLine(Memo::UploadMemo, msg::rec::kImportStopped);
      break;
    }
    if (!r.ok) {
      host.AddLine(Memo::UploadMemo, std::string(msg::rec::kFailedWrite) + path + ": " + r.error);
      for (const RecordingInfo& rec : list) out.skipped.push_back({rec.path, std::string(msg::rec::kFailedWrite) + path, true});
      continue;
    }
    out.read += static_cast<int>(list.size() - r.failed.size());
    out.minutes += r.minutes;
    out.groups += r.groups;
    out.madeFiles.push_back(path);
  }
  host.Progress({}, total, total);
  return out;
}

}  // namespace zorvel::rec
