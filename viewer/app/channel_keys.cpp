#include "viewer/app/channel_keys.h"

#include <string>

#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

namespace {
WString Number(int32_t n) {
  const std::string digits = std::to_string(n);
  return WString(digits.begin(), digits.end());
}
}  // namespace

bool CChannelKeys::Key(uint32_t key, uint32_t now) {
  if (controller_.Busy()) return false;
  const bool digit = (key >= '0' && key <= '9') || (key >= 0x60 && key <= 0x69);  // keypad too
  if (digit) {
    if (digits_ == kMaxDigits) return true;  // a channel number has at most four digits
    number_ = number_ * 10 + static_cast<int32_t>(key >= 0x60 ? key - 0x60 : key - '0');
    ++digits_;
    lastDigit_ = now;
    view_.ShowTypedNumber(Number(number_));
    return true;
  }
  if (key == kKeyReturn && digits_ > 0) {
    Finish();
    return true;
  }
  if (digits_ > 0) return false;
  switch (key) {
    case kKeyBack:
      if (controller_.PreviousChannel() >= 0) controller_.GoToChannel(controller_.PreviousChannel());
      return true;
    case kKeyPageUp:
      controller_.ChannelUp();
      return true;
    case kKeyPageDown:
      controller_.ChannelDown();
      return true;
    default:
      return false;
  }
}

void CChannelKeys::Tick(uint32_t now) {
  if (digits_ > 0 && now - lastDigit_ >= kEntryTimeoutMs) Finish();
}

void CChannelKeys::Finish() {
  const int32_t number = number_;
  number_ = 0;
  digits_ = 0;
  if (!controller_.GoToChannel(number)) {
    view_.ShowTypedNumber(WString());
    view_.ShowHint(ViewerStrings::Text(kStrNoChannelNumber) + Number(number));
  }
}

}  // namespace tolven::viewer
