// The device control model as the module and native programs set it up: the
// environment the components reach the machine and the board through, the
// factory GetVarnInterface hands out, and the start-up that applies the
// stored settings at the first channel open of a process.
#pragma once
#include <cstdint>

#include "driver/control/control_interface.h"
#include "driver/link/config_store.h"
#include "driver/core/driver_host.h"
#include "driver/hardware/board_requests.h"
#include "driver/link/kernel_link.h"
#include "driver/strings/string_table.h"
#include "platform/clock/clock.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/resources/resources.h"

namespace tolven::control {

// What the components reach outside themselves. Its owner (the module, or a
// native program) keeps it alive as long as any factory or hub made over it.
struct ControlEnvironment {
  reg::Registry &registry;        // the driver store and opened settings keys
  files::FileSystem &files;       // the channel file and the profile directory
  res::ModuleResources &resources;  // the channel plans
  Clock &clock;                   // the tuner's settling waits
  strings::StringTable &strings;  // display names, looked up at each call
  BoardRequests &board;           // the hardware components' requests
  const char16_t *serviceName = kKernelServiceName;

  ConfigStore Store() const { return ConfigStore(registry, serviceName); }
};

// What GetVarnInterface answers: a new factory over the environment, or null
// when there is no environment or no memory.
IControlFactory *CreateControlFactory(ControlEnvironment *environment);

// Applies the stored settings once per process, at the first successful
// channel open: decoder (when it offers a video standard), video port (a
// video format), crossbar (a source), tuner (an input), picture controls.
class ControlModelStartup : public ControlModelHook {
 public:
  explicit ControlModelStartup(ControlEnvironment &environment) : env_(environment) {}
  void EnsureSettingsApplied() override;
  bool Applied() const { return applied_; }

 private:
  ControlEnvironment &env_;
  bool applied_ = false;
};

}  // namespace tolven::control
