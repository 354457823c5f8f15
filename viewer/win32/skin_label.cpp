#include "viewer/win32/skin_label.h"

#include "skin/win32/skin_ids.h"
#include "viewer/win32/dispatch_call.h"

namespace tolven::viewer::win {

bool CSkinLabel::Create(HWND parent, int id, const RECT &rect, IDispatch *form, const std::wstring &name) {
  if (!Host(skin::kClsidLabel, parent, id, rect)) return false;
  PutString(Object(), skin::dispid::kCaption, name);
  PutString(Object(), skin::dispid::kText, L"");
  return Attach(form);
}

void CSkinLabel::SetText(const std::wstring &text) {
  if (!Object() || text == text_) return;
  text_ = text;
  PutString(Object(), skin::dispid::kText, text);
}

}  // namespace tolven::viewer::win
