// IUnknown and IDispatch for every object of the DLL, driven by the
// object's member table: names, kinds and argument types are checked and
// converted here, so an object's Call sees its declared types only.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include "dispatch_members.h"

namespace tolven::skin {

class DispatchObject : public IDispatch {
 public:
  explicit DispatchObject(const InterfaceDesc &iface);
  virtual ~DispatchObject();
  DispatchObject(const DispatchObject &) = delete;
  DispatchObject &operator=(const DispatchObject &) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void **out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetTypeInfoCount(UINT *count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo **info) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR *names, UINT count, LCID lcid, DISPID *ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS *params, VARIANT *result,
                      EXCEPINFO *exception, UINT *argError) override;

 protected:
  // `args` holds the arguments first to last, converted to the member's
  // parameter types (a property put: the one new value). `result` is never null.
  virtual HRESULT Call(const Member &member, bool put, VARIANT *args, VARIANT *result) = 0;
  // Further interfaces of a derived object.
  virtual HRESULT QueryMore(REFIID iid, void **out);

  const InterfaceDesc &iface_;

 private:
  LONG references_ = 1;
};

// Forwards a further interface's IUnknown to the object's one.
#define TOLVEN_SKIN_FORWARD_UNKNOWN                                                          \
  STDMETHODIMP QueryInterface(REFIID iid, void **out) override {                             \
    return DispatchObject::QueryInterface(iid, out);                                         \
  }                                                                                          \
  STDMETHODIMP_(ULONG) AddRef() override { return DispatchObject::AddRef(); }                \
  STDMETHODIMP_(ULONG) Release() override { return DispatchObject::Release(); }

}  // namespace tolven::skin
