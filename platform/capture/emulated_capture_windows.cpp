#include "platform/capture/emulated_capture_windows.h"

namespace tolven::cap {

bool EmulatedCaptureWindows::DriverDescription(int32_t index, WString *name, WString *version) {
  if (index < 0 || index >= static_cast<int32_t>(drivers_.size())) return false;
  *name = drivers_[static_cast<size_t>(index)].name;
  *version = drivers_[static_cast<size_t>(index)].version;
  return true;
}

Window EmulatedCaptureWindows::Create(WStringView name, uint32_t style, int32_t x, int32_t y, int32_t width,
                                      int32_t height, Window parent, int32_t id) {
  created_.push_back(Created{WString(name), style, x, y, width, height, parent, id});
  if (failCreate_) return 0;
  alive_ = true;
  return kWindow;
}

bool EmulatedCaptureWindows::IsWindow(Window window) { return Live(window); }

bool EmulatedCaptureWindows::Destroy(Window window) {
  if (!Live(window)) return false;
  // A capture window that goes away disconnects its driver.
  alive_ = false;
  connected_ = false;
  overlay_ = false;
  return true;
}

intptr_t EmulatedCaptureWindows::Connect(Window window, int32_t driverIndex) {
  if (!Live(window)) return 0;
  messages_.push_back("connect " + std::to_string(driverIndex));
  if (failConnect_ || driverIndex < 0 || driverIndex >= static_cast<int32_t>(drivers_.size())) return 0;
  connected_ = true;
  driverIndex_ = driverIndex;
  return 1;
}

intptr_t EmulatedCaptureWindows::Disconnect(Window window) {
  if (!Live(window)) return 0;
  messages_.push_back("disconnect");
  const bool was = connected_;
  connected_ = false;
  overlay_ = false;
  return was ? 1 : 0;
}

intptr_t EmulatedCaptureWindows::GetCaps(Window window, DriverCaps *caps) {
  if (!Live(window)) return 0;
  messages_.push_back("caps");
  if (!connected_) return 0;
  *caps = DriverCaps{static_cast<uint32_t>(driverIndex_), true, true, true, true, true};
  return 1;
}

intptr_t EmulatedCaptureWindows::SetOverlay(Window window, bool on) {
  if (!Live(window)) return 0;
  messages_.push_back(on ? "overlay 1" : "overlay 0");
  if (!connected_ || (on && failOverlay_)) return 0;
  overlay_ = on;
  return 1;
}

intptr_t EmulatedCaptureWindows::GetName(Window window, WString *name) {
  if (!Live(window)) return 0;
  messages_.push_back("name");
  if (!connected_) return 0;
  *name = drivers_[static_cast<size_t>(driverIndex_)].name.substr(0, 79);
  return 1;
}

intptr_t EmulatedCaptureWindows::ShowDialog(Window window, Dialog dialog) {
  if (!Live(window)) return 0;
  messages_.push_back(dialog == Dialog::kVideoSource   ? "dialog source"
                      : dialog == Dialog::kVideoFormat ? "dialog format"
                                                       : "dialog display");
  return connected_ ? 1 : 0;
}

}  // namespace tolven::cap
