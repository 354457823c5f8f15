#include "driver/dialogs/format_prop_sheet.h"

#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

CUserFormatPropSheet::CUserFormatPropSheet(CDriverApp &app) : decoderPage_(app), vipPage_(app) {
  if (control::IVideoDecoderControl *decoder = app.GetVideoDecoder())
    hasDecoderPage_ = decoder->GetVideoStandardCount() > 0;
  if (control::IVideoPortControl *port = app.GetVideoPort()) hasVipPage_ = port->GetVideoFormatCount() > 0;
}

std::vector<SheetPage> CUserFormatPropSheet::Pages() {
  std::vector<SheetPage> pages;
  if (hasDecoderPage_) pages.push_back({IDD_VIDEO_DECODER_PAGE, &decoderPage_});
  if (hasVipPage_) pages.push_back({IDD_VIDEO_PORT_PAGE, &vipPage_});
  return pages;
}

}  // namespace tolven::dialogs
