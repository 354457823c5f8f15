#include "viewer/win32/skin_scroll_bar.h"

#include "skin/win32/skin_ids.h"
#include "viewer/win32/dispatch_call.h"

namespace tolven::viewer::win {

namespace dispid = skin::dispid;

CSkinScrollBar::~CSkinScrollBar() {
  if (point_) {
    point_->Unadvise(cookie_);
    point_->Release();
  }
}

bool CSkinScrollBar::Create(HWND parent, int id, const RECT &rect, IDispatch *form, Orientation orientation) {
  if (!Host(skin::kClsidScrollBar, parent, id, rect)) return false;
  PutInt(Object(), dispid::kOrientation, orientation);
  PutInt(Object(), dispid::kMinimum, 0);
  PutInt(Object(), dispid::kMaximum, 100);
  PutInt(Object(), dispid::kSmallStep, 5);
  PutInt(Object(), dispid::kLargeStep, 20);
  IConnectionPointContainer *container = nullptr;
  if (SUCCEEDED(Object()->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&container)))) {
    if (SUCCEEDED(container->FindConnectionPoint(skin::kIidScrollEvents, &point_)))
      point_->Advise(static_cast<IDispatch *>(this), &cookie_);
    container->Release();
  }
  return Attach(form);
}

void CSkinScrollBar::SetPosition(LONG position) { PutInt(Object(), dispid::kPosition, position); }

LONG CSkinScrollBar::Position() { return GetInt(Object(), dispid::kPosition); }

STDMETHODIMP CSkinScrollBar::QueryInterface(REFIID iid, void **out) {
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == skin::kIidScrollEvents) {
    *out = static_cast<IDispatch *>(this);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP CSkinScrollBar::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) {
  if (id == dispid::kChange && handler_) handler_(Position());
  return S_OK;
}

}  // namespace tolven::viewer::win
