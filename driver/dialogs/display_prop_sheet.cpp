#include "driver/dialogs/display_prop_sheet.h"

#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

std::vector<SheetPage> CUserDisplayPropSheet::Pages() { return {{IDD_VIDEO_PROCESSOR_PAGE, &vpaPage_}}; }

}  // namespace tolven::dialogs
