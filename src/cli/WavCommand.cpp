// zorvel-cli wav FILE --from TIME --to TIME --out X.wav: the waves of a time span as sound, either
// the 500 kHz reconstruction (default) or the slowed, lowered rendering of live play (--live),
// chunk after chunk with the pauses between them. --sweep writes the test sweep instead.
#include <iostream>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/OpenForCli.h"
#include "cli/Outcome.h"
#include "cli/TimeArg.h"
#include "core/SlotFiles.h"
#include "sound/Messages.h"
#include "sound/Render.h"
#include "sound/Wav.h"
#include "sound/WaveCollector.h"

namespace zorvel::cli {

namespace {

struct WavOptions {
  std::string file, from, to, out;
  bool live = false, sweep = false;
  int pitch = 1, stretch = 4;
};

// Live play as one file: each chunk rendered, then the pause the player would wait.
struct LiveFile : sound::ChunkSink {
  sound::LiveOptions options;
  std::vector<int16_t> samples;
  void PlayChunk(const std::vector<tCycPair>& entries, int32_t pauseTicks) override {
    const auto chunk = sound::RenderLive(entries, options);
    samples.insert(samples.end(), chunk.begin(), chunk.end());
    samples.insert(samples.end(),
                   static_cast<size_t>(sound::PauseAfterChunkMs(pauseTicks)) * sound::kLiveSampleRate / 1000,
                   0);
  }
};

int RunWav(const WavOptions& o) {
  std::string error;
  if (OutputRefused(o.out, o.sweep ? std::vector<std::string>{} : std::vector<std::string>{o.file}))
    return kRefusedOutputExitCode;
  if (o.sweep) {
    const auto samples = sound::TestSweep();
    std::cerr << sound::msg::kNumberOfValues << samples.size() - 1 << '\n';
    if (sound::WriteWavFile(o.out, samples, sound::kReconstructionSampleRate, &error)) return 0;
    std::cerr << o.out << ": " << error << '\n';
    return 1;
  }
  const auto from = ParseMomentArg(o.from), to = ParseMomentArg(o.to);
  if (o.file.empty() || !from || !to || *to < *from) {
    std::cerr << "wav needs FILE, --from and --to ('yyyy-mm-dd hh:mm[:ss.ffffff]', --to not before --from)\n";
    return 2;
  }
  // Two minutes of 500 kHz sound is 120 MB: longer spans are refused rather than exhausting memory.
  const int64_t span = (int64_t{to->Mn} - from->Mn) * kTicksPerMinute + to->FiveMuSec - from->FiveMuSec;
  if (span > sound::kMaxFileGapTicks) {
    std::cerr << "wav renders at most 2 minutes at a time\n";
    return 2;
  }
  ConsoleHost host;
  InstallStopHandler();
  FileSlots slots;
  if (!OpenForCli(slots, o.file, host)) return 1;
  ReaderContext ctx{host};
  ctx.options.IgnoreFilters = true;
  std::vector<int16_t> samples;
  uint32_t rate = sound::kReconstructionSampleRate;
  if (o.live) {
    LiveFile sink;
    sink.options = {o.pitch, o.stretch};
    sound::WaveCollector collector(sound::CollectMode::LivePlay, *from, &sink);
    sound::CollectSlotWaves(slots, 1, *from, *to, ctx, collector);
    samples = std::move(sink.samples);
    rate = sound::kLiveSampleRate;
  } else {
    sound::WaveCollector collector(sound::CollectMode::File, *from);
    sound::CollectSlotWaves(slots, 1, *from, *to, ctx, collector);
    samples = sound::RenderReconstruction(collector.Entries());
  }
  if (!sound::WriteWavFile(o.out, samples, rate, &error)) {
    std::cerr << o.out << ": " << error << '\n';
    return 1;
  }
  std::cerr << o.out << ": " << samples.size() << " samples at " << rate << " Hz\n";
  return 0;
}

}  // namespace

void RegisterWavCommand(CLI::App& app) {
  auto opts = std::make_shared<WavOptions>();
  auto* cmd = app.add_subcommand("wav", "Render the waves of a time span as a WAV file");
  cmd->add_option("FILE", opts->file, "ZV1, ZV2 or ZV3 file");
  cmd->add_option("--from", opts->from, "Start: 'yyyy-mm-dd hh:mm[:ss.ffffff]' or a minute number");
  cmd->add_option("--to", opts->to, "End, as --from");
  cmd->add_option("--out", opts->out, "WAV file to write")->required();
  cmd->add_flag("--live", opts->live, "44.1 kHz slowed rendering, as heard during live play");
  cmd->add_option("--pitch", opts->pitch, "Live pitch 1 … 8")->check(CLI::Range(1, 8));
  cmd->add_option("--stretch", opts->stretch, "Live stretch 1 … 4")->check(CLI::Range(1, 4));
  cmd->add_flag("--sweep", opts->sweep, "Write the test sweep instead (FILE not needed)");
  cmd->callback([opts] {
    if (const int rc = RunWav(*opts)) throw CLI::RuntimeError(rc);
  });
}

}  // namespace zorvel::cli
