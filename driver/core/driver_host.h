// What the driver core needs from the module around it, each behind a small
// interface so that native tests can stand in for the module.
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven {

// The installable-driver services of the system and the module's own
// string table.
class DriverHost {
 public:
  virtual ~DriverHost() = default;
  virtual intptr_t DefDriverProc(uintptr_t driverId, uintptr_t hDriver, uint32_t message,
                                 intptr_t lParam1, intptr_t lParam2) = 0;
  // The module's string resource `id`; false when there is none.
  virtual bool StringResource(uint32_t id, WString *text) = 0;
};

// The driver's dialogs. Until the module provides them, none is available.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // The channel's property sheet (Video Source for kind 1, Video Display for
  // 2, Video Format for 4), modal over `parent`. False when there is none.
  virtual bool ShowChannelSheet(uint32_t /*kind*/, uintptr_t /*parent*/) { return false; }
  // The modal Driver Settings dialog; true when it ended with OK.
  virtual bool RunDriverSettings(uintptr_t /*parent*/) { return false; }
};

// The device control model's start-up, run at every successful channel
// open; the first call per process creates the control hub and restores
// every component's stored settings, later calls do nothing.
class ControlModelHook {
 public:
  virtual ~ControlModelHook() = default;
  virtual void EnsureSettingsApplied() {}
};

}  // namespace tolven
