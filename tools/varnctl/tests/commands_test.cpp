// Every subcommand against the default virtual card, each run a fresh
// machine over one state folder, as separate runs of the program are.
#include <gtest/gtest.h>

#include "tools/varnctl/tests/varnctl_test_support.h"
#include "virtualcard/card_config.h"

namespace tolven::varnctl::testing {
namespace {

using nlohmann::json;

// The default card's stations, by channel number and vision carrier.
std::vector<std::pair<int, uint32_t>> DefaultStations() {
  std::vector<std::pair<int, uint32_t>> stations;
  const card::CardConfig config = card::DefaultCardConfig();
  for (const auto &station : config.stations) {
    // Station names start with "Channel <n>".
    stations.emplace_back(std::stoi(station.name.substr(8)), station.frequencyHz);
  }
  return stations;
}

std::vector<int> Numbers(const json &channels) {
  std::vector<int> numbers;
  for (const auto &c : channels["channels"]) numbers.push_back(c["number"].get<int>());
  return numbers;
}

class Commands : public ::testing::Test {
 protected:
  void Scan() {
    Result r = s.Run({"scan", "--progress=none"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
  }
  json Channels() {
    Result r = s.Run({"--json", "channels"});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    return r.Json();
  }
  Session s;
};

TEST_F(Commands, ScanFindsEveryStationOfTheDefaultCard) {
  Scan();
  const json channels = Channels();
  const auto stations = DefaultStations();
  ASSERT_EQ(channels["channels"].size(), stations.size());
  for (size_t i = 0; i < stations.size(); ++i) {
    const json &c = channels["channels"][i];
    EXPECT_EQ(c["index"], i);
    EXPECT_EQ(c["number"], stations[i].first);
    EXPECT_EQ(c["frequency_hz"], stations[i].second);
    EXPECT_EQ(c["name"], "New Channel " + std::to_string(i + 1));
  }
  // A second scan adds nothing; --fresh starts again from an empty list.
  Result again = s.Run({"scan", "--progress=none"});
  EXPECT_EQ(again.status, kExitOk);
  EXPECT_EQ(again.out, "Found 0 new channels; the list has 6.\n");
  ASSERT_EQ(s.Run({"rename", "0", "Mine"}).status, kExitOk);
  ASSERT_EQ(s.Run({"scan", "--fresh", "--progress=none"}).status, kExitOk);
  EXPECT_EQ(Channels()["channels"][0]["name"], "New Channel 1");
}

TEST_F(Commands, ScanProgressLinesGoToStandardError) {
  Result r = s.Run({"scan"});  // not a terminal: lines
  ASSERT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, "Found 6 new channels; the list has 6.\n");
  // The default card starts on another input: the scan says it switches.
  EXPECT_EQ(r.err.rfind("varnctl scan: switched to the tuner input (source Tuner)\nScanning: 0%\nScanning: 10%\n", 0),
            0u)
      << r.err;
  EXPECT_NE(r.err.find("Scanning: 100%\n"), std::string::npos);
  Result bar = s.Run({"scan", "--progress=bar"});
  EXPECT_NE(bar.err.find("\rScanning [##############################] 100%\n"), std::string::npos) << bar.err;
}

TEST_F(Commands, InterruptedScanKeepsTheChannelsFoundSoFar) {
  Scan();
  const std::vector<int> all = Numbers(Channels());
  ASSERT_EQ(s.Run({"delete-all"}).status, kExitOk);

  // Ctrl+C half way through the plan.
  int reports = 0;
  s.onProgress = [&](int32_t code, int32_t percent) {
    EXPECT_EQ(code, 1);
    if (++reports > 1 && percent >= 50) RequestInterrupt();
  };
  Result r = s.Run({"scan", "--progress=none"});
  s.onProgress = nullptr;
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_NE(r.err.find("interrupted; kept the"), std::string::npos) << r.err;
  EXPECT_FALSE(InterruptRequested());  // cleared for the next search

  // What was found up to then is in the list and was saved.
  const std::vector<int> kept = Numbers(Channels());
  ASSERT_FALSE(kept.empty());
  ASSERT_LT(kept.size(), all.size());
  EXPECT_TRUE(std::equal(kept.begin(), kept.end(), all.begin()));
  EXPECT_NE(r.err.find("kept the " + std::to_string(kept.size()) + " channel"), std::string::npos) << r.err;
}

TEST_F(Commands, InfoReportsTheCardAndFollowsChanges) {
  Result r = s.Run({"info"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.out.rfind("Card               found\n", 0), 0u) << r.out;
  Scan();
  ASSERT_EQ(s.Run({"source", "tuner"}).status, kExitOk);
  ASSERT_EQ(s.Run({"tune", "1"}).status, kExitOk);
  r = s.Run({"info", "--json"});
  ASSERT_EQ(r.status, kExitOk);
  const json info = r.Json();
  EXPECT_EQ(info["card"], "found");
  EXPECT_EQ(info["tuner"]["inputs"][0]["type"], "Television Tuner");
  EXPECT_EQ(info["tuner"]["channel"]["index"], 1);
  EXPECT_EQ(info["tuner"]["channel"]["number"], DefaultStations()[1].first);
  EXPECT_EQ(info["source"], "Tuner");
  EXPECT_TRUE(info["video"]["signal_locked"].get<bool>());
  EXPECT_EQ(info["video"]["detected_standard"], "PAL");
  EXPECT_FALSE(info["audio"]["detected_audio_mode"].is_null());
}

TEST_F(Commands, WithoutTheCardInfoSaysSoAndOtherCommandsFail) {
  const std::string card = s.WriteFile("nodecoder.json", R"({"decoder": false})");
  Result info = s.Run({"--card", card, "info"});
  EXPECT_EQ(info.status, kExitFailed);
  EXPECT_EQ(info.out.rfind("Card               not found\n", 0), 0u) << info.out;
  Result channels = s.Run({"--card", card, "channels"});
  EXPECT_EQ(channels.status, kExitFailed);
  EXPECT_TRUE(channels.out.empty());
  EXPECT_EQ(channels.err, "varnctl: no Caldra One card was found\n");
  Result bad = s.Run({"--card", s.WriteFile("bad.json", "{not json"), "info"});
  EXPECT_EQ(bad.status, kExitFailed);
  EXPECT_NE(bad.err.find("cannot use the card configuration"), std::string::npos);
}

TEST_F(Commands, TuneByIndexOrNameAndRejectsOthers) {
  Scan();
  EXPECT_EQ(s.Run({"tune", "new channel 3"}).status, kExitOk);
  EXPECT_TRUE(Channels()["channels"][2]["current"].get<bool>());
  Result r = s.Run({"tune", "6"});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_NE(r.err.find("numbered 0 to 5"), std::string::npos) << r.err;
  EXPECT_EQ(s.Run({"tune", "Nowhere"}).status, kExitFailed);
  EXPECT_EQ(s.Run({"tune", "-1"}).status, kExitFailed);
  EXPECT_TRUE(Channels()["channels"][2]["current"].get<bool>());  // unchanged
}

TEST_F(Commands, EditingTheChannelList) {
  // add without a name takes the first free plan number; --at inserts.
  ASSERT_EQ(s.Run({"add"}).status, kExitOk);
  ASSERT_EQ(s.Run({"add", "Second"}).status, kExitOk);
  ASSERT_EQ(s.Run({"add", "First", "--at", "0"}).status, kExitOk);
  json c = Channels();
  ASSERT_EQ(c["channels"].size(), 3u);
  EXPECT_EQ(c["channels"][0]["name"], "First");
  EXPECT_EQ(c["channels"][1]["name"], "New Channel 1");
  EXPECT_EQ(c["channels"][2]["name"], "Second");
  const int firstNumber = c["channels"][1]["number"];
  EXPECT_EQ(c["channels"][2]["number"], firstNumber + 1);

  ASSERT_EQ(s.Run({"rename", "1", "Renamed, with comma"}).status, kExitOk);
  ASSERT_EQ(s.Run({"move", "0", "9"}).status, kExitOk);  // past the end appends
  c = Channels();
  EXPECT_EQ(c["channels"][0]["name"], "Renamed, with comma");
  EXPECT_EQ(c["channels"][2]["name"], "First");

  ASSERT_EQ(s.Run({"set-number", "Second", "30"}).status, kExitOk);
  c = Channels();
  EXPECT_EQ(c["channels"][1]["number"], 30);
  EXPECT_EQ(c["channels"][1]["frequency_hz"], 543250000u);  // the plan's frequency
  Result notInPlan = s.Run({"set-number", "0", "999"});
  EXPECT_EQ(notInPlan.status, kExitFailed);
  EXPECT_EQ(s.Run({"set-number", "0", "thirty"}).status, kExitUsage);
  EXPECT_EQ(s.Run({"move", "0", "last"}).status, kExitUsage);

  ASSERT_EQ(s.Run({"delete", "First"}).status, kExitOk);
  EXPECT_EQ(Channels()["channels"].size(), 2u);
  EXPECT_EQ(s.Run({"delete", "5"}).status, kExitFailed);
  ASSERT_EQ(s.Run({"delete-all"}).status, kExitOk);
  EXPECT_TRUE(Channels()["channels"].empty());
  Result empty = s.Run({"channels"});
  EXPECT_EQ(empty.out, "No channels. Run 'varnctl scan' to find some.\n");
}

TEST_F(Commands, ChannelTableIsAlignedAndMarksTheCurrentChannel) {
  Scan();
  ASSERT_EQ(s.Run({"tune", "1"}).status, kExitOk);
  Result r = s.Run({"channels"});
  ASSERT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out,
            "  #  Name           Number  Frequency (MHz)\n"
            "  0  New Channel 1      23         487.2500\n"
            " *1  New Channel 2      26         511.2500\n"
            "  2  New Channel 3      30         543.2500\n"
            "  3  New Channel 4      33         567.2500\n"
            "  4  New Channel 5      41         631.2500\n"
            "  5  New Channel 6      52         719.2500\n");
}

TEST_F(Commands, SeekMovesAChannelToTheNextStation) {
  ASSERT_EQ(s.Run({"add"}).status, kExitOk);  // the plan's first entry: no station there
  Result up = s.Run({"--json", "seek-up", "0", "--progress=none"});
  ASSERT_EQ(up.status, kExitOk) << up.err;
  const auto stations = DefaultStations();
  EXPECT_EQ(up.Json()["number"], stations[0].first);
  EXPECT_EQ(up.Json()["frequency_hz"], stations[0].second);
  EXPECT_EQ(Channels()["channels"][0]["number"], stations[0].first);

  ASSERT_EQ(s.Run({"set-number", "0", std::to_string(stations[2].first)}).status, kExitOk);
  Result down = s.Run({"--json", "seek-down", "0", "--progress=none"});
  ASSERT_EQ(down.status, kExitOk) << down.err;
  EXPECT_EQ(down.Json()["number"], stations[1].first);
}

TEST_F(Commands, StepShiftsTheFrequencyBothWays) {
  Scan();
  Result up = s.Run({"--json", "step-up", "0", "--progress=none"});
  ASSERT_EQ(up.status, kExitOk) << up.err;
  const uint32_t start = DefaultStations()[0].second;
  const uint32_t raised = up.Json()["frequency_hz"];
  EXPECT_GT(raised, start);
  EXPECT_EQ(up.Json()["number"], DefaultStations()[0].first);  // still within the channel
  Result down = s.Run({"--json", "step-down", "0", "--progress=none"});
  ASSERT_EQ(down.status, kExitOk);
  EXPECT_EQ(down.Json()["frequency_hz"], start);
  EXPECT_EQ(Channels()["channels"][0]["frequency_hz"], start);
  EXPECT_EQ(s.Run({"step-up", "9"}).status, kExitFailed);
}

TEST_F(Commands, SourcesAndAudio) {
  Result r = s.Run({"--json", "sources"});
  ASSERT_EQ(r.status, kExitOk);
  const json sources = r.Json()["sources"];
  ASSERT_GE(sources.size(), 2u);
  ASSERT_EQ(s.Run({"source", "Tuner"}).status, kExitOk);
  const json selected = s.Run({"--json", "sources"}).Json();
  for (const auto &source : selected["sources"])
    EXPECT_EQ(source["current"].get<bool>(), source["name"] == "Tuner");
  EXPECT_EQ(s.Run({"source", "99"}).status, kExitFailed);
  EXPECT_EQ(s.Run({"source", "Radio"}).status, kExitFailed);

  EXPECT_EQ(s.Run({"mute", "maybe"}).status, kExitUsage);

  ASSERT_EQ(s.Run({"volume", "40"}).status, kExitOk);
  const int volume = s.Run({"--json", "info"}).Json()["audio"]["volume"];
  EXPECT_NEAR(volume, 40, 2);  // the audio processor's steps round it
  EXPECT_EQ(s.Run({"volume", "101"}).status, kExitUsage);
  EXPECT_EQ(s.Run({"volume", "-1"}).status, kExitUsage);
  EXPECT_EQ(s.Run({"volume", "loud"}).status, kExitUsage);

  ASSERT_EQ(s.Run({"stereo", "off"}).status, kExitOk);
  EXPECT_FALSE(s.Run({"--json", "info"}).Json()["audio"]["stereo"].get<bool>());
  EXPECT_EQ(s.Run({"stereo", "sideways"}).status, kExitUsage);

  Result modes = s.Run({"--json", "audio-mode"});
  ASSERT_EQ(modes.status, kExitOk);
  const json list = modes.Json()["audio_modes"];
  ASSERT_FALSE(list.empty());
  const std::string last = list.back()["name"];
  ASSERT_EQ(s.Run({"audio-mode", last}).status, kExitOk);
  EXPECT_EQ(s.Run({"--json", "info"}).Json()["audio"]["audio_mode"], last);
  EXPECT_EQ(s.Run({"audio-mode", "Surround"}).status, kExitFailed);

  // The language values of the channel list and its CSV file: 1, 2 and 4.
  ASSERT_EQ(s.Run({"language", "1"}).status, kExitOk);
  EXPECT_EQ(s.Run({"--json", "language"}).Json()["audio"]["language"], 1);
  for (const char *bad : {"0", "3", "5", "-1", "two"}) EXPECT_EQ(s.Run({"language", bad}).status, kExitUsage) << bad;
  const json offered = s.Run({"--json", "info"}).Json()["audio"]["languages"];
  ASSERT_FALSE(offered.empty());
  EXPECT_EQ(offered[0], 1);
  if (offered.size() < 3) {
    Result r = s.Run({"language", "4"});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("offers language"), std::string::npos) << r.err;
  }
  if (offered.size() >= 2) {
    ASSERT_EQ(s.Run({"language", "2"}).status, kExitOk);
    EXPECT_EQ(s.Run({"--json", "language"}).Json()["audio"]["language"], 2);
  }
}

TEST_F(Commands, MuteIsSetAndKept) {
  ASSERT_EQ(s.Run({"source", "Tuner"}).status, kExitOk);
  ASSERT_EQ(s.Run({"mute", "on"}).status, kExitOk);
  EXPECT_TRUE(s.Run({"--json", "info"}).Json()["audio"]["mute"].get<bool>());
  ASSERT_EQ(s.Run({"mute", "off"}).status, kExitOk);
  EXPECT_FALSE(s.Run({"--json", "info"}).Json()["audio"]["mute"].get<bool>());
}

TEST_F(Commands, DecoderSettingsAreListedSetAndKept) {
  Result r = s.Run({"--json", "decoder"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const json decoder = r.Json();
  const json standards = decoder["standard"]["values"];
  ASSERT_FALSE(standards.empty());
  EXPECT_TRUE(decoder.contains("signal_locked"));
  const std::string pal = "PAL";
  ASSERT_NE(std::find(standards.begin(), standards.end(), pal), standards.end());
  ASSERT_EQ(s.Run({"decoder", "standard", "pal"}).status, kExitOk);
  const json after = s.Run({"--json", "decoder", "standard"}).Json();
  EXPECT_EQ(after["standard"]["values"][after["standard"]["current"].get<int>()], pal);
  EXPECT_EQ(s.Run({"decoder", "standard", "99"}).status, kExitFailed);
  EXPECT_EQ(s.Run({"decoder", "sharpness", "1"}).status, kExitUsage);
  EXPECT_EQ(s.Run({"decoder", "vcr-timing", "perhaps"}).status, kExitUsage);
}

TEST_F(Commands, VideoPortSettings) {
  Result r = s.Run({"--json", "port"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const json port = r.Json();
  EXPECT_EQ(port["colour-format"]["values"], json::array({"UYVY"}));
  EXPECT_TRUE(port["overlay_colour_key"].is_string());
  if (!port["format"]["values"].empty()) {
    const int last = static_cast<int>(port["format"]["values"].size()) - 1;
    ASSERT_EQ(s.Run({"port", "format", std::to_string(last)}).status, kExitOk);
    EXPECT_EQ(s.Run({"--json", "port", "format"}).Json()["format"]["current"], last);
  }
  EXPECT_EQ(s.Run({"port", "colour-format", "YUY2"}).status, kExitFailed);
}

TEST_F(Commands, PictureControlsWithTheirRanges) {
  Result r = s.Run({"--json", "picture"});
  ASSERT_EQ(r.status, kExitOk);
  const json picture = r.Json()["picture"];
  ASSERT_EQ(picture.size(), 11u);
  EXPECT_EQ(picture[1]["name"], "brightness");
  EXPECT_EQ(picture[0]["name"], "back-light-comp");
  const json brightness = picture[1];
  ASSERT_TRUE(brightness["supported"].get<bool>());
  const int target = brightness["minimum"].get<int>() + brightness["step"].get<int>();
  ASSERT_EQ(s.Run({"picture", "brightness", std::to_string(target)}).status, kExitOk);
  EXPECT_EQ(s.Run({"--json", "picture", "1"}).Json()["value"], target);  // kept between runs
  Result high = s.Run({"picture", "brightness", std::to_string(brightness["maximum"].get<int>() + 1)});
  EXPECT_EQ(high.status, kExitFailed);
  EXPECT_EQ(s.Run({"picture", "glow", "1"}).status, kExitUsage);
  EXPECT_EQ(s.Run({"picture", "brightness", "bright"}).status, kExitUsage);
}

TEST_F(Commands, ExportImportRoundTripIsByteIdentical) {
  Scan();
  ASSERT_EQ(s.Run({"rename", "2", "Quote \"3\", comma"}).status, kExitOk);
  ASSERT_EQ(s.Run({"step-up", "4", "--progress=none"}).status, kExitOk);
  const std::string channelFile = s.ReadFile("TOLVEN0.dat");
  ASSERT_FALSE(channelFile.empty());
  const std::string a = (s.state / "a.csv").string(), b = (s.state / "b.csv").string();
  ASSERT_EQ(s.Run({"export", a}).status, kExitOk);
  const std::string csv = s.ReadFile("a.csv");
  EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1),
            "name,number,frequency_hz,audio_mode,language\nNew Channel 1,23,487250000,Auto,1\n");
  EXPECT_NE(csv.find("\n\"Quote \"\"3\"\", comma\",30,543250000,Auto,1\n"), std::string::npos) << csv;

  ASSERT_EQ(s.Run({"delete-all"}).status, kExitOk);
  Result imported = s.Run({"import", a});
  ASSERT_EQ(imported.status, kExitOk) << imported.err;
  EXPECT_EQ(imported.out, "Imported 6 channels\n");
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat"), channelFile);
  ASSERT_EQ(s.Run({"export", b}).status, kExitOk);
  EXPECT_EQ(s.ReadFile("b.csv"), csv);
  // Through standard output and input too.
  Result out = s.Run({"export", "-"});
  EXPECT_EQ(out.out, csv);
  s.input = csv;
  EXPECT_EQ(s.Run({"import", "-"}).status, kExitOk);
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat"), channelFile);
}

TEST_F(Commands, ImportWithABadLineChangesNothing) {
  Scan();
  ASSERT_EQ(s.Run({"tune", "2"}).status, kExitOk);
  const std::string before = s.ReadFile("TOLVEN0.dat");
  const std::string registry = s.ReadFile("registry.json");
  const std::string file = s.WriteFile("bad.csv",
                                       "name,number,frequency_hz,audio_mode,language\n"
                                       "One,21,471250000,Auto,1\n"
                                       "Two,22,lots,Auto,1\n"
                                       "Three,23,487250000,Auto,7\n");
  Result r = s.Run({"import", file});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find(file + ":3: frequency \"lots\""), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(file + ":4: language \"7\""), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("nothing imported; the channel list is unchanged"), std::string::npos);
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat"), before);
  EXPECT_EQ(s.ReadFile("registry.json"), registry);
  EXPECT_EQ(Channels()["channels"].size(), 6u);
  EXPECT_EQ(s.Run({"import", (s.state / "missing.csv").string()}).status, kExitFailed);
}

TEST_F(Commands, JsonListingsAreValidJson) {
  Scan();
  for (const std::vector<std::string> &args :
       std::vector<std::vector<std::string>>{{"info"}, {"sources"}, {"channels"}, {"audio-mode"}, {"language"},
                                             {"decoder"}, {"port"}, {"picture"}}) {
    std::vector<std::string> withJson = args;
    withJson.push_back("--json");
    Result r = s.Run(withJson);
    EXPECT_EQ(r.status, kExitOk) << args[0] << r.err;
    EXPECT_TRUE(json::accept(r.out)) << args[0];
  }
}

TEST_F(Commands, StateFolderMakesRunsOneMachine) {
  Scan();
  ASSERT_EQ(s.Run({"tune", "3"}).status, kExitOk);
  // A second session over the same folder sees the same machine.
  Session other;
  const std::filesystem::path own = other.state;
  other.state = s.state;
  const json c = other.Run({"--json", "channels"}).Json();
  other.state = own;  // its own (empty) folder is the one it removes
  EXPECT_EQ(c["channels"].size(), 6u);
  EXPECT_TRUE(c["channels"][3]["current"].get<bool>());
}

}  // namespace
}  // namespace tolven::varnctl::testing
