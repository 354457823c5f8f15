// Viewer.exe: the TV window. Builds the Win32 adapters of the viewer's
// ports, starts the application object and runs the message loop.
#include <windows.h>
#include <ole2.h>

#include <string>

#include "platform/capture/capture_windows_chooser.h"
#include "platform/capture/win32_avicap_capture_windows.h"
#include "platform/capture/win32_driver_capture_windows.h"
#include "platform/debug/win32_debug_output.h"
#include "platform/drivers/win32_installable_drivers.h"
#include "platform/hotkeys/win32_system_hotkeys.h"
#include "platform/messagebox/win32_message_boxes.h"
#include "platform/mixer/win32_mixer.h"
#include "platform/registry/win32_registry.h"
#include "platform/screensaver/win32_screensaver.h"
#include "platform/shelllink/win32_shell_links.h"
#include "viewer/app/viewer_app.h"
#include "viewer/win32/win32_control_library.h"
#include "viewer/win32/win32_sheet_runner.h"
#include "viewer/win32/win32_viewer_shell.h"

namespace {

// "Skins\Default\" beside the program.
std::wstring SkinFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + L"Skins\\Default\\";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace tolven;
  if (FAILED(OleInitialize(nullptr))) return 1;
  int status = 0;
  {
    reg::Win32Registry registry;
    ui::Win32MessageBoxes messages;
    mix::Win32Mixer mixer;
    // The system's capture windows where they serve the driver, else ours
    // over the installable-driver interface (chosen once, logged once).
    cap::Win32AvicapCaptureWindows systemCapture;
    drv::Win32InstallableDrivers drivers;
    cap::Win32DriverCaptureWindows ownCapture(registry, drivers);
    dbg::Win32DebugOutput debug;
    cap::CaptureWindows &captureWindows =
        cap::ChooseCaptureWindows(systemCapture, ownCapture, u"tolvenu.dll", debug);
    viewer::win::Win32ControlLibrary library;
    viewer::win::Win32ViewerShell shell(SkinFolder());
    viewer::CViewerApp app(viewer::ViewerPorts{registry, shell, captureWindows, messages, library, mixer});
    shell.Attach(&app);
    // Hotkeys, screensaver option and preferences sheet.
    desk::Win32Screensaver screensaver;
    hk::Win32SystemHotkeys hotkeys;
    lnk::Win32ShellLinks links;
    viewer::win::Win32SheetRunner sheets;
    viewer::CViewerOptions options(viewer::OptionsPorts{registry, screensaver, hotkeys, links, sheets},
                                   app.Settings(), app.Controller(), shell, app);
    app.AttachOptions(&options);
    if (!app.Start()) {
      status = 1;
    } else {
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (shell.KeyDown(msg)) continue;  // the viewer's own keys
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      status = static_cast<int>(msg.wParam);
    }
    app.AttachOptions(nullptr);
    shell.Attach(nullptr);
  }
  OleUninitialize();
  return status;
}
