// varnctl.exe: the command-line client on Windows. It loads tolvenu.dll the
// way the viewer does: a capture channel opened through OpenDriver (so the
// driver detects and claims the card and applies the stored settings), and
// the control interface through GetProcAddress of "GetVarnInterface".
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <mmsystem.h>

#include <iostream>
#include <string>
#include <vector>

#include "driver/core/vfw_records.h"
#include "platform/clock/win32_clock.h"
#include "platform/win32_platform.h"
#include "tools/varnctl/lock_wait.h"
#include "tools/varnctl/text.h"
#include "tools/varnctl/varnctl.h"

namespace {

using namespace tolven;
using namespace tolven::varnctl;

using GetVarnInterfaceProc = control::IControlFactory *(WINAPI *)();

constexpr OptionSpec kWindowsOptions[] = {
    {"driver", "PATH", "the capture driver to load (default: tolvenu.dll beside varnctl.exe)"},
};

std::wstring Beside(const wchar_t *file) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + file;
}

// One user's settings and channel file are shared by every varnctl.exe of
// the session; this mutex is their lock.
constexpr wchar_t kStateMutexName[] = L"Local\\CaldraOne.varnctl.state";

class DriverMachine : public Machine {
 public:
  ~DriverMachine() override {
    std::string ignored;
    Close(&ignored);
  }

  bool Open(const std::wstring &path, std::ostream &err, std::string *error) {
    // Held from before the driver reads the settings until after it has
    // written them, so that two runs do not lose each other's changes.
    mutex_ = CreateMutexW(nullptr, FALSE, kStateMutexName);
    if (!mutex_) {
      *error = "cannot create the lock " + ToUtf8(reinterpret_cast<const char16_t *>(kStateMutexName));
      return false;
    }
    Win32Clock clock;
    auto tryLock = [&] {
      // An abandoned mutex (its holder died) is owned now all the same.
      const DWORD wait = WaitForSingleObject(mutex_, 0);
      return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    };
    if (!WaitForLock(tryLock, clock, LockTiming{}, "the card's settings and channel list", err, error)) {
      CloseHandle(mutex_);
      mutex_ = nullptr;
      return false;
    }
    // The video-source channel: it claims the card without showing video.
    vfw::VideoOpenParms parms{};
    parms.dwSize = sizeof parms;
    parms.fccType = mmioFOURCC('v', 'c', 'a', 'p');
    parms.dwVersion = 0x400;
    parms.dwFlags = vfw::kVideoExternalIn;
    driver_ = OpenDriver(path.c_str(), nullptr, reinterpret_cast<LPARAM>(&parms));
    cardFound_ = driver_ != nullptr && parms.dwError == 0;
    module_ = LoadLibraryW(path.c_str());
    if (!module_) {
      *error = "cannot load the capture driver " + ToUtf8(reinterpret_cast<const char16_t *>(path.c_str()));
      return false;
    }
    auto getInterface =
        reinterpret_cast<GetVarnInterfaceProc>(reinterpret_cast<void *>(GetProcAddress(module_, "GetVarnInterface")));
    if (!getInterface) {
      *error = "the capture driver has no GetVarnInterface";
      return false;
    }
    if (control::IControlFactory *factory = getInterface()) {
      hub_ = factory->CreateInterface(1);
      factory->Release();
    }
    return true;
  }

  bool CardFound() override { return cardFound_; }
  control::IControlHub *Hub() override { return hub_; }
  files::FileSystem &Files() override { return Win32Platform::Instance().files; }
  bool Close(std::string *) override {
    if (hub_) hub_->Release();
    hub_ = nullptr;
    if (driver_) CloseDriver(driver_, 0, 0);
    driver_ = nullptr;
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
    if (mutex_) {
      ReleaseMutex(mutex_);
      CloseHandle(mutex_);
    }
    mutex_ = nullptr;
    return true;
  }

 private:
  HANDLE mutex_ = nullptr;
  HDRVR driver_ = nullptr;
  HMODULE module_ = nullptr;
  bool cardFound_ = false;
  control::IControlHub *hub_ = nullptr;
};

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  RequestInterrupt();
  return TRUE;
}

class WindowsFront : public Front {
 public:
  std::span<const OptionSpec> Options() const override { return kWindowsOptions; }
  std::string About() const override {
    return "This build drives the installed card through tolvenu.dll, as the viewer does.\n";
  }
  std::unique_ptr<Machine> Open(const Invocation &invocation, std::ostream &err, std::string *error) override {
    std::wstring path = Beside(L"tolvenu.dll");
    if (auto driver = invocation.frontOptions.find("driver"); driver != invocation.frontOptions.end()) {
      const WString wide = FromUtf8(driver->second);
      path.assign(wide.begin(), wide.end());
    }
    auto machine = std::make_unique<DriverMachine>();
    if (!machine->Open(path, err, error)) return nullptr;
    return machine;
  }
  void CatchInterrupts(bool on) override { SetConsoleCtrlHandler(OnConsoleControl, on ? TRUE : FALSE); }
};

}  // namespace

int wmain(int argc, wchar_t **argv) {
  // The same bytes as the native build: UTF-8, lines ending in LF.
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(ToUtf8(reinterpret_cast<const char16_t *>(argv[i])));
  Console console{std::cout, std::cerr, &std::cin, _isatty(_fileno(stderr)) != 0, {}};
  WindowsFront front;
  const int status = Run(args, front, console);
  std::cout.flush();
  return status;
}
