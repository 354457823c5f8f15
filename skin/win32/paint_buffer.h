// A memory bitmap the size of a window: painted whole, then shown at once,
// so nothing flickers.
#pragma once
#include <windows.h>

namespace tolven::skin {

class PaintBuffer {
 public:
  PaintBuffer(HDC target, int width, int height);
  ~PaintBuffer();
  HDC Dc() const { return memory_; }
  void Show(HDC target, int x, int y);

 private:
  HDC memory_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  int width_, height_;
};

}  // namespace tolven::skin
