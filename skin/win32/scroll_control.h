// The skin scroll bar: a track with a level and a thumb, dragged, clicked or
// wheeled; every change of position, by the user or by a put, is reported.
// A vertical bar has its minimum at the bottom, as a volume slider does.
#pragma once
#include "form_link.h"
#include "scroll_model.h"
#include "skin_control.h"

namespace tolven::skin {

class ScrollControl : public SkinControl {
 public:
  ScrollControl();
  ~ScrollControl() override;

 protected:
  HRESULT Call(const Member &member, bool put, VARIANT *args, VARIANT *result) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Vertical() const { return orientation_ == 2; }
  // Length along the bar, thickness across it, and a point's place along it.
  void Measure(int &length, int &thickness) const;
  int Along(int x, int y) const;
  void Changed();
  void Paint();

  ScrollModel model_;
  int orientation_ = 1;
  bool dragging_ = false;
  bool hover_ = false;
  FormLink form_;
};

}  // namespace tolven::skin
