// A control of the skin engine (panel, label or scroll bar) hosted in a
// window at a rectangle and attached to a form, whose look it then takes.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <string>

#include "skin/host/ole_host.h"

namespace tolven::viewer::win {

class CSkinChild {
 public:
  CSkinChild() = default;
  virtual ~CSkinChild();
  CSkinChild(const CSkinChild &) = delete;
  CSkinChild &operator=(const CSkinChild &) = delete;

  IDispatch *Object() const { return object_; }
  HWND Window() const { return window_; }
  void Show(bool show);

 protected:
  // Creates the object, hosts it above its siblings; false on failure.
  bool Host(const CLSID &clsid, HWND parent, int id, const RECT &rect);
  bool Attach(IDispatch *form);

 private:
  IDispatch *object_ = nullptr;
  std::unique_ptr<skin::host::OleHost> site_;
  HWND window_ = nullptr;
};

}  // namespace tolven::viewer::win
