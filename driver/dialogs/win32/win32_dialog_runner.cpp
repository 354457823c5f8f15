#include "driver/dialogs/win32/win32_dialog_runner.h"

#include <windows.h>

#include <vector>

#include "driver/dialogs/win32/list_view_behaviour.h"
#include "driver/dialogs/win32/module_activation.h"
#include "driver/dialogs/win32/win32_dialog_view.h"

namespace tolven::dialogs {

namespace {

struct Session {
  DialogPresenter &presenter;
  Win32DialogView view;
  bool initialised = false;
};

// The dialogs running on this thread, innermost last: a character typed in
// any of their controls is told to the innermost one that holds it.
thread_local std::vector<Session *> t_sessions;
thread_local HHOOK t_hook = nullptr;

LRESULT CALLBACK CharHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    auto *message = reinterpret_cast<MSG *>(lParam);
    if (message->message == WM_CHAR && message->hwnd) {
      for (auto it = t_sessions.rbegin(); it != t_sessions.rend(); ++it) {
        HWND dialog = (*it)->view.Window();
        if (dialog && (message->hwnd == dialog || IsChild(dialog, message->hwnd))) {
          (*it)->presenter.OnChar((*it)->view, static_cast<char16_t>(message->wParam));
          break;
        }
      }
    }
  }
  return CallNextHookEx(t_hook, code, wParam, lParam);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto *session = reinterpret_cast<Session *>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    session->view.Attach(dialog);
    session->initialised = true;
    session->presenter.OnInitDialog(session->view);
    return TRUE;
  }
  auto *session = reinterpret_cast<Session *>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!session || !session->initialised) return FALSE;
  if (message == WM_DESTROY) {
    session->presenter.OnDestroy(session->view);
    return FALSE;
  }
  INT_PTR result = FALSE;
  if (!session->view.Route(session->presenter, message, wParam, lParam, &result)) return FALSE;
  if (message == WM_NOTIFY || message == kListCanEditMessage) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
  }
  return result;
}

}  // namespace

int Win32DialogRunner::RunModal(uint16_t templateId, uintptr_t parent, DialogPresenter &presenter) {
  auto *module = reinterpret_cast<HMODULE>(module_);
  ModuleActivation activation(module);
  InitialiseDialogControls();
  Session session{presenter, {}, false};
  t_sessions.push_back(&session);
  if (!t_hook) t_hook = SetWindowsHookExW(WH_GETMESSAGE, CharHook, nullptr, GetCurrentThreadId());
  INT_PTR result = DialogBoxParamW(module, MAKEINTRESOURCEW(templateId), reinterpret_cast<HWND>(parent),
                                   DialogProc, reinterpret_cast<LPARAM>(&session));
  t_sessions.pop_back();
  if (t_sessions.empty() && t_hook) {
    UnhookWindowsHookEx(t_hook);
    t_hook = nullptr;
  }
  return static_cast<int>(result);
}

}  // namespace tolven::dialogs
