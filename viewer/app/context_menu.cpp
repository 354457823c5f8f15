#include "viewer/app/context_menu.h"

#include <cstddef>

namespace tolven::viewer {

namespace {
constexpr MenuItem kSeparator{};
}

std::vector<MenuItem> ContextMenu::Build(const MenuState &s) {
  std::vector<MenuItem> items;
  if (!s.maximized) items.push_back({kMenuDock, s.undocked ? 33u : 55u, false});
  if (s.undocked) {
    items.push_back({kMenuRemote, s.remoteHidden ? 56u : 35u, false});
    items.push_back(kSeparator);
    items.push_back({kMenuStandard, 57, s.standard});
    items.push_back({kMenuAdvanced, 58, !s.standard});
    items.push_back(kSeparator);
  } else if (!s.maximized) {
    items.push_back(kSeparator);
  }
  const size_t before = items.size();
  if (s.videoSource) items.push_back({kMenuVideoSource, 59, false});
  if (s.videoFormat) items.push_back({kMenuVideoFormat, 60, false});
  if (s.videoDisplay) items.push_back({kMenuVideoDisplay, 61, false});
  if (items.size() != before) items.push_back(kSeparator);
  items.push_back({kMenuPreferences, 62, false});
  items.push_back({kMenuAbout, 63, false});
  items.push_back({kMenuHelp, 64, false});
  items.push_back(kSeparator);
  items.push_back({kMenuFullScreen, s.maximized ? 54u : 65u, false});
  items.push_back(kSeparator);
  items.push_back({kMenuExit, 66, false});
  return items;
}

}  // namespace tolven::viewer
