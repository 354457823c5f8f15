#include "viewer/win32/skin_panel.h"

#include "skin/win32/skin_ids.h"
#include "viewer/win32/dispatch_call.h"
#include "viewer/win32/skin_form.h"

namespace tolven::viewer::win {

CSkinPanel::~CSkinPanel() {
  if (!panel_) return;
  IOleObject *object = nullptr;
  if (SUCCEEDED(panel_->QueryInterface(IID_IOleObject, reinterpret_cast<void **>(&object)))) {
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    object->Release();
  }
  panel_->Release();
}

bool CSkinPanel::Create(HWND parent, int id, const RECT &rect, IDispatch *form, LONG style,
                        const std::wstring &name) {
  panel_ = CreateSkinObject(skin::kClsidPanel);
  if (!panel_) return false;
  site_ = std::make_unique<skin::host::OleHost>(parent, rect);
  HWND window = site_->Host(panel_, id);
  if (!window) return false;
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  PutString(panel_, skin::dispid::kCaption, name);
  PutInt(panel_, skin::dispid::kStyle, style);
  PutString(panel_, skin::dispid::kText, L"");
  return CallWithObject(panel_, skin::dispid::kAttach, form);
}

void CSkinPanel::SetText(const std::wstring &text) {
  if (!panel_ || text == text_) return;
  text_ = text;
  PutString(panel_, skin::dispid::kText, text);
}

}  // namespace tolven::viewer::win
