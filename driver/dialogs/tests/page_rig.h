// What the Video Format and Video Display tests share: the module's
// application object over the control model, on the virtual card or on
// scripted hardware, with fake dialog and sheet runners; and the user's side
// of a page's fake view.
#pragma once
#include "driver/control/tests/control_rig.h"
#include "driver/dialogs/component_names.h"
#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/tests/fake_dialog_view.h"

namespace tolven::dialogs::testing {

// An application object over `machine`'s control environment (none when
// `control` is null), holding a hub as after a channel open.
struct AppOver {
  AppOver(tolven::testing::ControlMachine &machine, control::ControlEnvironment *control)
      : app(DriverAppEnvironment{dialogs, sheets, machine.strings, machine.m.resources, machine.locale, control,
                                 &machine.m.messageBoxes}) {
    app.RefreshHub();
  }
  FakeDialogRunner dialogs;
  FakeSheetRunner sheets;
  CDriverApp app;
};

struct CardApp : tolven::testing::CardRig, AppOver {
  CardApp() : AppOver(*this, &env) {}
};

// A stored user value of the driver ("vDec_...", "vip_...", "vpa_..."), or
// -1000 when there is none.
inline int64_t Stored(control::ControlEnvironment &env, const char16_t *name) {
  uint32_t value = 0;
  if (!env.Store().ReadUserDword(name, &value)) return -1000;
  return static_cast<int32_t>(value);
}

// A page on a fake view, as the sheet creates it, and the user at it.
struct PageAt {
  explicit PageAt(PagePresenter &p) : page(p) {
    view.presenter = &page;
    page.OnInitDialog(view);
    view.Drain();
  }
  // Drags a slider to `position`; a trackbar reports one move more than once
  // (the track notifications, then the end of the move).
  void MoveSlider(int control, int position, int notifications = 2) {
    view.SetPosition(control, position);
    for (int i = 0; i < notifications; ++i) page.OnHScroll(view, control);
    view.Drain();
  }
  // A button press; a check box changes its state first.
  void Click(int control, bool checkBox = false) {
    if (checkBox) view.SetChecked(control, !view.IsChecked(control));
    page.OnCommand(view, control, kButtonClicked);
    view.Drain();
  }
  // Picks the entry reading `text` in a drop-down list as a mouse pick does:
  // the selection changes (CBN_SELCHANGE), then it is confirmed.
  bool Pick(int control, WStringView text) {
    if (!view.Choose(control, text)) return false;
    page.OnCommand(view, control, 1);
    page.OnCommand(view, control, kComboSelEndOk);
    view.Drain();
    return true;
  }
  PagePresenter &page;
  FakeDialogView view;
};

}  // namespace tolven::dialogs::testing
