#include "paint_buffer.h"

namespace tolven::skin {

PaintBuffer::PaintBuffer(HDC target, int width, int height)
    : memory_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
      old_(SelectObject(memory_, bitmap_)),
      width_(width),
      height_(height) {}

PaintBuffer::~PaintBuffer() {
  SelectObject(memory_, old_);
  DeleteObject(bitmap_);
  DeleteDC(memory_);
}

void PaintBuffer::Show(HDC target, int x, int y) { BitBlt(target, x, y, width_, height_, memory_, 0, 0, SRCCOPY); }

}  // namespace tolven::skin
