// A minimal OLE container for hosts of the skin controls: the client site and
// in-place site a dialog's control site gives a control, so a skin control
// can be created inside a dialog as a host application does it.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

namespace tolven::skin::host {

class OleHost : public IOleClientSite, public IOleInPlaceSite {
 public:
  OleHost(HWND parent, RECT rect) : parent_(parent), rect_(rect) {}
  virtual ~OleHost() = default;

  // Activates `control` in the parent at the rectangle and gives its window
  // the dialog control id; the control's window, or null.
  HWND Host(IDispatch *control, int id) {
    IOleObject *object = nullptr;
    if (FAILED(control->QueryInterface(IID_IOleObject, reinterpret_cast<void **>(&object)))) return nullptr;
    object->SetClientSite(this);
    IPersistStreamInit *persist = nullptr;
    if (SUCCEEDED(control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void **>(&persist)))) {
      persist->InitNew();
      persist->Release();
    }
    object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, parent_, &rect_);
    object->Release();
    IOleInPlaceObject *inPlace = nullptr;
    HWND window = nullptr;
    if (SUCCEEDED(control->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void **>(&inPlace)))) {
      inPlace->GetWindow(&window);
      inPlace->Release();
    }
    if (window) SetWindowLongPtrW(window, GWLP_ID, id);
    return window;
  }
  bool Activated() const { return activated_; }

  STDMETHODIMP QueryInterface(REFIID iid, void **out) override {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite *>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite *>(this);
    else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  // Lives on the test's stack for as long as the control does.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP SaveObject() override { return S_OK; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker **) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer **c) override {
    *c = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
  STDMETHODIMP GetWindow(HWND *w) override {
    *w = parent_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override {
    activated_ = true;
    return S_OK;
  }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame **frame, IOleInPlaceUIWindow **doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    *frame = nullptr;
    *doc = nullptr;
    *pos = rect_;
    *clip = rect_;
    info->fMDIApp = FALSE;
    info->hwndFrame = parent_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override {
    activated_ = false;
    return S_OK;
  }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

 private:
  HWND parent_;
  RECT rect_;
  bool activated_ = false;
};

}  // namespace tolven::skin::host
