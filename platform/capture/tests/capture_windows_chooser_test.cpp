#include "platform/capture/capture_windows_chooser.h"

#include <gtest/gtest.h>

#include "platform/capture/emulated_capture_windows.h"

namespace tolven::cap {
namespace {

class ChooserTest : public ::testing::Test {
 protected:
  EmulatedCaptureWindows system_, own_;
  dbg::EmulatedDebugOutput debug_;
};

TEST_F(ChooserTest, SystemThatListsTheDriverAndCreatesWindowsServes) {
  system_.AddDriver(u"other.dll");
  system_.AddDriver(u"TOLVENU.DLL");
  EXPECT_EQ(&ChooseCaptureWindows(system_, own_, u"tolvenu.dll", debug_), &system_);
  EXPECT_EQ(debug_.Text(), "Capture window: the system's AVICap, which lists tolvenu.dll\n");
  // The probe was a hidden top-level window, gone again.
  ASSERT_EQ(system_.CreatedWindows().size(), 1u);
  EXPECT_EQ(system_.CreatedWindows()[0].style, 0u);
  EXPECT_EQ(system_.CreatedWindows()[0].parent, 0u);
  EXPECT_FALSE(system_.IsWindow(0xCA9));
  EXPECT_TRUE(own_.CreatedWindows().empty());
}

TEST_F(ChooserTest, SystemThatListsNoDriverGivesWayToOurs) {
  system_.AddDriver(u"other.dll");
  EXPECT_EQ(&ChooseCaptureWindows(system_, own_, u"tolvenu.dll", debug_), &own_);
  EXPECT_EQ(debug_.Text(), "Capture window: our own; the system's AVICap lists no tolvenu.dll\n");
  EXPECT_TRUE(system_.CreatedWindows().empty());
}

TEST_F(ChooserTest, SystemThatCreatesNoWindowGivesWayToOurs) {
  system_.AddDriver(u"tolvenu.dll");
  system_.FailCreate(true);
  EXPECT_EQ(&ChooseCaptureWindows(system_, own_, u"tolvenu.dll", debug_), &own_);
  EXPECT_EQ(debug_.Text(), "Capture window: our own; the system's AVICap creates no capture window\n");
}

TEST_F(ChooserTest, DriverBeyondTheTenIndexesIsNotListed) {
  for (int i = 0; i < 10; ++i) system_.AddDriver(u"other.dll");
  system_.AddDriver(u"tolvenu.dll");
  EXPECT_EQ(&ChooseCaptureWindows(system_, own_, u"tolvenu.dll", debug_), &own_);
}

}  // namespace
}  // namespace tolven::cap
