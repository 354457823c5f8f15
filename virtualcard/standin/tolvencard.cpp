// tolvencard.dll: the virtual card as a display stand-in. tolvenu.dll sends
// its display-driver escapes here when the "DisplayStandIn" value names this
// file; the card lives from the first escape to unload.
//
// Configuration: "tolvencard.json" beside this DLL when it exists (see
// virtualcard/default_card.json for the fields), else the built-in default.
// The driver in this process really sleeps, so the card keeps wall-clock
// time here whatever the configuration says.
//
// The picture: while the video port runs, a painter thread lays the card's
// picture over the key colour inside the destination rectangle on the
// screen (screen_painter.h). One lock keeps the card consistent between the
// escapes and the painter's reading of it.
//
// Bus log: when the environment variable TOLVEN_CARD_BUS_LOG names a file,
// or else the configuration's "bus_log" does, every control-bus transaction
// is appended to it as one line, flushed at once (format in
// virtualcard/bus_log.h); another process can follow what the driver did,
// e.g. the tuner's PLL writes with their "tune_hz=" frequency.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>

#include "virtualcard/bus_log.h"
#include "virtualcard/picture/picture_state.h"
#include "virtualcard/standin/screen_painter.h"
#include "virtualcard/virtual_card.h"

namespace {

using namespace tolven::card;

HINSTANCE g_instance = nullptr;
// Made at attach, before any escape or painter can run.
CRITICAL_SECTION g_lock;
std::atomic<bool> g_detached{false};

class Lock {
 public:
  Lock() { EnterCriticalSection(&g_lock); }
  ~Lock() { LeaveCriticalSection(&g_lock); }
  Lock(const Lock &) = delete;
  Lock &operator=(const Lock &) = delete;
};

std::string ConfigPath() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(g_instance, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::string p(path, length);
  size_t slash = p.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : p.substr(0, slash + 1)) + "tolvencard.json";
}

CardConfig Config() {
  CardConfig config = DefaultCardConfig();
  CardConfig fromFile = config;
  const std::string path = ConfigPath();
  if (!path.empty() && LoadCardConfigFile(path, &fromFile, nullptr)) config = fromFile;
  config.realTime = true;
  return config;
}

std::wstring BusLogPath(const CardConfig &config) {
  wchar_t value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(L"TOLVEN_CARD_BUS_LOG", value, MAX_PATH);
  if (length > 0 && length < MAX_PATH) return std::wstring(value, length);
  if (config.busLog.empty()) return {};
  int size = MultiByteToWideChar(CP_UTF8, 0, config.busLog.c_str(), -1, nullptr, 0);
  if (size <= 0) return {};
  std::wstring path(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, config.busLog.c_str(), -1, path.data(), size);
  path.resize(static_cast<size_t>(size) - 1);
  return path;
}

// The card with what hangs on it; made at the first escape, under the lock.
struct StandIn {
  VirtualCard card{Config()};
  std::FILE *logFile = nullptr;
  std::unique_ptr<BusLog> log;
  ScreenPainter painter{[this] {
    Lock lock;
    return picture::PictureState::FromCard(card);
  }};

  StandIn() {
    // Nobody here reads the card's own transaction list; it would only grow.
    card.Bus().KeepLog(false);
    const std::wstring path = BusLogPath(card.Config());
    if (!path.empty()) logFile = _wfopen(path.c_str(), L"ab");
    if (logFile)
      log = std::make_unique<BusLog>(card, [this](const std::string &line) {
        std::fputs(line.c_str(), logFile);
        std::fflush(logFile);
      });
  }
  ~StandIn() {
    log.reset();
    if (logFile) std::fclose(logFile);
  }
};

StandIn &Instance() {
  static StandIn standIn;
  return standIn;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  // Nothing to stop at unload: a running painter holds a reference on this
  // DLL, so the DLL cannot go while it paints (screen_painter.h).
  if (reason == DLL_PROCESS_ATTACH) {
    g_instance = instance;
    InitializeCriticalSection(&g_lock);
  }
  // At process exit this DLL is detached before the driver that loaded it,
  // whose board still destroys the video port on its way out: by then the
  // card is gone, and a killed painter may have left the lock taken.
  if (reason == DLL_PROCESS_DETACH) g_detached.store(true);
  return TRUE;
}

extern "C" int __stdcall DisplayEscape(int escape, int inputSize, const void *input, int outputSize,
                                       void *output) {
  if (g_detached.load()) return 0;  // no display driver any more
  Lock lock;
  StandIn &s = Instance();
  const int result = s.card.DisplayDriver().Escape(escape, inputSize, input, outputSize, output);
  // The picture follows the video port: created, it starts; destroyed, it stops.
  if (s.card.VideoPort().Running()) s.painter.Start();
  else s.painter.Stop();
  return result;
}
