// Capture windows in memory: a list of installed drivers, windows that live
// until destroyed, every message recorded, and failures on request.
#pragma once
#include <string>
#include <vector>

#include "platform/capture/capture_windows.h"

namespace tolven::cap {

class EmulatedCaptureWindows : public CaptureWindows {
 public:
  bool DriverDescription(int32_t index, WString *name, WString *version) override;
  Window Create(WStringView name, uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                Window parent, int32_t id) override;
  bool IsWindow(Window window) override;
  bool Destroy(Window window) override;
  intptr_t Connect(Window window, int32_t driverIndex) override;
  intptr_t Disconnect(Window window) override;
  intptr_t GetCaps(Window window, DriverCaps *caps) override;
  intptr_t SetOverlay(Window window, bool on) override;
  intptr_t GetName(Window window, WString *name) override;
  intptr_t ShowDialog(Window window, Dialog dialog) override;

  struct Created {
    WString name;
    uint32_t style;
    int32_t x, y, width, height;
    Window parent;
    int32_t id;
  };

  // Test controls.
  void AddDriver(WString name, WString version = u"1.0") { drivers_.push_back({std::move(name), std::move(version)}); }
  void FailCreate(bool fail) { failCreate_ = fail; }
  void FailConnect(bool fail) { failConnect_ = fail; }
  void FailOverlay(bool fail) { failOverlay_ = fail; }
  void DestroyWindow() { alive_ = false; }
  // Each message that reached the window, by name ("connect 2", "overlay 1").
  const std::vector<std::string> &Messages() const { return messages_; }
  const std::vector<Created> &CreatedWindows() const { return created_; }
  bool Connected() const { return connected_; }
  bool OverlayOn() const { return overlay_; }

 private:
  struct Driver {
    WString name, version;
  };
  bool Live(Window window) const { return alive_ && window == kWindow; }
  static constexpr Window kWindow = 0xCA9;
  std::vector<Driver> drivers_;
  std::vector<Created> created_;
  std::vector<std::string> messages_;
  bool failCreate_ = false, failConnect_ = false, failOverlay_ = false;
  bool alive_ = false, connected_ = false, overlay_ = false;
  int32_t driverIndex_ = -1;
};

}  // namespace tolven::cap
