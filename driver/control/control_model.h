// The device control model as the module and native programs set it up: the
// process-wide environment the components reach the machine through, the
// factory GetVarnInterface hands out, and the start-up that applies the
// stored settings at the first channel open of a process.
#pragma once
#include <cstdint>

#include "driver/control/control_interface.h"
#include "driver/link/config_store.h"
#include "driver/core/driver_host.h"
#include "driver/link/kernel_link.h"
#include "driver/strings/string_table.h"
#include "platform/clock/clock.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/resources/resources.h"

namespace tolven::control {

// What the components reach outside the hardware layer (whose requests go
// through the process-wide board's entry points).
struct ControlEnvironment {
  reg::Registry &registry;        // the driver store and opened settings keys
  files::FileSystem &files;       // the channel file and the profile directory
  res::ModuleResources &resources;  // the channel plans
  Clock &clock;                   // the tuner's settling waits
  strings::StringTable &strings;  // display names, looked up at each call
  const char16_t *serviceName = kKernelServiceName;

  ConfigStore Store() const { return ConfigStore(registry, serviceName); }
};

// The environment every component created afterwards uses; null withdraws
// it (the factory then creates nothing). Components keep the environment
// they were created with.
void SetControlEnvironment(ControlEnvironment *environment);
ControlEnvironment *CurrentControlEnvironment();

// What GetVarnInterface answers: a new factory, or null when there is no
// environment or no memory.
IControlFactory *CreateControlFactory();

// Applies the stored settings once per process, at the first successful
// channel open: decoder (when it offers a video standard), video port (a
// video format), crossbar (a source), tuner (an input), picture controls.
class ControlModelStartup : public ControlModelHook {
 public:
  void EnsureSettingsApplied() override;
  bool Applied() const { return applied_; }

 private:
  bool applied_ = false;
};

}  // namespace tolven::control
