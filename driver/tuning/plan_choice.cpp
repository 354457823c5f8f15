#include "driver/tuning/plan_choice.h"

#include <algorithm>

namespace tolven::tuning {

uint32_t PlanNumberForCountry(uint32_t countryCode) {
  const CountryPlan *first = kCountryPlans;
  const CountryPlan *last = kCountryPlans + kCountryPlanCount;
  const CountryPlan *found = std::lower_bound(
      first, last, countryCode, [](const CountryPlan &p, uint32_t code) { return p.code < code; });
  return (found != last && found->code == countryCode) ? found->plan : kDefaultPlanNumber;
}

WString PlanResourceName(uint32_t planNumber, uint32_t signalType) {
  std::string digits = std::to_string(planNumber);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return Widen("CHAN" + digits + (signalType == kBroadcastType ? "B" : "C"));
}

PlanChoice ChoosePlan(ConfigStore &config) {
  PlanChoice choice{};
  if (!config.ReadParameterDword(kCountryCodeValue, &choice.countryCode))
    choice.countryCode = kDefaultCountryCode;
  if (!config.ReadParameterDword(kSignalTypeValue, &choice.signalType))
    choice.signalType = kBroadcastType;
  choice.planNumber = PlanNumberForCountry(choice.countryCode);
  choice.resourceName = PlanResourceName(choice.planNumber, choice.signalType);
  return choice;
}

PlanChoice LoadChosenPlan(ConfigStore &config, res::ModuleResources &resources,
                          CChannelPlan *plan) {
  PlanChoice choice = ChoosePlan(config);
  plan->Load(resources, choice.resourceName);
  return choice;
}

}  // namespace tolven::tuning
