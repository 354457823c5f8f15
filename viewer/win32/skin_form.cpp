#include "viewer/win32/skin_form.h"

#include "skin/win32/skin_ids.h"
#include "viewer/win32/dispatch_call.h"

namespace tolven::viewer::win {

namespace dispid = skin::dispid;

IDispatch *CreateSkinObject(const CLSID &clsid) {
  IDispatch *object = nullptr;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void **>(&object))))
    return nullptr;
  return object;
}

CSkinForm::~CSkinForm() { Destroy(); }

bool CSkinForm::Create(HWND parent, int id, const RECT &rect) {
  form_ = CreateSkinObject(skin::kClsidForm);
  if (!form_) return false;
  site_ = std::make_unique<skin::host::OleHost>(parent, rect);
  window_ = site_->Host(form_, id);
  // Controls placed over the form (labels, panels, the video) stay out of
  // its painting.
  if (window_) SetWindowLongW(window_, GWL_STYLE, GetWindowLongW(window_, GWL_STYLE) | WS_CLIPSIBLINGS);
  IConnectionPointContainer *container = nullptr;
  if (SUCCEEDED(form_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&container)))) {
    if (SUCCEEDED(container->FindConnectionPoint(skin::kIidFormEvents, &point_))) point_->Advise(this, &cookie_);
    container->Release();
  }
  PutBool(form_, dispid::kDragMove, false);
  return window_ != nullptr;
}

void CSkinForm::Destroy() {
  if (point_) {
    point_->Unadvise(cookie_);
    point_->Release();
    point_ = nullptr;
  }
  if (form_) {
    IOleObject *object = nullptr;
    if (SUCCEEDED(form_->QueryInterface(IID_IOleObject, reinterpret_cast<void **>(&object)))) {
      object->Close(OLECLOSE_NOSAVE);
      object->SetClientSite(nullptr);
      object->Release();
    }
    form_->Release();
    form_ = nullptr;
  }
  window_ = nullptr;
}

bool CSkinForm::Load(const std::wstring &path) {
  if (!form_) return false;
  PutString(form_, dispid::kPath, path);
  return GetString(form_, dispid::kPath) == path;
}

bool CSkinForm::ElementRect(const std::wstring &name, RECT *rect) {
  IDispatch *root = GetObject(form_, dispid::kRoot);
  if (!root) return false;
  IDispatch *element = CallForObject(root, dispid::kFind, name);
  root->Release();
  if (!element) return false;
  // A different name answered means there is no such element.
  if (GetString(element, dispid::kName) != name) {
    element->Release();
    return false;
  }
  RECT r = {GetInt(element, dispid::kLeft), GetInt(element, dispid::kTop), 0, 0};
  r.right = r.left + GetInt(element, dispid::kWidth);
  r.bottom = r.top + GetInt(element, dispid::kHeight);
  IDispatch *up = GetObject(element, dispid::kParent);
  element->Release();
  while (up) {
    OffsetRect(&r, GetInt(up, dispid::kLeft), GetInt(up, dispid::kTop));
    IDispatch *next = GetObject(up, dispid::kParent);
    up->Release();
    up = next;
  }
  *rect = r;
  return true;
}

void CSkinForm::Command(const std::wstring &command) {
  IDispatch *root = GetObject(form_, dispid::kRoot);
  if (!root) return;
  CallWithString(root, dispid::kCommand, command);
  root->Release();
}

STDMETHODIMP CSkinForm::QueryInterface(REFIID iid, void **out) {
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == skin::kIidFormEvents) {
    *out = static_cast<IDispatch *>(this);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP CSkinForm::GetTypeInfoCount(UINT *count) {
  *count = 0;
  return S_OK;
}

STDMETHODIMP CSkinForm::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *params, VARIANT *, EXCEPINFO *, UINT *) {
  // Arguments arrive last to first: the form, then the element or event name.
  if (id == dispid::kEvent && params && params->cArgs == 2 && params->rgvarg[0].vt == VT_BSTR && handler_) {
    const BSTR name = params->rgvarg[0].bstrVal;
    handler_(name ? std::wstring(name, SysStringLen(name)) : std::wstring());
  }
  return S_OK;
}

}  // namespace tolven::viewer::win
