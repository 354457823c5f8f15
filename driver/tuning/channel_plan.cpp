#include "driver/tuning/channel_plan.h"

#include <cmath>

namespace tolven::tuning {

namespace {
constexpr uint32_t kLookupWindowHz = 2000000;

// Every entry needs at least this many bytes, so a count larger than the
// data could hold is refused before anything is reserved.
constexpr size_t kMinPlanEntryBytes = 8;
constexpr size_t kMinCountryBytes = 5;
}  // namespace

uint32_t MhzToHz(float mhz) {
  long double hz = static_cast<long double>(mhz) * 1000000.0L;
  if (std::isnan(hz) || hz <= 0.0L) return 0;
  if (hz >= 4294967296.0L) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(hz);
}

bool CCountryCode::Read(ArchiveReader &archive) {
  uint32_t c = 0;
  WString n;
  if (!archive.ReadU32(&c) || !archive.ReadString(&n)) return false;
  code = c;
  name = std::move(n);
  return true;
}

void CCountryCode::Write(ArchiveWriter &archive) const {
  archive.WriteU32(code);
  archive.WriteNarrowString(name);
}

bool CItuInfo::Read(ArchiveReader &archive) {
  uint32_t n = 0;
  float f = 0.0f;
  if (!archive.ReadU32(&n) || !archive.ReadFloat(&f)) return false;
  number = n;
  mhz = f;
  return true;
}

void CItuInfo::Write(ArchiveWriter &archive) const {
  archive.WriteU32(number);
  archive.WriteFloat(mhz);
}

bool CChannelPlan::Read(ArchiveReader &archive) {
  entries_.clear();
  uint32_t count = 0;
  if (!archive.ReadCount(&count) || count > archive.Remaining() / kMinPlanEntryBytes) return false;
  std::vector<CItuInfo> entries(count);
  for (auto &entry : entries)
    if (!entry.Read(archive)) return false;
  if (!archive.AtEnd()) return false;
  entries_ = std::move(entries);
  return true;
}

void CChannelPlan::Write(ArchiveWriter &archive) const {
  archive.WriteCount(static_cast<uint32_t>(entries_.size()));
  for (const auto &entry : entries_) entry.Write(archive);
}

bool CChannelPlan::Load(res::ModuleResources &resources, WStringView resourceName) {
  resourceName_ = WString(resourceName);
  entries_.clear();
  std::span<const uint8_t> data;
  if (!resources.Find(kSerializedDataType, res::ResourceName(resourceName), &data)) return false;
  ArchiveReader archive(data);
  return Read(archive);
}

uint32_t CChannelPlan::FrequencyOfNumber(uint32_t number) const {
  for (const auto &entry : entries_)
    if (entry.number == number) return entry.FrequencyHz();
  return kNotInPlan;
}

uint32_t CChannelPlan::NumberOfFrequency(uint32_t hz) const {
  // Unsigned on purpose: below 2 MHz the lower bound wraps and nothing
  // matches, as the driver has always answered.
  const uint32_t low = hz - kLookupWindowHz;
  const uint32_t high = hz + kLookupWindowHz;
  for (const auto &entry : entries_) {
    uint32_t f = entry.FrequencyHz();
    if (low < f && f < high) return entry.number;
  }
  return kNotInPlan;
}

int32_t CChannelPlan::PositionOfNumber(uint32_t number) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].number == number) return static_cast<int32_t>(i);
  return -1;
}

bool ReadCountryList(ArchiveReader &archive, std::vector<CCountryCode> *countries) {
  countries->clear();
  uint32_t count = 0;
  if (!archive.ReadCount(&count) || count > archive.Remaining() / kMinCountryBytes) return false;
  std::vector<CCountryCode> list(count);
  for (auto &country : list)
    if (!country.Read(archive)) return false;
  if (!archive.AtEnd()) return false;
  *countries = std::move(list);
  return true;
}

bool LoadCountryList(res::ModuleResources &resources, std::vector<CCountryCode> *countries) {
  countries->clear();
  std::span<const uint8_t> data;
  if (!resources.Find(kSerializedDataType, res::ResourceName(kCountryListResource), &data))
    return false;
  ArchiveReader archive(data);
  return ReadCountryList(archive, countries);
}

}  // namespace tolven::tuning
