// The driver module and the control hub the viewer holds. Releasing the
// holder releases the hub, then frees the module.
#pragma once
#include "viewer/core/control_library.h"

namespace tolven::viewer {

class CInterfaceHolder {
 public:
  explicit CInterfaceHolder(ControlLibrary &library) : library_(library) {}
  ~CInterfaceHolder() { Reset(); }
  CInterfaceHolder(const CInterfaceHolder &) = delete;
  CInterfaceHolder &operator=(const CInterfaceHolder &) = delete;

  enum class Result { kBound, kNoModule, kNoFactory, kNoHub };
  // Loads the module when it is not loaded yet, releases a hub held before
  // and takes a new one from the factory (version 1).
  Result Bind();
  control::IControlHub *Hub() const { return hub_; }
  // Releases the hub and frees the module.
  void Reset();

 private:
  ControlLibrary &library_;
  bool loaded_ = false;
  control::IControlHub *hub_ = nullptr;
};

}  // namespace tolven::viewer
