// The skin form: a control that loads a skin file, fills its parent window
// with it, and reports the pointer's enter, leave and click events by name.
// It subclasses its parent to follow the parent's size.
#pragma once
#include <memory>
#include <string>

#include "image_cache.h"
#include "pointer_tracker.h"
#include "skin_control.h"
#include "skin_document.h"
#include "skin_renderer.h"

namespace tolven::skin {

class SkinForm : public SkinControl {
 public:
  SkinForm();
  ~SkinForm() override;

  // The loaded skin (null before one loads); shared with element objects.
  std::shared_ptr<SkinDocument> Document() const { return document_; }
  // Runs a skin command on the loaded skin and shows the result; empty on
  // success, else what was wrong.
  std::string Run(const std::string &command);
  // Loads a skin file; on failure the skin shown before stays, and the
  // path read back stays what it was.
  bool Load(const std::wstring &path);
  const std::wstring &LastError() const { return lastError_; }

 protected:
  HRESULT Call(const Member &member, bool put, VARIANT *args, VARIANT *result) override;
  HRESULT QueryMore(REFIID iid, void **out) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreated() override;
  void OnDestroying() override;

 private:
  static LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void FillParent();
  void Relayout();
  void ApplyRegion();
  void Send(const std::vector<SkinEvent> &events);
  void Paint();

  std::shared_ptr<SkinDocument> document_;
  std::unique_ptr<PointerTracker> tracker_;
  ImageCache images_;
  SkinRenderer renderer_;
  std::wstring path_;
  std::wstring lastError_;
  bool dragMove_ = true;
  bool loadEventsDue_ = false;
  bool tracking_ = false;
  HWND parent_ = nullptr;
};

}  // namespace tolven::skin
