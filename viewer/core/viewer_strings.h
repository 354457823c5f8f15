// The viewer's string table: every text the viewer shows, by number. The
// table in viewer_strings.cpp is the only copy; both builds use it.
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::viewer {

enum StringId : uint32_t {
  kStrNextSourceCommand = 17,
  kStrPrevSourceCommand = 18,
  kStrIncreaseVolumeCommand = 39,
  kStrDecreaseVolumeCommand = 40,
  kStrNextChannelCommand = 41,
  kStrPreviousChannelCommand = 42,
  kStrMuteCommand = 43,
  kStrRemoteCommand = 44,
  kStrMaximizeCommand = 45,
  kStrTipHideBorders = 46,
  kStrTipHideMax = 47,
  kStrTipLaunchBar = 48,
  kStrTipAspectRatio = 49,
  kStrTipScreensaver = 50,
  kStrProgramFile = 51,
  kStrShortcutTo = 52,
  kStrHotkeyAtom = 53,
  kStrMenuVideoSource = 59,
  kStrMenuVideoFormat = 60,
  kStrMenuVideoDisplay = 61,
  kStrMenuExit = 66,
  kStrPreferencesCaption = 67,
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
  kStrHotkeyInUse = 160,
  kStrHotkeyInUseNote = 161,
};

class ViewerStrings {
 public:
  // The text of a string number; empty when there is none.
  static WString Text(uint32_t id);
  static bool Has(uint32_t id);
};

}  // namespace tolven::viewer
