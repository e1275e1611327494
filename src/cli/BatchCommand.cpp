// zorvel-cli batch plan|run|merge|slurm: a scheme's manifest split into shards, each shard run
// into a survey of its own (on any machine or cluster task), the shard surveys merged into one.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "batch/Merge.h"
#include "batch/Messages.h"
#include "batch/Plan.h"
#include "batch/ShardRun.h"
#include "batch/SlurmScripts.h"
#include "cli/Commands.h"
#include "cli/ConsoleHost.h"

namespace zorvel::cli {

namespace {

namespace bmsg = zorvel::batch::msg;

std::string Format(const char* pattern, int a, int b, int c, int d) {
  char buf[160];
  std::snprintf(buf, sizeof buf, pattern, a, b, c, d);
  return buf;
}

struct PlanArgs {
  std::string manifest, out;
  int shards = 1;
};

int RunPlan(const PlanArgs& a) {
  const batch::PlanOutcome r = batch::WritePlan(a.manifest, a.shards, a.out);
  if (!r.ok) {
    std::cerr << r.message << '\n';
    return 1;
  }
  for (int k = 1; k <= a.shards; ++k) {
    int n = 0;
    int64_t bytes = 0;
    for (const batch::PlannedInput& p : r.inputs)
      if (p.shard == k) ++n, bytes += p.bytes;
    std::cout << bmsg::kShardLine << k << ": " << n << bmsg::kInputsWord << bytes << bmsg::kBytesWord << '\n';
  }
  std::cerr << bmsg::kPlanned << a.shards << " shards: " << a.out << '\n';
  return 0;
}

struct RunArgs {
  std::string dir;
  int shard = 0;
  batch::RunOptions options;
};

int RunRun(const RunArgs& a) {
  InstallStopHandler();
  ConsoleHost host(false, true);
  const batch::RunOutcome r = batch::RunShard(a.dir, a.shard, a.options, host);
  for (const batch::InputStatus& s : r.status) {
    if (s.state == bmsg::kStatePending) continue;
    std::cerr << "line " << s.line << " " << s.input << ": "
              << (s.state == bmsg::kStateFailed ? bmsg::kFailedWord + s.reason
                  : s.skippedNow                ? std::string(bmsg::kSkippedWord)
                                                : std::string(bmsg::kDoneWord))
              << '\n';
  }
  if (!r.message.empty()) std::cerr << r.message << '\n';
  if (!r.ran) return 1;
  std::cerr << bmsg::kShardLine << a.shard << ": "
            << Format(bmsg::kRunSummary, r.done, r.skipped, r.failed, static_cast<int>(r.status.size()))
            << '\n';
  if (r.stopped) return kStoppedExitCode;
  return r.failed > 0 || !r.message.empty() ? 1 : 0;
}

struct MergeArgs {
  std::string dir, out;
};

int RunMerge(const MergeArgs& a) {
  ConsoleHost host(false, true);
  const batch::MergeResult r = batch::MergeShards(a.dir, a.out, host);
  if (!r.ok) {
    std::cerr << r.message << '\n';
    return 1;
  }
  char buf[600];
  std::snprintf(buf, sizeof buf, bmsg::kMerged, r.shards, r.files, a.out.c_str());
  std::cerr << buf << '\n';
  return 0;
}

// The zorvel-cli that is running, so the scripts call the same program on the cluster's nodes.
std::string ThisProgram() {
  std::error_code ec;
  const auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string("zorvel-cli") : p.string();
}

int RunSlurm(batch::SlurmOptions& o, const std::string& dir) {
  o.cli = ThisProgram();
  const batch::SlurmScripts r = batch::WriteSlurmScripts(dir, o);
  if (!r.ok) {
    std::cerr << r.message << '\n';
    return 1;
  }
  std::cerr << (r.memMeasured ? bmsg::kMemMeasured : bmsg::kMemUnmeasured) << r.mem << '\n'
            << bmsg::kSubmitHint << '\n';
  for (const std::string& line : r.submitLines) std::cout << line << '\n';
  return 0;
}

}  // namespace

void RegisterBatchCommand(CLI::App& app) {
  auto* group =
      app.add_subcommand("batch", "A scheme's manifest in shards: plan, run a shard, merge, cluster scripts");
  group->require_subcommand(1);

  auto plan = std::make_shared<PlanArgs>();
  auto* p = group->add_subcommand("plan", "Check a manifest and split it into shards balanced by bytes");
  p->add_option("MANIFEST", plan->manifest, "CSV: input,site,lat,long,utc,time_expansion,classifier")
      ->required();
  p->add_option("--shards", plan->shards, "Number of shards")->required()->check(CLI::Range(1, 100000));
  p->add_option("--out", plan->out, "Plan folder")->required();
  p->callback([plan] {
    if (const int rc = RunPlan(*plan)) throw CLI::RuntimeError(rc);
  });

  auto run = std::make_shared<RunArgs>();
  auto* r = group->add_subcommand(
      "run", "Import, find calls and add to the shard's survey, every input of one shard");
  r->add_option("DIR", run->dir, "Plan folder")->required();
  r->add_option("--shard", run->shard, "Shard number, 1 to N")->required();
  r->add_option("--jobs", run->options.jobs, "Call finding threads (default: one per core)")
      ->check(CLI::Range(1, 256));
  r->callback([run] {
    if (const int rc = RunRun(*run)) throw CLI::RuntimeError(rc);
  });

  auto merge = std::make_shared<MergeArgs>();
  auto* m = group->add_subcommand("merge", "Join the finished shards' surveys into one survey");
  m->add_option("DIR", merge->dir, "Plan folder")->required();
  m->add_option("--out", merge->out, "The merged survey file")->required();
  m->callback([merge] {
    if (const int rc = RunMerge(*merge)) throw CLI::RuntimeError(rc);
  });

  auto slurm = std::make_shared<batch::SlurmOptions>();
  auto dir = std::make_shared<std::string>();
  auto* s = group->add_subcommand(
      "slurm", "Write the sbatch scripts of the shards and the merge; print how to submit them");
  s->add_option("DIR", *dir, "Plan folder")->required();
  s->add_option("--partition", slurm->partition, "Partition");
  s->add_option("--time", slurm->time, "Time limit per task, as sbatch takes it");
  s->add_option("--mem", slurm->mem, "Memory per task, as sbatch takes it (default: from the measured peak)");
  s->add_option("--jobs", slurm->jobs, "CPUs per task and call finding threads")
      ->capture_default_str()
      ->check(CLI::Range(1, 256));
  s->add_option("--out", slurm->out, "The merged survey (default: DIR/survey.zvs)");
  s->callback([slurm, dir] {
    if (const int rc = RunSlurm(*slurm, *dir)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
