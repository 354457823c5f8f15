// CUserFormatPropSheet: "Video Format Properties", shown for DVM_DIALOG on
// the video-in channel. It holds the video decoder page while the hub's
// decoder offers a video standard and the video port page while the hub's
// port offers a video format; with neither it has no page at all, and the
// application object says so instead of showing it.
#pragma once
#include <vector>

#include "driver/dialogs/property_sheet.h"
#include "driver/dialogs/video_decoder_page.h"
#include "driver/dialogs/vip_page.h"

namespace tolven::dialogs {

class CDriverApp;

inline constexpr uint32_t kFormatSheetCaption = 125;
// "This card offers no video format settings."
inline constexpr uint32_t kNoFormatSettingsString = 340;

class CUserFormatPropSheet : public PropertySheetPresenter {
 public:
  // Decides the pages from the hub as it stands.
  explicit CUserFormatPropSheet(CDriverApp &app);

  uint32_t CaptionString() const override { return kFormatSheetCaption; }
  std::vector<SheetPage> Pages() override;

  bool HasDecoderPage() const { return hasDecoderPage_; }
  bool HasVipPage() const { return hasVipPage_; }
  bool Empty() const { return !hasDecoderPage_ && !hasVipPage_; }
  CUserVideoDecoderPage &DecoderPage() { return decoderPage_; }
  CUserVipPage &VipPage() { return vipPage_; }

 private:
  CUserVideoDecoderPage decoderPage_;
  CUserVipPage vipPage_;
  bool hasDecoderPage_ = false;
  bool hasVipPage_ = false;
};

}  // namespace tolven::dialogs
