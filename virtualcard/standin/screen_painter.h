// The overlay on a screen that has none: a thread of its own that, 20 times
// a second while the overlay is on, reads the screen under the destination
// rectangle, lays the card's picture over the key-coloured pixels there
// (picture/overlay_compositor.h) and writes back only the pixels that
// changed, so whatever covers the video window stays as it is.
//
// Lifetime: Start and Stop follow the video port (created: start; destroyed:
// stop). The thread holds a reference on this DLL and leaves through
// FreeLibraryAndExitThread, so the DLL cannot be unmapped under it and
// nobody ever waits for it, least of all DllMain under the loader lock; a
// stopped thread is woken at once and ends within one period.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>

#include "virtualcard/picture/picture_state.h"

namespace tolven::card {

class ScreenPainter {
 public:
  static constexpr DWORD kPeriodMs = 50;
  // The largest picture rendered; bigger destinations are stretched to.
  static constexpr int32_t kMaxFrameSide = 2048;

  // `snapshot` reads the card's state under the card's lock.
  explicit ScreenPainter(std::function<picture::PictureState()> snapshot);
  ScreenPainter(const ScreenPainter &) = delete;
  ScreenPainter &operator=(const ScreenPainter &) = delete;

  // Both are cheap and never wait; call them under the card's lock.
  void Start();
  void Stop();
  // Pictures laid over the screen so far (for diagnostics).
  uint32_t Painted() const { return painted_.load(); }

 private:
  struct Worker;
  static DWORD WINAPI Run(void *worker);
  void Loop(Worker &worker);
  void PaintOnce(Worker &worker, const picture::PictureState &state);

  std::function<picture::PictureState()> snapshot_;
  std::atomic<uint32_t> generation_{0};
  bool started_ = false;
  HANDLE wake_ = nullptr;
  std::atomic<uint32_t> painted_{0};
};

}  // namespace tolven::card
