// The capture-window contract cases on our own capture window, with
// tolvenu.dll installed on the virtual card as the setup installs it.
#include <windows.h>

#include "platform/capture/win32_driver_capture_windows.h"
#include "platform/contract/capture_contract_environment.h"
#include "platform/drivers/win32_installable_drivers.h"
#include "tests/wine/card_machine.h"

namespace tolven::contract {
namespace {

class Win32CaptureEnvironment : public CaptureContractEnvironment {
 public:
  Win32CaptureEnvironment() : windows_(Win32Platform::Instance().registry, drivers_) {}
  cap::CaptureWindows &windows() override { return windows_; }
  cap::Window Parent() override { return reinterpret_cast<cap::Window>(frame_.window()); }
  // The setup registers "MSVIDEO", the first index; nothing else is registered.
  int32_t DriverIndex() override { return machine_.Ready() ? 0 : -1; }

 private:
  // In this order so that the frame, and the capture windows in it, go
  // first, while the adapter and the card they use are still there.
  winetest::CardMachine machine_;
  drv::Win32InstallableDrivers drivers_;
  cap::Win32DriverCaptureWindows windows_;
  winetest::TestFrame frame_;
};

}  // namespace

std::unique_ptr<CaptureContractEnvironment> MakeCaptureContractEnvironment() {
  return std::make_unique<Win32CaptureEnvironment>();
}

}  // namespace tolven::contract
