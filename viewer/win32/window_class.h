// The viewer's own window classes: registered once per process, on first use.
#pragma once
#include <windows.h>

namespace tolven::viewer::win {

// Registers `name` with `procedure` and the arrow cursor unless it already
// is; the module instance the classes belong to.
HINSTANCE EnsureWindowClass(const wchar_t *name, WNDPROC procedure);

}  // namespace tolven::viewer::win
