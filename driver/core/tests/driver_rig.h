// An emulated machine with the kernel service installed and running, a
// virtual card behind the emulated display, the board (passed to the driver
// object as its BoardRequests) and the driver object, driven through the
// dispatcher as DriverProc drives it.
#pragma once
#include <map>
#include <memory>
#include <vector>

#include "driver/core/capture_driver.h"
#include "driver/core/vfw_records.h"
#include "platform/emulated/emulated_platform.h"
#include "virtualcard/assembly/native_card.h"

namespace tolven::testing {

struct FakeHost : DriverHost {
  struct Call {
    uintptr_t driverId, hDriver;
    uint32_t message;
    intptr_t lParam1, lParam2;
  };
  intptr_t DefDriverProc(uintptr_t driverId, uintptr_t hDriver, uint32_t message, intptr_t lParam1,
                         intptr_t lParam2) override {
    calls.push_back(Call{driverId, hDriver, message, lParam1, lParam2});
    return 0x5EED;
  }
  bool StringResource(uint32_t id, WString *text) override {
    auto it = strings.find(id);
    if (it == strings.end()) return false;
    *text = it->second;
    return true;
  }
  std::vector<Call> calls;
  std::map<uint32_t, WString> strings;
};

struct FakeDialogs : DialogHost {
  bool ShowChannelSheet(uint32_t kind, uintptr_t parent) override {
    sheets.push_back({kind, parent});
    return available;
  }
  bool RunDriverSettings(uintptr_t parent) override {
    settingsParents.push_back(parent);
    return settingsOk;
  }
  bool available = true;
  bool settingsOk = true;
  std::vector<std::pair<uint32_t, uintptr_t>> sheets;
  std::vector<uintptr_t> settingsParents;
};

struct CountingControlModel : ControlModelHook {
  void EnsureSettingsApplied() override { ++calls; }
  int calls = 0;
};

class DriverRig {
 public:
  // `controlModel`, when given, replaces the counting stand-in.
  explicit DriverRig(card::CardOptions card = {}, bool startService = true,
                     ControlModelHook *controlModel = nullptr)
      : native_(card, m_.clock) {
    image_ = std::make_shared<MinimalVidCapDriver>(m_);
    m_.services.InstallDriverImage(u"tolvenk.sys", image_);
    if (startService) {
      ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
      InstallAndStartService(m_.ports(), profile, nullptr, nullptr);
      CloseServiceProfile(m_.ports(), profile);
    }
    driver_ = std::make_unique<CCaptureDriver>(
        DriverEnvironment{m_.ports(), gdi_, host_, dialogs_,
                          controlModel ? *controlModel : controlModel_, requests_});
  }

  intptr_t Send(uintptr_t id, uint32_t message, intptr_t lParam1 = 0, intptr_t lParam2 = 0) {
    return driver_->Dispatch(id, kDriverHandle, message, lParam1, lParam2);
  }
  template <typename T>
  intptr_t Send(uintptr_t id, uint32_t message, T *lParam1, intptr_t lParam2 = 0) {
    return Send(id, message, reinterpret_cast<intptr_t>(lParam1), lParam2);
  }
  // DRV_OPEN with open parameters for the given flags.
  intptr_t Open(uint32_t flags, vfw::VideoOpenParms *parms = nullptr) {
    vfw::VideoOpenParms local{};
    if (!parms) parms = &local;
    parms->dwSize = sizeof *parms;
    parms->dwFlags = flags;
    parms->dwError = 0xBAD;
    return Send(0, vfw::kDrvOpen, 0, reinterpret_cast<intptr_t>(parms));
  }

  static constexpr uintptr_t kDriverHandle = 0x4400;

  EmulatedPlatform m_;
  std::shared_ptr<MinimalVidCapDriver> image_;
  card::NativeCard native_;
  card::VirtualCard &card_ = native_.card;
  display::EmulatedDisplayEscape &display_ = native_.display;
  display::EmulatedGdi &gdi_ = native_.gdi;
  CCaptureBoard &board_ = native_.board;
  BoardRequests &requests_ = native_.requests;
  FakeHost host_;
  FakeDialogs dialogs_;
  CountingControlModel controlModel_;
  std::unique_ptr<CCaptureDriver> driver_;
};

}  // namespace tolven::testing
