// tolvencard.dll: the virtual card as a display stand-in. tolvenu.dll sends
// its display-driver escapes here when the "DisplayStandIn" value names this
// file; the card lives from the first escape to unload.
//
// Configuration: "tolvencard.json" beside this DLL when it exists (see
// virtualcard/default_card.json for the fields), else the built-in default.
// The driver in this process really sleeps, so the card keeps wall-clock
// time here whatever the configuration says.
#include <windows.h>

#include <string>

#include "virtualcard/virtual_card.h"

namespace {

HINSTANCE g_instance = nullptr;

std::string ConfigPath() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(g_instance, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::string p(path, length);
  size_t slash = p.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : p.substr(0, slash + 1)) + "tolvencard.json";
}

tolven::card::CardConfig Config() {
  tolven::card::CardConfig config = tolven::card::DefaultCardConfig();
  tolven::card::CardConfig fromFile = config;
  const std::string path = ConfigPath();
  if (!path.empty() && tolven::card::LoadCardConfigFile(path, &fromFile, nullptr)) config = fromFile;
  config.realTime = true;
  return config;
}

tolven::card::VirtualCard &Card() {
  static tolven::card::VirtualCard card(Config());
  return card;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_instance = instance;
  return TRUE;
}

extern "C" int __stdcall DisplayEscape(int escape, int inputSize, const void *input, int outputSize,
                                       void *output) {
  return Card().DisplayDriver().Escape(escape, inputSize, input, outputSize, output);
}
