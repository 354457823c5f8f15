#include "virtualcard/standin/screen_painter.h"

#include <algorithm>
#include <vector>

#include "virtualcard/picture/frame.h"
#include "virtualcard/picture/key_colour.h"
#include "virtualcard/picture/overlay_compositor.h"
#include "virtualcard/picture/picture_generator.h"

namespace tolven::card {

using namespace picture;

// Everything one painting thread works with; a thread that is told to stop
// may still finish a picture while its successor starts, so nothing here is
// shared.
struct ScreenPainter::Worker {
  ScreenPainter *painter;
  uint32_t generation;
  HMODULE module;
  PictureGenerator generator;
  OverlayCompositor compositor;
  Frame frame;
  std::vector<uint32_t> before;
};

ScreenPainter::ScreenPainter(std::function<PictureState()> snapshot)
    : snapshot_(std::move(snapshot)), wake_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

void ScreenPainter::Start() {
  if (started_ || !wake_) return;
  HMODULE module = nullptr;
  // The thread's own reference on this DLL, given back as it exits.
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCWSTR>(reinterpret_cast<void *>(&ScreenPainter::Run)), &module))
    return;
  ResetEvent(wake_);
  auto *worker = new Worker{this, generation_.load() + 1, module, {}, {}, {}, {}};
  generation_.store(worker->generation);
  HANDLE thread = CreateThread(nullptr, 0, &ScreenPainter::Run, worker, 0, nullptr);
  if (!thread) {
    generation_.fetch_add(1);
    delete worker;
    FreeLibrary(module);
    return;
  }
  CloseHandle(thread);
  started_ = true;
}

void ScreenPainter::Stop() {
  if (!started_) return;
  started_ = false;
  generation_.fetch_add(1);
  SetEvent(wake_);
}

DWORD WINAPI ScreenPainter::Run(void *param) {
  auto *worker = static_cast<Worker *>(param);
  const HMODULE module = worker->module;
  worker->painter->Loop(*worker);
  delete worker;
  FreeLibraryAndExitThread(module, 0);
}

void ScreenPainter::Loop(Worker &worker) {
  while (generation_.load() == worker.generation) {
    const PictureState state = snapshot_();
    if (state.overlayOn) PaintOnce(worker, state);
    else worker.compositor.Forget();
    WaitForSingleObject(wake_, kPeriodMs);
  }
}

void ScreenPainter::PaintOnce(Worker &worker, const PictureState &state) {
  const KeyColour key = KeyColour::FromRecord(state.keyType, state.keyValue);
  if (!key.Valid()) return;
  HDC screen = GetDC(nullptr);
  if (!screen) return;
  const display::Rect visible = OverlayCompositor::VisiblePart(
      state.destination, GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES));
  const int32_t w = visible.right - visible.left, h = visible.bottom - visible.top;
  HDC memory = w > 0 && h > 0 ? CreateCompatibleDC(screen) : nullptr;
  if (!memory) {
    ReleaseDC(nullptr, screen);
    return;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = dib ? SelectObject(memory, dib) : nullptr;
  if (dib && bits && BitBlt(memory, 0, 0, w, h, screen, visible.left, visible.top, SRCCOPY)) {
    GdiFlush();
    auto *pixels = static_cast<uint32_t *>(bits);
    worker.before.assign(pixels, pixels + static_cast<size_t>(w) * h);
    const int64_t destW = int64_t{state.destination.right} - state.destination.left + 1;
    const int64_t destH = int64_t{state.destination.bottom} - state.destination.top + 1;
    worker.generator.Render(state, static_cast<int32_t>(std::min<int64_t>(destW, kMaxFrameSide)),
                            static_cast<int32_t>(std::min<int64_t>(destH, kMaxFrameSide)), &worker.frame);
    const ScreenArea area{pixels, visible.left, visible.top, w, h, w};
    if (worker.compositor.Apply(worker.frame, key, state.destination, area) > 0) {
      // Write back only the runs of pixels that changed, through a clip
      // region, so that nothing else on the screen is touched.
      std::vector<RECT> runs;
      for (int32_t y = 0; y < h; ++y) {
        const uint32_t *now = pixels + static_cast<size_t>(y) * w;
        const uint32_t *was = worker.before.data() + static_cast<size_t>(y) * w;
        for (int32_t x = 0; x < w;) {
          if (now[x] == was[x]) {
            ++x;
            continue;
          }
          const int32_t start = x;
          while (x < w && now[x] != was[x]) ++x;
          runs.push_back(RECT{visible.left + start, visible.top + y, visible.left + x, visible.top + y + 1});
        }
      }
      if (!runs.empty()) {
        std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
        auto *region = reinterpret_cast<RGNDATA *>(data.data());
        region->rdh.dwSize = sizeof(RGNDATAHEADER);
        region->rdh.iType = RDH_RECTANGLES;
        region->rdh.nCount = static_cast<DWORD>(runs.size());
        region->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
        region->rdh.rcBound = RECT{visible.left, visible.top, visible.right, visible.bottom};
        std::copy(runs.begin(), runs.end(), reinterpret_cast<RECT *>(region->Buffer));
        HRGN clip = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region);
        if (clip) {
          SelectClipRgn(screen, clip);
          BitBlt(screen, visible.left, visible.top, w, h, memory, 0, 0, SRCCOPY);
          SelectClipRgn(screen, nullptr);
          DeleteObject(clip);
          painted_.fetch_add(1);
        }
      }
    }
  }
  if (old) SelectObject(memory, old);
  if (dib) DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

}  // namespace tolven::card
