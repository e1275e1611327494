#include "settings/Bindings.h"

#include "settings/Messages.h"
#include "settings/SettingsFiles.h"

namespace zorvel::settings_detail {

void WriteBindings(IniFile& ini, const std::vector<Binding>& table) {
  for (const Binding& b : table) ini.Set(b.section, b.key, b.get());
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
