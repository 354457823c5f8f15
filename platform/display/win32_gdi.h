// The GDI port on Windows.
#pragma once
#include "platform/display/gdi.h"

namespace tolven::display {

class Win32Gdi : public Gdi {
 public:
  int32_t ScreenWidth() override;
  int32_t ScreenHeight() override;
  int32_t DisplayBitsPerPixel() override;
  int32_t DisplayRefreshRate() override;
  GdiHandle CreateSolidBrush(uint32_t colour) override;
  void DeleteBrush(GdiHandle brush) override;
  bool WindowScreenRect(GdiHandle window, Rect *rect) override;
  bool PatternFill(GdiHandle dc, GdiHandle brush, const Rect &rect) override;
};

}  // namespace tolven::display
