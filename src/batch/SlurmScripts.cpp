#include "batch/SlurmScripts.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "batch/Plan.h"
#include "batch/ShardStatus.h"
#include "core/AtomicFile.h"

namespace fs = std::filesystem;

namespace zorvel::batch {

namespace {
// Without a measured peak: enough for the call finder's buffers on any input size.
constexpr char kUnmeasuredMem[] = "2048M";

bool WriteScript(const std::string& path, const std::string& text, std::string* error) {
  if (!WriteWholeFile(path, text.data(), text.size(), error)) return false;
  ::chmod(path.c_str(), 0755);
  return true;
}
}  // namespace

std::string MemoryForPeak(int64_t peakKib) {
  const int64_t mib = std::max<int64_t>(256, (peakKib * 3 / 2 + 1023) / 1024);
  return std::to_string((mib + 63) / 64 * 64) + "M";
}

std::string ShellQuoted(const std::string& text) {
  std::string s = "'";
  for (char c : text) s += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return s + "'";
}

SlurmScripts WriteSlurmScripts(const std::string& dir, const SlurmOptions& o) {
  SlurmScripts out;
  const LoadedPlan plan = LoadPlan(dir);
  if (!plan.ok) {
    out.message = plan.message;
    return out;
  }
  const std::string absDir = fs::absolute(dir).lexically_normal().string();
  out.mem = o.mem;
  if (out.mem.empty()) {
    int64_t peak = 0;
    for (int k = 1; k <= plan.id.shards; ++k) {
      std::vector<InputStatus> rows;
      if (ReadStatus(ShardDir(absDir, k), rows))
        for (const InputStatus& r : rows) peak = std::max(peak, r.peakKib);
    }
    out.memMeasured = peak > 0;
    out.mem = out.memMeasured ? MemoryForPeak(peak) : kUnmeasuredMem;
  }
  const std::string survey = o.out.empty() ? (fs::path(absDir) / "survey.zvs").string()
                                           : fs::absolute(o.out).lexically_normal().string();
  const std::string logs = (fs::path(absDir) / "slurm").string();
  std::error_code ec;
  fs::create_directories(logs, ec);
  auto common = [&](const std::string& name) {
    std::string s = "#!/bin/bash\n#SBATCH --job-name=" + name + "\n";
    if (!o.partition.empty()) s += "#SBATCH --partition=" + o.partition + "\n";
    if (!o.time.empty()) s += "#SBATCH --time=" + o.time + "\n";
    return s;
  };
  std::string array = common("zorvel-shards");
  array += "#SBATCH --array=1-" + std::to_string(plan.id.shards) + "\n";
  array += "#SBATCH --ntasks=1\n#SBATCH --cpus-per-task=" + std::to_string(o.jobs) + "\n";
  array += "#SBATCH --mem=" + out.mem + "\n";
  array += "#SBATCH --output=" + logs + "/shard-%a.out\n";
  array += "# One shard per task; a task run again skips the inputs it finished.\n";
  array += "exec " + ShellQuoted(o.cli) + " batch run " + ShellQuoted(absDir) +
           " --shard \"$SLURM_ARRAY_TASK_ID\" --jobs " + std::to_string(o.jobs) + "\n";
  std::string merge = common("zorvel-merge");
  merge += "#SBATCH --ntasks=1\n#SBATCH --cpus-per-task=1\n#SBATCH --mem=" + out.mem + "\n";
  // A failed or cancelled task leaves the dependency unmet for good; the merge job then goes too.
  merge += "#SBATCH --kill-on-invalid-dep=yes\n";
  merge += "#SBATCH --output=" + logs + "/merge.out\n";
  merge += "exec " + ShellQuoted(o.cli) + " batch merge " + ShellQuoted(absDir) + " --out " +
           ShellQuoted(survey) + "\n";
  out.arrayScript = logs + "/shards.sbatch";
  out.mergeScript = logs + "/merge.sbatch";
  std::string error;
  if (!WriteScript(out.arrayScript, array, &error) || !WriteScript(out.mergeScript, merge, &error)) {
    out.message = error;
    return out;
  }
  out.submitLines = {"jid=$(sbatch --parsable " + ShellQuoted(out.arrayScript) + ")",
                     "sbatch --dependency=afterok:${jid%%;*} " + ShellQuoted(out.mergeScript)};
  out.ok = true;
  return out;
}

}  // namespace zorvel::batch
