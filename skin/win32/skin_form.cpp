#include "skin_form.h"

#include <windowsx.h>

#include "element_object.h"
#include "paint_buffer.h"
#include "skin_ids.h"
#include "skin_parser.h"
#include "text_encoding.h"

namespace tolven::skin {

namespace {
const wchar_t kFormProperty[] = L"TolvenSkinForm";
const wchar_t kNextProperty[] = L"TolvenSkinFormNext";
// The load events go out once the loading call has returned to the host.
constexpr UINT kFireLoadEvents = WM_APP + 0x51;
// The parent's system menu item that shows which skin is loaded.
constexpr UINT kAboutCommand = 0x0A50;

std::wstring FolderOf(const std::wstring &path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

bool ReadFile(const std::wstring &path, std::string &text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1 << 24);
  if (ok) {
    text.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = text.empty() || (::ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr) &&
                          read == text.size());
  }
  CloseHandle(file);
  return ok;
}
}  // namespace

SkinForm::SkinForm() : SkinControl(kClasses[0], L"SkinForm") {}

SkinForm::~SkinForm() { DestroyControlWindow(); }

HRESULT SkinForm::QueryMore(REFIID iid, void **out) {
  if (iid == kIidSkinSelf) {  // Attach finds the form behind an IDispatch this way
    *out = this;
    AddRef();
    return S_OK;
  }
  return SkinControl::QueryMore(iid, out);
}

bool SkinForm::Load(const std::wstring &path) {
  std::string file = Utf8(path);
  std::string text;
  SkinError error;
  std::unique_ptr<SkinDocument> parsed;
  if (!ReadFile(path, text))
    error = SkinError{file, 0, "cannot be read"};
  else
    parsed = SkinParser::Parse(text, file, error);
  ImageCache images;
  if (parsed) {
    std::vector<const SkinElement *> stack{&parsed->Root()};
    while (!stack.empty() && error.message.empty()) {
      const SkinElement *e = stack.back();
      stack.pop_back();
      for (const Appearance &look : e->looks)
        if (!look.image.empty() && !images.Load(FolderOf(path), look.image)) {
          error = SkinError{file, e->line, "image \"" + look.image + "\" cannot be read as a PNG"};
          break;
        }
      for (const auto &child : e->Children()) stack.push_back(child.get());
    }
  }
  if (!parsed || !error.message.empty()) {
    lastError_ = Wide(error.Text());
    OutputDebugStringW((L"tolvenskin: " + lastError_ + L"\n").c_str());
    return false;
  }
  document_ = std::move(parsed);
  tracker_ = std::make_unique<PointerTracker>(*document_);
  images_.Swap(images);
  path_ = path;
  lastError_.clear();
  loadEventsDue_ = true;
  if (Window()) {
    Relayout();
    PostMessageW(Window(), kFireLoadEvents, 0, 0);
  }
  return true;
}

std::string SkinForm::Run(const std::string &command) {
  if (!document_) return "no skin is loaded";
  std::string problem = document_->Run(command);
  if (problem.empty() && Window()) {
    // What is under the pointer may have gone or come.
    POINT p;
    if (tracking_ && GetCursorPos(&p) && ScreenToClient(Window(), &p)) Send(tracker_->Move(p.x, p.y));
    InvalidateRect(Window(), nullptr, FALSE);
  }
  return problem;
}

HRESULT SkinForm::Call(const Member &member, bool put, VARIANT *args, VARIANT *result) {
  switch (member.id) {
    case dispid::kPath:
      if (put) {
        Load(std::wstring(args[0].bstrVal, SysStringLen(args[0].bstrVal)));
        return S_OK;  // not loaded shows as a path read back that differs
      }
      SetString(result, path_);
      return S_OK;
    case dispid::kLastError:
      SetString(result, lastError_);
      return S_OK;
    case dispid::kRoot:
      result->vt = VT_DISPATCH;
      result->pdispVal = new ElementObject(this, document_, document_ ? &document_->Root() : nullptr);
      return S_OK;
    case dispid::kDragMove:
      if (put) {
        dragMove_ = args[0].boolVal != VARIANT_FALSE;
      } else {
        result->vt = VT_BOOL;
        result->boolVal = dragMove_ ? VARIANT_TRUE : VARIANT_FALSE;
      }
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

void SkinForm::OnCreated() {
  parent_ = GetParent(Window());
  if (parent_ && !GetPropW(parent_, kFormProperty) && !GetPropW(parent_, kNextProperty)) {
    SetPropW(parent_, kFormProperty, this);
    WNDPROC next = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ParentProcedure)));
    SetPropW(parent_, kNextProperty, reinterpret_cast<HANDLE>(next));
    if (HMENU menu = GetSystemMenu(parent_, FALSE)) {
      InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, kAboutCommand, L"&About skin...");
      InsertMenuW(menu, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    }
  }
  FillParent();
  Relayout();
  if (loadEventsDue_) PostMessageW(Window(), kFireLoadEvents, 0, 0);
}

void SkinForm::OnDestroying() {
  if (!parent_) return;
  if (GetPropW(parent_, kFormProperty) == this) {
    RemovePropW(parent_, kFormProperty);
    // Put the parent's procedure back if nobody subclassed it after us;
    // otherwise ours stays in the chain and only passes messages on.
    auto next = reinterpret_cast<LONG_PTR>(GetPropW(parent_, kNextProperty));
    if (GetWindowLongPtrW(parent_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ParentProcedure)) {
      SetWindowLongPtrW(parent_, GWLP_WNDPROC, next);
      RemovePropW(parent_, kNextProperty);
    }
  }
  parent_ = nullptr;
}

