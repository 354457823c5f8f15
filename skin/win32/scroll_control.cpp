#include "scroll_control.h"

#include <windowsx.h>

#include "paint_buffer.h"
#include "skin_renderer.h"

namespace tolven::skin {

ScrollControl::ScrollControl() : SkinControl(kClasses[3], L"SkinScrollBar") {
  model_.SetRange(0, 100);
  model_.SetSteps(1, 10);
}

ScrollControl::~ScrollControl() { DestroyControlWindow(); }

void ScrollControl::Measure(int &length, int &thickness) const {
  RECT r = {};
  if (Window()) GetClientRect(Window(), &r);
  length = Vertical() ? r.bottom : r.right;
  thickness = Vertical() ? r.right : r.bottom;
}

int ScrollControl::Along(int x, int y) const {
  int length, thickness;
  Measure(length, thickness);
  return Vertical() ? length - 1 - y : x;
}

void ScrollControl::Changed() {
  if (Window()) InvalidateRect(Window(), nullptr, FALSE);
  Fire(dispid::kChange, nullptr, 0);
}

HRESULT ScrollControl::Call(const Member &member, bool put, VARIANT *args, VARIANT *result) {
  if (member.id == dispid::kAttach) {
    result->vt = VT_BOOL;
    result->boolVal = form_.Attach(args[0].pdispVal) ? VARIANT_TRUE : VARIANT_FALSE;
    if (Window()) InvalidateRect(Window(), nullptr, FALSE);
    return S_OK;
  }
  if (!put) {
    result->vt = VT_I4;
    switch (member.id) {
      case dispid::kMinimum: result->lVal = model_.Minimum(); return S_OK;
      case dispid::kMaximum: result->lVal = model_.Maximum(); return S_OK;
      case dispid::kSmallStep: result->lVal = model_.SmallStep(); return S_OK;
      case dispid::kLargeStep: result->lVal = model_.LargeStep(); return S_OK;
      case dispid::kPosition: result->lVal = model_.Position(); return S_OK;
      case dispid::kOrientation: result->lVal = orientation_; return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }
  int value = args[0].lVal;
  int before = model_.Position();
  switch (member.id) {
    case dispid::kMinimum: model_.SetRange(value, std::max(value, model_.Maximum())); break;
    case dispid::kMaximum: model_.SetRange(std::min(value, model_.Minimum()), value); break;
    case dispid::kSmallStep: model_.SetSteps(value, model_.LargeStep()); break;
    case dispid::kLargeStep: model_.SetSteps(model_.SmallStep(), value); break;
    case dispid::kPosition: model_.SetPosition(value); break;
    case dispid::kOrientation:
      if (value != 1 && value != 2) return E_INVALIDARG;
      orientation_ = value;
      break;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
  if (model_.Position() != before) Changed();
  else if (Window()) InvalidateRect(Window(), nullptr, FALSE);
  return S_OK;
}

void ScrollControl::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Window(), &ps);
  RECT client;
  GetClientRect(Window(), &client);
  {
    PaintBuffer buffer(dc, client.right, client.bottom);
    HDC m = buffer.Dc();
    int length, thickness;
    Measure(length, thickness);
    // The skin's colour around the bar, then the track, the level and the thumb.
    Colour around = SkinRenderer::Background(form_.Element(L""), Colour{42, 49, 58, 255});
    SkinRenderer::Fill(m, client, around, Shape{});
    const int r = std::max(2, thickness / 3);
    SkinRenderer::Fill(m, client, Colour{11, 15, 19, 255}, Shape{ShapeKind::Rounded, r});
    int start = model_.ThumbStart(length, thickness), extent = model_.ThumbExtent(length, thickness);
    auto span = [&](int from, int to, int inset) {
      return Vertical() ? RECT{inset, length - to, client.right - inset, length - from}
                        : RECT{from, inset, to, client.bottom - inset};
    };
    int inset = std::max(2, thickness / 4);
    SkinRenderer::Fill(m, span(inset, start + extent / 2, inset), Colour{31, 91, 143, 255}, Shape{ShapeKind::Rounded, r});
    Colour thumb = dragging_ ? Colour{44, 108, 168, 255} : hover_ ? Colour{96, 172, 240, 255} : Colour{70, 148, 220, 255};
    SkinRenderer::Fill(m, span(start, start + extent, 0), Colour{12, 28, 48, 255}, Shape{ShapeKind::Rounded, r});
    SkinRenderer::Fill(m, span(start + 1, start + extent - 1, 1), thumb, Shape{ShapeKind::Rounded, r});
    buffer.Show(dc, 0, 0);
  }
  EndPaint(Window(), &ps);
}

LRESULT ScrollControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  int length, thickness;
  Measure(length, thickness);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      int at = Along(x, y), start = model_.ThumbStart(length, thickness);
      if (at >= start && at < start + model_.ThumbExtent(length, thickness)) {
        dragging_ = true;
        SetCapture(Window());
        InvalidateRect(Window(), nullptr, FALSE);
      } else if (model_.PageTowards(at, length, thickness)) {
        Changed();
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (!hover_) {
        hover_ = true;
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Window(), 0};
        TrackMouseEvent(&track);
        InvalidateRect(Window(), nullptr, FALSE);
      }
      if (dragging_ && model_.SetPosition(model_.PositionAt(Along(x, y), length, thickness))) Changed();
      return 0;
    case WM_MOUSELEAVE:
      hover_ = false;
      InvalidateRect(Window(), nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        ReleaseCapture();
        InvalidateRect(Window(), nullptr, FALSE);
      }
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      return 0;
    case WM_MOUSEWHEEL:
      if (model_.Step(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? +1 : -1)) Changed();
      return 0;
  }
  return SkinControl::OnMessage(message, wParam, lParam);
}

}  // namespace tolven::skin
