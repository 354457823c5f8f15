#include "driver/dialogs/vip_page.h"

#include "driver/dialogs/component_names.h"
#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

namespace {

using control::IVideoPortControl;

// One setting of the port and the list that shows it; the entry text of
// index i, empty when it has none.
struct PortList {
  int control;
  int32_t (*count)(IVideoPortControl &);
  WString (*text)(IVideoPortControl &, int32_t);
  int32_t (*get)(IVideoPortControl &);
  int32_t (*set)(IVideoPortControl &, int32_t);
};

#define PORT_LIST(id, G)                                                                       \
  PortList {                                                                                   \
    id, [](IVideoPortControl &p) { return p.Get##G##Count(); },                                \
        [](IVideoPortControl &p, int32_t i) {                                                  \
          WString name;                                                                        \
          ReadComponentName([&] { return p.Get##G##NameLength(i); },                           \
                            [&](char16_t *b) { return p.Get##G##Name(i, b); }, &name);         \
          return name;                                                                         \
        },                                                                                     \
        [](IVideoPortControl &p) { return p.Get##G(); },                                       \
        [](IVideoPortControl &p, int32_t i) { return p.Set##G(i); }                            \
  }

// In the order the page fills them; the index is the page's selection slot.
const PortList kLists[] = {
    PORT_LIST(IDC_VIP_VIDEO_STANDARD, VideoFormat),
    PORT_LIST(IDC_VIP_ASPECT_RATIO, Aspect),
    PORT_LIST(IDC_VIP_CONNECTION, Connection),
    PortList{IDC_VIP_COLOUR_FORMAT, [](IVideoPortControl &p) { return p.GetColourFormatCount(); },
             [](IVideoPortControl &p, int32_t i) {
               return ColourFormatText(static_cast<uint32_t>(p.GetColourFormatCode(i)));
             },
             [](IVideoPortControl &p) { return p.GetColourFormat(); },
             [](IVideoPortControl &p, int32_t i) { return p.SetColourFormat(i); }},
};
#undef PORT_LIST

}  // namespace

WString ColourFormatText(uint32_t code) {
  WString text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const auto c = static_cast<char16_t>((code >> shift) & 0xFF);
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

void CUserVipPage::ReadControls(DialogView &view) {
  for (size_t i = 0; i < 4; ++i) selection_[i] = view.ListSelection(kLists[i].control);
}

void CUserVipPage::OnInitDialog(DialogView &view) {
  IVideoPortControl *port = app_.GetVideoPort();
  for (size_t slot = 0; slot < 4; ++slot) {
    const PortList &list = kLists[slot];
    if (port) {
      const int32_t count = list.count(*port);
      const int32_t current = list.get(*port);
      for (int32_t i = 0; i < count; ++i) {
        const WString text = list.text(*port, i);
        if (text.empty()) continue;
        const int at = view.AddListItem(list.control, text, static_cast<uintptr_t>(i));
        if (at >= 0 && i == current) {
          view.SelectListItem(list.control, at);
          selection_[slot] = at;
        }
      }
    }
    if (view.ListCount(list.control) < 2) view.EnableControl(list.control, false);
  }
}

void CUserVipPage::OnCommand(DialogView &view, int control, int notification) {
  if (notification != kComboSelEndOk) return;
  IVideoPortControl *port = app_.GetVideoPort();
  if (!port) return;
  for (size_t slot = 0; slot < 4; ++slot) {
    const PortList &list = kLists[slot];
    if (list.control != control) continue;
    ReadControls(view);
    // The entry picked in this list, whatever the other lists show.
    if (selection_[slot] < 0) return;
    const auto picked = static_cast<int32_t>(view.ListItemData(control, selection_[slot]));
    if (list.get(*port) != picked && list.set(*port, picked)) SetModified(true);
    return;
  }
}

void CUserVipPage::OnSetActive(DialogView &) {
  // What is stored now is what Cancel goes back to.
  if (IVideoPortControl *port = app_.GetVideoPort()) port->SaveSettings();
}

bool CUserVipPage::OnApply(DialogView &) {
  if (IVideoPortControl *port = app_.GetVideoPort()) port->SaveSettings();
  SetModified(false);
  return true;
}

void CUserVipPage::OnCancel(DialogView &) {
  if (IVideoPortControl *port = app_.GetVideoPort()) port->LoadSettings();
}

}  // namespace tolven::dialogs
