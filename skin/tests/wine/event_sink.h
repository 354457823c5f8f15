// Records the events a skin object fires through its connection point.
#pragma once
#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

#include <string>
#include <vector>

namespace tolven::skin::winetest {

class EventSink : public IDispatch {
 public:
  struct Event {
    std::wstring source, name;
  };
  virtual ~EventSink() = default;

  std::vector<Event> events;
  int calls = 0;

  bool Saw(const std::wstring &name) const {
    for (const Event &e : events)
      if (e.name == name) return true;
    return false;
  }

  // Connects to the object's point for `iid`; the cookie, or 0.
  DWORD Connect(IDispatch *object, const IID &iid) {
    IConnectionPointContainer *container = nullptr;
    DWORD cookie = 0;
    if (FAILED(object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&container)))) return 0;
    if (SUCCEEDED(container->FindConnectionPoint(iid, &point_))) point_->Advise(this, &cookie);
    container->Release();
    return cookie;
  }
  void Disconnect(DWORD cookie) {
    if (point_) {
      point_->Unadvise(cookie);
      point_->Release();
      point_ = nullptr;
    }
  }

  STDMETHODIMP QueryInterface(REFIID iid, void **out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT *n) override {
    *n = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *p, VARIANT *, EXCEPINFO *, UINT *) override {
    ++calls;
    // Arguments arrive last to first: the element, then the event name.
    if (id == 1 && p && p->cArgs == 2 && p->rgvarg[0].vt == VT_BSTR && p->rgvarg[1].vt == VT_BSTR)
      events.push_back({p->rgvarg[1].bstrVal, p->rgvarg[0].bstrVal});
    return S_OK;
  }

 private:
  IConnectionPoint *point_ = nullptr;
};

}  // namespace tolven::skin::winetest
