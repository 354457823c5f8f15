// Seeks that find nothing, stops from the progress callback, searches that
// switch to the tuner input, and fresh scans that are interrupted.
#include <gtest/gtest.h>

#include "tools/varnctl/tests/varnctl_test_support.h"
#include "virtualcard/card_config.h"

namespace tolven::varnctl::testing {
namespace {

using nlohmann::json;

// Names, numbers and frequencies: what a seek must leave alone.
json Listing(Session &s) {
  json channels = s.Run({"--json", "channels"}).Json()["channels"];
  for (auto &c : channels) c.erase("current");
  return channels;
}

class Searches : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(s.Run({"scan", "--progress=none"}).status, kExitOk); }
  Session s;
};

TEST_F(Searches, SeekUpPastTheLastStationPutsTheChannelBack) {
  const json before = Listing(s);
  const std::string file = s.ReadFile("TOLVEN0.dat");
  ASSERT_EQ(before[5]["number"], 52);  // the default card's highest station
  Result r = s.Run({"seek-up", "5", "--progress=none"});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_TRUE(r.out.empty()) << r.out;
  EXPECT_EQ(r.err, "varnctl seek-up: No station found above channel 52; the channel is unchanged\n");
  EXPECT_EQ(Listing(s), before);
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat"), file);
  // The channel is tuned again where it was.
  EXPECT_TRUE(s.Run({"--json", "channels"}).Json()["channels"][5]["current"].get<bool>());

  Result j = s.Run({"--json", "seek-up", "5", "--progress=none"});
  EXPECT_EQ(j.status, kExitFailed);
  EXPECT_EQ(j.Json()["found"], false);
  EXPECT_EQ(j.Json()["number"], 52);
  EXPECT_EQ(j.Json()["frequency_hz"], before[5]["frequency_hz"]);
}

TEST_F(Searches, SeekDownBelowTheLowestStationPutsTheChannelBack) {
  const json before = Listing(s);
  const std::string file = s.ReadFile("TOLVEN0.dat");
  Result r = s.Run({"--json", "seek-down", "0", "--progress=none"});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.Json()["found"], false);
  EXPECT_NE(r.err.find("No station found below channel 23; the channel is unchanged"), std::string::npos) << r.err;
  EXPECT_EQ(Listing(s), before);
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat"), file);
}

TEST_F(Searches, SeeksFromTheEndsOfThePlan) {
  // Channels on the plan's first (21) and last (10: the UK's UHF channels
  // come first, then the Irish VHF ones) entries: nothing lies beyond them,
  // so the seek ends at its first report.
  ASSERT_EQ(s.Run({"add", "Bottom"}).status, kExitOk);
  ASSERT_EQ(s.Run({"set-number", "Bottom", "21"}).status, kExitOk);
  ASSERT_EQ(s.Run({"add", "Top"}).status, kExitOk);
  ASSERT_EQ(s.Run({"set-number", "Top", "10"}).status, kExitOk);
  const json before = Listing(s);
  int reports = 0;
  s.onProgress = [&](int32_t, int32_t) { ++reports; };
  Result up = s.Run({"seek-up", "Top", "--progress=none"});
  EXPECT_EQ(up.status, kExitFailed);
  EXPECT_NE(up.err.find("No station found above channel 10"), std::string::npos) << up.err;
  EXPECT_EQ(reports, 1);
  Result down = s.Run({"seek-down", "Bottom", "--progress=none"});
  EXPECT_EQ(down.status, kExitFailed);
  EXPECT_NE(down.err.find("No station found below channel 21"), std::string::npos) << down.err;
  EXPECT_EQ(Listing(s), before);
  // From the bottom upwards the first free station is found.
  s.onProgress = nullptr;
  ASSERT_EQ(s.Run({"delete", "0"}).status, kExitOk);  // frees 23
  Result found = s.Run({"--json", "seek-up", "Bottom", "--progress=none"});
  ASSERT_EQ(found.status, kExitOk) << found.err;
  EXPECT_EQ(found.Json()["found"], true);
  EXPECT_EQ(found.Json()["number"], 23);
}

