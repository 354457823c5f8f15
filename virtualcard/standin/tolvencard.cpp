// tolvencard.dll: the virtual card as a display stand-in. tolvenu.dll sends
// its display-driver escapes here when the "DisplayStandIn" value names this
// file; the card lives from load to unload.
#include <windows.h>

#include "virtualcard/virtual_card.h"

namespace {
tolven::card::VirtualCard &Card() {
  static tolven::card::VirtualCard card;
  return card;
}
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" int __stdcall DisplayEscape(int escape, int inputSize, const void *input, int outputSize,
                                       void *output) {
  return Card().DisplayDriver().Escape(escape, inputSize, input, outputSize, output);
}
