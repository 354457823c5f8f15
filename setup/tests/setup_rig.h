// An emulated machine for the setup libraries: registry, service manager,
// simulated clock, message boxes, INF installation from the emulated files,
// installable drivers and debugger output.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "platform/debug/debug_output.h"
#include "platform/drivers/emulated_installable_drivers.h"
#include "platform/emulated/emulated_platform.h"
#include "platform/setupapi/emulated_inf_installer.h"
#include "platform/win_errors.h"
#include "setup/setup_ports.h"

namespace tolven::setup::testing {

// A service manager in front of the emulated one whose service takes its
// time to stop: after the stop control it reports "stop pending" to the next
// `pendingAnswers` interrogations (forever when unset), then stops.
class SlowStoppingServices : public svc::ServiceManager {
 public:
  SlowStoppingServices(svc::EmulatedServiceManager &inner, Clock &clock)
      : inner_(inner), clock_(clock) {}
  void StopAfter(std::optional<int> pendingAnswers) { pending_ = pendingAnswers; }

  struct Control_ {
    uint32_t control;
    uint32_t atMs;
  };
  const std::vector<Control_> &Controls() const { return controls_; }

  svc::Handle OpenManager(uint32_t access) override { return inner_.OpenManager(access); }
  svc::Handle LockDatabase(svc::Handle m) override { return inner_.LockDatabase(m); }
  bool UnlockDatabase(svc::Handle l) override { return inner_.UnlockDatabase(l); }
  svc::Handle Create(svc::Handle m, const svc::ServiceConfig &c) override {
    return inner_.Create(m, c);
  }
  svc::Handle Open(svc::Handle m, WStringView n, uint32_t a) override { return inner_.Open(m, n, a); }
  bool QueryStatus(svc::Handle s, svc::Status *st) override { return inner_.QueryStatus(s, st); }
  bool ChangeStartType(svc::Handle s, uint32_t t) override { return inner_.ChangeStartType(s, t); }
  bool Start(svc::Handle s) override { return inner_.Start(s); }
  bool Delete(svc::Handle s) override { return inner_.Delete(s); }
  bool CloseHandle(svc::Handle h) override { return inner_.CloseHandle(h); }
  uint32_t LastError() const override { return own_ ? 0 : inner_.LastError(); }

  bool Control(svc::Handle service, uint32_t control, svc::Status *status) override {
    controls_.push_back({control, clock_.Milliseconds()});
    own_ = false;
    if (control == svc::kControlStop && !stopping_) {
      svc::Status now{};
      if (!inner_.QueryStatus(service, &now) || now.currentState != svc::kRunning)
        return inner_.Control(service, control, status);
      stopping_ = true;
      return Pending(status);
    }
    if (control == svc::kControlInterrogate && stopping_) {
      if (!pending_ || *pending_ > 0) {
        if (pending_) --*pending_;
        return Pending(status);
      }
      stopping_ = false;
      inner_.Control(service, svc::kControlStop, nullptr);
    }
    return inner_.Control(service, control, status);
  }

 private:
  bool Pending(svc::Status *status) {
    if (status) {
      *status = svc::Status{};
      status->serviceType = svc::kKernelDriver;
      status->currentState = svc::kStopPending;
    }
    own_ = true;
    return true;
  }

