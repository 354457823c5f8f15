// The display-mode message: both texts in the user's language, the
// driver's caption, over the focus window.
#include <gtest/gtest.h>

#include "driver/dialogs/display_mode_message.h"
#include "platform/locale/locale.h"
#include "platform/messagebox/emulated_message_boxes.h"

namespace tolven::dialogs {
namespace {

TEST(DisplayModeMessage, ShowsBothTextsOverTheFocusWindow) {
  loc::EmulatedLocale locale;
  strings::EmbeddedStringTable table(locale);
  ui::EmulatedMessageBoxes boxes;
  boxes.SetFocusWindow(0x1234);
  DisplayModeMessage message(table, boxes);
  message.ShowDisplayModeUnsuitable();
  ASSERT_EQ(boxes.History().size(), 1u);
  const auto &shown = boxes.History()[0];
  EXPECT_EQ(shown.caption, u"Caldra One");
  EXPECT_EQ(shown.owner, 0x1234u);
  EXPECT_EQ(shown.text.rfind(u"The current display mode is not suitable for Video.  Close", 0), 0u);
  EXPECT_NE(shown.text.find(u"Settings.\n\nTry reducing"), WString::npos);
  EXPECT_NE(shown.text.find(u"A 16 bit color depth is recommended for all modes."), WString::npos);
}

TEST(DisplayModeMessage, BritishUsersReadColour) {
  loc::EmulatedLocale locale;
  locale.SetUserLanguage(loc::kEnglishUnitedKingdom);
  strings::EmbeddedStringTable table(locale);
  ui::EmulatedMessageBoxes boxes;
  DisplayModeMessage message(table, boxes);
  message.ShowDisplayModeUnsuitable();
  ASSERT_EQ(boxes.History().size(), 1u);
  EXPECT_NE(boxes.History()[0].text.find(u"A 16 bit colour depth"), WString::npos);
}

}  // namespace
}  // namespace tolven::dialogs
