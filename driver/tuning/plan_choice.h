// Which channel plan the tuner loads: from the machine-wide country code and
// signal type to a plan number and its resource name.
#pragma once
#include <cstddef>
#include <cstdint>

#include "driver/link/config_store.h"
#include "driver/tuning/channel_plan.h"

namespace tolven::tuning {

inline constexpr char16_t kCountryCodeValue[] = u"tune_CountryCode";
inline constexpr char16_t kSignalTypeValue[] = u"tune_Type";
inline constexpr uint32_t kDefaultCountryCode = 44;
inline constexpr uint32_t kBroadcastType = 2;  // broadcast terrestrial video (antenna)
inline constexpr uint32_t kCableType = 32;     // cable video; any type but 2 counts as cable

struct CountryPlan {
  uint32_t code;
  uint32_t plan;
};

// The country-code table, sorted by code (generated from the tuning data),
// and the plan of every code it does not list.
extern const CountryPlan kCountryPlans[];
extern const size_t kCountryPlanCount;
extern const uint32_t kDefaultPlanNumber;

uint32_t PlanNumberForCountry(uint32_t countryCode);
// "CHAN%.3dB" for the broadcast type, "CHAN%.3dC" for any other.
WString PlanResourceName(uint32_t planNumber, uint32_t signalType);

struct PlanChoice {
  uint32_t countryCode;
  uint32_t signalType;
  uint32_t planNumber;
  WString resourceName;
};

// Reads "tune_CountryCode" (default 44) and "tune_Type" (default 2) from the
// driver's service parameters and names the plan they choose.
PlanChoice ChoosePlan(ConfigStore &config);
// Chooses and loads the plan. A plan without a resource (or one that cannot
// be read) stays empty; that is no error for the caller.
PlanChoice LoadChosenPlan(ConfigStore &config, res::ModuleResources &resources, CChannelPlan *plan);

}  // namespace tolven::tuning
