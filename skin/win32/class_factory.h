// Makes the objects of one class for CoCreateInstance.
#pragma once
#include <windows.h>
#include <unknwn.h>

namespace tolven::skin {

class ClassFactory : public IClassFactory {
 public:
  using Maker = IDispatch *(*)();
  explicit ClassFactory(Maker maker);
  virtual ~ClassFactory();

  STDMETHODIMP QueryInterface(REFIID iid, void **out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown *outer, REFIID iid, void **out) override;
  STDMETHODIMP LockServer(BOOL lock) override;

  // The factory of a class id of this DLL, or CLASS_E_CLASSNOTAVAILABLE.
  static HRESULT For(REFCLSID clsid, REFIID iid, void **out);

 private:
  LONG references_ = 1;
  Maker maker_;
};

}  // namespace tolven::skin
