// A volume scroll bar of the skin engine: range 0..100, steps 5 and 20,
// attached to a form; reports each change of its position.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include <functional>

#include "viewer/win32/skin_child.h"

namespace tolven::viewer::win {

class CSkinScrollBar : public CSkinChild, public IDispatch {
 public:
  enum Orientation : LONG { kHorizontal = 1, kVertical = 2 };
  ~CSkinScrollBar() override;

  bool Create(HWND parent, int id, const RECT &rect, IDispatch *form, Orientation orientation);
  void SetPosition(LONG position);
  LONG Position();
  void OnChange(std::function<void(LONG)> handler) { handler_ = std::move(handler); }

  STDMETHODIMP QueryInterface(REFIID iid, void **out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT *count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override;

 private:
  IConnectionPoint *point_ = nullptr;
  DWORD cookie_ = 0;
  std::function<void(LONG)> handler_;
};

}  // namespace tolven::viewer::win
