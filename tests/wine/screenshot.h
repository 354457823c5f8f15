// Screenshots for Windows test programs: an area of the screen, as the user
// sees it (windows on top included), saved as a 24-bit BMP file. The test
// command turns the BMP files beside the programs into PNG artifacts.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

namespace tolven::winetest {

inline bool SaveScreenArea(const RECT &area, const std::wstring &file) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  SelectObject(memory, old);
  const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(h);
  BITMAPFILEHEADER header = {};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + size;
  FILE *out = _wfopen(file.c_str(), L"wb");
  const bool ok = out && fwrite(&header, sizeof header, 1, out) == 1 &&
                  fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 && fwrite(bits, size, 1, out) == 1;
  if (out) fclose(out);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace tolven::winetest
