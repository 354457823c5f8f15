#include "viewer/core/viewer_strings.h"

#include <iterator>

namespace tolven::viewer {

namespace {

struct Entry {
  uint32_t id;
  const char16_t *text;
};

// Trailing blanks are part of some texts: a number follows them.
constexpr Entry kStrings[] = {
    {33, u"Dock-controls"},
    {35, u"Hide-remote"},
    {54, u"Windowed"},
    {55, u"Separate controls"},
    {56, u"Show controls"},
    {57, u"Standard controller"},
    {58, u"Advanced controller"},
    {17, u"Next-source"},
    {18, u"Prev-source"},
    {39, u"Increase volume"},
    {40, u"Decrease volume"},
    {41, u"Next channel"},
    {42, u"Previous channel"},
    {43, u"Mute volume"},
    {44, u"Hide/show remote controls"},
    {45, u"Maximize/restore "},
    {46, u"Remove borders when maximized"},
    {47, u"Hide controls when maximized"},
    {48, u"Add quick launch icon"},
    {49, u"Maintain height to width ratio when resizing"},
    {50, u"Disable screensaver during use"},
    {51, u"Viewer.exe"},
    {52, u"Shortcut to "},
    {53, u"Varn Viewer"},
    {59, u"Video source..."},
    {60, u"Video format..."},
    {61, u"Video display..."},
    {62, u"Preferences..."},
    {63, u"About..."},
    {64, u"Help..."},
    {65, u"Full screen"},
    {66, u"Exit"},
    {67, u"General Preferences"},
    {68, u"OverlayWnd"},
    {69, u"Unable to create overlay window."},
    {70, u"Unable to connect to the hardware."},
    {71, u"Unable to turn on the overlay."},
    {72, u"Unable to locate Video for Windows driver"},
    {73, u"Error"},
    {76, u"Error"},
    {77, u"Unable to get an interface to the hardware.   Make sure that you have the correct version of the "
         u"Video for Windows driver loaded."},
    {80, u"Varn Viewer"},
    {102, u"Are you sure you want to delete this channel?"},
    {103, u"Delete Channel"},
    {105, u"Auto-tuning..."},
    {106, u"No Source"},
    {107, u"NextSource"},
    {108, u"PrevSource"},
    {109, u"Channel +"},
    {110, u"Channel - "},
    {111, u"Close"},
    {112, u"Help"},
    {113, u"Volume +"},
    {114, u"Volume -"},
    {115, u"Dock"},
    {116, u"No Audio"},
    {117, u"Mute"},
    {118, u"Set Stereo"},
    {119, u"Set Mono"},
    {121, u"S"},
    {122, u"Vol = "},
    {123, u"Ch "},
    {124, u"Undock"},
    {125, u"Edit"},
    {126, u"New"},
    {127, u"Auto-tune"},
    {128, u"Stereo"},
    {129, u"Mono"},
    {130, u"Set Mute"},
    {131, u"Unset Mute"},
    {132, u"Hide Remote"},
    {133, u"No channels"},
    {134, u"No Channel"},
    {135, u"Fine-tune down"},
    {136, u"Fine-tune up"},
    {137, u"Scan up"},
    {138, u"Scan down"},
    {139, u"Okay"},
    {140, u"Cancel"},
    {141, u"Remove channel"},
    {150, u"No station found above this channel; the channel is unchanged."},
    {151, u"No station found below this channel; the channel is unchanged."},
    {152, u"No channel "},
    {160, u" (in use)"},
    {161, u"A key marked (in use) is held by another program and does nothing here."},
};

const Entry *Find(uint32_t id) {
  for (const Entry &e : kStrings)
    if (e.id == id) return &e;
  return nullptr;
}

}  // namespace

WString ViewerStrings::Text(uint32_t id) {
  const Entry *e = Find(id);
  return e ? WString(e->text) : WString();
}

bool ViewerStrings::Has(uint32_t id) { return Find(id) != nullptr; }

}  // namespace tolven::viewer
