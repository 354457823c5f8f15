// The driver module as the native tests load it: the control model built
// into the test, with switches for a missing module and a null factory.
#pragma once
#include "driver/control/control_model.h"
#include "viewer/core/control_library.h"

namespace tolven::viewer::testing {

class NativeControlLibrary : public ControlLibrary {
 public:
  // The factory is made over `environment`; without one there is none.
  explicit NativeControlLibrary(control::ControlEnvironment *environment = nullptr)
      : environment_(environment) {}
  bool Load() override {
    ++loads;
    loaded = present;
    return present;
  }
  bool HasExport() override { return loaded && exported; }
  control::IControlFactory *GetVarnInterface() override {
    return nullFactory ? nullptr : control::CreateControlFactory(environment_);
  }
  void Free() override {
    ++frees;
    loaded = false;
  }

  bool present = true;
  bool exported = true;
  bool nullFactory = false;
  bool loaded = false;
  int loads = 0;
  int frees = 0;

 private:
  control::ControlEnvironment *environment_;
};

}  // namespace tolven::viewer::testing