  svc::EmulatedServiceManager &inner_;
  Clock &clock_;
  std::optional<int> pending_ = 0;
  bool stopping_ = false;
  bool own_ = false;
  std::vector<Control_> controls_;
};

// A kernel driver image that only counts its loads and unloads.
class CountingDriverImage : public svc::KernelDriverImage {
 public:
  bool Load(WStringView, WStringView) override {
    ++loads;
    return true;
  }
  void Unload() override { ++unloads; }
  int loads = 0;
  int unloads = 0;
};

inline constexpr char kFolder[] = "C:\\Program Files\\Caldra One";
inline constexpr char16_t kWideFolder[] = u"C:\\Program Files\\Caldra One";
inline constexpr char16_t kCurrentVersion[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\";

class SetupRig : public ::testing::Test {
 protected:
  SetupRig() {
    machine.files.AddDirectory(kWideFolder);
    machine.services.InstallDriverImage(u"tolvenk.sys", image);
  }

  SetupPorts ports() {
    return SetupPorts{machine.registry, slow, machine.clock, machine.messageBoxes,
                      inf, drivers, debug};
  }

  // The INF the product ships, placed in `folder`.
  void PlaceShippedInf(const char16_t *folder = kWideFolder) {
    std::ifstream file(TOLVEN_VFW_INF, std::ios::binary);
    ASSERT_TRUE(file) << "cannot read " << TOLVEN_VFW_INF;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    machine.files.SetFile(WString(folder) + u"\\vfw.inf", bytes);
  }
  // A capture driver module answering DRV_CONFIGURE with `configureAnswer`.
  void InstallCaptureDriver(intptr_t configureAnswer = 1) {
    drivers.InstallModule(u"tolvenu.dll", [configureAnswer](uintptr_t id, uintptr_t, uint32_t msg,
                                                            intptr_t, intptr_t) -> intptr_t {
      if (msg == drv::kDrvOpen) return 9999;
      if (msg == drv::kDrvConfigure) return id == 9999 ? configureAnswer : 0;
      return 1;
    });
  }
  // The service as a previous installation left it, running when asked.
  void CreateService(bool running) {
    svc::Handle m = machine.services.OpenManager(svc::kManagerAllAccess);
    svc::ServiceConfig c;
    c.name = u"tolvenk";
    c.imagePath = u"\\SystemRoot\\SYSTEM32\\DRIVERS\\tolvenk.sys";
    c.loadOrderGroup = u"Base";
    svc::Handle s = machine.services.Create(m, c);
    ASSERT_NE(s, 0u);
    if (running) {
      ASSERT_TRUE(machine.services.Start(s));
    }
    machine.services.CloseHandle(s);
    machine.services.CloseHandle(m);
  }
  bool ServiceRunning() {
    svc::Handle m = machine.services.OpenManager(svc::kManagerAllAccess);
    svc::Handle s = machine.services.Open(m, u"tolvenk", svc::kServiceAllAccess);
    svc::Status st{};
    bool running = s && machine.services.QueryStatus(s, &st) && st.currentState == svc::kRunning;
    if (s) machine.services.CloseHandle(s);
    machine.services.CloseHandle(m);
    return running;
  }

  // Registry helpers (HKEY_LOCAL_MACHINE).
  void SetString(WStringView path, WStringView name, WStringView value) {
    reg::Key k = 0;
    ASSERT_EQ(machine.registry.CreateKey(reg::kLocalMachine, path, reg::kAllAccess, &k), 0u);
    reg::SetString(machine.registry, k, name, value);
    machine.registry.CloseKey(k);
  }
  bool KeyExists(WStringView path) {
    reg::Key k = 0;
    if (machine.registry.OpenKey(reg::kLocalMachine, path, reg::kRead, &k) != 0) return false;
    machine.registry.CloseKey(k);
    return true;
  }
  // The value's text (REG_SZ or REG_EXPAND_SZ), or nullopt when it is missing.
  std::optional<WString> String(WStringView path, WStringView name, uint32_t *typeOut = nullptr) {
    reg::Key k = 0;
    if (machine.registry.OpenKey(reg::kLocalMachine, path, reg::kRead, &k) != 0) return std::nullopt;
    uint32_t type = 0, size = 0;
    std::optional<WString> out;
    if (machine.registry.QueryValue(k, name, &type, nullptr, &size) == 0) {
      std::vector<char16_t> buffer(size / 2 + 1, 0);
      machine.registry.QueryValue(k, name, &type, buffer.data(), &size);
      out = WString(buffer.data());
      if (typeOut) *typeOut = type;
    }
    machine.registry.CloseKey(k);
    return out;
  }
  std::optional<uint32_t> Dword(WStringView path, WStringView name) {
    reg::Key k = 0;
    if (machine.registry.OpenKey(reg::kLocalMachine, path, reg::kRead, &k) != 0) return std::nullopt;
    uint32_t type = 0, size = 4, value = 0;
    std::optional<uint32_t> out;
    if (machine.registry.QueryValue(k, name, &type, &value, &size) == 0 && type == reg::kDword)
      out = value;
    machine.registry.CloseKey(k);
    return out;
  }

  EmulatedPlatform machine;
  SlowStoppingServices slow{machine.services, machine.clock};
  inf::EmulatedInfInstaller inf{machine.files, machine.registry};
  drv::EmulatedInstallableDrivers drivers{machine.registry};
  dbg::EmulatedDebugOutput debug;
  std::shared_ptr<CountingDriverImage> image = std::make_shared<CountingDriverImage>();
};

}  // namespace tolven::setup::testing
