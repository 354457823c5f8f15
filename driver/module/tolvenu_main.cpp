// tolvenu.dll: the module's Windows bindings. Everything behind DriverProc
// is portable; this file only wires the win32 adapters to it and keeps the
// module's objects alive from load to unload.
#include <windows.h>
#include <mmsystem.h>

#include "driver/control/control_model.h"
#include "driver/core/capture_driver.h"
#include "driver/dialogs/display_mode_message.h"
#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/win32/property_sheet_runner.h"
#include "driver/dialogs/win32/win32_dialog_runner.h"
#include "driver/hardware/capture_board.h"
#include "platform/display/win32_display_escape.h"
#include "platform/display/win32_gdi.h"
#include "platform/locale/win32_locale.h"
#include "platform/win32_platform.h"

namespace {

using namespace tolven;

HINSTANCE g_instance = nullptr;

class Win32DriverHost : public DriverHost {
 public:
  intptr_t DefDriverProc(uintptr_t driverId, uintptr_t hDriver, uint32_t message, intptr_t lParam1,
                         intptr_t lParam2) override {
    return ::DefDriverProc(driverId, reinterpret_cast<HDRVR>(hDriver), message, lParam1, lParam2);
  }
  bool StringResource(uint32_t id, WString *text) override {
    // With a zero length LoadStringW hands back the resource text itself.
    const wchar_t *resource = nullptr;
    int length = LoadStringW(g_instance, id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || !resource) return false;
    text->assign(reinterpret_cast<const char16_t *>(resource), static_cast<size_t>(length));
    return true;
  }
};

// The module's string table as LoadStringW finds it (in the user's language).
class ModuleStringTable : public strings::StringTable {
 public:
  explicit ModuleStringTable(DriverHost &host) : host_(host) {}
  bool Load(uint32_t id, WString *text) override { return host_.StringResource(id, text); }

 private:
  DriverHost &host_;
};

// The module's objects, in construction order; the board must outlive
// everything that reaches it (the driver object and the control model), and
// the display (which may hold the stand-in DLL) the board.
struct Module {
  display::Win32DisplayEscape display{Win32Platform::Instance().registry, kKernelServiceName};
  display::Win32Gdi gdi;
  Win32DriverHost host;
  loc::Win32Locale locale;
  ModuleStringTable strings{host};
  dialogs::Win32DialogRunner dialogRunner{reinterpret_cast<uintptr_t>(g_instance)};
  dialogs::Win32PropertySheetRunner sheetRunner{reinterpret_cast<uintptr_t>(g_instance), strings};
  CCaptureBoard board{display, Win32Platform::Instance().clock, gdi};
  // The one board's requests, for the channels and the control model.
  BoardRequests boardRequests{&board};
  // The control model reaches the machine through the same adapters.
  control::ControlEnvironment controlEnvironment{
      Win32Platform::Instance().registry, Win32Platform::Instance().files,
      Win32Platform::Instance().resources, Win32Platform::Instance().clock, strings, boardRequests};
  // The application object: the driver object, the module's own hub, the
  // dialogs. It goes before the board, which its hub reaches.
  dialogs::CDriverApp app{dialogs::DriverAppEnvironment{dialogRunner, sheetRunner, strings,
                                                        Win32Platform::Instance().resources, locale,
                                                        &controlEnvironment,
                                                        &Win32Platform::Instance().messageBoxes}};
  CCaptureDriver &driver{app.CreateDriver(Win32Platform::Instance().ports(), gdi, host, boardRequests)};
  dialogs::DisplayModeMessage displayModeMessage{strings, Win32Platform::Instance().messageBoxes};

  Module() { board.SetDisplayModeNotice(&displayModeMessage); }
};

Module *g_module = nullptr;

// The module's objects come into being at the first driver message (the
// DRV_LOAD that follows loading), not in DllMain: building the board talks
// to the display driver, which may load the stand-in DLL, and loading a
// library under the loader lock can deadlock.
Module *TheModule() {
  if (!g_module) g_module = new (std::nothrow) Module;
  return g_module;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_instance = instance;
    DisableThreadLibraryCalls(instance);
    return TRUE;
  }
  // At process exit (reserved non-null) other modules may already be gone.
  if (reason == DLL_PROCESS_DETACH && !reserved) {
    delete g_module;
    g_module = nullptr;
  }
  return TRUE;
}

extern "C" LRESULT WINAPI DriverProc(DWORD_PTR driverId, HDRVR driver, UINT message, LPARAM lParam1,
                                     LPARAM lParam2) {
  Module *module = TheModule();
  if (!module) return 0;
  return module->driver.Dispatch(driverId, reinterpret_cast<uintptr_t>(driver), message, lParam1,
                                   lParam2);
}

// The device control interface: a new factory, or null. A client normally
// opens a capture channel first, so that the card has been detected.
extern "C" void *WINAPI GetVarnInterface() {
  Module *module = TheModule();
  if (!module) return nullptr;
  return tolven::control::CreateControlFactory(&module->controlEnvironment);
}
