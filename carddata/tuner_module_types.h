// Facts about the card's parts that the driver and the virtual card both
// read, kept outside both so that neither includes the other.
//
// The tuner module types the card can carry, indexed by the type read from
// the video decoder's pins (0-10). This is the one table of module types:
// the driver (tuner_module.cpp) and the virtual card's simulated module both
// read it.
//
// Each entry is what the module's data sheet gives: its bus addresses, the
// description the device control model reads through TunerDescribe (dwords
// 1-15, copied in order), four frequency bands with their band control
// words, the intermediate frequency, the status masks and the divider step.
// Description dwords keep their numbers [1]-[15] in the field names.
#pragma once
#include <cstdint>

namespace tolven {

struct FrequencyBand {
  uint32_t low = 0, high = 0;  // Hz, inclusive; (0, 0) is no band
  constexpr bool Contains(uint32_t hz) const { return hz >= low && hz <= high; }
};

// Description dwords [1]-[15], by their use.
struct TunerDescription {
  uint32_t d1_capability;      // [1] the input's type
  uint32_t d2_inputs;          // [2] the input's second type word
  uint32_t d3_standards;       // [3] supported standards
  uint32_t d4_flags;           // [4] bit 1: fine tuning reads the status
  uint32_t d5_lockPollMs;      // [5] lock-poll delay (settling time) in ms
  uint32_t d6;                 // [6] number of inputs
  uint32_t d7;                 // [7]
  uint32_t d8_minimumHz;       // [8] tuning range
  uint32_t d9_maximumHz;       // [9]
  uint32_t d10;                // [10]
  uint32_t d11_lockTimeout;    // [11] value answered on lock timeout
  uint32_t d12_noSignal;       // [12] status read with no usable signal
  uint32_t d13_centred;        // [13] status read with the signal centred
  uint32_t d14;                // [14]
  uint32_t d15_fineStepHz;     // [15] fine-tuning step
};

struct TunerModuleType {
  uint8_t writeAddress;  // 0: not on the bus
  uint8_t readAddress;
  TunerDescription description;
  FrequencyBand bands[4];
  uint32_t intermediateHz;
  uint8_t adcMask;
  uint8_t inLockMask;
  uint16_t bandWords[4];
  uint32_t stepHz;
};

inline constexpr int kTunerModuleTypeCount = 11;

// clang-format off
inline constexpr TunerModuleType kTunerModuleTypes[kTunerModuleTypeCount] = {
  // type 0
  {0xC2, 0xC3, {32, 8, 1,       2, 150, 1, 1, 55250000, 801250000, 6000000, 0, 4, 2, 1, 50000},
   {{0, 0}, {55250000, 130250000}, {130250001, 364250000}, {364250001, 801250000}},
   45750000, 0x07, 0x40, {0x0000, 0xCE01, 0xCE02, 0xCE08}, 62500},
  // type 1
  {0xC0, 0xC3, {32, 8, 256,     2, 150, 1, 1, 45750000, 855250000, 8000000, 0, 4, 2, 1, 50000},
   {{45750000, 65500000}, {65500001, 129750000}, {129750001, 347250000}, {347250001, 855250000}},
   39500000, 0x07, 0x40, {0xC005, 0xC001, 0xC002, 0xC008}, 50000},
  // type 2
  {0xC0, 0xC1, {32, 8, 2097152, 2, 150, 1, 1, 48250000, 855250000, 7, 0, 4, 2, 1, 50000},
   {{48250000, 86750000}, {86750001, 129750000}, {129750001, 347250000}, {347250001, 885250000}},
   38900000, 0x07, 0x40, {0xC005, 0xC001, 0xC002, 0xC008}, 50000},
  // type 3
  {0xC0, 0xC3, {32, 8, 4194304, 2, 150, 1, 1, 49750000, 863250000, 8, 0, 4, 2, 1, 50000},
   {{49750000, 81250000}, {81250001, 129750000}, {129750001, 347250000}, {347250001, 863250000}},
   38000000, 0x07, 0x40, {0xC005, 0xC001, 0xC002, 0xC008}, 50000},
  // type 4
  {0xC0, 0xC3, {32, 8, 1,       2, 150, 1, 1, 54000000, 801250000, 62500, 0, 7, 2, 1, 50000},
   {{0, 0}, {54000000, 159750000}, {159750001, 465750000}, {465750001, 801250000}},
   45750000, 0x07, 0x40, {0x0000, 0xCE02, 0xCE04, 0xCE01}, 50000},
  // type 5
  {0xC0, 0xC3, {32, 8, 256,     2, 150, 1, 1, 45750000, 855250000, 62500, 0, 7, 2, 1, 50000},
   {{0, 0}, {45750000, 143750000}, {143750001, 467250000}, {467250001, 855250000}},
   38900000, 0x07, 0x40, {0x0000, 0xCE02, 0xCE04, 0xCE01}, 50000},
  // type 6
  {0xC0, 0xC3, {32, 8, 2097152, 2, 150, 1, 1, 48250000, 855250000, 62500, 0, 7, 2, 1, 50000},
   {{0, 0}, {48250000, 143750000}, {143750001, 467250000}, {467250001, 855250000}},
   38900000, 0x07, 0x40, {0x0000, 0xCE02, 0xCE04, 0xCE01}, 50000},
  // type 7: no module on the bus
  {0x00, 0x00, {32, 8, 2093043, 4, 50,  0, 0, 0, 0, 0, 0, 0, 2, 1, 50000},
   {{0, 0}, {0, 0}, {0, 0}, {0, 0}},
   0, 0x00, 0x00, {0, 0, 0, 0}, 50000},
  // type 8: no module on the bus
  {0x00, 0x00, {0, 0, 0,        2, 0,   0, 0, 0, 0, 0, 0, 0, 2, 1, 50000},
   {{0, 0}, {0, 0}, {0, 0}, {0, 0}},
   0, 0x00, 0x00, {0, 0, 0, 0}, 50000},
  // type 9
  {0xC0, 0xC3, {32, 8, 4194304, 2, 150, 1, 1, 49750000, 863250000, 62500, 0, 7, 2, 1, 50000},
   {{0, 0}, {49750000, 171750000}, {171750001, 451250000}, {448250001, 863250000}},
   38900000, 0x07, 0x40, {0x0000, 0xCEA0, 0xCE90, 0xCE30}, 50000},
  // type 10
  {0xC0, 0xC3, {32, 8, 880,     2, 150, 1, 0, 45750000, 855250000, 62500, 0, 7, 2, 1, 50000},
   {{0, 0}, {45750000, 171750000}, {171750001, 451250000}, {455250001, 855250000}},
   38900000, 0x07, 0x40, {0x0000, 0xCEA0, 0xCE90, 0xCE30}, 50000},
};
// clang-format on

// The entry of a module type; null for -1 and any type outside the table.
constexpr const TunerModuleType *TunerModuleTypeEntry(int type) {
  return type >= 0 && type < kTunerModuleTypeCount ? &kTunerModuleTypes[type] : nullptr;
}

// The band control word a frequency is tuned with: the first of bands 3, 2
// and 1 that contains it, else band 0 when it contains it, else 0.
constexpr uint16_t BandWordFor(const TunerModuleType &t, uint32_t hz) {
  for (int band = 3; band >= 1; --band)
    if (t.bands[band].Contains(hz)) return t.bandWords[band];
  return t.bands[0].Contains(hz) ? t.bandWords[0] : 0;
}

}  // namespace tolven
