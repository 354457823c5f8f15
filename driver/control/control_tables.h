// The control model's value tables: which bits each enumerated setting
// offers, their display names (string ids of the driver's string table) and
// their codes. Every component, and the tests, read these tables; nothing
// repeats them.
#pragma once
#include <cstdint>
#include <span>

namespace tolven::control {

// One value of an enumerated setting: its bit in a capability mask, the
// string id of its display name and its code.
struct ValueEntry {
  uint32_t bit;
  uint16_t stringId;
  int32_t code;
};

// An enumerated setting: its values, the bits its counts include, the name
// of any bit not listed (0: none) and the code of an unlisted bit.
struct ValueGroup {
  std::span<const ValueEntry> entries;
  uint32_t countedBits;
  uint16_t unlistedStringId;
  int32_t unlistedCode;

  const ValueEntry *Find(uint32_t bit) const;
  // The name's string id of a bit, 0 when it has none.
  uint16_t NameOf(uint32_t bit) const;
  int32_t CodeOf(uint32_t bit) const;
};

// Decoder groups.
extern const ValueGroup kAspectRatios;
extern const ValueGroup kVideoStandards;
extern const ValueGroup kScaleStrategies;
extern const ValueGroup kInterlaceModes;
extern const ValueGroup kColourDepths;
// Code to bit of the decoder groups.
uint32_t VideoStandardBitOfCode(int32_t code);
uint32_t AspectRatioBitOfCode(int32_t code);
uint32_t ScaleStrategyBitOfCode(int32_t code);
uint32_t InterlaceModeBitOfCode(int32_t code);
uint32_t ColourDepthBitOfCode(int32_t code);

// Video port groups (their codes are never asked for).
extern const ValueGroup kPortAspects;
extern const ValueGroup kPortVideoFormats;
extern const ValueGroup kPortConnections;

// TV audio modes; the crossbar's counts include bits 0-6, 16, 17 and 31.
extern const ValueGroup kAudioModes;
inline constexpr uint32_t kAudioAuto = 0x80000000u;
inline constexpr uint32_t kAudioMono = 1;
inline constexpr uint32_t kAudioLineStereo = 0x10000;
inline constexpr uint32_t kAudioLineDual = 0x20000;
// The tuner-source stereo systems in the order stereo is looked for.
inline constexpr uint32_t kTunerStereoModes[] = {2, 4, 8, 16, 32, 64};

// Tuner input types and analogue standards (tuner numbering).
extern const ValueGroup kTunerInputTypes;
extern const ValueGroup kTunerStandards;

// Crossbar connector types: settings pattern and display name.
struct ConnectorEntry {
  uint32_t code;
  const char *pattern;  // printf pattern of the per-source settings names
  uint16_t stringId;
};
std::span<const ConnectorEntry> Connectors();
const ConnectorEntry *FindConnector(uint32_t code);
inline bool IsVideoConnector(uint32_t code) { return code >= 2 && code <= 16; }
inline bool IsAudioConnector(uint32_t code) { return code >= 4097 && code <= 4105; }

// Picture controls: the interface's property, its settings name, the
// hardware property behind it and whether it is an on/off property.
struct ProcAmpEntry {
  int32_t property;
  const char *settingsName;
  uint32_t hardwareProperty;
  bool onOff;
};
std::span<const ProcAmpEntry> ProcAmpProperties();  // indexed by property
// The order the stored picture settings are applied in.
std::span<const int32_t> ProcAmpLoadOrder();

// String ids used beside the tables.
inline constexpr uint16_t kNewChannelString = 193;

// Index conventions over capability masks.
//   Count: the set bits of `mask` that `counted` includes.
//   NthBit: the index-th set bit of `mask` from bit 0 upwards, 0 when there
//     are not that many (or index < 0).
//   IndexOfBit: the number of the mask's set bits at or below the highest
//     bit of `value`, minus one; -1 for 0.
int32_t CountBits(uint32_t mask, uint32_t counted);
uint32_t NthBit(uint32_t mask, int32_t index);
int32_t IndexOfBit(uint32_t mask, uint32_t value);

}  // namespace tolven::control
