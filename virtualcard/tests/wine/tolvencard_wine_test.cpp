// tolvencard.dll on a real screen: loaded as tolvenu.dll loads it, driven
// through its escapes as the driver drives it (a PLL write, the video port
// created with the key colour and the destination rectangle of a window
// filled with the key colour), it paints the card's picture into that
// window's key-coloured pixels and nowhere else, writes the bus log named
// by TOLVEN_CARD_BUS_LOG, and stops painting when the port is destroyed.
// Screenshots beside the program: tolvencard-station.bmp,
// tolvencard-snow.bmp, tolvencard-composite.bmp.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/display/escape_blocks.h"
#include "tests/wine/beside.h"
#include "tests/wine/screenshot.h"

namespace {

using tolven::winetest::Beside;
using namespace tolven;

constexpr COLORREF kKey = RGB(255, 0, 255), kOnTop = RGB(0, 160, 0);
constexpr int kLeft = 120, kTop = 100, kWidth = 480, kHeight = 360;

LRESULT CALLBACK FillProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA)));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    EndPaint(window, &ps);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND FilledWindow(int x, int y, int w, int h, COLORREF colour, bool topmost) {
  HWND window = CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, L"TolvencardFill", L"", WS_POPUP | WS_VISIBLE,
                                x, y, w, h, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  return window;
}

// Handles messages for `ms` of wall time (the card keeps wall-clock time).
void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
}

COLORREF ScreenPixel(int x, int y) {
  HDC dc = GetDC(nullptr);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(nullptr, dc);
  return c;
}

bool SaveScreen(int left, int top, int w, int h, const std::wstring &file) {
  return tolven::winetest::SaveScreenArea(RECT{left, top, left + w, top + h}, file);
}

class Tolvencard : public ::testing::Test {
 protected:
  using Escape = int(WINAPI *)(int, int, const void *, int, void *);

  void SetUp() override {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FillProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TolvencardFill";
    RegisterClassW(&wc);
    logPath_ = Beside(L"tolvencard-bus.log");
    DeleteFileW(logPath_.c_str());
    SetEnvironmentVariableW(L"TOLVEN_CARD_BUS_LOG", logPath_.c_str());
    module_ = LoadLibraryW(Beside(L"tolvencard.dll").c_str());
    ASSERT_NE(module_, nullptr);
    escape_ = reinterpret_cast<Escape>(reinterpret_cast<void *>(GetProcAddress(module_, "DisplayEscape")));
    ASSERT_NE(escape_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
    SetEnvironmentVariableW(L"TOLVEN_CARD_BUS_LOG", nullptr);
  }

  bool Bus(std::initializer_list<uint8_t> bytes) {
    uint8_t write[16] = {};
    uint32_t n = 0;
    for (uint8_t b : bytes) write[n++] = b;
    display::BusTransactionBlock block{};
    block.writeBuffer = reinterpret_cast<uintptr_t>(write);
    block.writeLength = n;
    block.transactionCount = 1;
    block.busFlag = 1;
    int32_t result = 0;
    return escape_(display::kEscapeBusTransaction, sizeof block, &block, sizeof result, &result) == 1 &&
           result == 1;
  }
  // The default card's tuner (type 1 at 0xC0): IF 39.5 MHz, 50 kHz steps.
  bool Tune(uint32_t hz, uint16_t band) {
    const uint32_t divider = (hz + 39500000) / 50000;
    return Bus({0xC0, static_cast<uint8_t>(divider >> 8), static_cast<uint8_t>(divider),
                static_cast<uint8_t>(band >> 8), static_cast<uint8_t>(band)});
  }
  bool Port(uint32_t function, void *block) {
    display::VideoPortCommand command{0, function, reinterpret_cast<uintptr_t>(block)};
    int32_t result = 0;
    return escape_(display::kEscapeVideoPort, sizeof command, &command, sizeof result, &result) == 1 &&
           result == 1;
  }

  HMODULE module_ = nullptr;
  Escape escape_ = nullptr;
  std::wstring logPath_;
};

TEST_F(Tolvencard, PaintsThePictureIntoTheKeyColourOnly) {
  HWND video = FilledWindow(kLeft, kTop, kWidth, kHeight, kKey, false);
  HWND onTop = FilledWindow(kLeft + kWidth - 60, kTop + kHeight - 50, 100, 80, kOnTop, true);
  Pump(300);
  const int outsideX = kLeft - 10, outsideY = kTop + 10;
  const COLORREF outside = ScreenPixel(outsideX, outsideY);
  ASSERT_EQ(ScreenPixel(kLeft + 10, kTop + 10), kKey) << "the window shows the key colour";

  ASSERT_TRUE(Tune(487250000, 0xC008));
  display::VideoPortCreateBlock create{};
  create.update.keyType = display::kKey32Bit;
  create.update.keyValue = kKey;
  // The destination as the driver keeps it: right and bottom included.
  create.update.destination = {kLeft, kTop, kLeft + kWidth - 1, kTop + kHeight - 1};
  ASSERT_TRUE(Port(display::kVideoPortCreate, &create));
  Pump(800);

  int replaced = 0, samples = 0;
  for (int y = kTop + 5; y < kTop + kHeight - 60; y += 17)
    for (int x = kLeft + 5; x < kLeft + kWidth - 70; x += 19, ++samples) replaced += ScreenPixel(x, y) != kKey;
  EXPECT_EQ(replaced, samples) << "key-coloured pixels left inside the rectangle";
  EXPECT_EQ(ScreenPixel(outsideX, outsideY), outside) << "a pixel left of the window";
  EXPECT_EQ(ScreenPixel(kLeft + kWidth + 20, kTop + kHeight + 10), kOnTop) << "the window on top";
  EXPECT_EQ(ScreenPixel(kLeft + kWidth - 30, kTop + kHeight - 20), kOnTop) << "the window on top, over the video";
  EXPECT_TRUE(SaveScreen(kLeft - 20, kTop - 20, kWidth + 140, kHeight + 110, Beside(L"tolvencard-station.bmp")));

  // Off a station: snow, grey everywhere in the picture.
  ASSERT_TRUE(Tune(520000000, 0xC008));
  Pump(600);
  int grey = 0;
  samples = 0;
  for (int y = kTop + 5; y < kTop + kHeight - 60; y += 23)
    for (int x = kLeft + 5; x < kLeft + kWidth - 70; x += 29, ++samples) {
      const COLORREF c = ScreenPixel(x, y);
      grey += GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c);
    }
  EXPECT_EQ(grey, samples);
  EXPECT_TRUE(SaveScreen(kLeft - 20, kTop - 20, kWidth + 140, kHeight + 110, Beside(L"tolvencard-snow.bmp")));

