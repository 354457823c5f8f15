// The country list and the channel plans: serialised records read from the
// driver module's SERIALIZED_DATA resources.
#pragma once
#include <cstdint>
#include <vector>

#include "driver/tuning/archive.h"
#include "platform/resources/resources.h"

namespace tolven::tuning {

inline constexpr char16_t kSerializedDataType[] = u"SERIALIZED_DATA";
inline constexpr uint16_t kCountryListResource = 131;
// The answer of a plan lookup that finds nothing (-1).
inline constexpr uint32_t kNotInPlan = 0xFFFFFFFFu;

// Hz from the stored MHz: the float times 1,000,000 in extended precision,
// truncated. Values the 32-bit result cannot hold (negative, not a number,
// 4295 MHz and above) give 0 and 0xFFFFFFFF instead of an undefined cast.
uint32_t MhzToHz(float mhz);

// A country: its international dialling code and its name.
class CCountryCode {
 public:
  bool Read(ArchiveReader &archive);
  void Write(ArchiveWriter &archive) const;

  uint32_t code = 0;
  WString name;
};

// A channel-plan entry: channel number and vision carrier in MHz.
class CItuInfo {
 public:
  bool Read(ArchiveReader &archive);
  void Write(ArchiveWriter &archive) const;
  uint32_t FrequencyHz() const { return MhzToHz(mhz); }

  uint32_t number = 0;
  float mhz = 0.0f;
};

// One channel plan in the order its resource lists it (the order scans visit
// the channels), with the name of the resource it came from.
class CChannelPlan {
 public:
  using const_iterator = std::vector<CItuInfo>::const_iterator;
  using const_reverse_iterator = std::vector<CItuInfo>::const_reverse_iterator;

  // Empties the plan and reads the named resource into it. A resource that
  // is missing or cannot be read in full leaves the plan empty and answers
  // false.
  bool Load(res::ModuleResources &resources, WStringView resourceName);
  // Reads a plan archive (count, then entries); false and an empty plan when
  // it is damaged or has bytes after the last entry.
  bool Read(ArchiveReader &archive);
  void Write(ArchiveWriter &archive) const;

  // Hz of the first entry with this number, or kNotInPlan.
  uint32_t FrequencyOfNumber(uint32_t number) const;
  // Number of the first entry whose frequency f lies strictly within 2 MHz
  // of `hz` (F - 2,000,000 < f < F + 2,000,000 in unsigned 32-bit
  // arithmetic), or kNotInPlan.
  uint32_t NumberOfFrequency(uint32_t hz) const;
  // 0-based index of the first entry with this number, or -1.
  int32_t PositionOfNumber(uint32_t number) const;

  size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  const CItuInfo &At(size_t index) const { return entries_.at(index); }
  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }
  const_reverse_iterator rbegin() const { return entries_.rbegin(); }
  const_reverse_iterator rend() const { return entries_.rend(); }
  const WString &ResourceName() const { return resourceName_; }
  void Clear() { entries_.clear(); }
  void Append(const CItuInfo &entry) { entries_.push_back(entry); }

 private:
  std::vector<CItuInfo> entries_;
  WString resourceName_;
};

// Reads the country list (resource 131). A missing or damaged list answers
// false and an empty list.
bool LoadCountryList(res::ModuleResources &resources, std::vector<CCountryCode> *countries);
bool ReadCountryList(ArchiveReader &archive, std::vector<CCountryCode> *countries);

}  // namespace tolven::tuning
