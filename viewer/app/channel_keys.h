// The keys the viewer's own windows answer (not system-wide hotkeys):
// digits enter a channel number, shown in the channel label, and tune the
// channel with that index 1.5 s after the last digit or on Enter; Backspace
// returns to the previous channel; Page Up and Page Down step channels.
#pragma once
#include <cstdint>

#include "platform/wide.h"
#include "viewer/core/viewer_controller.h"

namespace tolven::viewer {

// Where the typed number and the "No channel N" hint show.
class ChannelKeysView {
 public:
  virtual ~ChannelKeysView() = default;
  virtual void ShowTypedNumber(const WString &text) = 0;
  virtual void ShowHint(const WString &text) = 0;
};

class CChannelKeys {
 public:
  static constexpr uint32_t kEntryTimeoutMs = 1500;
  static constexpr int32_t kMaxDigits = 4;

  // Virtual-key codes.
  static constexpr uint32_t kKeyBack = 0x08, kKeyReturn = 0x0D, kKeyPageUp = 0x21, kKeyPageDown = 0x22;

  CChannelKeys(CViewerController &controller, ChannelKeysView &view) : controller_(controller), view_(view) {}

  // A key pressed at `now` (milliseconds); true when the viewer answered it.
  bool Key(uint32_t virtualKey, uint32_t now);
  // The clock moved on: tunes a number whose time has come.
  void Tick(uint32_t now);
  bool Typing() const { return digits_ > 0; }

 private:
  void Finish();

  CViewerController &controller_;
  ChannelKeysView &view_;
  int32_t number_ = 0;
  int32_t digits_ = 0;
  uint32_t lastDigit_ = 0;
};

}  // namespace tolven::viewer
