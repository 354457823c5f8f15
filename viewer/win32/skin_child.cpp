#include "viewer/win32/skin_child.h"

#include "skin/win32/skin_ids.h"
#include "viewer/win32/dispatch_call.h"
#include "viewer/win32/skin_form.h"

namespace tolven::viewer::win {

CSkinChild::~CSkinChild() {
  if (!object_) return;
  IOleObject *ole = nullptr;
  if (SUCCEEDED(object_->QueryInterface(IID_IOleObject, reinterpret_cast<void **>(&ole)))) {
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    ole->Release();
  }
  object_->Release();
}

bool CSkinChild::Host(const CLSID &clsid, HWND parent, int id, const RECT &rect) {
  object_ = CreateSkinObject(clsid);
  if (!object_) return false;
  site_ = std::make_unique<skin::host::OleHost>(parent, rect);
  window_ = site_->Host(object_, id);
  if (!window_) return false;
  // A control drawn over another (the rows over a docked panel's frame)
  // must not be painted over when the one beneath repaints after it.
  SetWindowLongW(window_, GWL_STYLE, GetWindowLongW(window_, GWL_STYLE) | WS_CLIPSIBLINGS);
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

bool CSkinChild::Attach(IDispatch *form) { return form && CallWithObject(object_, skin::dispid::kAttach, form); }

void CSkinChild::Show(bool show) {
  if (window_) ShowWindow(window_, show ? SW_SHOWNA : SW_HIDE);
}

}  // namespace tolven::viewer::win
