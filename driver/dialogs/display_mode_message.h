// Tells the user that the display mode leaves too little bandwidth for live
// video: a modal message over the focus window with the two texts of the
// string table, in the user's language.
#pragma once
#include "driver/strings/string_table.h"
#include "driver/hardware/video_port.h"
#include "platform/messagebox/message_box.h"

namespace tolven::dialogs {

inline constexpr uint32_t kIdsDisplayModeCaption = 320;
inline constexpr uint32_t kIdsDisplayModeUnsuitable = 321;
inline constexpr uint32_t kIdsDisplayModeAdvice = 322;

class DisplayModeMessage : public DisplayModeNotice {
 public:
  DisplayModeMessage(strings::StringTable &strings, ui::MessageBoxes &boxes)
      : strings_(strings), boxes_(boxes) {}
  void ShowDisplayModeUnsuitable() override;

 private:
  strings::StringTable &strings_;
  ui::MessageBoxes &boxes_;
};

}  // namespace tolven::dialogs
