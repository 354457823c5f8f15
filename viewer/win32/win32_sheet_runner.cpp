#include "viewer/win32/win32_sheet_runner.h"

#include <commctrl.h>
#include <prsht.h>

#include <memory>

#include "viewer/win32/win32_page_view.h"

namespace tolven::viewer::win {

namespace {

struct Binding {
  PagePresenter *presenter = nullptr;
  Win32PageView view;
};

INT_PTR CALLBACK PageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto *sheetPage = reinterpret_cast<PROPSHEETPAGEW *>(lParam);
    auto *binding = reinterpret_cast<Binding *>(sheetPage->lParam);
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(binding));
    binding->view.Attach(page);
    binding->presenter->OnInit(binding->view);
    return FALSE;  // the presenter set the focus
  }
  auto *binding = reinterpret_cast<Binding *>(GetWindowLongPtrW(page, DWLP_USER));
  if (!binding) return FALSE;
  switch (message) {
    case WM_COMMAND:
      binding->presenter->OnCommand(binding->view, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_NOTIFY: {
      const auto *header = reinterpret_cast<const NMHDR *>(lParam);
      if (header->code == static_cast<UINT>(PSN_APPLY)) {
        binding->presenter->OnApply(binding->view);
        SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

bool Win32SheetRunner::Run(ui::Window owner, WStringView caption, const std::vector<SheetPage> &pages) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_HOTKEY_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  HINSTANCE instance = instance_ ? instance_ : GetModuleHandleW(nullptr);
  std::vector<std::unique_ptr<Binding>> bindings;
  std::vector<PROPSHEETPAGEW> sheetPages;
  for (const SheetPage &page : pages) {
    bindings.push_back(std::make_unique<Binding>());
    bindings.back()->presenter = page.presenter;
    PROPSHEETPAGEW p = {};
    p.dwSize = sizeof p;
    p.dwFlags = PSP_DEFAULT;
    p.hInstance = instance;
    p.pszTemplate = MAKEINTRESOURCEW(page.templateId);
    p.pfnDlgProc = PageProcedure;
    p.lParam = reinterpret_cast<LPARAM>(bindings.back().get());
    sheetPages.push_back(p);
  }
  const WString captionZ(caption);
  PROPSHEETHEADERW header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
  header.hwndParent = reinterpret_cast<HWND>(owner);
  header.hInstance = instance;
  header.pszCaption = reinterpret_cast<LPCWSTR>(captionZ.c_str());
  header.nPages = static_cast<UINT>(sheetPages.size());
  header.ppsp = sheetPages.data();
  return PropertySheetW(&header) >= 0;
}

}  // namespace tolven::viewer::win
