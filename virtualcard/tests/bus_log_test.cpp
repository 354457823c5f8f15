// The bus log's lines, byte for byte, and the tuned frequency it decodes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "virtualcard/bus_log.h"
#include "virtualcard/virtual_card.h"

namespace tolven::card {
namespace {

TEST(BusLog, LineFormat) {
  BusTransaction t;
  t.address = 0xC0;
  t.written = {0x29, 0x27, 0xC0, 0x08};
  t.acknowledged = true;
  EXPECT_EQ(BusLog::FormatLine(t, 2418, 487250000u), "2418 C0 ack w=2927C008 r= tune_hz=487250000\n");
  BusTransaction read;
  read.address = 0x89;
  read.read = {0xA1, 0x0F};
  read.readLength = 2;
  read.acknowledged = true;
  EXPECT_EQ(BusLog::FormatLine(read, 0, std::nullopt), "0 89 ack w= r=A10F\n");
  BusTransaction refused;
  refused.address = 0x42;
  refused.written = {0x00};
  EXPECT_EQ(BusLog::FormatLine(refused, 4294967295u, std::nullopt), "4294967295 42 nak w=00 r=\n");
}

TEST(BusLog, EveryTransactionWithTheTunedFrequency) {
  SimulatedClock clock;
  VirtualCard card(DefaultCardConfig(), &clock);  // tuner type 1: write 0xC0, read 0xC3
  std::vector<std::string> lines;
  {
    BusLog log(card, [&](const std::string &line) { lines.push_back(line); });
    clock.Advance(7);
    const uint8_t tune[] = {0xC0, 0x29, 0x27, 0xC0, 0x08};  // (487.25 + 39.5) MHz / 50 kHz
    ASSERT_TRUE(card.Bus().Transfer(tune, sizeof tune, nullptr, 0, 1));
    const uint8_t status[] = {0xC3};
    uint8_t byte = 0;
    ASSERT_TRUE(card.Bus().Transfer(status, 1, &byte, 1, 1));
    const uint8_t shortWrite[] = {0xC0, 0x01};
    ASSERT_TRUE(card.Bus().Transfer(shortWrite, sizeof shortWrite, nullptr, 0, 1));
    const uint8_t nobody[] = {0x42, 0x00};
    EXPECT_FALSE(card.Bus().Transfer(nobody, sizeof nobody, nullptr, 0, 1));
    const uint8_t decoder[] = {0x88, 0x10, 0x20};
    ASSERT_TRUE(card.Bus().Transfer(decoder, sizeof decoder, nullptr, 0, 1));
  }
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "7 C0 ack w=2927C008 r= tune_hz=487250000\n");
  EXPECT_EQ(lines[1].rfind("7 C3 ack w= r=", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2], "7 C0 ack w=01 r=\n");  // not a PLL write
  EXPECT_EQ(lines[3], "7 42 nak w=00 r=\n");
  EXPECT_EQ(lines[4], "7 88 ack w=1020 r=\n");
  // Gone with the log: the bus no longer reports to it.
  const uint8_t again[] = {0x88, 0x10, 0x00};
  ASSERT_TRUE(card.Bus().Transfer(again, sizeof again, nullptr, 0, 1));
  EXPECT_EQ(lines.size(), 5u);
}

TEST(BusLog, TheBusCanStopKeepingItsOwnLog) {
  SimulatedClock clock;
  VirtualCard card(DefaultCardConfig(), &clock);
  card.Bus().KeepLog(false);
  const uint8_t decoder[] = {0x88, 0x10, 0x20};
  ASSERT_TRUE(card.Bus().Transfer(decoder, sizeof decoder, nullptr, 0, 1));
  EXPECT_TRUE(card.Bus().Log().empty());
}

TEST(BusLog, ConfigurationNamesTheLogAndStationsTheirChannels) {
  CardConfig config;
  std::string error;
  ASSERT_TRUE(ParseCardConfig(R"({"bus_log": "C:\\logs\\bus.txt",
      "stations": [{"name": "A", "channel": 23, "frequency_mhz": 487.25}]})", &config, &error)) << error;
  EXPECT_EQ(config.busLog, "C:\\logs\\bus.txt");
  ASSERT_EQ(config.stations.size(), 1u);
  EXPECT_EQ(config.stations[0].channel, 23u);
  EXPECT_FALSE(ParseCardConfig(R"({"bus_log": 5})", &config, &error));
  EXPECT_EQ(DefaultCardConfig().busLog, "");
  EXPECT_EQ(DefaultCardConfig().stations.at(0).channel, 23u);
  EXPECT_STREQ(StandardName(4096), "PAL");
  EXPECT_STREQ(StandardName(256), "SECAM");
  EXPECT_STREQ(StandardName(3), "");
}

}  // namespace
}  // namespace tolven::card
