// The capture-window contract cases on the emulated adapter.
#include "platform/capture/emulated_capture_windows.h"
#include "platform/contract/capture_contract_environment.h"

namespace tolven::contract {
namespace {

class EmulatedCaptureEnvironment : public CaptureContractEnvironment {
 public:
  EmulatedCaptureEnvironment() {
    windows_.AddDriver(u"other.dll");
    windows_.AddDriver(u"tolvenu.dll");
  }
  cap::CaptureWindows &windows() override { return windows_; }
  cap::Window Parent() override { return 0x9A7; }
  int32_t DriverIndex() override { return 1; }

 private:
  cap::EmulatedCaptureWindows windows_;
};

}  // namespace

std::unique_ptr<CaptureContractEnvironment> MakeCaptureContractEnvironment() {
  return std::make_unique<EmulatedCaptureEnvironment>();
}

}  // namespace tolven::contract
