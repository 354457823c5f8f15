// A child control's tie to the form it was attached to: the form's C++
// object behind the IDispatch handed to Attach, and the skin element whose
// look the control takes (the element of the control's name).
#pragma once
#include <windows.h>

#include <string>

#include "skin_form.h"
#include "skin_ids.h"
#include "text_encoding.h"

namespace tolven::skin {

class FormLink {
 public:
  FormLink() = default;
  ~FormLink() { Drop(); }
  FormLink(const FormLink &) = delete;
  FormLink &operator=(const FormLink &) = delete;

  // False when `form` is no skin form of this DLL.
  bool Attach(IDispatch *form) {
    SkinForm *found = nullptr;
    if (!form || FAILED(form->QueryInterface(kIidSkinSelf, reinterpret_cast<void **>(&found)))) return false;
    Drop();
    form_ = found;  // the reference QueryInterface gave
    return true;
  }
  bool Attached() const { return form_ != nullptr; }
  // The element of that name in the form's skin, else the skin's root, else null.
  const SkinElement *Element(const std::wstring &name) const {
    if (!form_ || !form_->Document()) return nullptr;
    SkinDocument &doc = *form_->Document();
    if (const SkinElement *e = doc.Find(Utf8(name))) return e;
    return &doc.Root();
  }

 private:
  void Drop() {
    if (form_) form_->Release();
    form_ = nullptr;
  }
  SkinForm *form_ = nullptr;
};

}  // namespace tolven::skin
