#include "viewer/core/capture_link.h"

#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

namespace {
constexpr uint32_t kWsChild = 0x40000000;
constexpr uint32_t kWsVisible = 0x10000000;
constexpr int32_t kDriverIndexes = 10;
}  // namespace

CCaptureLink::~CCaptureLink() {
  SetOverlay(false);
  Disconnect();
}

int32_t CCaptureLink::DiscoverDriver() {
  for (int32_t index = 0; index < kDriverIndexes; ++index) {
    WString name, version;
    if (windows_.DriverDescription(index, &name, &version) && EqualsNoCase(name, u"tolvenu.dll")) return index;
  }
  return -1;
}

bool CCaptureLink::Live() { return window_ != 0 && windows_.IsWindow(window_); }

void CCaptureLink::Fail(uint32_t text, ui::Window owner, uint32_t caption) {
  messages_.Show(owner, ViewerStrings::Text(text), caption ? ViewerStrings::Text(caption) : WString(), ui::kMbOk);
}

bool CCaptureLink::Connect(cap::Window pane, Rect paneClient, ui::Window mainWindow) {
  driverIndex_ = DiscoverDriver();
  if (driverIndex_ == -1) {
    Fail(kStrNoDriver, 0, kStrNoDriverCaption);
    return false;
  }
  // Left and top are 0, so the width and height are the right and bottom.
  rect_ = paneClient;
  window_ = windows_.Create(ViewerStrings::Text(kStrOverlayWindow), kWsChild | kWsVisible, rect_.left, rect_.top,
                            rect_.right, rect_.bottom, pane, driverIndex_);
  if (!window_) {
    Fail(kStrCannotCreateOverlay, mainWindow, 0);
    return false;
  }
  if (!Live() || windows_.Connect(window_, driverIndex_) == 0) {
    Fail(kStrCannotConnect, mainWindow, 0);
    return false;
  }
  windows_.GetCaps(window_, &caps_);
  if (SetOverlay(true) == 0) {
    Fail(kStrCannotOverlay, mainWindow, 0);
    return false;
  }
  if (Live()) windows_.GetName(window_, &driverName_);
  return true;
}

bool CCaptureLink::Reconnect() {
  SetOverlay(false);
  Disconnect();
  if (!Live() || windows_.Connect(window_, driverIndex_) == 0) return false;
  return SetOverlay(true) != 0;
}

intptr_t CCaptureLink::SetOverlay(bool on) { return Live() ? windows_.SetOverlay(window_, on) : 0; }
intptr_t CCaptureLink::Disconnect() { return Live() ? windows_.Disconnect(window_) : 0; }
intptr_t CCaptureLink::ShowDialog(cap::Dialog dialog) { return Live() ? windows_.ShowDialog(window_, dialog) : 0; }

}  // namespace tolven::viewer
