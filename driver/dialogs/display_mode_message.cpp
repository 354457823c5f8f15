#include "driver/dialogs/display_mode_message.h"

namespace tolven::dialogs {

void DisplayModeMessage::ShowDisplayModeUnsuitable() {
  WString text = strings_.Text(kIdsDisplayModeUnsuitable) + u"\n\n" +
                 strings_.Text(kIdsDisplayModeAdvice);
  boxes_.Show(boxes_.FocusWindow(), text, strings_.Text(kIdsDisplayModeCaption),
              ui::kMbOk | ui::kMbIconWarning);
}

}  // namespace tolven::dialogs
