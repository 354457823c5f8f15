#include "viewer/app/settings_page.h"

#include "viewer/app/preference_ids.h"
#include "viewer/app/quick_launch.h"
#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

void CSettingsPage::OnInit(PageView &view) {
  view.SetChecked(IDC_SET_HIDE_BORDERS, settings_.hideBorders);
  view.SetChecked(IDC_SET_HIDE_MAX, settings_.hideMax);
  view.SetChecked(IDC_SET_ASPECT_RATIO, settings_.aspectRatio);
  view.SetChecked(IDC_SET_LAUNCH_BAR, settings_.launchBar);
  view.SetChecked(IDC_SET_SCREENSAVER, settings_.screensaver);
  view.SetChecked(IDC_SET_MASTER_VOLUME, settings_.masterVolume);
  view.SetTooltip(IDC_SET_HIDE_BORDERS, ViewerStrings::Text(kStrTipHideBorders));
  view.SetTooltip(IDC_SET_HIDE_MAX, ViewerStrings::Text(kStrTipHideMax));
  view.SetTooltip(IDC_SET_ASPECT_RATIO, ViewerStrings::Text(kStrTipAspectRatio));
  view.SetTooltip(IDC_SET_LAUNCH_BAR, ViewerStrings::Text(kStrTipLaunchBar));
  view.SetTooltip(IDC_SET_SCREENSAVER, ViewerStrings::Text(kStrTipScreensaver));

  view.ClearItems(IDC_SET_ASPECT_TYPES);
  const int32_t count = controller_.AspectRatioCount();
  for (int32_t i = 0; i < count; ++i)
    view.AddItem(IDC_SET_ASPECT_TYPES, controller_.AspectRatioName(i), static_cast<uintptr_t>(i));
  view.Select(IDC_SET_ASPECT_TYPES, controller_.AspectRatio());
  view.EnableControl(IDC_SET_ASPECT_TYPES, settings_.aspectRatio);

  if (!settings_.quickLaunchAvailable) {
    view.SetChecked(IDC_SET_LAUNCH_BAR, false);
    view.EnableControl(IDC_SET_LAUNCH_BAR, false);
  }
  if (!mixerAvailable_) {
    view.SetChecked(IDC_SET_MASTER_VOLUME, false);
    view.EnableControl(IDC_SET_MASTER_VOLUME, false);
  }
  modified_ = false;
}

void CSettingsPage::OnCommand(PageView &view, int control, int notification) {
  if (notification != kButtonClicked) return;  // the ratio list's choice has no effect
  switch (control) {
    case IDC_SET_ASPECT_RATIO:
      view.EnableControl(IDC_SET_ASPECT_TYPES, view.Checked(IDC_SET_ASPECT_RATIO));
      [[fallthrough]];
    case IDC_SET_HIDE_BORDERS:
    case IDC_SET_HIDE_MAX:
    case IDC_SET_LAUNCH_BAR:
    case IDC_SET_SCREENSAVER:
    case IDC_SET_MASTER_VOLUME:
      modified_ = true;
      view.MarkModified();
      break;
    default:
      break;
  }
}

void CSettingsPage::OnApply(PageView &view) {
  if (!modified_) return;
  settings_.aspectRatio = view.Checked(IDC_SET_ASPECT_RATIO);
  settings_.hideMax = view.Checked(IDC_SET_HIDE_MAX);
  settings_.launchBar = view.Checked(IDC_SET_LAUNCH_BAR);
  settings_.screensaver = view.Checked(IDC_SET_SCREENSAVER);
  settings_.hideBorders = view.Checked(IDC_SET_HIDE_BORDERS);
  settings_.masterVolume = view.Checked(IDC_SET_MASTER_VOLUME);
  if (settings_.quickLaunchAvailable && settings_.launchBar) CQuickLaunch::Create(links_, settings_.quickLaunchFolder);
  settings_.Store(u"Aspect Ratio", settings_.aspectRatio);
  settings_.Store(u"Hide Max", settings_.hideMax);
  settings_.Store(u"Launch Bar", settings_.launchBar);
  settings_.Store(u"Screensaver", settings_.screensaver);
  settings_.Store(u"Hide Borders", settings_.hideBorders);
  settings_.Store(u"Master Volume", settings_.masterVolume);
  // Exit saves the controller's flag as "Master Volume": it must follow.
  controller_.SetMasterVolumeOn(settings_.masterVolume);
  screensaver_.Apply(settings_.screensaver);
  modified_ = false;
}

}  // namespace tolven::viewer
