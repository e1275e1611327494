#include "batch/Plan.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>

#include "batch/Csv.h"
#include "batch/Messages.h"
#include "core/AtomicFile.h"

namespace fs = std::filesystem;

namespace zorvel::batch {

namespace {

bool ReadWhole(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream ss;
  ss << in.rdbuf();
  out = ss.str();
  return true;
}

bool ParsePlanId(const std::string& text, PlanId& id) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    if (key == "manifest-hash") id.manifestHash = value;
    if (key == "manifest") id.manifestPath = value;
    if (key == "shards") id.shards = std::atoi(value.c_str());
  }
  return !id.manifestHash.empty() && !id.manifestPath.empty() && id.shards >= 1;
}

}  // namespace

std::vector<int> AssignShards(const std::vector<int64_t>& bytes, int shards) {
  std::vector<size_t> order(bytes.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return bytes[a] > bytes[b]; });
  std::vector<int64_t> load(static_cast<size_t>(std::max(shards, 1)), 0);
  std::vector<int> shardOf(bytes.size(), 0);
  for (size_t i : order) {
    const size_t s = static_cast<size_t>(std::min_element(load.begin(), load.end()) - load.begin());
    shardOf[i] = static_cast<int>(s);
    load[s] += bytes[i];
  }
  return shardOf;
}

std::string PlanId::Text() const {
  return "manifest-hash=" + manifestHash + "\nmanifest=" + manifestPath +
         "\nshards=" + std::to_string(shards) + "\n";
}

std::string ShardDir(const std::string& dir, int shard) {
  return (fs::path(dir) / ("shard-" + std::to_string(shard))).string();
}

PlanOutcome WritePlan(const std::string& manifestPath, int shards, const std::string& dir) {
  PlanOutcome out;
  if (shards < 1) {
    out.message = msg::kBadShardCount;
    return out;
  }
  std::string bytes;
  if (!ReadWhole(manifestPath, bytes)) {
    out.message = manifestPath + ": " + msg::kInputUnreadable + manifestPath;
    return out;
  }
  const Manifest m = ParseManifest(bytes, fs::absolute(manifestPath).parent_path().string(), manifestPath);
  if (!m.Ok()) {
    for (const std::string& e : m.errors) out.message += (out.message.empty() ? "" : "\n") + e;
    return out;
  }
  PlanId id{HashText(bytes), fs::absolute(manifestPath).lexically_normal().string(), shards};
  const std::string idPath = (fs::path(dir) / "plan.id").string();
  if (std::string old; ReadWhole(idPath, old) && old != id.Text()) {
    out.message = dir + msg::kOtherManifest;
    return out;
  }
  std::vector<int64_t> sizes;
  for (const ManifestRow& r : m.rows) sizes.push_back(InputBytes(r.path));
  const std::vector<int> shardOf = AssignShards(sizes, shards);
  for (int s = 0; s < shards; ++s)
    for (size_t i = 0; i < m.rows.size(); ++i)
      if (shardOf[i] == s) out.inputs.push_back({s + 1, m.rows[i].line, sizes[i], m.rows[i].path});
  std::string csv = CsvLine({"shard", "line", "bytes", "input"});
  for (const PlannedInput& p : out.inputs)
    csv += CsvLine({std::to_string(p.shard), std::to_string(p.line), std::to_string(p.bytes), p.path});
  std::error_code ec;
  fs::create_directories(dir, ec);
  std::string error;
  // plan.id last: a folder holds a plan only once its other files are whole.
  if (!WriteWholeFile((fs::path(dir) / "manifest.csv").string(), bytes.data(), bytes.size(), &error) ||
      !WriteWholeFile((fs::path(dir) / "plan.csv").string(), csv.data(), csv.size(), &error) ||
      !WriteWholeFile(idPath, id.Text().data(), id.Text().size(), &error)) {
    out.message = error;
    return out;
  }
  out.ok = true;
  return out;
}

LoadedPlan LoadPlan(const std::string& dir) {
  LoadedPlan p;
  const std::string idPath = (fs::path(dir) / "plan.id").string();
  std::string text, manifest, csvText;
  if (!ReadWhole(idPath, text)) {
    p.message = dir + msg::kNotPlanned;
    return p;
  }
  if (!ParsePlanId(text, p.id)) {
    p.message = idPath + msg::kPlanDamaged + text.substr(0, 80);
    return p;
  }
  const std::string manifestCopy = (fs::path(dir) / "manifest.csv").string();
  if (!ReadWhole(manifestCopy, manifest) || HashText(manifest) != p.id.manifestHash) {
    p.message = msg::kManifestChanged + dir;
    return p;
  }
  p.manifest = ParseManifest(manifest, fs::path(p.id.manifestPath).parent_path().string(), manifestCopy);
  if (!p.manifest.Ok()) {
    for (const std::string& e : p.manifest.errors) p.message += (p.message.empty() ? "" : "\n") + e;
    return p;
  }
  const std::string planCsv = (fs::path(dir) / "plan.csv").string();
  const CsvParse csv = ReadWhole(planCsv, csvText) ? ParseCsv(csvText) : CsvParse{};
  for (size_t i = 1; i < csv.records.size(); ++i) {
    const auto& f = csv.records[i].fields;
    if (f.size() != 4) break;
    p.inputs.push_back({std::atoi(f[0].c_str()), std::atoi(f[1].c_str()), std::atoll(f[2].c_str()), f[3]});
  }
  if (csv.records.empty() || p.inputs.size() != p.manifest.rows.size()) {
    p.message = planCsv + msg::kPlanDamaged + std::to_string(p.inputs.size()) + " rows";
    return p;
  }
  p.ok = true;
  return p;
}

std::vector<const ManifestRow*> LoadedPlan::RowsOf(int shard) const {
  std::vector<const ManifestRow*> rows;
  for (const PlannedInput& in : inputs) {
    if (in.shard != shard) continue;
    for (const ManifestRow& r : manifest.rows)
      if (r.line == in.line) rows.push_back(&r);
  }
  return rows;
}

}  // namespace zorvel::batch
