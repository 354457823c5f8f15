// What the capture-window port's contract cases run against: natively the
// emulated adapter with the card's driver listed, under Wine our own capture
// window with tolvenu.dll installed on the virtual card. Each build supplies
// MakeCaptureContractEnvironment.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/capture/capture_windows.h"

namespace tolven::contract {

class CaptureContractEnvironment {
 public:
  virtual ~CaptureContractEnvironment() = default;
  virtual cap::CaptureWindows &windows() = 0;
  // A visible window the cases create capture windows in.
  virtual cap::Window Parent() = 0;
  // The index the card's driver ("tolvenu.dll") is listed at; the index
  // after it lists nothing.
  virtual int32_t DriverIndex() = 0;
};

// The machine with the card installed; it is taken away again when the
// environment ends.
std::unique_ptr<CaptureContractEnvironment> MakeCaptureContractEnvironment();

}  // namespace tolven::contract
