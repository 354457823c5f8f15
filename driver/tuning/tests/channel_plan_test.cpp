#include "driver/tuning/channel_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "driver/link/config_store.h"
#include "driver/link/kernel_link.h"
#include "driver/tuning/embedded_resources.h"
#include "driver/tuning/plan_choice.h"
#include "platform/emulated/emulated_platform.h"

namespace tolven::tuning {
namespace {

class PlanFixture : public ::testing::Test {
 protected:
  void SetUp() override { InstallTuningResources(platform_.resources); }

  // Stores the machine-wide values the way the Driver Settings dialog does.
  void SetParameter(const char16_t *name, uint32_t value) {
    reg::Key key = 0;
    ASSERT_EQ(platform_.registry.CreateKey(reg::kLocalMachine,
                                           u"SYSTEM\\CurrentControlSet\\Services\\tolvenk\\Parameters",
                                           reg::kAllAccess, &key),
              0u);
    reg::SetDword(platform_.registry, key, name, value);
    platform_.registry.CloseKey(key);
  }

  PlanChoice Load(CChannelPlan *plan) {
    ConfigStore config(platform_.registry, u"tolvenk");
    return LoadChosenPlan(config, platform_.resources, plan);
  }

  EmulatedPlatform platform_;
};

TEST_F(PlanFixture, DefaultsChooseTheUkBroadcastPlan) {
  CChannelPlan plan;
  PlanChoice choice = Load(&plan);
  EXPECT_EQ(choice.countryCode, 44u);
  EXPECT_EQ(choice.signalType, 2u);
  EXPECT_EQ(choice.resourceName, u"CHAN010B");
  EXPECT_EQ(plan.ResourceName(), u"CHAN010B");
  ASSERT_EQ(plan.Count(), 58u);
  EXPECT_EQ(plan.At(0).number, 21u);
  EXPECT_EQ(plan.At(0).FrequencyHz(), 471250000u);
}

TEST_F(PlanFixture, CableTypeChoosesTheCablePlan) {
  SetParameter(kSignalTypeValue, 32);
  CChannelPlan plan;
  EXPECT_EQ(Load(&plan).resourceName, u"CHAN010C");
  EXPECT_EQ(plan.Count(), 55u);
}

TEST_F(PlanFixture, AnyTypeButBroadcastCountsAsCable) {
  SetParameter(kSignalTypeValue, 7);
  CChannelPlan plan;
  EXPECT_EQ(Load(&plan).resourceName, u"CHAN010C");
}

TEST_F(PlanFixture, AustraliaUsesPlanThreeNotItsOwnCode) {
  SetParameter(kCountryCodeValue, 61);
  CChannelPlan plan;
  EXPECT_EQ(Load(&plan).resourceName, u"CHAN003B");
  EXPECT_EQ(plan.Count(), 60u);
}

TEST_F(PlanFixture, BhutanGetsAnEmptyPlanQuietly) {
  SetParameter(kCountryCodeValue, 975);
  CChannelPlan plan;
  PlanChoice choice = Load(&plan);
  EXPECT_EQ(choice.planNumber, 23u);
  EXPECT_EQ(choice.resourceName, u"CHAN023B");
  EXPECT_TRUE(plan.Empty());
  EXPECT_EQ(plan.FrequencyOfNumber(21), kNotInPlan);
  EXPECT_EQ(plan.NumberOfFrequency(471250000), kNotInPlan);
  EXPECT_EQ(plan.PositionOfNumber(21), -1);
}

TEST_F(PlanFixture, NumberOfFrequencyBoundsAreStrict) {
  CChannelPlan plan;
  Load(&plan);
  EXPECT_EQ(plan.NumberOfFrequency(473000000), 21u);
  EXPECT_EQ(plan.NumberOfFrequency(473250000), kNotInPlan);  // exactly 2 MHz above 21
  EXPECT_EQ(plan.NumberOfFrequency(469250000), kNotInPlan);  // exactly 2 MHz below 21
  EXPECT_EQ(plan.NumberOfFrequency(469250001), 21u);
  EXPECT_EQ(plan.NumberOfFrequency(473249999), 21u);
  EXPECT_EQ(plan.NumberOfFrequency(1000000), kNotInPlan);
  EXPECT_EQ(plan.NumberOfFrequency(0), kNotInPlan);
  EXPECT_EQ(plan.NumberOfFrequency(0xFFFFFFFFu), kNotInPlan);
}

TEST_F(PlanFixture, UsCablePlanLookups) {
  SetParameter(kCountryCodeValue, 1);
  SetParameter(kSignalTypeValue, 32);
  CChannelPlan plan;
  EXPECT_EQ(Load(&plan).resourceName, u"CHAN001C");
  EXPECT_EQ(plan.FrequencyOfNumber(1), 73250000u);
  EXPECT_EQ(plan.PositionOfNumber(1), 0);
  EXPECT_EQ(plan.PositionOfNumber(2), 1);
  EXPECT_EQ(plan.PositionOfNumber(158), 157);
  EXPECT_EQ(plan.FrequencyOfNumber(159), kNotInPlan);
  EXPECT_EQ(plan.FrequencyOfNumber(0), kNotInPlan);
}

TEST_F(PlanFixture, IterationBothWaysFollowsEntryOrder) {
  CChannelPlan plan;
  Load(&plan);
  std::vector<uint32_t> forwards, backwards;
  for (const auto &e : plan) forwards.push_back(e.number);
  for (auto it = plan.rbegin(); it != plan.rend(); ++it) backwards.push_back(it->number);
  ASSERT_EQ(forwards.size(), 58u);
  EXPECT_EQ(forwards.front(), 21u);
  EXPECT_EQ(forwards[48], 69u);
  EXPECT_EQ(forwards[49], 2u);
  EXPECT_EQ(forwards.back(), 10u);
  EXPECT_TRUE(std::equal(forwards.rbegin(), forwards.rend(), backwards.begin()));
}

TEST_F(PlanFixture, ReloadingEmptiesTheOldPlan) {
  CChannelPlan plan;
  Load(&plan);
  EXPECT_FALSE(plan.Load(platform_.resources, u"CHAN023C"));
  EXPECT_TRUE(plan.Empty());
  EXPECT_EQ(plan.ResourceName(), u"CHAN023C");
}

TEST_F(PlanFixture, DamagedPlanResourceLeavesThePlanEmpty) {
  std::span<const uint8_t> good;
  ASSERT_TRUE(platform_.resources.Find(kSerializedDataType, u"CHAN010B", &good));
  std::vector<uint8_t> bytes(good.begin(), good.end());
  // Cut, grown, and with a count far beyond the data.
  std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 3);
  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  std::vector<uint8_t> huge = bytes;
  huge[0] = 0xFF;
  huge[1] = 0xFF;
  huge.insert(huge.begin() + 2, {0xFF, 0xFF, 0xFF, 0x7F});
  for (const auto &damaged : {cut, longer, huge}) {
    platform_.resources.Add(kSerializedDataType, u"CHAN010B", damaged);
    CChannelPlan plan;
    EXPECT_FALSE(plan.Load(platform_.resources, u"CHAN010B"));
    EXPECT_TRUE(plan.Empty());
  }
}

TEST(MhzToHz, TruncatesTheExtendedProduct) {
  EXPECT_EQ(MhzToHz(471.25f), 471250000u);
  EXPECT_EQ(MhzToHz(60.5f), 60500000u);
  EXPECT_EQ(MhzToHz(176.0f), 176000000u);
  // 247.45 has no exact float; the product is truncated, not rounded.
  EXPECT_EQ(MhzToHz(247.45f), 247449996u);
  EXPECT_EQ(MhzToHz(0.0f), 0u);
}

TEST(MhzToHz, OutOfRangeValuesAreClampedNotUndefined) {
  EXPECT_EQ(MhzToHz(-55.25f), 0u);
  EXPECT_EQ(MhzToHz(std::numeric_limits<float>::quiet_NaN()), 0u);
  EXPECT_EQ(MhzToHz(std::numeric_limits<float>::infinity()), 0xFFFFFFFFu);
  EXPECT_EQ(MhzToHz(4295.0f), 0xFFFFFFFFu);
  EXPECT_EQ(MhzToHz(4294.0f), 4294000000u);
}

TEST(PlanResourceName, ThreeDigitsAndTypeLetter) {
  EXPECT_EQ(PlanResourceName(1, 2), u"CHAN001B");
  EXPECT_EQ(PlanResourceName(22, 32), u"CHAN022C");
  EXPECT_EQ(PlanResourceName(353, 2), u"CHAN353B");
  EXPECT_EQ(PlanResourceName(1234, 0), u"CHAN1234C");
}

TEST(CountryList, ReadsThroughTheResourcePort) {
  res::EmulatedResources resources;
  std::vector<CCountryCode> countries;
  EXPECT_FALSE(LoadCountryList(resources, &countries));
  InstallTuningResources(resources);
  ASSERT_TRUE(LoadCountryList(resources, &countries));
  ASSERT_EQ(countries.size(), 218u);
  EXPECT_EQ(countries[0].code, 44u);
  EXPECT_EQ(countries[0].name, u"United Kingdom (UK)");
  EXPECT_EQ(countries.back().code, 874u);
  EXPECT_EQ(countries.back().name, u"INMARSAT (Atlantic-West)");
}

TEST(CountryList, RoundTripsThroughTheArchive) {
  std::vector<CCountryCode> list{{44, u"United Kingdom (UK)"}, {0xFFFFFFFFu, WString(300, u'n')}};
  ArchiveWriter w;
  w.WriteCount(2);
  for (const auto &c : list) c.Write(w);
  ArchiveReader r(w.Bytes());
  std::vector<CCountryCode> back;
  ASSERT_TRUE(ReadCountryList(r, &back));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1].code, 0xFFFFFFFFu);
  EXPECT_EQ(back[1].name.size(), 300u);
}

}  // namespace
}  // namespace tolven::tuning
