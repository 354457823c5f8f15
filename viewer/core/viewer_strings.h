// The viewer's string table: every text the viewer shows, by number. The
// table in viewer_strings.cpp is the only copy; both builds use it.
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::viewer {

enum StringId : uint32_t {
  kStrMenuVideoSource = 59,
  kStrMenuVideoFormat = 60,
  kStrMenuVideoDisplay = 61,
  kStrMenuExit = 66,
  kStrOverlayWindow = 68,
  kStrCannotCreateOverlay = 69,
  kStrCannotConnect = 70,
  kStrCannotOverlay = 71,
  kStrNoDriver = 72,
  kStrNoDriverCaption = 73,
  kStrNoInterfaceCaption = 76,
  kStrNoInterface = 77,
  kStrAppTitle = 80,
  kStrAutoTuning = 105,
  kStrNoSource = 106,
  kStrNoAudio = 116,
  kStrMute = 117,
  kStrVolume = 122,
  kStrChannel = 123,
  kStrStereo = 128,
  kStrMono = 129,
  kStrNoChannels = 133,
  kStrNoChannel = 134,
  kStrSeekUpNothing = 150,
  kStrSeekDownNothing = 151,
  kStrNoChannelNumber = 152,
};

class ViewerStrings {
 public:
  // The text of a string number; empty when there is none.
  static WString Text(uint32_t id);
  static bool Has(uint32_t id);
};

}  // namespace tolven::viewer
