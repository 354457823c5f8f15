#include "skin_renderer.h"

#include "text_encoding.h"

namespace tolven::skin {

SkinRenderer::~SkinRenderer() {
  for (auto &[key, font] : fonts_) DeleteObject(font);
}

namespace {
RECT ToRect(const Rect &r) { return RECT{r.left, r.top, r.Right(), r.Bottom()}; }
COLORREF Ref(Colour c) { return RGB(c.r, c.g, c.b); }

const Appearance &LookFor(const SkinElement &e, Look look) {
  const Appearance &wanted = e.looks[static_cast<int>(look)];
  if (wanted.fill || !wanted.image.empty()) return wanted;
  return e.looks[static_cast<int>(Look::Normal)];
}
}  // namespace

void SkinRenderer::Fill(HDC dc, const RECT &rect, Colour colour, Shape shape) {
  if (colour.a == 0 || rect.right <= rect.left || rect.bottom <= rect.top) return;
  HDC target = dc;
  RECT at = rect;
  HDC layer = nullptr;
  HBITMAP layerBitmap = nullptr;
  HGDIOBJ old = nullptr;
  if (colour.a < 255) {  // drawn opaque into a layer, then blended with constant alpha
    layer = CreateCompatibleDC(dc);
    layerBitmap = CreateCompatibleBitmap(dc, rect.right - rect.left, rect.bottom - rect.top);
    old = SelectObject(layer, layerBitmap);
    BitBlt(layer, 0, 0, rect.right - rect.left, rect.bottom - rect.top, dc, rect.left, rect.top, SRCCOPY);
    target = layer;
    at = RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  }
  HBRUSH brush = CreateSolidBrush(Ref(colour));
  if (shape.kind == ShapeKind::Rectangle) {
    FillRect(target, &at, brush);
  } else {
    HGDIOBJ oldBrush = SelectObject(target, brush);
    HGDIOBJ oldPen = SelectObject(target, GetStockObject(NULL_PEN));
    // With a null pen GDI leaves out the last row and column: one more each.
    if (shape.kind == ShapeKind::Ellipse)
      Ellipse(target, at.left, at.top, at.right + 1, at.bottom + 1);
    else
      RoundRect(target, at.left, at.top, at.right + 1, at.bottom + 1, shape.radius * 2, shape.radius * 2);
    SelectObject(target, oldPen);
    SelectObject(target, oldBrush);
  }
  DeleteObject(brush);
  if (layer) {
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, colour.a, 0};
    AlphaBlend(dc, rect.left, rect.top, at.right, at.bottom, layer, 0, 0, at.right, at.bottom, blend);
    SelectObject(layer, old);
    DeleteObject(layerBitmap);
    DeleteDC(layer);
  }
}

Colour SkinRenderer::Background(const SkinElement *element, Colour otherwise) {
  for (const SkinElement *e = element; e; e = e->Parent())
    if (e->looks[0].fill) return *e->looks[0].fill;
  return otherwise;
}

HFONT SkinRenderer::Font(const TextStyle &style) {
  std::string key = style.face + "/" + std::to_string(style.pixels) + (style.bold ? "b" : "");
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTW lf = {};
  lf.lfHeight = -style.pixels;  // character height in pixels: the same at every DPI
  lf.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = ANTIALIASED_QUALITY;
  std::wstring face = Wide(style.face);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&lf);
  fonts_[key] = font;
  return font;
}

void SkinRenderer::Text(HDC dc, const RECT &rect, const std::wstring &text, const TextStyle &style, Align align) {
  if (text.empty()) return;
  HGDIOBJ old = SelectObject(dc, Font(style));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Ref(style.colour));
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  format |= align == Align::Centre ? DT_CENTER : align == Align::Right ? DT_RIGHT : DT_LEFT;
  RECT r = rect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  SelectObject(dc, old);
}

void SkinRenderer::PaintElement(HDC dc, const SkinElement &e, const PointerTracker *tracker,
                                const ImageCache &images) {
  if (!e.visible) return;
  RECT rect = ToRect(e.Absolute());
  Look look = tracker ? tracker->LookOf(e) : (e.Usable() ? Look::Normal : Look::Disabled);
  const Appearance &a = LookFor(e, look);
  const SkinImage *image = a.image.empty() ? nullptr : images.Find(a.image);
  if (image) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, image->bitmap);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source, 0, 0, image->width,
               image->height, blend);
    SelectObject(source, old);
    DeleteDC(source);
  } else if (a.fill) {
    Fill(dc, rect, *a.fill, e.shape);
  }
  if (!e.text.empty()) {
    TextStyle style = e.EffectiveStyle();
    Text(dc, rect, Wide(e.text), style, style.align);
  }
  for (const auto &child : e.Children()) PaintElement(dc, *child, tracker, images);
}

void SkinRenderer::Paint(HDC dc, const SkinDocument &document, const PointerTracker *tracker,
                         const ImageCache &images) {
  PaintElement(dc, document.Root(), tracker, images);
}

}  // namespace tolven::skin
