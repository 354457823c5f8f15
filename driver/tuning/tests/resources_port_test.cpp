// The module-resources port as the tuning code uses it: lookup by type and
// by name or number, the type (and a name) compared without regard to case.
#include <gtest/gtest.h>

#include "driver/tuning/embedded_resources.h"
#include "platform/resources/emulated_resources.h"

namespace tolven::res {
namespace {

TEST(EmulatedResources, TypeAndNameCompareWithoutCase) {
  EmulatedResources r;
  const uint8_t bytes[] = {1, 2, 3};
  r.Add(u"SERIALIZED_DATA", u"CHAN010B", bytes);
  std::span<const uint8_t> got;
  EXPECT_TRUE(r.Find(u"serialized_data", u"CHAN010B", &got));
  EXPECT_EQ(got.size(), 3u);
  EXPECT_TRUE(r.Find(u"Serialized_Data", u"chan010b", &got));
  EXPECT_FALSE(r.Find(u"SERIALIZED", u"CHAN010B", &got));
  EXPECT_FALSE(r.Find(u"SERIALIZED_DATA", u"CHAN010C", &got));
}

TEST(EmulatedResources, NumbersAndNamesAreDistinct) {
  EmulatedResources r;
  const uint8_t bytes[] = {9};
  r.Add(u"SERIALIZED_DATA", uint16_t{131}, bytes);
  std::span<const uint8_t> got;
  EXPECT_TRUE(r.Find(u"serialized_data", uint16_t{131}, &got));
  EXPECT_FALSE(r.Find(u"serialized_data", u"131", &got));
  r.Remove(u"serialized_data", uint16_t{131});
  EXPECT_FALSE(r.Find(u"serialized_data", uint16_t{131}, &got));
}

TEST(EmulatedResources, EmbeddedTablesInstallUnderTheirNames) {
  EmulatedResources r;
  tuning::InstallTuningResources(r);
  std::span<const uint8_t> got;
  EXPECT_TRUE(r.Find(u"serialized_data", uint16_t{131}, &got));
  EXPECT_TRUE(r.Find(u"serialized_data", u"CHAN001C", &got));
  EXPECT_EQ(got.size(), 2u + 158u * 8u);
  EXPECT_EQ(tuning::EmbeddedTuningResources().size(), 1u + 51u);
}

}  // namespace
}  // namespace tolven::res
