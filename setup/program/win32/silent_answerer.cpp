#include "silent_answerer.h"

namespace tolven::setupprogram {

SilentAnswerer::SilentAnswerer(bool active) {
  if (!active) return;
  owner_ = GetCurrentThreadId();
  stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (stop_) thread_ = CreateThread(nullptr, 0, &SilentAnswerer::Run, this, 0, nullptr);
}

SilentAnswerer::~SilentAnswerer() {
  if (thread_) {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
  if (stop_) CloseHandle(stop_);
}

BOOL CALLBACK SilentAnswerer::Answer(HWND window, LPARAM) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, L"#32770") == 0 && IsWindowVisible(window))
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
  return TRUE;
}

DWORD WINAPI SilentAnswerer::Run(LPVOID self) {
  auto *answerer = static_cast<SilentAnswerer *>(self);
  while (WaitForSingleObject(answerer->stop_, 200) == WAIT_TIMEOUT)
    EnumThreadWindows(answerer->owner_, &SilentAnswerer::Answer, 0);
  return 0;
}

}  // namespace tolven::setupprogram