TEST_F(Searches, AStopFromTheCallbackPutsTheChannelBack) {
  ASSERT_EQ(s.Run({"delete-all"}).status, kExitOk);
  ASSERT_EQ(s.Run({"add"}).status, kExitOk);  // number 21, no station there
  const json before = Listing(s);
  const std::string file = s.ReadFile("TOLVEN0.dat");
  s.onProgress = [&](int32_t code, int32_t) {
    EXPECT_EQ(code, 2);
    RequestInterrupt();
  };
  Result r = s.Run({"--json", "seek-up", "0", "--progress=none"});
  s.onProgress = nullptr;
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.Json()["found"], false);
  EXPECT_EQ(r.Json()["number"], 21);
  EXPECT_NE(r.err.find("interrupted; the channel is unchanged"), std::string::npos) << r.err;
  EXPECT_EQ(Listing(s), before);
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat"), file);
  EXPECT_FALSE(InterruptRequested());
}

TEST_F(Searches, AFineTunedFrequencyIsPutBackToo) {
  Result step = s.Run({"--json", "step-up", "5", "--progress=none"});
  ASSERT_EQ(step.status, kExitOk) << step.err;
  const json before = Listing(s);
  ASSERT_NE(before[5]["frequency_hz"], 719250000u);  // off the plan's frequency
  EXPECT_EQ(s.Run({"seek-up", "5", "--progress=none"}).status, kExitFailed);
  EXPECT_EQ(Listing(s), before);
}

TEST_F(Searches, AChannelSharingItsFrequencyWithAnEarlierOneIsPutBack) {
  // The last channel fine-tuned to the very frequency of the first: the
  // tuner's mark goes by frequency, yet the seek must put back the last.
  ASSERT_EQ(s.Run({"delete", "0"}).status, kExitOk);  // the first is now 26
  ASSERT_EQ(s.Run({"add", "Twin"}).status, kExitOk);
  ASSERT_EQ(s.Run({"set-number", "Twin", "26"}).status, kExitOk);
  ASSERT_EQ(s.Run({"step-up", "Twin", "--progress=none"}).status, kExitOk);
  ASSERT_EQ(s.Run({"step-up", "0", "--progress=none"}).status, kExitOk);
  const json before = Listing(s);
  ASSERT_EQ(before[5]["frequency_hz"], before[0]["frequency_hz"]);
  ASSERT_NE(before[5]["frequency_hz"], 511250000u);
  // Above 26 every station's number is in the list.
  Result r = s.Run({"seek-up", "Twin", "--progress=none"});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_NE(r.err.find("No station found above channel 26"), std::string::npos) << r.err;
  EXPECT_EQ(Listing(s), before);
}

TEST_F(Searches, SearchesSwitchToTheTunerInputFirst) {
  for (const std::vector<std::string> &command :
       std::vector<std::vector<std::string>>{{"scan"}, {"seek-up", "0"}, {"step-up", "0"}, {"step-down", "0"}}) {
    ASSERT_EQ(s.Run({"source", "0"}).status, kExitOk);
    ASSERT_NE(s.Run({"--json", "info"}).Json()["source"], "Tuner");
    std::vector<std::string> args = command;
    args.push_back("--progress=none");
    Result r = s.Run(args);
    EXPECT_NE(r.err.find("varnctl " + command[0] + ": switched to the tuner input (source Tuner)\n"),
              std::string::npos)
        << command[0] << ": " << r.err;
    EXPECT_EQ(s.Run({"--json", "info"}).Json()["source"], "Tuner") << command[0];
    // Once there, nothing more is said.
    Result again = s.Run(args);
    EXPECT_EQ(again.err.find("switched"), std::string::npos) << again.err;
  }
}

TEST_F(Searches, AnInterruptedFreshScanKeepsTheOldList) {
  ASSERT_EQ(s.Run({"rename", "0", "Mine"}).status, kExitOk);
  const std::string file = s.ReadFile("TOLVEN0.dat");
  int reports = 0;
  s.onProgress = [&](int32_t, int32_t percent) {
    if (++reports > 1 && percent >= 50) RequestInterrupt();
  };
  Result r = s.Run({"scan", "--fresh", "--progress=none"});
  s.onProgress = nullptr;
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_NE(r.err.find("varnctl scan: interrupted; the list is unchanged (6 channels)\n"), std::string::npos)
      << r.err;
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat"), file);
  // Completed, it replaces the list.
  Result done = s.Run({"scan", "--fresh", "--progress=none"});
  ASSERT_EQ(done.status, kExitOk);
  EXPECT_EQ(done.out, "Found 6 channels; they replace the 6 of the old list.\n");
  EXPECT_EQ(Listing(s)[0]["name"], "New Channel 1");
}

}  // namespace
}  // namespace tolven::varnctl::testing
