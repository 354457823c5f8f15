// GDI for native tests: a screen of a chosen size and depth, windows with
// chosen screen rectangles, and a record of brushes and fills.
#pragma once
#include <cstddef>
#include <map>
#include <vector>

#include "platform/display/gdi.h"

namespace tolven::display {

class EmulatedGdi : public Gdi {
 public:
  struct Fill {
    GdiHandle dc;
    GdiHandle brush;
    Rect rect;
  };

  int32_t ScreenWidth() override { return width_; }
  int32_t ScreenHeight() override { return height_; }
  int32_t DisplayBitsPerPixel() override { return bpp_; }
  int32_t DisplayRefreshRate() override { return refresh_; }
  GdiHandle CreateSolidBrush(uint32_t colour) override;
  void DeleteBrush(GdiHandle brush) override;
  bool WindowScreenRect(GdiHandle window, Rect *rect) override;
  bool PatternFill(GdiHandle dc, GdiHandle brush, const Rect &rect) override;

  void SetScreen(int32_t width, int32_t height, int32_t bpp) {
    width_ = width;
    height_ = height;
    bpp_ = bpp;
  }
  void SetRefreshRate(int32_t hertz) { refresh_ = hertz; }
  void SetWindow(GdiHandle window, const Rect &rect) { windows_[window] = rect; }
  // Colour a live brush was made with; 0xFFFFFFFF for an unknown brush.
  uint32_t BrushColour(GdiHandle brush) const;
  size_t LiveBrushes() const { return brushes_.size(); }
  const std::vector<Fill> &Fills() const { return fills_; }
  // The brush selected into a context before a fill comes back afterwards.
  GdiHandle SelectedBrush(GdiHandle dc) const;
  void SelectBrush(GdiHandle dc, GdiHandle brush) { selected_[dc] = brush; }

 private:
  int32_t width_ = 1024;
  int32_t height_ = 768;
  int32_t bpp_ = 16;
  int32_t refresh_ = 60;
  GdiHandle nextBrush_ = 0x1000;
  std::map<GdiHandle, uint32_t> brushes_;
  std::map<GdiHandle, Rect> windows_;
  std::map<GdiHandle, GdiHandle> selected_;
  std::vector<Fill> fills_;
};

}  // namespace tolven::display
