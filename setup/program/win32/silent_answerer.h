// In silent mode nobody is there to answer a dialog that a setup library
// opens on setup's thread (the capture driver's Driver Settings, or a
// library's message box): a second thread presses OK on each, taking the
// defaults, for as long as the answerer lives.
#pragma once

#include <windows.h>

namespace tolven::setupprogram {

class SilentAnswerer {
 public:
  explicit SilentAnswerer(bool active);
  ~SilentAnswerer();
  SilentAnswerer(const SilentAnswerer &) = delete;
  SilentAnswerer &operator=(const SilentAnswerer &) = delete;

 private:
  static DWORD WINAPI Run(LPVOID self);
  static BOOL CALLBACK Answer(HWND window, LPARAM);

  DWORD owner_ = 0;
  HANDLE stop_ = nullptr;
  HANDLE thread_ = nullptr;
};

}  // namespace tolven::setupprogram
