// Keeping the computer from sleeping while calls are found. The run holds a KeepAwake for its
// whole length; the default does nothing, the system one asks the operating system.
#pragma once

#include <memory>

namespace zorvel {

struct KeepAwake {
  virtual ~KeepAwake() = default;
  virtual void Begin() {}
  virtual void End() {}
};

// On Linux: a sleep inhibitor held by a `systemd-inhibit` child process for as long as the run
// lasts; where that program is missing or refuses, nothing is held and the run goes on.
std::unique_ptr<KeepAwake> MakeSystemKeepAwake();

// Begin on construction, End on destruction.
class KeepAwakeScope {
 public:
  explicit KeepAwakeScope(KeepAwake& k) : k_(k) { k_.Begin(); }
  ~KeepAwakeScope() { k_.End(); }
  KeepAwakeScope(const KeepAwakeScope&) = delete;
  KeepAwakeScope& operator=(const KeepAwakeScope&) = delete;

 private:
  KeepAwake& k_;
};

}  // namespace zorvel