  // The composite input (decoder register 0x01, bits 5-6 = 64): colour bars,
  // the second of eight yellow.
  ASSERT_TRUE(Bus({0x88, 0x01, 0x40}));
  Pump(300);
  const COLORREF yellow = ScreenPixel(kLeft + kWidth * 3 / 16, kTop + 20);
  EXPECT_GT(GetRValue(yellow), 150);
  EXPECT_GT(GetGValue(yellow), 150);
  EXPECT_LT(GetBValue(yellow), 40);
  EXPECT_TRUE(SaveScreen(kLeft - 20, kTop - 20, kWidth + 140, kHeight + 110, Beside(L"tolvencard-composite.bmp")));

  // The port destroyed: the overlay is off, a repainted window keeps its key.
  ASSERT_TRUE(Port(display::kVideoPortDestroy, nullptr));
  Pump(200);
  InvalidateRect(video, nullptr, TRUE);
  UpdateWindow(video);
  Pump(400);
  EXPECT_EQ(ScreenPixel(kLeft + 10, kTop + 10), kKey);
  EXPECT_EQ(ScreenPixel(kLeft + kWidth / 2, kTop + kHeight / 2), kKey);

  // Destroyed and created again at once: the painting starts again.
  ASSERT_TRUE(Port(display::kVideoPortCreate, &create));
  ASSERT_TRUE(Port(display::kVideoPortDestroy, nullptr));
  ASSERT_TRUE(Port(display::kVideoPortCreate, &create));
  Pump(400);
  EXPECT_NE(ScreenPixel(kLeft + kWidth / 2, kTop + kHeight / 2), kKey);
  ASSERT_TRUE(Port(display::kVideoPortDestroy, nullptr));

  DestroyWindow(onTop);
  DestroyWindow(video);

  // The bus log: one line a transaction, the PLL writes with their frequency.
  std::string log;
  if (FILE *in = _wfopen(logPath_.c_str(), L"rb")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, in)) > 0) log.append(buffer, n);
    fclose(in);
  }
  EXPECT_NE(log.find(" C0 ack w=2927C008 r= tune_hz=487250000\n"), std::string::npos) << log;
  EXPECT_NE(log.find(" C0 ack w=2BB6C008 r= tune_hz=520000000\n"), std::string::npos) << log;
  EXPECT_NE(log.find(" 88 ack w=0140 r=\n"), std::string::npos) << log;

  // With the port destroyed no painter holds the DLL: it unloads.
  FreeLibrary(module_);
  module_ = nullptr;
  Pump(300);
  EXPECT_EQ(GetModuleHandleW(L"tolvencard.dll"), nullptr);
}

}  // namespace
