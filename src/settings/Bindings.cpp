#include "settings/Bindings.h"

#include "filters/Messages.h"
#include "settings/Messages.h"
#include "settings/SettingsFiles.h"

namespace zorvel::settings_detail {

void WriteBindings(IniFile& ini, const std::vector<Binding>& table) {
  for (const Binding& b : table) ini.Set(b.section, b.key, b.get());
}

std::string BoolValueProblem(const std::string& v) {
  const auto n = ParseWholeNumber(v);
  if (n && (*n == 0 || *n == 1)) return {};
  return "'" + v.substr(0, msg::kShownTextLength) + std::string(msg::kNotABox);
}

std::string IndexValueProblem(const std::string& v, int count) {
  const auto n = ParseWholeNumber(v);
  if (n && *n >= 0 && *n < count) return {};
  return "'" + v.substr(0, msg::kShownTextLength) + std::string(msg::kNotAnItem1) +
         std::to_string(count - 1) + std::string(msg::kNotAnItem2);
}

std::vector<std::string> BindingProblems(const IniFile& ini, const std::vector<Binding>& table) {
  std::vector<std::string> out;
  for (const Binding& b : table) {
    if (!b.check) continue;
    const auto v = ini.Get(b.section, b.key);
    if (!v) continue;  // missing: the default, which is always right
    if (const std::string problem = b.check(*v); !problem.empty())
      out.push_back("[" + std::string(b.section) + "] " + std::string(b.key) + ": " + problem);
  }
  return out;
}

std::vector<std::string> PairProblems(const std::vector<Binding>& table, const FilterSettings& f) {
  std::vector<std::string> out;
  const auto name = [&table](int range, int minute) {
    for (const Binding& b : table)
      if ((range >= 0 && b.rangeEdit == range) || (minute >= 0 && b.minuteEdit == minute))
        return "[" + std::string(b.section) + "] " + std::string(b.key);
    return std::string();
  };
  const auto above = [&out](const std::string& lower, int32_t lo, const std::string& upper, int32_t hi) {
    if (lo > hi && !lower.empty() && !upper.empty())
      out.push_back(lower + "=" + std::to_string(lo) + std::string(msg::kIsAbove) + upper + "=" +
                    std::to_string(hi));
  };
  for (const RangePair& p : RangePairs())
    above(name(static_cast<int>(p.lower), -1), f.ranges.Value(p.lower), name(static_cast<int>(p.upper), -1),
          f.ranges.Value(p.upper));
  above(name(-1, static_cast<int>(MinuteEdit::MinLightLevelEdit)), f.minutes.MinLight(),
        name(-1, static_cast<int>(MinuteEdit::MaxLightLevelEdit)), f.minutes.MaxLight());
  return out;
}

void ReportRefusedSettings(const std::string& path, const std::vector<std::string>& problems, int ms,
                           Host& host) {
  for (const std::string& p : problems) host.AddLine(Memo::ErrorsMemo, path + ": " + p);
  if (!problems.empty())
    host.TimedMessage(path + ": " + problems.front() + std::string(msg::kSettingsRefused), ms);
}

void ReadBindings(const IniFile& ini, const std::vector<Binding>& table) {
  for (const Binding& b : table) {
    switch (b.kind) {
      case ValueKind::Text:
        b.set(ini.ReadString(b.section, b.key, b.fallback));
        break;
      case ValueKind::Bool:
        b.set(ini.ReadBool(b.section, b.key, b.fallback == "1") ? "1" : "0");
        break;
      case ValueKind::Index: {
        const int32_t fallback = std::stoi(b.fallback);
        int32_t v = ini.ReadInteger(b.section, b.key, fallback);
        if (v < 0 || v >= b.indexCount) v = fallback;  // no such item: the group keeps its default
        b.set(std::to_string(v));
        break;
      }
    }
  }
}

std::optional<std::string> SaveSettingsFile(const std::optional<std::string>& chosen, std::string_view extension,
                                            int cancelMessageMs, SpeciesListModel& species, Host& host,
                                            const std::function<void(IniFile&)>& write) {
  if (!chosen) {
    host.TimedMessage(msg::kFailedToCreateFile, cancelMessageMs);
    return std::nullopt;
  }
  const std::string path = WithSettingsExtension(*chosen, extension);
  std::optional<IniFile> ini = IniFile::LoadForUpdate(path);
  if (!ini) return std::nullopt;
  species.SetSpNumbersFromList();
  write(*ini);
  if (!ini->Save(path)) return std::nullopt;
  return path;
}

}  // namespace zorvel::settings_detail
