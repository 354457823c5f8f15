// Message boxes that nobody sees: every call is recorded and answered with
// the next queued answer (kIdOk when none is queued).
#pragma once
#include <deque>
#include <vector>

#include "platform/messagebox/message_box.h"

namespace tolven::ui {

class EmulatedMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    Window owner = 0;
    WString text;
    WString caption;
    uint32_t style = 0;
  };

  int Show(Window owner, WStringView text, WStringView caption, uint32_t style) override {
    shown_.push_back(Shown{owner, WString(text), WString(caption), style});
    if (answers_.empty()) return kIdOk;
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  Window FocusWindow() override { return focus_; }

  // Test controls.
  void SetFocusWindow(Window window) { focus_ = window; }
  void QueueAnswer(int answer) { answers_.push_back(answer); }
  const std::vector<Shown> &History() const { return shown_; }
  void Clear() { shown_.clear(); }

 private:
  std::vector<Shown> shown_;
  std::deque<int> answers_;
  Window focus_ = 0;
};

}  // namespace tolven::ui
