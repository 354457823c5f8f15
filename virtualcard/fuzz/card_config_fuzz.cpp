// Any text handed to the card configuration reader: it either gives a
// configuration or an error message, never a crash; an accepted
// configuration builds a card that answers the display driver's escapes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/display/escape_blocks.h"
#include "virtualcard/card_config.h"
#include "virtualcard/virtual_card.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string text(reinterpret_cast<const char *>(data), size);
  tolven::card::CardConfig config;
  std::string error;
  if (!tolven::card::ParseCardConfig(text, &config, &error)) {
    if (error.empty()) __builtin_trap();  // a refusal always says why
    return 0;
  }
  config.realTime = false;  // nothing here may wait
  tolven::card::VirtualCard card(config);
  uint8_t modeInfo[tolven::display::kDisplayModeInfoSize] = {};
  card.DisplayDriver().Escape(tolven::display::kEscapeDisplayModeInfo, 0, nullptr, sizeof modeInfo, modeInfo);
  return 0;
}
