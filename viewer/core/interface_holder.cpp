#include "viewer/core/interface_holder.h"

namespace tolven::viewer {

CInterfaceHolder::Result CInterfaceHolder::Bind() {
  if (hub_) {
    hub_->Release();
    hub_ = nullptr;
  }
  if (!loaded_) loaded_ = library_.Load();
  if (!loaded_ || !library_.HasExport()) return Result::kNoModule;
  control::IControlFactory *factory = library_.GetVarnInterface();
  if (!factory) return Result::kNoFactory;
  hub_ = factory->CreateInterface(1);
  factory->Release();
  return hub_ ? Result::kBound : Result::kNoHub;
}

void CInterfaceHolder::Reset() {
  if (hub_) hub_->Release();
  hub_ = nullptr;
  if (loaded_) library_.Free();
  loaded_ = false;
}

}  // namespace tolven::viewer
