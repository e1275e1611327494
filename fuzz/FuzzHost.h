// A Host for fuzzing: administrator mode on, so every report path runs; it keeps nothing.
#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

#include "core/Host.h"

namespace zorvel::fuzz {

struct AdminHost : SilentHost {
  bool AdministratorMode() const override { return true; }
};

inline std::string ScratchPath(const std::string& name) {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("zorvel_fuzz_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return (dir / name).string();
}

}  // namespace zorvel::fuzz
