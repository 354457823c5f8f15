#include "driver/hardware/tv_audio.h"

namespace tolven {

namespace {
constexpr uint8_t kSubControl = 0x00;
constexpr uint8_t kSubAudioRead = 0x13;
constexpr int32_t kSupported[] = {0x0F0007, 0x0F0004, 0x230007, 0x2D0007, 0x370007};
// Recognised but unsupported: the code is kept for the user to see.
constexpr int32_t kKnown[] = {0x080007, 0x000003, 0x000004, 0x050004, 0x0A0003,
                              0x0A0004, 0x120007, 0x260007, 0x300007, 0x3A0007};

template <size_t N>
bool Contains(const int32_t (&list)[N], int32_t value) {
  for (int32_t v : list)
    if (v == value) return true;
  return false;
}
}  // namespace

bool CTvAudioChip::WriteControl(uint16_t value) {
  const uint8_t bytes[] = {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
  return bus_.WriteRegisterBlock(kAudioBusAddress, kSubControl, 2, bytes, 1) != 0;
}

bool CTvAudioChip::ReadAudio(uint16_t reg, uint16_t *value) {
  const uint8_t bytes[] = {static_cast<uint8_t>(reg >> 8), static_cast<uint8_t>(reg)};
  if (!bus_.WriteRegisterBlock(kAudioBusAddress, kSubAudioRead, 2, bytes, 0)) return false;
  uint8_t word[2] = {};
  if (!bus_.ReadBytes(kAudioBusAddress, 2, word, 1)) return false;
  *value = static_cast<uint16_t>(word[0] << 8 | word[1]);
  return true;
}

void CTvAudioChip::Reset() {
  WriteControl(0x8000);
  clock_.Sleep(10);
  WriteControl(0);
}

bool CTvAudioChip::Detect() {
  Reset();
  clock_.Sleep(10);
  uint16_t high = 0, low = 0;
  if (!ReadAudio(0x1F, &high) || !ReadAudio(0x1E, &low)) return false;
  version_ = (high >> 8) * 65536 + (low & 0xFF);
  if (Contains(kSupported, version_)) return true;
  if (!Contains(kKnown, version_)) version_ = -1;
  return false;
}

}  // namespace tolven
