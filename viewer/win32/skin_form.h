// The viewer's handle on a skin form: created by class id inside a window,
// loaded with a skin file, asked for elements' rectangles, given commands,
// and listened to for its events (the element or event name).
#pragma once
#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

#include <functional>
#include <memory>
#include <string>

#include "skin/host/ole_host.h"

namespace tolven::viewer::win {

class CSkinForm : public IDispatch {
 public:
  using EventHandler = std::function<void(const std::wstring &name)>;

  CSkinForm() = default;
  virtual ~CSkinForm();
  CSkinForm(const CSkinForm &) = delete;
  CSkinForm &operator=(const CSkinForm &) = delete;

  // The form inside `parent` at `rect`, with control id `id`; false when
  // the skin engine is not registered.
  bool Create(HWND parent, int id, const RECT &rect);
  void Destroy();
  // Puts the path and reads it back: equal means loaded.
  bool Load(const std::wstring &path);
  // An element's rectangle in form coordinates (the sum over its parents).
  bool ElementRect(const std::wstring &name, RECT *rect);
  // Runs a skin command ("goto <element> <state>") on the root.
  void Command(const std::wstring &command);
  void OnEvent(EventHandler handler) { handler_ = std::move(handler); }

  IDispatch *Object() const { return form_; }
  HWND Window() const { return window_; }

  // IDispatch: the form's outgoing events.
  STDMETHODIMP QueryInterface(REFIID iid, void **out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT *count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *params, VARIANT *, EXCEPINFO *, UINT *) override;

 private:
  IDispatch *form_ = nullptr;
  std::unique_ptr<skin::host::OleHost> site_;
  HWND window_ = nullptr;
  IConnectionPoint *point_ = nullptr;
  DWORD cookie_ = 0;
  EventHandler handler_;
};

// Creates a skin object by class id (IDispatch), or null.
IDispatch *CreateSkinObject(const CLSID &clsid);

}  // namespace tolven::viewer::win
