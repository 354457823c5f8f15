#include "text_control.h"

#include "paint_buffer.h"

namespace tolven::skin {

TextControl::TextControl(bool panel)
    : SkinControl(kClasses[panel ? 1 : 2], panel ? L"SkinPanel" : L"SkinLabel"), panel_(panel) {}

TextControl::~TextControl() { DestroyControlWindow(); }

std::wstring TextControl::Name() const {
  if (!caption_.empty() || !Window()) return caption_;
  // A host that names the control by its window text rather than its caption.
  wchar_t title[64] = {};
  GetWindowTextW(Window(), title, 64);
  return title;
}

HRESULT TextControl::Call(const Member &member, bool put, VARIANT *args, VARIANT *result) {
  switch (member.id) {
    case dispid::kText:
    case dispid::kCaption: {
      std::wstring &field = member.id == dispid::kText ? text_ : caption_;
      if (!put) {
        SetString(result, field);
        return S_OK;
      }
      field.assign(args[0].bstrVal, SysStringLen(args[0].bstrVal));
      if (Window()) InvalidateRect(Window(), nullptr, FALSE);
      return S_OK;
    }
    case dispid::kAttach:
      result->vt = VT_BOOL;
      result->boolVal = form_.Attach(args[0].pdispVal) ? VARIANT_TRUE : VARIANT_FALSE;
      if (Window()) InvalidateRect(Window(), nullptr, FALSE);
      return S_OK;
    case dispid::kStyle:
      if (!panel_) return DISP_E_MEMBERNOTFOUND;
      if (put) {
        style_ = args[0].lVal;
        if (Window()) InvalidateRect(Window(), nullptr, FALSE);
      } else {
        result->vt = VT_I4;
        result->lVal = style_;
      }
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

void TextControl::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Window(), &ps);
  RECT client;
  GetClientRect(Window(), &client);
  {
    PaintBuffer buffer(dc, client.right, client.bottom);
    const SkinElement *element = form_.Element(Name());
    TextStyle style = element ? element->EffectiveStyle() : TextStyle{};
    Colour back = SkinRenderer::Background(element, Colour{0, 0, 0, 255});
    SkinRenderer::Fill(buffer.Dc(), client, back, Shape{});
    Align align = style.align;
    RECT inner = client;
    if (panel_ && style_ == 4) align = Align::Centre;
    if (panel_ && style_ == 5) {
      align = Align::Left;
      inner.left += 4;
    }
    renderer_.Text(buffer.Dc(), inner, text_, style, align);
    buffer.Show(dc, 0, 0);
  }
  EndPaint(Window(), &ps);
}

LRESULT TextControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_NCHITTEST:
      // Text only shows: the pointer acts on the skin element beneath.
      return HTTRANSPARENT;
  }
  return SkinControl::OnMessage(message, wParam, lParam);
}

}  // namespace tolven::skin