LRESULT CALLBACK SkinForm::ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *form = static_cast<SkinForm *>(GetPropW(window, kFormProperty));
  auto next = reinterpret_cast<WNDPROC>(GetPropW(window, kNextProperty));
  if (message == WM_NCDESTROY) {
    RemovePropW(window, kFormProperty);
    RemovePropW(window, kNextProperty);
    if (next) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
  }
  LRESULT result = next ? CallWindowProcW(next, window, message, wParam, lParam)
                        : DefWindowProcW(window, message, wParam, lParam);
  if (!form || !form->Window()) return result;
  switch (message) {
    case WM_SIZE:
      form->FillParent();
      break;
    case WM_GETMINMAXINFO:
      if (form->document_) {
        // The window never gets smaller than the skin was drawn for.
        RECT r = {0, 0, form->document_->DesignWidth(), form->document_->DesignHeight()};
        AdjustWindowRectEx(&r, GetWindowLongW(window, GWL_STYLE), FALSE, GetWindowLongW(window, GWL_EXSTYLE));
        auto *info = reinterpret_cast<MINMAXINFO *>(lParam);
        info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, r.right - r.left);
        info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, r.bottom - r.top);
      }
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == kAboutCommand) {
        std::wstring text = L"Tolven skin engine\n\nSkin: " + (form->path_.empty() ? L"none" : form->path_);
        MessageBoxW(window, text.c_str(), L"About skin", MB_OK | MB_ICONINFORMATION);
      }
      break;
  }
  return result;
}

void SkinForm::FillParent() {
  RECT client;
  if (!parent_ || !GetClientRect(parent_, &client)) return;
  RECT mine;
  GetWindowRect(Window(), &mine);
  MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT *>(&mine), 2);
  if (!EqualRect(&mine, &client))
    SetWindowPos(Window(), nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SkinForm::Relayout() {
  if (!document_ || !Window()) return;
  RECT client;
  GetClientRect(Window(), &client);
  document_->Layout(client.right, client.bottom);
  tracker_->Reset();
  ApplyRegion();
  InvalidateRect(Window(), nullptr, FALSE);
}

void SkinForm::ApplyRegion() {
  const SkinElement &root = document_->Root();
  RECT client;
  GetClientRect(Window(), &client);
  auto make = [&](int dx, int dy) -> HRGN {
    int w = root.Relative().width, h = root.Relative().height;
    if (root.shape.kind == ShapeKind::Ellipse) return CreateEllipticRgn(dx, dy, dx + w + 1, dy + h + 1);
    int d = root.shape.radius * 2;
    return CreateRoundRectRgn(dx, dy, dx + w + 1, dy + h + 1, d, d);
  };
  if (root.shape.kind == ShapeKind::Rectangle) {
    SetWindowRgn(Window(), nullptr, TRUE);
    return;
  }
  SetWindowRgn(Window(), make(0, 0), TRUE);
  // A parent without a frame (a remote) takes the skin's outline as its own.
  LONG style = GetWindowLongW(parent_, GWL_STYLE);
  if (parent_ && !(style & WS_CHILD) && !(style & (WS_CAPTION | WS_THICKFRAME))) {
    POINT origin = {0, 0};
    RECT window;
    ClientToScreen(parent_, &origin);
    GetWindowRect(parent_, &window);
    SetWindowRgn(parent_, make(origin.x - window.left, origin.y - window.top), TRUE);
  }
}

void SkinForm::Send(const std::vector<SkinEvent> &events) {
  if (events.empty()) return;
  InvalidateRect(Window(), nullptr, FALSE);
  // Copies: a handler may load another skin while we fire.
  std::vector<SkinEvent> copy = events;
  for (const SkinEvent &e : copy) {
    VARIANT args[2];
    SetString(&args[1], Wide(e.element));
    SetString(&args[0], Wide(e.name));
    Fire(dispid::kEvent, args, 2);
    VariantClear(&args[0]);
    VariantClear(&args[1]);
  }
}

void SkinForm::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Window(), &ps);
  RECT client;
  GetClientRect(Window(), &client);
  {
    PaintBuffer buffer(dc, client.right, client.bottom);
    FillRect(buffer.Dc(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (document_) renderer_.Paint(buffer.Dc(), *document_, tracker_.get(), images_);
    buffer.Show(dc, 0, 0);
  }
  EndPaint(Window(), &ps);
}

LRESULT SkinForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SIZE:
      Relayout();
      return 0;
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Window(), 0};
        tracking_ = TrackMouseEvent(&track);
      }
      if (tracker_) Send(tracker_->Move(x, y));
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (tracker_ && GetCapture() != Window()) Send(tracker_->Leave());
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!tracker_) return 0;
      Send(tracker_->Press(x, y));
      if (!tracker_->Pressed() && dragMove_) {
        // A press on the skin's plain background moves the whole window.
        HWND top = GetAncestor(Window(), GA_ROOT);
        ReleaseCapture();
        SendMessageW(top, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
      }
      SetCapture(Window());
      InvalidateRect(Window(), nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      // The click is decided before the capture goes, which resets the press.
      std::vector<SkinEvent> events;
      if (tracker_) events = tracker_->Release(x, y);
      if (GetCapture() == Window()) ReleaseCapture();
      Send(events);
      InvalidateRect(Window(), nullptr, FALSE);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (tracker_ && tracker_->Pressed()) {
        tracker_->Reset();
        InvalidateRect(Window(), nullptr, FALSE);
      }
      return 0;
    case kFireLoadEvents:
      if (loadEventsDue_ && document_) {
        loadEventsDue_ = false;
        std::vector<SkinEvent> events;
        for (const std::string &name : document_->loadEvents) events.push_back({document_->Root().Name(), name});
        Send(events);
      }
      return 0;
  }
  return SkinControl::OnMessage(message, wParam, lParam);
}

}  // namespace tolven::skin
