// The display port on Windows: ExtEscape on the screen device context, taken
// and released around each call.
//
// Display stand-in: when the service's Parameters key (HKLM, under
// SYSTEM\CurrentControlSet\Services) holds a REG_SZ "DisplayStandIn" naming a
// DLL, that DLL is loaded at the first escape that finds the value (it is
// looked for at every escape until then) and every escape goes to its
// export
//   int __stdcall DisplayEscape(int escape, int inputSize, const void *input,
//                               int outputSize, void *output)
// instead. A value naming a missing DLL, or one without the export, leaves
// no display driver at all: escapes answer 0. The DLL is freed with this
// object (module unload).
#pragma once
#include "platform/display/display_escape.h"
#include "platform/registry/registry.h"

namespace tolven::display {

inline constexpr char16_t kDisplayStandInValue[] = u"DisplayStandIn";

class Win32DisplayEscape : public DisplayEscape {
 public:
  Win32DisplayEscape(reg::Registry &registry, const char16_t *serviceName)
      : registry_(registry), serviceName_(serviceName) {}
  ~Win32DisplayEscape() override;
  Win32DisplayEscape(const Win32DisplayEscape &) = delete;
  Win32DisplayEscape &operator=(const Win32DisplayEscape &) = delete;

  int Escape(int escape, int inputSize, const void *input, int outputSize, void *output) override;

 private:
  using StandInEscape = int(__attribute__((stdcall)) *)(int, int, const void *, int, void *);
  enum class Route { Unknown, Display, StandIn, Nothing };
  void ChooseRoute();

  reg::Registry &registry_;
  const char16_t *serviceName_;
  Route route_ = Route::Unknown;
  void *module_ = nullptr;
  StandInEscape standIn_ = nullptr;
};

}  // namespace tolven::display
