// The shipped tables: every plan and the country list as read back through
// the resource port, against the facts they must meet.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "driver/tuning/channel_plan.h"
#include "driver/tuning/embedded_resources.h"
#include "driver/tuning/plan_choice.h"
#include "driver/tuning/tests/expected_tables.h"

namespace tolven::tuning {
namespace {

CChannelPlan LoadPlan(const char *name) {
  static res::EmulatedResources *resources = [] {
    auto *r = new res::EmulatedResources;
    InstallTuningResources(*r);
    return r;
  }();
  CChannelPlan plan;
  plan.Load(*resources, Widen(name));
  return plan;
}

TEST(PlanData, EveryPlanReadsBackEntryForEntryWithExactFrequencies) {
  size_t total = 0;
  for (const auto &expected : testdata::ExpectedPlans()) {
    SCOPED_TRACE(expected.resource);
    CChannelPlan plan = LoadPlan(expected.resource);
    ASSERT_EQ(plan.Count(), expected.count);
    for (size_t i = 0; i < expected.count; ++i) {
      EXPECT_EQ(plan.At(i).number, expected.entries[i].number) << i;
      // The stored float converts to exactly the decimal value of the table.
      EXPECT_EQ(plan.At(i).FrequencyHz(), expected.entries[i].hz) << i;
      EXPECT_EQ(expected.entries[i].hz % 50000, 0u) << i;
      ++total;
    }
  }
  EXPECT_GT(total, 2000u);
}

TEST(PlanData, ExactlyTheListedResourcesExist) {
  std::set<std::string> names;
  for (const auto &p : testdata::ExpectedPlans()) names.insert(p.resource);
  std::set<std::string> wanted;
  for (int plan = 1; plan <= 22; ++plan)
    for (char type : {'B', 'C'}) {
      char name[16];
      snprintf(name, sizeof name, "CHAN%03d%c", plan, type);
      wanted.insert(name);
    }
  for (const char *extra : {"CHAN039C", "CHAN061B", "CHAN061C", "CHAN064B", "CHAN064C",
                            "CHAN353B", "CHAN353C"})
    wanted.insert(extra);
  EXPECT_EQ(names, wanted);
  EXPECT_TRUE(LoadPlan("CHAN023B").Empty());
  EXPECT_TRUE(LoadPlan("CHAN023C").Empty());
  EXPECT_TRUE(LoadPlan("CHAN039B").Empty());
}

struct PlanFacts {
  const char *name;
  size_t count;
  uint32_t lowNumber, highNumber;
  uint32_t lowHz, highHz;
  std::vector<std::pair<uint32_t, uint32_t>> first;  // leading entries
  bool numberOrder;
};

class PlanFactsTest : public ::testing::TestWithParam<PlanFacts> {};

TEST_P(PlanFactsTest, SizeRangesAndFirstEntries) {
  const PlanFacts &f = GetParam();
  CChannelPlan plan = LoadPlan(f.name);
  ASSERT_EQ(plan.Count(), f.count);
  uint32_t lowN = 0xFFFFFFFF, highN = 0, lowF = 0xFFFFFFFF, highF = 0;
  std::set<uint32_t> numbers;
  for (const auto &e : plan) {
    lowN = std::min(lowN, e.number);
    highN = std::max(highN, e.number);
    lowF = std::min(lowF, e.FrequencyHz());
    highF = std::max(highF, e.FrequencyHz());
    numbers.insert(e.number);
  }
  EXPECT_EQ(numbers.size(), f.count) << "channel numbers repeat";
  EXPECT_EQ(lowN, f.lowNumber);
  EXPECT_EQ(highN, f.highNumber);
  EXPECT_EQ(lowF, f.lowHz);
  EXPECT_EQ(highF, f.highHz);
  for (size_t i = 0; i < f.first.size(); ++i) {
    EXPECT_EQ(plan.At(i).number, f.first[i].first) << i;
    EXPECT_EQ(plan.At(i).FrequencyHz(), f.first[i].second) << i;
  }
  bool sorted = std::is_sorted(plan.begin(), plan.end(),
                               [](const CItuInfo &a, const CItuInfo &b) { return a.number < b.number; });
  EXPECT_EQ(sorted, f.numberOrder);
}

constexpr uint32_t M(double mhz) { return static_cast<uint32_t>(mhz * 1000000.0 + 0.5); }

INSTANTIATE_TEST_SUITE_P(
    Plans, PlanFactsTest,
    ::testing::Values(
        PlanFacts{"CHAN001B", 68, 2, 69, M(55.25), M(801.25), {{2, M(55.25)}, {3, M(61.25)}, {4, M(67.25)}}, true},
        PlanFacts{"CHAN001C", 158, 1, 158, M(55.25), M(997.25), {{1, M(73.25)}, {2, M(55.25)}, {3, M(61.25)}}, true},
        PlanFacts{"CHAN002B", 61, 1, 62, M(91.25), M(765.25), {{1, M(91.25)}, {2, M(97.25)}, {3, M(103.25)}}, true},
        PlanFacts{"CHAN002C", 51, 13, 63, M(109.25), M(463.25), {{13, M(109.25)}}, true},
        PlanFacts{"CHAN003B", 60, 2, 69, M(48.25), M(855.25), {{2, M(48.25)}, {3, M(55.25)}, {4, M(62.25)}}, true},
        PlanFacts{"CHAN003C", 55, 2, 56, M(48.25), M(463.25), {{2, M(48.25)}, {3, M(55.25)}}, true},
        PlanFacts{"CHAN004B", 60, 2, 69, M(48.25), M(855.25), {{2, M(48.25)}, {3, M(53.75)}}, true},
        PlanFacts{"CHAN004C", 55, 2, 56, M(48.25), M(463.25), {{2, M(48.25)}, {3, M(53.75)}}, true},
        PlanFacts{"CHAN005B", 63, 1, 69, M(46.25), M(855.25), {}, false},
        PlanFacts{"CHAN005C", 55, 2, 56, M(46.25), M(463.25), {}, true},
        PlanFacts{"CHAN006B", 60, 2, 69, M(45.25), M(855.25), {}, true},
        PlanFacts{"CHAN006C", 55, 2, 56, M(45.25), M(463.25), {}, true},
        PlanFacts{"CHAN007B", 57, 1, 57, M(49.75), M(863.25), {{1, M(49.75)}, {2, M(57.25)}}, true},
        PlanFacts{"CHAN010B", 58, 2, 69, M(45.75), M(855.25), {{21, M(471.25)}}, false},
        PlanFacts{"CHAN011C", 55, 2, 56, M(45.75), M(463.25), {}, true},
        PlanFacts{"CHAN012B", 58, 2, 69, M(43.25), M(855.25), {{21, M(471.25)}}, false},
        PlanFacts{"CHAN013B", 62, 2, 69, M(45.75), M(855.25), {{21, M(471.25)}}, false},
        PlanFacts{"CHAN020B", 6, 1, 6, M(175.25), M(215.25), {{1, M(175.25)}}, true},
        PlanFacts{"CHAN022B", 59, 1, 69, M(47.75), M(855.25), {{1, M(47.75)}, {2, M(55.75)}, {3, M(60.5)}}, false},
        PlanFacts{"CHAN039C", 10, 1, 10, M(53.75), M(224.25), {}, true},
        PlanFacts{"CHAN061B", 14, 1, 14, M(46.25), M(223.25), {}, false},
        PlanFacts{"CHAN064B", 9, 1, 9, M(45.25), M(210.25), {}, true},
        PlanFacts{"CHAN353B", 9, 2, 10, M(45.75), M(215.25), {}, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PlanData, UkPlanListsUhfFirstThenVhf) {
  CChannelPlan plan = LoadPlan("CHAN010B");
  for (uint32_t n = 21; n <= 69; ++n) EXPECT_EQ(plan.At(n - 21).number, n);
  const std::pair<uint32_t, uint32_t> vhf[] = {{2, M(45.75)}, {3, M(53.75)}, {4, M(61.75)},
                                               {5, M(175.25)}, {10, M(215.25)}};
  for (auto [n, hz] : vhf) EXPECT_EQ(plan.FrequencyOfNumber(n), hz);
  EXPECT_EQ(plan.PositionOfNumber(2), 49);
  EXPECT_EQ(plan.FrequencyOfNumber(69), M(855.25));
}

TEST(PlanData, FrenchPlanPutsTwentySevenBetweenTwentyThreeAndTwentyFour) {
  CChannelPlan plan = LoadPlan("CHAN022B");
  int32_t p23 = plan.PositionOfNumber(23), p27 = plan.PositionOfNumber(27),
          p24 = plan.PositionOfNumber(24);
  EXPECT_EQ(p27, p23 + 1);
  EXPECT_EQ(p24, p27 + 1);
  EXPECT_EQ(plan.FrequencyOfNumber(27), M(519.25));
}

std::vector<uint8_t> Bytes(const char *name) {
  res::EmulatedResources r;
  InstallTuningResources(r);
  std::span<const uint8_t> b;
  r.Find(kSerializedDataType, Widen(name), &b);
  return std::vector<uint8_t>(b.begin(), b.end());
}

TEST(PlanData, PlansStatedIdenticalAreIdentical) {
  const std::pair<const char *, const char *> same[] = {
      {"CHAN007C", "CHAN007B"}, {"CHAN008B", "CHAN010B"}, {"CHAN009B", "CHAN010B"},
      {"CHAN011B", "CHAN010B"}, {"CHAN008C", "CHAN003C"}, {"CHAN009C", "CHAN003C"},
      {"CHAN010C", "CHAN003C"}, {"CHAN012C", "CHAN003C"}, {"CHAN013C", "CHAN003C"},
      {"CHAN014B", "CHAN001B"}, {"CHAN015B", "CHAN001B"}, {"CHAN016B", "CHAN001B"},
      {"CHAN014C", "CHAN001C"}, {"CHAN015C", "CHAN001C"}, {"CHAN016C", "CHAN001C"},
      {"CHAN017B", "CHAN003B"}, {"CHAN019B", "CHAN003B"}, {"CHAN017C", "CHAN003C"},
      {"CHAN019C", "CHAN003C"}, {"CHAN018B", "CHAN007B"}, {"CHAN018C", "CHAN007B"},
      {"CHAN020C", "CHAN020B"}, {"CHAN021B", "CHAN020B"}, {"CHAN021C", "CHAN020B"},
      {"CHAN022C", "CHAN022B"}, {"CHAN061C", "CHAN061B"}, {"CHAN064C", "CHAN064B"},
      {"CHAN353C", "CHAN353B"}};
  for (auto [a, b] : same) {
    EXPECT_FALSE(Bytes(a).empty()) << a;
    EXPECT_EQ(Bytes(a), Bytes(b)) << a << " " << b;
  }
  EXPECT_NE(Bytes("CHAN011C"), Bytes("CHAN003C"));
}

TEST(PlanData, ResourceBytesFollowTheArchiveLayout) {
  std::vector<uint8_t> b = Bytes("CHAN010B");
  ASSERT_EQ(b.size(), 2u + 58u * 8u);
  EXPECT_EQ(b[0], 58);
  EXPECT_EQ(b[1], 0);
  // 21, 471.25f
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 2, b.begin() + 10),
            (std::vector<uint8_t>{0x15, 0, 0, 0, 0x00, 0xA0, 0xEB, 0x43}));
}

TEST(CountryData, ListMatchesTheTableInOrder) {
  res::EmulatedResources r;
  InstallTuningResources(r);
  std::vector<CCountryCode> countries;
  ASSERT_TRUE(LoadCountryList(r, &countries));
  auto expected = testdata::ExpectedCountries();
  ASSERT_EQ(countries.size(), 218u);
  ASSERT_EQ(expected.size(), 218u);
  for (size_t i = 0; i < countries.size(); ++i) {
    EXPECT_EQ(countries[i].code, expected[i].code) << i;
    EXPECT_EQ(countries[i].name, Widen(expected[i].name)) << i;
  }
  EXPECT_EQ(std::count_if(countries.begin(), countries.end(),
                          [](const CCountryCode &c) { return c.name == u"Bahrain"; }),
            2);
}

TEST(CountryData, EveryListedCountryMapsToItsPlan) {
  const std::map<uint32_t, std::vector<uint32_t>> byPlan = {
      {1, {1, 2, 51, 52, 53, 56, 57, 58, 63, 82, 84, 95, 246, 297, 299, 501, 502, 503, 504, 505,
           506, 507, 509, 593, 597, 599, 671, 676, 679, 680, 684, 691, 692, 886}},
      {2, {81}},
      {3, {3, 31, 32, 34, 39, 41, 42, 43, 45, 46, 47, 49, 60, 61, 62, 64, 65, 66, 90, 91, 92, 93,
           94, 213, 231, 232, 233, 234, 235, 236, 237, 239, 248, 249, 250, 251, 252, 254, 255,
           256, 258, 260, 263, 268, 298, 350, 351, 352, 354, 355, 356, 357, 358, 370, 372, 378,
           381, 385, 386, 387, 389, 672, 673, 675, 682, 685, 686, 855, 856, 880, 960, 962, 965,
           967, 968, 971, 972, 973, 974, 977}},
      {7, {40, 86}},
      {10, {27, 44, 244, 264, 266, 353, 500, 852, 853}},
      {14, {55}},
      {15, {591, 595, 598}},
      {16, {54}},
      {17, {20, 30, 98, 212, 216, 218, 222, 230, 240, 961, 963, 964, 966}},
      {18, {7, 36, 48, 242, 359, 371, 373, 374, 375, 380, 850, 976, 994, 995}},
      {19, {377}},
      {20, {220, 221, 223, 224, 225, 226, 227, 228, 229, 241, 243, 253, 257, 261, 262, 267, 269,
            508, 590, 592, 594, 596, 681, 687, 689}},
      {22, {33}},
      {23, {238, 245, 247, 265, 290, 291, 376, 670, 674, 677, 678, 683, 688, 690, 871, 872, 873,
            874, 975, 0, 4, 999, 0xFFFFFFFFu}}};
  std::map<uint32_t, uint32_t> planOf;
  for (const auto &[plan, codes] : byPlan)
    for (uint32_t code : codes) {
      EXPECT_EQ(PlanNumberForCountry(code), plan) << code;
      planOf[code] = plan;
    }
  // Every country of the shipped list is covered by the table above.
  for (const auto &c : testdata::ExpectedCountries())
    EXPECT_TRUE(planOf.count(c.code)) << c.code << " " << c.name;
}

}  // namespace
}  // namespace tolven::tuning
