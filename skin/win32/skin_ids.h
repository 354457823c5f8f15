// Every identifier other programs rely on: class and interface ids, the
// type library, and the dispatch ids of each object's members.
#pragma once
#include <windows.h>
#include <oaidl.h>
#include <olectl.h>

namespace tolven::skin {

extern const CLSID kClsidForm, kClsidPanel, kClsidLabel, kClsidScrollBar, kClsidMenu;
extern const IID kIidForm, kIidElement, kIidPanel, kIidLabel, kIidScrollBar, kIidMenu;
// The outgoing interfaces: the form's named events and the scroll bar's change.
extern const IID kIidFormEvents, kIidScrollEvents;
extern const GUID kLibid;
// Lets an object find the C++ object behind another one of this DLL (Attach).
extern const IID kIidSkinSelf;

namespace dispid {
// form
constexpr DISPID kPath = 1, kLastError = 2, kRoot = 7, kDragMove = 16;
// element
constexpr DISPID kParent = 9, kName = 15, kFind = 21, kLeft = 22, kTop = 23, kWidth = 24, kHeight = 25,
                 kCommand = 33;
// panel, label, scroll bar
constexpr DISPID kAttach = 3, kStyle = 4, kMinimum = 5, kMaximum = 6, kSmallStep = 7, kLargeStep = 8,
                 kPosition = 9, kOrientation = 10;
constexpr DISPID kText = DISPID_TEXT, kCaption = DISPID_CAPTION;
// menu object
constexpr DISPID kPopup = 1;
// events
constexpr DISPID kEvent = 1, kChange = 1;
}  // namespace dispid

}  // namespace tolven::skin
