#include "dispatch_members.h"

#include "skin_ids.h"

namespace tolven::skin {

namespace {
using K = MemberKind;
const Param kNameParam[] = {{L"name", VT_BSTR}};
const Param kCommandParam[] = {{L"command", VT_BSTR}};
const Param kFormParam[] = {{L"form", VT_DISPATCH}};
const Param kPopupParams[] = {{L"style", VT_I4}, {L"owner", VT_I4}, {L"menu", VT_I4}, {L"item", VT_I4},
                              {L"x", VT_I4},     {L"y", VT_I4},     {L"reserved1", VT_I4}, {L"reserved2", VT_I4}};
const Param kEventParams[] = {{L"source", VT_BSTR}, {L"name", VT_BSTR}};

const Member kForm[] = {
    {L"Path", dispid::kPath, K::GetPut, VT_BSTR, nullptr, 0},
    {L"LastError", dispid::kLastError, K::Get, VT_BSTR, nullptr, 0},
    {L"Root", dispid::kRoot, K::Get, VT_DISPATCH, nullptr, 0},
    {L"DragMove", dispid::kDragMove, K::GetPut, VT_BOOL, nullptr, 0},
};
const Member kElement[] = {
    {L"Parent", dispid::kParent, K::Get, VT_DISPATCH, nullptr, 0},
    {L"Name", dispid::kName, K::Get, VT_BSTR, nullptr, 0},
    {L"FindElement", dispid::kFind, K::Method, VT_DISPATCH, kNameParam, 1},
    {L"Left", dispid::kLeft, K::Get, VT_I4, nullptr, 0},
    {L"Top", dispid::kTop, K::Get, VT_I4, nullptr, 0},
    {L"Width", dispid::kWidth, K::Get, VT_I4, nullptr, 0},
    {L"Height", dispid::kHeight, K::Get, VT_I4, nullptr, 0},
    {L"Command", dispid::kCommand, K::Method, VT_BOOL, kCommandParam, 1},
};
const Member kPanel[] = {
    {L"Text", dispid::kText, K::GetPut, VT_BSTR, nullptr, 0},
    {L"Caption", dispid::kCaption, K::GetPut, VT_BSTR, nullptr, 0},
    {L"Attach", dispid::kAttach, K::Method, VT_BOOL, kFormParam, 1},
    {L"Style", dispid::kStyle, K::GetPut, VT_I4, nullptr, 0},
};
const Member kLabel[] = {
    {L"Text", dispid::kText, K::GetPut, VT_BSTR, nullptr, 0},
    {L"Caption", dispid::kCaption, K::GetPut, VT_BSTR, nullptr, 0},
    {L"Attach", dispid::kAttach, K::Method, VT_BOOL, kFormParam, 1},
};
const Member kScrollBar[] = {
    {L"Attach", dispid::kAttach, K::Method, VT_BOOL, kFormParam, 1},
    {L"Minimum", dispid::kMinimum, K::GetPut, VT_I4, nullptr, 0},
    {L"Maximum", dispid::kMaximum, K::GetPut, VT_I4, nullptr, 0},
    {L"SmallStep", dispid::kSmallStep, K::GetPut, VT_I4, nullptr, 0},
    {L"LargeStep", dispid::kLargeStep, K::GetPut, VT_I4, nullptr, 0},
    {L"Position", dispid::kPosition, K::GetPut, VT_I4, nullptr, 0},
    {L"Orientation", dispid::kOrientation, K::GetPut, VT_I4, nullptr, 0},
};
const Member kMenu[] = {
    {L"PopupMenu", dispid::kPopup, K::Method, VT_I4, kPopupParams, 8},
};
const Member kFormEvents[] = {
    {L"Event", dispid::kEvent, K::Method, VT_EMPTY, kEventParams, 2},
};
const Member kScrollEvents[] = {
    {L"Change", dispid::kChange, K::Method, VT_EMPTY, nullptr, 0},
};
}  // namespace

const InterfaceDesc kFormInterface = {L"ISkinForm", &kIidForm, kForm, 4, L"Skin form: loads a skin file and paints it"};
const InterfaceDesc kElementInterface = {L"ISkinElement", &kIidElement, kElement, 8, L"One element of a loaded skin"};
const InterfaceDesc kPanelInterface = {L"ISkinPanel", &kIidPanel, kPanel, 4, L"Skin panel: text in the look of a skin element"};
const InterfaceDesc kLabelInterface = {L"ISkinLabel", &kIidLabel, kLabel, 3, L"Skin label: text in the look of a skin element"};
const InterfaceDesc kScrollBarInterface = {L"ISkinScrollBar", &kIidScrollBar, kScrollBar, 7, L"Skin scroll bar"};
const InterfaceDesc kMenuInterface = {L"ISkinMenu", &kIidMenu, kMenu, 1, L"Popup menu"};
const InterfaceDesc kFormEventsInterface = {L"DSkinFormEvents", &kIidFormEvents, kFormEvents, 1,
                                            L"Events of a skin form: the element and the event name"};
const InterfaceDesc kScrollEventsInterface = {L"DSkinScrollEvents", &kIidScrollEvents, kScrollEvents, 1,
                                              L"The scroll bar's position changed"};

const ClassDesc kClasses[] = {
    {L"SkinForm", L"Tolven.SkinForm.1", &kClsidForm, &kFormInterface, &kFormEventsInterface, true, L"Tolven Skin Form"},
    {L"SkinPanel", L"Tolven.SkinPanel.1", &kClsidPanel, &kPanelInterface, nullptr, true, L"Tolven Skin Panel"},
    {L"SkinLabel", L"Tolven.SkinLabel.1", &kClsidLabel, &kLabelInterface, nullptr, true, L"Tolven Skin Label"},
    {L"SkinScrollBar", L"Tolven.SkinScrollBar.1", &kClsidScrollBar, &kScrollBarInterface, &kScrollEventsInterface,
     true, L"Tolven Skin Scroll Bar"},
    {L"SkinMenu", L"Tolven.SkinMenu.1", &kClsidMenu, &kMenuInterface, nullptr, false, L"Tolven Skin Popup Menu"},
};
const int kClassCount = sizeof kClasses / sizeof kClasses[0];

DISPID FindMember(const InterfaceDesc &iface, const wchar_t *name) {
  if (!name) return DISPID_UNKNOWN;
  for (int i = 0; i < iface.memberCount; ++i)
    if (lstrcmpiW(iface.members[i].name, name) == 0) return iface.members[i].id;
  return DISPID_UNKNOWN;
}

}  // namespace tolven::skin
