#include "driver/control/control_tables.h"

#include <bit>

#include "driver/hardware/requests.h"

namespace tolven::control {

const ValueEntry *ValueGroup::Find(uint32_t bit) const {
  for (const ValueEntry &e : entries)
    if (e.bit == bit) return &e;
  return nullptr;
}

uint16_t ValueGroup::NameOf(uint32_t bit) const {
  const ValueEntry *e = Find(bit);
  return e ? e->stringId : unlistedStringId;
}

int32_t ValueGroup::CodeOf(uint32_t bit) const {
  const ValueEntry *e = Find(bit);
  return e ? e->code : unlistedCode;
}

namespace {

constexpr uint32_t Bits(int first, int last) {
  uint32_t mask = 0;
  for (int b = first; b <= last; ++b) mask |= 1u << b;
  return mask;
}

constexpr ValueEntry kAspectRatioEntries[] = {
    {1, 217, 0}, {2, 218, 1}, {4, 238, 2}, {8, 239, 3}, {16, 240, 4}};
constexpr ValueEntry kVideoStandardEntries[] = {
    {0, 207, 0},        {1, 194, 1},       {2, 195, 2},       {4, 196, 3},
    {8, 197, 4},        {16, 198, 5},      {256, 199, 6},     {4096, 200, 7},
    {8192, 201, 8},     {16384, 202, 9},   {32768, 203, 10},  {0x10000, 204, 11},
    {0x20000, 205, 12}, {0x80000000u, 206, -1}};
constexpr ValueEntry kScaleStrategyEntries[] = {{1, 213, 0}, {2, 214, 1}, {4, 215, 2}, {8, 216, 3}};
constexpr ValueEntry kInterlaceModeEntries[] = {
    {1, 208, 0}, {2, 209, 1}, {4, 210, 2}, {8, 211, 3}, {16, 212, 4}};
constexpr ValueEntry kColourDepthEntries[] = {
    {1, 267, 0},  {2, 268, 1},  {4, 269, 2},   {8, 270, 3},  {16, 271, 4},
    {32, 272, 5}, {64, 274, 6}, {128, 273, 7}, {256, 275, 8}};

constexpr ValueEntry kPortAspectEntries[] = {
    {1, 217, -1}, {2, 218, -1}, {4, 238, -1}, {8, 239, -1}, {16, 240, -1}};
constexpr ValueEntry kPortVideoFormatEntries[] = {{1, 282, -1}, {2, 283, -1}, {0x80000000u, 284, -1}};
constexpr ValueEntry kPortConnectionEntries[] = {
    {1, 285, -1}, {2, 286, -1}, {4, 287, -1}, {8, 288, -1}, {0x80000000u, 289, -1}};

constexpr ValueEntry kAudioModeEntries[] = {
    {0x80000000u, 140, 0}, {1, 135, 1},  {2, 136, 2},  {4, 137, 3},       {8, 138, 4},
    {16, 139, 5},          {32, 276, 6}, {64, 236, 7}, {0x10000, 178, 8}, {0x20000, 235, 9}};

constexpr ValueEntry kTunerInputTypeEntries[] = {
    {0, 252, 0},        {1, 253, 0},        {2, 254, 0},        {4, 255, 0},
    {8, 256, 0},        {16, 257, 0},       {32, 258, 0},       {64, 259, 0},
    {0x10000, 260, 0},  {0x20000, 261, 0},  {0x40000, 262, 0},  {0x80000, 263, 0},
    {0x100000, 264, 0}, {0x200000, 265, 0}};
constexpr ValueEntry kTunerStandardEntries[] = {
    {0x80000000u, 140, 0}, {1, 141, 0},         {2, 142, 0},         {16, 143, 0},
    {32, 174, 0},          {64, 145, 0},        {128, 146, 0},       {256, 147, 0},
    {512, 144, 0},         {1024, 148, 0},      {2048, 148, 0},      {4096, 150, 0},
    {0x2000, 151, 0},      {0x4000, 152, 0},    {0x8000, 153, 0},    {0x10000, 175, 0},
    {0x20000, 154, 0},     {0x40000, 155, 0},   {0x80000, 156, 0},   {0x100000, 176, 0},
    {0x200000, 277, 0},    {0x400000, 278, 0},  {0x800000, 279, 0},  {0x1000000, 280, 0}};

constexpr ConnectorEntry kConnectorEntries[] = {
    {2, "%s_Tuner%d", 157},           {3, "%s_Composite%d", 159},      {4, "%s_SVideo%d", 158},
    {5, "%s_RGB%d", 160},             {6, "%s_YRYBY%d", 161},          {7, "%s_SDigital%d", 162},
    {8, "%s_PDigital%d", 163},        {9, "%s_Scsi%d", 164},           {10, "%s_Aux%d", 165},
    {11, "%s_Firewire%d", 166},       {12, "%s_Usb%d", 167},           {13, "%s_VideoDecoder%d", 168},
    {14, "%s_VideoEncoder%d", 169},   {15, "%s_Scart%d", 170},         {16, "%s_VideoPort%d", 171},
    {4097, "%s_Radio%d", 241},        {4098, "%s_Line%d", 242},        {4099, "%s_Mic%d", 243},
    {4100, "%s_Spdif%d", 244},        {4101, "%s_AudioScsi%d", 245},   {4102, "%s_AudioAux%d", 246},
    {4103, "%s_AudioFirewire%d", 247}, {4104, "%s_AudioUsb%d", 248},   {4105, "%s_AudioDecoder%d", 249}};

namespace hw = requests::procamp;
constexpr ProcAmpEntry kProcAmpEntries[] = {
    {0, "vpa_Back_Light_Comp", hw::kBackLightCompensation, false},
    {1, "vpa_Brightness", hw::kBrightness, false},
    {2, "vpa_Colour_Balance", hw::kColourBalance, false},
    {3, "vpa_Colour_Enable", hw::kColourEnable, true},
    {4, "vpa_Contrast", hw::kContrast, false},
    {5, "vpa_Gamma_Correction", hw::kGammaCorrection, false},
    {6, "vpa_Hue", hw::kHue, false},
    {7, "vpa_Inverse_Video", hw::kInverseVideo, true},
    {8, "vpa_Saturation", hw::kSaturation, false},
    {9, "vpa_Sharpness", hw::kSharpness, false},
    {10, "vpa_White_Balance", hw::kWhiteBalance, false}};
// Brightness, Contrast, Hue, Saturation, Gamma_Correction, Sharpness,
// Colour_Balance, White_Balance, Back_Light_Comp, Colour_Enable, Inverse_Video.
constexpr int32_t kProcAmpLoadOrder[] = {1, 4, 6, 8, 5, 9, 2, 10, 0, 3, 7};

}  // namespace

const ValueGroup kAspectRatios{kAspectRatioEntries, Bits(0, 4), 0, 0};
const ValueGroup kVideoStandards{kVideoStandardEntries,
                                 Bits(0, 4) | 1u << 8 | Bits(12, 17) | 1u << 31, 0, 0};
const ValueGroup kScaleStrategies{kScaleStrategyEntries, Bits(0, 3), 0, 0};
const ValueGroup kInterlaceModes{kInterlaceModeEntries, Bits(0, 4), 0, 1};
const ValueGroup kColourDepths{kColourDepthEntries, Bits(0, 8), 0, -1};

const ValueGroup kPortAspects{kPortAspectEntries, Bits(0, 5) | 1u << 31, 0, -1};
const ValueGroup kPortVideoFormats{kPortVideoFormatEntries, Bits(0, 1) | 1u << 31, 0, -1};
const ValueGroup kPortConnections{kPortConnectionEntries, Bits(0, 3) | 1u << 31, 0, -1};

const ValueGroup kAudioModes{kAudioModeEntries, Bits(0, 6) | Bits(16, 17) | 1u << 31, 0, -1};

const ValueGroup kTunerInputTypes{kTunerInputTypeEntries, 0xFFFFFFFFu, 266, 0};
const ValueGroup kTunerStandards{kTunerStandardEntries, Bits(0, 1) | Bits(4, 24) | 1u << 31, 281, 0};

uint32_t VideoStandardBitOfCode(int32_t code) {
  for (const ValueEntry &e : kVideoStandardEntries)
    if (e.code == code && code >= 0) return e.bit;
  return 0x80000000u;
}

// Codes 1..n map to bits 2..2^n; anything else to bit 1.
static uint32_t PowerOfCode(int32_t code, int32_t last) {
  return code >= 1 && code <= last ? 1u << code : 1u;
}
uint32_t AspectRatioBitOfCode(int32_t code) { return PowerOfCode(code, 4); }
uint32_t ScaleStrategyBitOfCode(int32_t code) { return PowerOfCode(code, 3); }
uint32_t InterlaceModeBitOfCode(int32_t code) { return PowerOfCode(code, 4); }
uint32_t ColourDepthBitOfCode(int32_t code) { return PowerOfCode(code, 8); }

std::span<const ConnectorEntry> Connectors() { return kConnectorEntries; }

const ConnectorEntry *FindConnector(uint32_t code) {
  for (const ConnectorEntry &e : kConnectorEntries)
    if (e.code == code) return &e;
  return nullptr;
}

std::span<const ProcAmpEntry> ProcAmpProperties() { return kProcAmpEntries; }
std::span<const int32_t> ProcAmpLoadOrder() { return kProcAmpLoadOrder; }

int32_t CountBits(uint32_t mask, uint32_t counted) { return std::popcount(mask & counted); }

uint32_t NthBit(uint32_t mask, int32_t index) {
  if (index < 0) return 0;
  for (int b = 0; b < 32; ++b) {
    const uint32_t bit = 1u << b;
    if (!(mask & bit)) continue;
    if (index-- == 0) return bit;
  }
  return 0;
}

int32_t IndexOfBit(uint32_t mask, uint32_t value) {
  if (value == 0) return -1;
  const uint32_t top = std::bit_floor(value);
  return std::popcount(mask & (top | (top - 1))) - 1;
}

}  // namespace tolven::control
