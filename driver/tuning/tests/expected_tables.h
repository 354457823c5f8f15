// The tuning tables as the tests expect them, generated from the same text
// data as the resources but with every frequency worked out in whole Hz from
// its decimal text (so the float conversion of the driver is checked against
// exact values).
#pragma once
#include <cstdint>
#include <span>

namespace tolven::tuning::testdata {

struct ExpectedEntry {
  uint32_t number;
  uint32_t hz;
};

struct ExpectedPlan {
  const char *resource;  // CHAN%.3dB / CHAN%.3dC
  const char *file;      // the data file it is built from
  const ExpectedEntry *entries;
  size_t count;
};

struct ExpectedCountry {
  uint32_t code;
  const char *name;
};

std::span<const ExpectedPlan> ExpectedPlans();
std::span<const ExpectedCountry> ExpectedCountries();

}  // namespace tolven::tuning::testdata
