#include "sim/Simulator.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/TimeBase.h"
#include "sim/Activity.h"
#include "sim/Emergence.h"
#include "sim/Environment.h"
#include "sim/LoggerCard.h"

namespace zorvel::sim {

namespace {

// How often, in listening minutes with wave groups, each awkward case is planted.
constexpr int kAwkwardEvery = 40;

class TruthWriter {
 public:
  explicit TruthWriter(const std::string& path) : out_(path) {
    Line("minute\ttime\ttick\tspecies\tspN\tkind\tkHzStart\tkHzEnd\tms\tgroups");
  }
  bool IsOpen() const { return out_.IsOpen(); }
  void Add(int32_t mn, int32_t tick, const TruthEntry& e) {
    char buf[256];
    std::snprintf(buf, sizeof buf, "%d\t%s\t%d\t%s\t%d\t%s\t%.1f\t%.1f\t%.2f\t%d", mn,
                  MinuteDateTimeText(mn).c_str(), tick, e.species->name, e.species->spN,
                  TruthKindName(e.kind), e.fStart, e.fEnd, e.durMs, e.groups);
    Line(buf);
  }
  bool Commit() { return out_.Commit(); }
  const std::string& Error() const { return out_.ErrorText(); }

 private:
  void Line(const std::string& s) {
    out_.Write(s.data(), s.size());
    out_.Write("\n", 1);
  }
  AtomicFileWriter out_;
};

// Moves the items that fall before `end` to the front, in time order; returns how many.
template <typename T>
size_t TakeBefore(std::vector<T>& items, AbsTick end) {
  auto mid = std::stable_partition(items.begin(), items.end(), [end](const T& x) { return x.at < end; });
  std::stable_sort(items.begin(), mid, [](const T& a, const T& b) { return a.at < b.at; });
  return static_cast<size_t>(mid - items.begin());
}

Record OddRecord(Rng& rng, bool runError) {
  static constexpr char kText[] = "SD WRITE SLOW";
  Record r{};
  r[0] = runError ? kIdRunError : static_cast<uint8_t>(rng.Between(0xB8, 0xF6));
  r[1] = static_cast<uint8_t>(rng.Between(1, 9));
  r[2] = static_cast<uint8_t>(rng.Between(0, 9));
  for (int i = 0; i < 13; ++i) r[3 + i] = static_cast<uint8_t>(runError ? kText[i] : rng.Between(0, 255));
  return r;
}

class SeriesRun {
 public:
  SeriesRun(const SimOptions& o, int s, Rng rng, SimSeriesCounts& counts, TruthWriter& truth,
            SimResult& result)
      : o_(o),
        startMn_(o.startMn + s * o.nights * kMinutesPerDay),
        rng_(rng),
        env_(o, startMn_, rng_.Fork(1)),
        writer_(o, s, startMn_, counts),
        emergence_(o.site.value_or(SimSite{}), startMn_),
        counts_(counts),
        truth_(truth),
        result_(result) {}

  bool Run() {
    const int64_t minutes = static_cast<int64_t>(o_.nights) * kMinutesPerDay;
    for (int64_t m = 0; m < minutes; ++m) {
      if (!Minute(m)) return false;
    }
    if (!writer_.Finish()) return Fail();
    return true;
  }
  const std::string& Error() const { return error_; }

 private:
  bool Fail() {
    error_ = writer_.Error();
    return false;
  }

  bool Minute(int64_t m) {
    const int32_t mn = startMn_ + static_cast<int32_t>(m);
    const MinuteValues v = env_.Minute(m);
    const AbsTick from = m * kTicksPerMinute, to = from + kTicksPerMinute;
    if (v.MinON && o_.site) {
      SiteHappenings(mn, from);
    } else if (v.MinON) {
      Happenings(from);
    }
    if (!writer_.BeginMinute(mn, EncodeMinuteRecord(v))) return Fail();

    const size_t nTruth = TakeBefore(act_.truth, to);
    if (v.MinON) {
      for (size_t i = 0; i < nTruth; ++i) {
        const TruthEntry& e = act_.truth[i];
        truth_.Add(mn, static_cast<int32_t>(std::max<AbsTick>(1, e.at - from)), e);
        if (e.kind == TruthKind::Buzz) {
          ++result_.buzzes;
        } else if (e.kind == TruthKind::Call || e.kind == TruthKind::BuzzCall) {
          ++result_.calls;
        }
      }
    }
    act_.truth.erase(act_.truth.begin(), act_.truth.begin() + static_cast<std::ptrdiff_t>(nTruth));

    const size_t nGroups = TakeBefore(act_.groups, to);
    // A minute the logger slept through records nothing of what went on in it.
    if (v.MinON && !WriteGroups(from, nGroups)) return Fail();
    act_.groups.erase(act_.groups.begin(), act_.groups.begin() + static_cast<std::ptrdiff_t>(nGroups));
    return true;
  }

  void Happenings(AbsTick from) {
    const int passes = rng_.Poisson(env_.BatPassRate() * o_.activity);
    for (int i = 0; i < passes; ++i) AddPass(from + rng_.Between(1, kTicksPerMinute - 1), rng_, act_);
    if (rng_.Chance(env_.InsectChance()))
      AddInsectSong(from + rng_.Between(1, kTicksPerMinute - 1), rng_, act_);
    if (env_.RainIntensity() > 0) AddRainMinute(from, env_.RainIntensity(), rng_, act_);
  }

