#include "driver/dialogs/win32/property_sheet_runner.h"

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/dialogs/win32/list_view_behaviour.h"
#include "driver/dialogs/win32/module_activation.h"
#include "driver/dialogs/win32/win32_dialog_view.h"

namespace tolven::dialogs {

namespace {

// The sheet's own requests (the reopen request among them) and its
// deferred initialisation, posted to the sheet window.
constexpr UINT kSheetRequestMessage = WM_USER + 200;
constexpr UINT kSheetInitMessage = WM_APP + 201;
constexpr UINT_PTR kSubclassId = 0x7E15;

struct PageSession;

class Win32SheetControl : public SheetControl {
 public:
  explicit Win32SheetControl(uintptr_t parent) : parent_(parent) {}
  void Attach(HWND sheet) { sheet_ = sheet; }
  HWND Window() const { return sheet_; }
  void Register(PagePresenter *presenter, PageSession *session) { pages_.push_back({presenter, session}); }

  void SetActivePage(int index) override { SendMessageW(sheet_, PSM_SETCURSEL, index, 0); }
  void PressApply() override { SendMessageW(sheet_, PSM_APPLY, 0, 0); }
  void PressOk() override { SendMessageW(sheet_, PSM_PRESSBUTTON, PSBTN_OK, 0); }
  void Hide() override { ShowWindow(sheet_, SW_HIDE); }
  void PostRequest(int code) override { PostMessageW(sheet_, kSheetRequestMessage, 0, code); }
  uintptr_t Parent() override { return parent_; }
  void SetWaitCursor(bool wait) override { ShowWaitCursor(wait, &waitDepth_, &savedCursor_); }
  void PageModified(PagePresenter &page, bool modified) override;

 private:
  uintptr_t parent_;
  HWND sheet_ = nullptr;
  std::vector<std::pair<PagePresenter *, PageSession *>> pages_;
  int waitDepth_ = 0;
  HCURSOR savedCursor_ = nullptr;
};

struct PageSession {
  PagePresenter *presenter;
  Win32SheetControl *sheet;
  Win32DialogView view;
  bool initialised = false;
};

void Win32SheetControl::PageModified(PagePresenter &page, bool modified) {
  for (auto &[presenter, session] : pages_) {
    if (presenter == &page && session->view.Window()) {
      SendMessageW(sheet_, modified ? PSM_CHANGED : PSM_UNCHANGED,
                   reinterpret_cast<WPARAM>(session->view.Window()), 0);
    }
  }
}

struct SheetSession {
  PropertySheetPresenter &presenter;
  Win32SheetControl control;
};

// The sheet being created on this thread, for the callback (which gets no
// context of its own).
thread_local SheetSession *t_creating = nullptr;

LRESULT CALLBACK SheetSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
  auto *session = reinterpret_cast<SheetSession *>(data);
  if (message == kSheetInitMessage) {
    session->presenter.OnInitSheet(session->control);
    return 0;
  }
  if (message == kSheetRequestMessage) {
    session->presenter.OnRequest(session->control, static_cast<int>(lParam));
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, SheetSubclass, kSubclassId);
  return DefSubclassProc(window, message, wParam, lParam);
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && t_creating) {
    t_creating->control.Attach(sheet);
    SetWindowSubclass(sheet, SheetSubclass, kSubclassId, reinterpret_cast<DWORD_PTR>(t_creating));
    // After the default initialisation has finished.
    PostMessageW(sheet, kSheetInitMessage, 0, 0);
  }
  return 0;
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto *sheetPage = reinterpret_cast<PROPSHEETPAGEW *>(lParam);
    auto *session = reinterpret_cast<PageSession *>(sheetPage->lParam);
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
    session->view.Attach(page);
    session->initialised = true;
    session->presenter->AttachSheet(session->sheet);
    session->presenter->OnInitDialog(session->view);
    return TRUE;
  }
  auto *session = reinterpret_cast<PageSession *>(GetWindowLongPtrW(page, DWLP_USER));
  if (!session || !session->initialised) return FALSE;
  if (message == WM_DESTROY) {
    session->presenter->OnDestroy(session->view);
    session->view.Attach(nullptr);
    return FALSE;
  }
  if (message == WM_NOTIFY) {
    auto *header = reinterpret_cast<NMHDR *>(lParam);
    LONG_PTR answer = 0;
    switch (header->code) {
      case PSN_SETACTIVE:
        session->presenter->OnSetActive(session->view);
        break;
      case PSN_APPLY:
        answer = session->presenter->OnApply(session->view) ? PSNRET_NOERROR : PSNRET_INVALID;
        break;
      case PSN_RESET:
        session->presenter->OnCancel(session->view);
        break;
      default: {
        INT_PTR result = FALSE;
        if (!session->view.Route(*session->presenter, message, wParam, lParam, &result)) return FALSE;
        answer = result;
        break;
      }
    }
    SetWindowLongPtrW(page, DWLP_MSGRESULT, answer);
    return TRUE;
  }
  INT_PTR result = FALSE;
  if (!session->view.Route(*session->presenter, message, wParam, lParam, &result)) return FALSE;
  if (message == kListCanEditMessage) {
    SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
    return TRUE;
  }
  return result;
}

}  // namespace

bool Win32PropertySheetRunner::RunModal(PropertySheetPresenter &sheet, uintptr_t parent) {
  auto *module = reinterpret_cast<HINSTANCE>(module_);
  ModuleActivation activation(module);
  InitialiseDialogControls();

  SheetSession session{sheet, Win32SheetControl(parent)};
  std::vector<SheetPage> pages = sheet.Pages();
  std::vector<std::unique_ptr<PageSession>> pageSessions;
  std::vector<PROPSHEETPAGEW> sheetPages;
  for (const SheetPage &page : pages) {
    pageSessions.push_back(std::make_unique<PageSession>(PageSession{page.presenter, &session.control, {}, false}));
    session.control.Register(page.presenter, pageSessions.back().get());
    PROPSHEETPAGEW p{};
    p.dwSize = sizeof p;
    p.dwFlags = PSP_DEFAULT;
    p.hInstance = module;
    p.pszTemplate = MAKEINTRESOURCEW(page.templateId);
    p.pfnDlgProc = PageProc;
    p.lParam = reinterpret_cast<LPARAM>(pageSessions.back().get());
    sheetPages.push_back(p);
  }
  WString caption16 = strings_.Text(sheet.CaptionString());
  std::wstring caption(caption16.begin(), caption16.end());

  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
  header.hwndParent = reinterpret_cast<HWND>(parent);
  header.hInstance = module;
  header.pszCaption = caption.c_str();
  header.nPages = static_cast<UINT>(sheetPages.size());
  header.ppsp = sheetPages.data();
  header.pfnCallback = SheetCallback;

  SheetSession *outer = t_creating;
  t_creating = &session;
  INT_PTR result = PropertySheetW(&header);
  t_creating = outer;
  for (const SheetPage &page : pages) page.presenter->AttachSheet(nullptr);
  sheet.OnEnd();
  return result > 0;
}

void Win32PropertySheetRunner::SetWaitCursor(bool wait) {
  HCURSOR saved = static_cast<HCURSOR>(savedCursor_);
  ShowWaitCursor(wait, &waitDepth_, &saved);
  savedCursor_ = saved;
}

}  // namespace tolven::dialogs
