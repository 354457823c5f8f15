// The skin label and the skin panel: a line of text shown in the font,
// colours and background of the skin element named like the control. A
// panel's style sets the alignment: 4 centred (the docked read-outs), 5 on
// the left (the hint line of the channel panels).
#pragma once
#include <string>

#include "form_link.h"
#include "skin_control.h"
#include "skin_renderer.h"

namespace tolven::skin {

class TextControl : public SkinControl {
 public:
  // `panel` selects the panel's class and interface, else the label's.
  explicit TextControl(bool panel);
  ~TextControl() override;

 protected:
  HRESULT Call(const Member &member, bool put, VARIANT *args, VARIANT *result) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  std::wstring Name() const;

  bool panel_;
  std::wstring text_;
  std::wstring caption_;
  int style_ = 4;
  FormLink form_;
  SkinRenderer renderer_;
};

}  // namespace tolven::skin
