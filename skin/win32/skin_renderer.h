// Paints a skin, or one element's look, into a device context with GDI:
// images with their per-pixel alpha, fills in the element's shape, text in
// the element's font. Holds the fonts it has made.
#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "image_cache.h"
#include "pointer_tracker.h"
#include "skin_document.h"

namespace tolven::skin {

class SkinRenderer {
 public:
  SkinRenderer() = default;
  ~SkinRenderer();
  SkinRenderer(const SkinRenderer &) = delete;
  SkinRenderer &operator=(const SkinRenderer &) = delete;

  // The whole skin; `tracker` gives each element's look (null: all normal).
  void Paint(HDC dc, const SkinDocument &document, const PointerTracker *tracker, const ImageCache &images);
  // Text in a style inside a rectangle, on whatever is already there.
  void Text(HDC dc, const RECT &rect, const std::wstring &text, const TextStyle &style, Align align);
  // A rectangle, rounded rectangle or ellipse of one colour (alpha blended).
  static void Fill(HDC dc, const RECT &rect, Colour colour, Shape shape);
  // The fill an element shows: its own, else its nearest parent's.
  static Colour Background(const SkinElement *element, Colour otherwise);

 private:
  void PaintElement(HDC dc, const SkinElement &element, const PointerTracker *tracker, const ImageCache &images);
  HFONT Font(const TextStyle &style);

  std::map<std::string, HFONT> fonts_;
};

}  // namespace tolven::skin
