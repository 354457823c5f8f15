// Property sheets in the dialog pattern: a sheet is a caption string and a
// list of pages, each page a template and a presenter over its own view. The
// sheet presenter decides its pages before the sheet runs and may act on the
// sheet window (start page, Apply Now, OK, hiding it, a queued request to
// itself) through a SheetControl. A Win32 runner shows it with the system's
// property sheet; native tests run it with a scripted runner.
#pragma once
#include <cstdint>
#include <vector>

#include "driver/dialogs/dialog_view.h"

namespace tolven::dialogs {

// The sheet window as its presenter and its pages reach it.
class SheetControl {
 public:
  virtual ~SheetControl() = default;
  virtual void SetActivePage(int index) = 0;
  // Every page created so far applies its changes (the Apply Now button).
  virtual void PressApply() = 0;
  // Closes the sheet as if the user had pressed OK.
  virtual void PressOk() = 0;
  virtual void Hide() = 0;
  // Queues `code` to the sheet presenter's OnRequest; it arrives on the
  // sheet's thread once the handler running now has returned, while the
  // sheet's modal loop still runs.
  virtual void PostRequest(int code) = 0;
  // The window the sheet is modal over.
  virtual uintptr_t Parent() = 0;
  // The wait cursor, shown between a true and the matching false.
  virtual void SetWaitCursor(bool wait) = 0;
  // Lights (or clears) Apply Now for `page`.
  virtual void PageModified(class PagePresenter &page, bool modified) = 0;
};

// One page. Besides the dialog events a page takes part in the sheet's
// activation, Apply/OK and Cancel, and may mark itself modified.
class PagePresenter : public DialogPresenter {
 public:
  // The page became the current page.
  virtual void OnSetActive(DialogView &) {}
  // Apply Now or OK: answers false to keep the sheet open.
  virtual bool OnApply(DialogView &) { return true; }
  // The sheet was cancelled (only pages that were created hear it).
  virtual void OnCancel(DialogView &) {}
  void OnCommand(DialogView &, int, int) override {}

  // Set by the runner while the page exists.
  void AttachSheet(SheetControl *sheet) { sheet_ = sheet; }
  SheetControl *Sheet() const { return sheet_; }
  // "Modified" lights the sheet's Apply Now button.
  bool Modified() const { return modified_; }
  void SetModified(bool modified) {
    modified_ = modified;
    if (sheet_) sheet_->PageModified(*this, modified);
  }

 private:
  SheetControl *sheet_ = nullptr;
  bool modified_ = false;
};

struct SheetPage {
  uint16_t templateId;
  PagePresenter *presenter;
};

class PropertySheetPresenter {
 public:
  virtual ~PropertySheetPresenter() = default;
  virtual uint32_t CaptionString() const = 0;
  virtual std::vector<SheetPage> Pages() = 0;
  // The sheet window exists and its first page is shown; a sheet may make
  // another page the current one here.
  virtual void OnInitSheet(SheetControl &) {}
  virtual void OnRequest(SheetControl &, int /*code*/) {}
  // The window has been closed and will be destroyed.
  virtual void OnEnd() {}
};

// Runs a property sheet modally over `parent`; answers true when it ended
// with OK, false for Cancel or when it could not be shown.
class PropertySheetRunner {
 public:
  virtual ~PropertySheetRunner() = default;
  virtual bool RunModal(PropertySheetPresenter &sheet, uintptr_t parent) = 0;
  // The wait cursor while a sheet is being built (before it has a window).
  virtual void SetWaitCursor(bool wait) = 0;
};

}  // namespace tolven::dialogs
