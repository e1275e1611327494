#include "settings/Bindings.h"

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

}  // namespace zorvel::settings_detail
