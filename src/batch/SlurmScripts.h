// `batch slurm DIR`: the scripts a cluster runs — an sbatch array with one task per shard and a
// merge job that starts only when every task succeeded — and the two lines that submit them.
// The program never talks to the scheduler itself; these files are the whole interface.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorvel::batch {

struct SlurmOptions {
  std::string partition;  // empty: the cluster's default
  std::string time;       // empty: the partition's default
  std::string mem;        // empty: from the measured peak in the status files
  int jobs = 1;           // CPUs per task, and the call finding threads
  std::string out;        // the merged survey; empty: DIR/survey.zvs
  std::string cli;        // the zorvel-cli the tasks run (absolute)
};

struct SlurmScripts {
  bool ok = false;
  std::string message;
  std::string arrayScript, mergeScript;  // paths written
  std::string mem;                       // what --mem was set to
  bool memMeasured = false;
  std::vector<std::string> submitLines;  // ready to paste into a shell
};

SlurmScripts WriteSlurmScripts(const std::string& dir, const SlurmOptions& options);

// A task's memory from the largest measured peak (KiB): half again as much, at least 256 MiB,
// rounded up to whole 64 MiB, as Slurm's "<n>M".
std::string MemoryForPeak(int64_t peakKib);

// text in single quotes for a POSIX shell.
std::string ShellQuoted(const std::string& text);

}  // namespace zorvel::batch
