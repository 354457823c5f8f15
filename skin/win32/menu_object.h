// The popup-menu object: shows a menu the host built at a screen point; the
// chosen command reaches the owner window as WM_COMMAND, as TrackPopupMenu's does.
#pragma once
#include "dispatch_object.h"

namespace tolven::skin {

class MenuObject : public DispatchObject {
 public:
  MenuObject();

 protected:
  HRESULT Call(const Member &member, bool put, VARIANT *args, VARIANT *result) override;
};

}  // namespace tolven::skin
