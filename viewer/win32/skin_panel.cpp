#include "viewer/win32/skin_panel.h"

#include "skin/win32/skin_ids.h"
#include "viewer/win32/dispatch_call.h"

namespace tolven::viewer::win {

bool CSkinPanel::Create(HWND parent, int id, const RECT &rect, IDispatch *form, LONG style,
                        const std::wstring &name) {
  if (!Host(skin::kClsidPanel, parent, id, rect)) return false;
  PutString(Object(), skin::dispid::kCaption, name);
  PutInt(Object(), skin::dispid::kStyle, style);
  PutString(Object(), skin::dispid::kText, L"");
  return Attach(form);
}

void CSkinPanel::SetText(const std::wstring &text) {
  if (!Object() || text == text_) return;
  text_ = text;
  PutString(Object(), skin::dispid::kText, text);
}

}  // namespace tolven::viewer::win
