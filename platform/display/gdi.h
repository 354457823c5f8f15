// GDI port: the few screen and brush services the capture channels need.
#pragma once
#include <cstdint>

namespace tolven::display {

using GdiHandle = uintptr_t;  // a brush, window or device context; 0 is none

// RECT, as GDI lays it out.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const Rect &, const Rect &) = default;
};
static_assert(sizeof(Rect) == 16);

// COLORREF of a palette entry (PALETTEINDEX).
constexpr uint32_t PaletteIndexColour(uint16_t index) { return 0x01000000u | index; }

class Gdi {
 public:
  virtual ~Gdi() = default;
  // GetDeviceCaps of the screen: HORZRES, VERTRES.
  virtual int32_t ScreenWidth() = 0;
  virtual int32_t ScreenHeight() = 0;
  // Bits per pixel of the current display mode.
  virtual int32_t DisplayBitsPerPixel() = 0;
  // Refresh rate of the current display mode in Hz (EnumDisplaySettings).
  virtual int32_t DisplayRefreshRate() = 0;
  // CreateSolidBrush; `colour` may be a PaletteIndexColour.
  virtual GdiHandle CreateSolidBrush(uint32_t colour) = 0;
  virtual void DeleteBrush(GdiHandle brush) = 0;
  // GetWindowRect.
  virtual bool WindowScreenRect(GdiHandle window, Rect *rect) = 0;
  // Selects the brush into the context, PatBlt PATCOPY over the rectangle
  // (left, top, width, height taken from right/bottom) and reselects the
  // brush that was there before.
  virtual bool PatternFill(GdiHandle dc, GdiHandle brush, const Rect &rect) = 0;
};

}  // namespace tolven::display
