#include "viewer/win32/win32_control_library.h"

namespace tolven::viewer::win {

namespace {
using GetVarnInterfaceProc = control::IControlFactory *(WINAPI *)();
}

bool Win32ControlLibrary::Load() {
  if (!module_) module_ = LoadLibraryW(L"tolvenu.dll");
  return module_ != nullptr;
}

bool Win32ControlLibrary::HasExport() { return module_ && GetProcAddress(module_, "GetVarnInterface"); }

control::IControlFactory *Win32ControlLibrary::GetVarnInterface() {
  if (!module_) return nullptr;
  auto proc = reinterpret_cast<GetVarnInterfaceProc>(
      reinterpret_cast<void *>(GetProcAddress(module_, "GetVarnInterface")));
  return proc ? proc() : nullptr;
}

void Win32ControlLibrary::Free() {
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
}

}  // namespace tolven::viewer::win
