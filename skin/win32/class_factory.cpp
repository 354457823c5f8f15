#include "class_factory.h"

#include "menu_object.h"
#include "scroll_control.h"
#include "skin_form.h"
#include "skin_ids.h"
#include "skin_module.h"
#include "text_control.h"

namespace tolven::skin {

ClassFactory::ClassFactory(Maker maker) : maker_(maker) { SkinModule::Lock(); }
ClassFactory::~ClassFactory() { SkinModule::Unlock(); }

STDMETHODIMP ClassFactory::QueryInterface(REFIID iid, void **out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IClassFactory) {
    *out = static_cast<IClassFactory *>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ClassFactory::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) ClassFactory::Release() {
  ULONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown *outer, REFIID iid, void **out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  IDispatch *object = maker_();
  if (!object) return E_OUTOFMEMORY;
  HRESULT hr = object->QueryInterface(iid, out);
  object->Release();
  return hr;
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
  if (lock) SkinModule::Lock();
  else SkinModule::Unlock();
  return S_OK;
}

HRESULT ClassFactory::For(REFCLSID clsid, REFIID iid, void **out) {
  Maker maker = nullptr;
  if (clsid == kClsidForm) maker = [] { return static_cast<IDispatch *>(new SkinForm()); };
  else if (clsid == kClsidPanel) maker = [] { return static_cast<IDispatch *>(new TextControl(true)); };
  else if (clsid == kClsidLabel) maker = [] { return static_cast<IDispatch *>(new TextControl(false)); };
  else if (clsid == kClsidScrollBar) maker = [] { return static_cast<IDispatch *>(new ScrollControl()); };
  else if (clsid == kClsidMenu) maker = [] { return static_cast<IDispatch *>(new MenuObject()); };
  if (!maker) return CLASS_E_CLASSNOTAVAILABLE;
  auto *factory = new ClassFactory(maker);
  HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

}  // namespace tolven::skin
