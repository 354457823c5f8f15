#include "skin_control.h"

#include "skin_module.h"

namespace tolven::skin {

namespace {
constexpr wchar_t kWindowClass[] = L"TolvenSkinControl";

void RegisterWindowClass() {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(SkinModule::Instance(), kWindowClass, &wc)) return;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = SkinModule::Instance();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);
}
}  // namespace

SkinControl::SkinControl(const ClassDesc &desc, const wchar_t *windowName)
    : DispatchObject(*desc.iface), desc_(desc), windowName_(windowName) {
  if (desc.events) events_ = std::make_unique<EventSource>(*this, *desc.events->iid);
}

SkinControl::~SkinControl() {
  if (window_) DestroyWindow(window_);
  if (inPlaceSite_) inPlaceSite_->Release();
  if (site_) site_->Release();
}

HRESULT SkinControl::QueryMore(REFIID iid, void **out) {
  if (iid == IID_IOleObject) *out = static_cast<IOleObject *>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) *out = static_cast<IOleInPlaceObject *>(this);
  else if (iid == IID_IOleControl) *out = static_cast<IOleControl *>(this);
  else if (iid == IID_IPersistStreamInit || iid == IID_IPersist) *out = static_cast<IPersistStreamInit *>(this);
  else if (iid == IID_IProvideClassInfo) *out = static_cast<IProvideClassInfo *>(this);
  else if (iid == IID_IConnectionPointContainer && events_) *out = static_cast<IConnectionPointContainer *>(this);
  else return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

bool SkinControl::CreateIn(HWND parent, const RECT &rect) {
  if (window_) return true;
  RegisterWindowClass();
  // The class's procedure is the default one; ours is set at creation so
  // the first messages already reach this object.
  window_ = CreateWindowExW(0, kWindowClass, windowName_, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left,
                            rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                            SkinModule::Instance(), nullptr);
  if (!window_) return false;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure));
  OnCreated();
  return true;
}

LRESULT CALLBACK SkinControl::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *self = reinterpret_cast<SkinControl *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    self->OnDestroying();
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->OnMessage(message, wParam, lParam);
}

LRESULT SkinControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window_, message, wParam, lParam);
}

void SkinControl::Fire(DISPID id, VARIANT *args, UINT count) {
  if (events_) events_->Fire(id, args, count);
}

STDMETHODIMP SkinControl::SetClientSite(IOleClientSite *site) {
  if (site) site->AddRef();
  if (site_) site_->Release();
  site_ = site;
  return S_OK;
}

STDMETHODIMP SkinControl::GetClientSite(IOleClientSite **site) {
  if (!site) return E_POINTER;
  *site = site_;
  if (site_) site_->AddRef();
  return S_OK;
}

STDMETHODIMP SkinControl::Close(DWORD) {
  InPlaceDeactivate();
  return S_OK;
}

HRESULT SkinControl::Activate(IOleClientSite *site, HWND parent, LPCRECT rect) {
  if (window_) return S_OK;
  if (site && !site_) SetClientSite(site);
  RECT position = rect ? *rect : RECT{0, 0, 100, 100};
  IOleInPlaceSite *inPlace = nullptr;
  if (site_ && SUCCEEDED(site_->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void **>(&inPlace)))) {
    if (inPlace->CanInPlaceActivate() != S_OK) {
      inPlace->Release();
      return E_FAIL;
    }
    inPlace->OnInPlaceActivate();
    HWND siteWindow = nullptr;
    if (SUCCEEDED(inPlace->GetWindow(&siteWindow)) && siteWindow) parent = siteWindow;
    IOleInPlaceFrame *frame = nullptr;
    IOleInPlaceUIWindow *document = nullptr;
    RECT pos = {}, clip = {};
    OLEINPLACEFRAMEINFO info = {};
    info.cb = sizeof info;
    if (SUCCEEDED(inPlace->GetWindowContext(&frame, &document, &pos, &clip, &info))) position = pos;
    if (frame) frame->Release();
    if (document) document->Release();
    inPlaceSite_ = inPlace;
  }
  if (!parent) return E_INVALIDARG;
  return CreateIn(parent, position) ? S_OK : E_FAIL;
}

STDMETHODIMP SkinControl::DoVerb(LONG verb, LPMSG, IOleClientSite *site, LONG, HWND parent, LPCRECT rect) {
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      return Activate(site, parent, rect);
    case OLEIVERB_HIDE:
      if (window_) ShowWindow(window_, SW_HIDE);
      return S_OK;
    default:
      return OLEOBJ_S_INVALIDVERB;
  }
}

STDMETHODIMP SkinControl::GetUserClassID(CLSID *clsid) { return GetClassID(clsid); }

STDMETHODIMP SkinControl::SetExtent(DWORD aspect, SIZEL *size) {
  if (aspect != DVASPECT_CONTENT || !size) return E_INVALIDARG;
  extent_ = *size;
  return S_OK;
}

STDMETHODIMP SkinControl::GetExtent(DWORD aspect, SIZEL *size) {
  if (aspect != DVASPECT_CONTENT || !size) return E_INVALIDARG;
  *size = extent_;
  return S_OK;
}

STDMETHODIMP SkinControl::GetMiscStatus(DWORD, DWORD *status) {
  if (!status) return E_POINTER;
  *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
            OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;
  return S_OK;
}

STDMETHODIMP SkinControl::GetWindow(HWND *window) {
  if (!window) return E_POINTER;
  *window = window_;
  return window_ ? S_OK : E_FAIL;
}

STDMETHODIMP SkinControl::InPlaceDeactivate() {
  if (window_) DestroyWindow(window_);
  if (inPlaceSite_) {
    inPlaceSite_->OnInPlaceDeactivate();
    inPlaceSite_->Release();
    inPlaceSite_ = nullptr;
  }
  return S_OK;
}

STDMETHODIMP SkinControl::SetObjectRects(LPCRECT position, LPCRECT) {
  if (!position) return E_POINTER;
  if (window_)
    MoveWindow(window_, position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
  return S_OK;
}

STDMETHODIMP SkinControl::GetClassID(CLSID *clsid) {
  if (!clsid) return E_POINTER;
  *clsid = *desc_.clsid;
  return S_OK;
}

STDMETHODIMP SkinControl::GetSizeMax(ULARGE_INTEGER *size) {
  if (!size) return E_POINTER;
  size->QuadPart = 0;
  return S_OK;
}

STDMETHODIMP SkinControl::GetClassInfo(ITypeInfo **info) {
  if (!info) return E_POINTER;
  return SkinModule::TypeInfo(*desc_.clsid, info);
}

STDMETHODIMP SkinControl::EnumConnectionPoints(IEnumConnectionPoints **points) {
  if (!points) return E_POINTER;
  *points = events_ ? new ConnectionPointList(events_.get()) : nullptr;
  return events_ ? S_OK : E_NOTIMPL;
}

STDMETHODIMP SkinControl::FindConnectionPoint(REFIID iid, IConnectionPoint **point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (!events_ || iid != events_->Iid()) return CONNECT_E_NOCONNECTION;
  *point = events_.get();
  events_->AddRef();
  return S_OK;
}

}  // namespace tolven::skin
