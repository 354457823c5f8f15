// The progress display: lines once per tenth, a bar redrawn in place, and
// the callback's answer once Ctrl+C has set the interrupt flag.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/varnctl/progress.h"

namespace tolven::varnctl {
namespace {

TEST(Progress, LinesOncePerTenthClampedToOneHundred) {
  std::ostringstream err;
  ProgressDisplay display(err, ProgressMode::kAuto, /*terminal=*/false, "Scanning");
  EXPECT_EQ(display.Mode(), ProgressMode::kLines);
  for (int percent : {0, 4, 9, 10, 19, 55, 99, 101}) display.Report(percent);
  display.Finish();
  EXPECT_EQ(err.str(), "Scanning: 0%\nScanning: 10%\nScanning: 50%\nScanning: 90%\nScanning: 100%\n");
}

TEST(Progress, BarRedrawsInPlaceAndEndsItsLine) {
  std::ostringstream err;
  ProgressDisplay display(err, ProgressMode::kAuto, /*terminal=*/true, "Scanning");
  EXPECT_EQ(display.Mode(), ProgressMode::kBar);
  display.Report(50);
  EXPECT_EQ(err.str(), "\rScanning [###############---------------]  50%");
  display.Report(101);
  display.Report(-1);  // a position outside the plan
  display.Finish();
  EXPECT_EQ(err.str(),
            "\rScanning [###############---------------]  50%"
            "\rScanning [##############################] 100%"
            "\rScanning [------------------------------]   ?%\n");
}

TEST(Progress, NoneWritesNothing) {
  std::ostringstream err;
  ProgressDisplay display(err, ProgressMode::kNone, true, "Scanning");
  display.Report(30);
  display.Finish();
  EXPECT_TRUE(err.str().empty());
}

TEST(Progress, CallbackGoesOnUntilInterrupted) {
  std::ostringstream err;
  ProgressDisplay display(err, ProgressMode::kLines, false, "Seeking up");
  std::vector<std::pair<int32_t, int32_t>> seen;
  display.Activate([&](int32_t code, int32_t percent) { seen.emplace_back(code, percent); });
  ClearInterrupt();
  EXPECT_EQ(ProgressDisplay::Callback(2, 20), ProgressDisplay::kGoOn);
  RequestInterrupt();
  EXPECT_EQ(ProgressDisplay::Callback(2, 30), ProgressDisplay::kStop);
  ClearInterrupt();
  EXPECT_EQ(ProgressDisplay::Callback(2, 40), ProgressDisplay::kGoOn);
  EXPECT_EQ(seen, (std::vector<std::pair<int32_t, int32_t>>{{2, 20}, {2, 30}, {2, 40}}));
  EXPECT_EQ(err.str(), "Seeking up: 20%\nSeeking up: 30%\nSeeking up: 40%\n");
}

TEST(Progress, CallbackWithoutADisplayOnlyAnswers) {
  ClearInterrupt();
  EXPECT_EQ(ProgressDisplay::Callback(1, 0), ProgressDisplay::kGoOn);
}

// A seek answers 1 for a find, so going on must not be 1 (nor stop, 0).
TEST(Progress, GoingOnIsToldApartFromAFindAndFromAStop) {
  EXPECT_NE(ProgressDisplay::kGoOn, 1);
  EXPECT_NE(ProgressDisplay::kGoOn, ProgressDisplay::kStop);
  EXPECT_EQ(ProgressDisplay::kStop, 0);
}

}  // namespace
}  // namespace tolven::varnctl
