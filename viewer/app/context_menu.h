// The main window's context menu, built fresh each time: its items in
// order with their command ids (counted up from 600, an id kept for an item
// even where it is left out), texts, check marks and separators.
#pragma once
#include <cstdint>
#include <vector>

namespace tolven::viewer {

enum MenuCommand : uint32_t {
  kMenuDock = 600,
  kMenuRemote = 601,
  kMenuStandard = 602,
  kMenuAdvanced = 603,
  kMenuVideoSource = 604,
  kMenuVideoFormat = 605,
  kMenuVideoDisplay = 606,
  kMenuPreferences = 607,
  kMenuAbout = 608,
  kMenuHelp = 609,
  kMenuFullScreen = 610,
  kMenuExit = 611,
};

struct MenuItem {
  uint32_t command = 0;  // 0: a separator
  uint32_t text = 0;     // string number
  bool checked = false;
};

struct MenuState {
  bool maximized = false;
  bool undocked = false;
  bool remoteHidden = false;
  bool standard = true;
  bool videoSource = false, videoFormat = false, videoDisplay = false;
};

class ContextMenu {
 public:
  static std::vector<MenuItem> Build(const MenuState &state);
};

}  // namespace tolven::viewer
