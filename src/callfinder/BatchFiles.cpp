#include "callfinder/BatchFiles.h"

#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/BinaryFile.h"
#include "core/SlotFiles.h"

namespace zorvel {

namespace {

using Report = std::function<void(Host&, BatchObserver&)>;

// A Host for a file running beside others: what it is told is kept, in order, to be told to the
// real host when the file's turn comes. The processing of a file asks nothing and never stops
// half-way, so questions and stop requests need no answer from the window here.
class KeptHost : public Host {
 public:
  KeptHost(std::vector<Report>& reports, bool admin) : reports_(reports), admin_(admin) {}
  void TimedMessage(std::string_view text, int ms) override {
    reports_.push_back([t = std::string(text), ms](Host& h, BatchObserver&) { h.TimedMessage(t, ms); });
  }
  void AddLine(Memo memo, std::string_view line) override {
    reports_.push_back([memo, l = std::string(line)](Host& h, BatchObserver&) { h.AddLine(memo, l); });
  }
  Answer Ask(std::string_view, Buttons) override { return Answer::No; }
  std::optional<std::string> ChooseSavePath(const SaveRequest&) override { return std::nullopt; }
  void Progress(std::string_view, int, int) override {}
  bool StopRequested() override { return false; }
  bool AdministratorMode() const override { return admin_; }

 private:
  std::vector<Report>& reports_;
  bool admin_;
};

class KeptObserver : public BatchObserver {
 public:
  KeptObserver(std::vector<Report>& reports, bool marks) : reports_(reports), marks_(marks) {}
  void FileStarted(int i, int n, const std::string& path) override {
    reports_.push_back([i, n, path](Host&, BatchObserver& o) { o.FileStarted(i, n, path); });
  }
  void GraphMark(const cf::GraphMark& g) override {
    reports_.push_back([g](Host&, BatchObserver& o) { o.GraphMark(g); });
  }
  bool WantsGraphMarks() const override { return marks_; }

 private:
  std::vector<Report>& reports_;
  bool marks_;
};

struct FileRun {
  std::vector<Report> reports;
  std::vector<std::string> exportLines;
  FileStep step;
  bool done = false;
};

}  // namespace

bool FilesSideBySide(const std::vector<std::string>& files, int jobs) {
  if (jobs < 2 || files.size() < 2) return false;
  for (const std::string& f : files)
    if (FileSizeOf(f) > kSideBySideFileBytes) return false;
  return true;
}

void RunFilesSideBySide(const std::vector<std::string>& files, const BatchOptions& options,
                        const FinderSettings& settings, int jobs, Host& host, BatchObserver& obs,
                        std::vector<std::string>& exportLines,
                        const std::function<bool(int, const FileStep&)>& account) {
  const int n = static_cast<int>(files.size());
  const bool admin = host.AdministratorMode();
  const bool marks = obs.WantsGraphMarks();
  std::vector<FileRun> runs(static_cast<size_t>(n));
  int next = 0;  // the next file to start
  int reportedCount = 0;
  bool stop = false;  // start no more files
  std::mutex mutex;
  std::condition_variable finished, reportedMore;

  auto worker = [&] {
    RunStorage storage(1, settings);
    FileSlots slots;
    for (;;) {
      int i = 0;
      {
        // No file starts more than `jobs` ahead of the reports: a stop is never far behind, and
        // the reports kept waiting stay few.
        std::unique_lock<std::mutex> lock(mutex);
        reportedMore.wait(lock, [&] { return stop || next >= n || next < reportedCount + jobs; });
        if (stop || next >= n) return;
        i = next++;
      }
      FileRun& run = runs[static_cast<size_t>(i)];
      KeptHost kept(run.reports, admin);
      KeptObserver keptObs(run.reports, marks);
      run.step = ProcessListedFile(files, i, options, slots, storage, kept, keptObs, run.exportLines);
      {
        std::lock_guard<std::mutex> lock(mutex);
        run.done = true;
      }
      finished.notify_all();
    }
  };
  std::vector<std::thread> threads;
  for (int j = 0; j < std::min(jobs, n); ++j) threads.emplace_back(worker);

  // Files are reported in list order as soon as each and all before it are done; after a stop,
  // the files already started still finish and are reported.
  for (int reported = 0;; ++reported) {
    {
      std::unique_lock<std::mutex> lock(mutex);
      if (reported >= next && (stop || reported >= n)) break;
      finished.wait(lock, [&] { return runs[static_cast<size_t>(reported)].done; });
    }
    FileRun& run = runs[static_cast<size_t>(reported)];
    for (const Report& r : run.reports) r(host, obs);
    for (std::string& l : run.exportLines) exportLines.push_back(std::move(l));
    run.reports.clear();
    const bool stopNow = account(reported, run.step);
    {
      std::lock_guard<std::mutex> lock(mutex);
      stop = stop || stopNow;
      reportedCount = reported + 1;
    }
    reportedMore.notify_all();
  }
  for (std::thread& t : threads) t.join();
}

}  // namespace zorvel
