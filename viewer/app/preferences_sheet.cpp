#include "viewer/app/preferences_sheet.h"

#include "viewer/app/preference_ids.h"
#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

bool CPreferencesSheet::Run(SheetRunner &runner, ui::Window owner) {
  const std::vector<SheetPage> pages{{IDD_SETTINGS, &settings_}, {IDD_HOTKEYS, &hotkeys_}};
  return runner.Run(owner, ViewerStrings::Text(kStrPreferencesCaption), pages);
}

}  // namespace tolven::viewer