  // As Happenings, but each species keeps to its night's emergence: its first pass comes at the
  // planned time and none before it.
  void SiteHappenings(int32_t mn, AbsTick from) {
    emergence_.Night(mn, rng_);
    const AbsTick to = from + kTicksPerMinute;
    const auto& models = SpeciesModels();
    for (size_t k = 0; k < models.size(); ++k)
      if (const auto t = emergence_.TakeFirst(k, from, to))
        AddPass(std::max<AbsTick>(*t, from + 1), models[k], TruthKind::FirstPass, rng_, act_);
    const int passes = rng_.Poisson(env_.BatPassRate() * o_.activity);
    for (int i = 0; i < passes; ++i) {
      const AbsTick start = from + rng_.Between(1, kTicksPerMinute - 1);
      const SpeciesModel& m = PickSpecies(rng_);
      const size_t k = static_cast<size_t>(&m - models.data());
      if (emergence_.Out(k, start)) AddPass(start, m, TruthKind::Pass, rng_, act_);
    }
    if (rng_.Chance(env_.InsectChance()))
      AddInsectSong(from + rng_.Between(1, kTicksPerMinute - 1), rng_, act_);
    if (env_.RainIntensity() > 0) AddRainMinute(from, env_.RainIntensity(), rng_, act_);
  }

  bool WriteGroups(AbsTick from, size_t n) {
    const bool plant = n >= 2 && (awkwardMinutes_++ % kAwkwardEvery) == 0;
    const SimAwkward& a = o_.awkward;
    if (plant && a.tickZero) {
      if (!Group(act_.groups[0], 0)) return false;
      ++counts_.tickZeroGroups;
    }
    for (size_t i = 0; i < n; ++i) {
      const int32_t tick = static_cast<int32_t>(std::max<AbsTick>(1, act_.groups[i].at - from));
      if (!Group(act_.groups[i], tick)) return false;
      if (plant && i == n / 2) {
        if (a.backwards && tick > 1) {
          // The logger's clock stepped back: a group stamped earlier than the one before it.
          if (!Group(act_.groups[i], tick / 2)) return false;
          ++counts_.backwardGroups;
        }
        if (a.unknownIds) {
          if (!writer_.Append(OddRecord(rng_, false))) return false;
          ++counts_.oddRecords;
        }
        if (a.runErrors) {
          if (!writer_.Append(OddRecord(rng_, true))) return false;
          ++counts_.oddRecords;
        }
      }
    }
    return true;
  }

  bool Group(const SimGroup& g, int32_t tick) {
    ++counts_.waveGroups;
    return writer_.Append(EncodeZV1WaveGroup(tick, g.ipi, g.amp, g.score));
  }

  const SimOptions& o_;
  int32_t startMn_;
  Rng rng_;
  Environment env_;
  SeriesWriter writer_;
  EmergencePlan emergence_;
  SimSeriesCounts& counts_;
  TruthWriter& truth_;
  SimResult& result_;
  Activity act_;
  int64_t awkwardMinutes_ = 0;
  std::string error_;
};

std::string Validate(const SimOptions& o) {
  if (o.outDir.empty()) return "no SD card folder given";
  if (o.scheme != 1 && o.scheme != 2) return "the naming scheme must be 1 or 2";
  if (o.nights < 1 || o.nights > 3660) return "nights must be from 1 to 3660";
  if (o.series < 1 || o.series > 10) return "series must be from 1 to 10";
  if (o.minsOff < 0 || o.minsOff > 255) return "minutes off must be from 0 to 255";
  if (o.loggerId < 0 || o.loggerId > 999999) return "the logger identity must be from 0 to 999999";
  if (o.loggerFileBytes < 1024) return "the logger file size must be at least 1024 bytes";
  return "";
}

}  // namespace

int32_t DefaultStartMinute() {
  return *MinuteNumber(2026, 6, 1, 18, 0);
}

int64_t SimResult::TotalMinutes() const {
  int64_t n = 0;
  for (const auto& s : series) n += s.minuteRecords;
  return n;
}

int64_t SimResult::TotalWaveGroups() const {
  int64_t n = 0;
  for (const auto& s : series) n += s.waveGroups;
  return n;
}

SimResult SimulateCard(const SimOptions& options) {
  SimResult result;
  SimOptions o = options;
  result.error = Validate(o);
  if (!result.error.empty()) return result;
  if (o.startMn == 0) o.startMn = DefaultStartMinute();
  std::error_code ec;
  std::filesystem::create_directories(o.outDir, ec);
  if (ec) {
    result.error = o.outDir + ": " + ec.message();
    return result;
  }
  result.truthPath =
      o.truthPath.empty() ? std::filesystem::path(o.outDir).lexically_normal().string() : o.truthPath;
  if (o.truthPath.empty()) {
    while (result.truthPath.size() > 1 && result.truthPath.back() == '/') result.truthPath.pop_back();
    result.truthPath += "_truth.txt";
  }
  TruthWriter truth(result.truthPath);
  if (!truth.IsOpen()) {
    result.error = result.truthPath + ": " + truth.Error();
    return result;
  }
  Rng master(o.seed);
  result.series.resize(static_cast<size_t>(o.series));
  for (int s = 0; s < o.series; ++s) {
    SeriesRun run(o, s, master.Fork(static_cast<uint64_t>(s) + 1), result.series[static_cast<size_t>(s)],
                  truth, result);
    if (!run.Run()) {
      result.error = run.Error();
      return result;
    }
  }
  if (!truth.Commit()) {
    result.error = result.truthPath + ": " + truth.Error();
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace zorvel::sim
