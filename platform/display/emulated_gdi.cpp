#include "platform/display/emulated_gdi.h"

namespace tolven::display {

GdiHandle EmulatedGdi::CreateSolidBrush(uint32_t colour) {
  GdiHandle brush = nextBrush_;
  nextBrush_ += 4;
  brushes_[brush] = colour;
  return brush;
}

void EmulatedGdi::DeleteBrush(GdiHandle brush) { brushes_.erase(brush); }

bool EmulatedGdi::WindowScreenRect(GdiHandle window, Rect *rect) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return false;
  *rect = it->second;
  return true;
}

bool EmulatedGdi::PatternFill(GdiHandle dc, GdiHandle brush, const Rect &rect) {
  if (!dc || !brushes_.count(brush)) return false;
  fills_.push_back(Fill{dc, brush, rect});
  return true;
}

uint32_t EmulatedGdi::BrushColour(GdiHandle brush) const {
  auto it = brushes_.find(brush);
  return it == brushes_.end() ? 0xFFFFFFFFu : it->second;
}

GdiHandle EmulatedGdi::SelectedBrush(GdiHandle dc) const {
  auto it = selected_.find(dc);
  return it == selected_.end() ? 0 : it->second;
}

}  // namespace tolven::display
