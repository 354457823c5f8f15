// Which capture-window adapter serves this system, decided once at start-up:
// the system's AVICap when it lists the driver and creates a capture window
// (as on Windows), our own capture window otherwise (Wine's AVICap does
// neither). The choice is written once to the debug output.
#pragma once
#include "platform/capture/capture_windows.h"
#include "platform/debug/debug_output.h"
#include "platform/wide.h"

namespace tolven::cap {

// `driverFile` is the name the system should list (compared without case)
// among indexes 0..9. The system's adapter is probed with a hidden top-level
// capture window, destroyed again at once.
CaptureWindows &ChooseCaptureWindows(CaptureWindows &system, CaptureWindows &own, WStringView driverFile,
                                     dbg::DebugOutput &debug);

}  // namespace tolven::cap
