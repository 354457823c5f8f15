// What makes an object of this DLL an ActiveX control with a window: the
// OLE embedding and in-place interfaces a container (a dialog's control
// site, ATL's host, MFC's) uses to create it inside a parent window, its
// class information, and its outgoing events.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <memory>

#include "dispatch_object.h"
#include "event_source.h"

namespace tolven::skin {

class SkinControl : public DispatchObject,
                    public IOleObject,
                    public IOleInPlaceObject,
                    public IOleControl,
                    public IPersistStreamInit,
                    public IProvideClassInfo,
                    public IConnectionPointContainer {
 public:
  SkinControl(const ClassDesc &desc, const wchar_t *windowName);
  ~SkinControl() override;

  TOLVEN_SKIN_FORWARD_UNKNOWN

  HWND Window() const { return window_; }
  // Creates the window without a container: for hosts that only have a parent.
  bool CreateIn(HWND parent, const RECT &rect);

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite *site) override;
  STDMETHODIMP GetClientSite(IOleClientSite **site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD) override;
  STDMETHODIMP SetMoniker(DWORD, IMoniker *) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker **) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject *, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject **) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite *site, LONG, HWND parent, LPCRECT rect) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB **) override { return OLEOBJ_E_NOVERBS; }
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID *clsid) override;
  STDMETHODIMP GetUserType(DWORD, LPOLESTR *) override { return OLE_S_USEREG; }
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL *size) override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL *size) override;
  STDMETHODIMP Advise(IAdviseSink *, DWORD *) override { return E_NOTIMPL; }
  STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA **) override { return E_NOTIMPL; }
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD *status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE *) override { return E_NOTIMPL; }
  // IOleWindow, IOleInPlaceObject
  STDMETHODIMP GetWindow(HWND *window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override { return S_OK; }
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
  // IOleControl
  STDMETHODIMP GetControlInfo(CONTROLINFO *) override { return E_NOTIMPL; }
  STDMETHODIMP OnMnemonic(MSG *) override { return E_NOTIMPL; }
  STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
  STDMETHODIMP FreezeEvents(BOOL) override { return S_OK; }
  // IPersistStreamInit: the controls keep no persistent state.
  STDMETHODIMP GetClassID(CLSID *clsid) override;
  STDMETHODIMP IsDirty() override { return S_FALSE; }
  STDMETHODIMP Load(LPSTREAM) override { return S_OK; }
  STDMETHODIMP Save(LPSTREAM, BOOL) override { return S_OK; }
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER *size) override;
  STDMETHODIMP InitNew() override { return S_OK; }
  // IProvideClassInfo
  STDMETHODIMP GetClassInfo(ITypeInfo **info) override;
  // IConnectionPointContainer
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints **points) override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint **point) override;

 protected:
  HRESULT QueryMore(REFIID iid, void **out) override;
  // Messages of the control's window; the default handling otherwise.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The window exists now (or is about to go).
  virtual void OnCreated() {}
  virtual void OnDestroying() {}
  // Derived controls destroy their window in their own destructor, while
  // their OnDestroying can still run.
  void DestroyControlWindow() {
    if (window_) DestroyWindow(window_);
  }
  // Fires an event of the control's outgoing interface.
  void Fire(DISPID id, VARIANT *args, UINT count);

  const ClassDesc &desc_;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HRESULT Activate(IOleClientSite *site, HWND parent, LPCRECT rect);

  const wchar_t *windowName_;
  HWND window_ = nullptr;
  IOleClientSite *site_ = nullptr;
  IOleInPlaceSite *inPlaceSite_ = nullptr;
  SIZEL extent_ = {2000, 2000};
  std::unique_ptr<EventSource> events_;
};

}  // namespace tolven::skin
