#include "menu_object.h"

#include "skin_ids.h"

namespace tolven::skin {

MenuObject::MenuObject() : DispatchObject(kMenuInterface) {}

HRESULT MenuObject::Call(const Member &member, bool, VARIANT *args, VARIANT *result) {
  if (member.id != dispid::kPopup) return DISP_E_MEMBERNOTFOUND;
  // Window and menu handles travel as 32-bit numbers; they are sign-extended
  // back, as handles are on 64-bit Windows.
  HWND owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(args[1].lVal));
  HMENU menu = reinterpret_cast<HMENU>(static_cast<LONG_PTR>(args[2].lVal));
  int x = args[4].lVal, y = args[5].lVal;
  result->vt = VT_I4;
  if (!IsMenu(menu) || (owner && !IsWindow(owner))) {
    result->lVal = 0;
    return S_OK;
  }
  // The owner must be in front, or the menu does not close when the user clicks elsewhere.
  if (owner) SetForegroundWindow(owner);
  result->lVal = TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, owner, nullptr);
  if (owner) PostMessageW(owner, WM_NULL, 0, 0);
  return S_OK;
}

}  // namespace tolven::skin
