// The "Settings" page of the preferences sheet: the window, quick-launch,
// screensaver and master-volume options. Applying stores them, may place
// the quick-launch shortcut and switches the screensaver option.
#pragma once
#include "platform/shelllink/shell_links.h"
#include "viewer/app/page_view.h"
#include "viewer/app/screensaver_option.h"
#include "viewer/app/viewer_settings.h"
#include "viewer/core/viewer_controller.h"

namespace tolven::viewer {

class CSettingsPage : public PagePresenter {
 public:
  CSettingsPage(CViewerSettings &settings, CViewerController &controller, CScreensaverOption &screensaver,
                lnk::ShellLinks &links, bool mixerAvailable)
      : settings_(settings),
        controller_(controller),
        screensaver_(screensaver),
        links_(links),
        mixerAvailable_(mixerAvailable) {}

  void OnInit(PageView &view) override;
  void OnCommand(PageView &view, int control, int notification) override;
  void OnApply(PageView &view) override;

  bool Modified() const { return modified_; }

 private:
  CViewerSettings &settings_;
  CViewerController &controller_;
  CScreensaverOption &screensaver_;
  lnk::ShellLinks &links_;
  bool mixerAvailable_;
  bool modified_ = false;
};

}  // namespace tolven::viewer
