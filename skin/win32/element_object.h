// One element of a form's loaded skin, as a dispatch object: its name,
// parent, rectangle relative to the parent, lookup below it, and commands.
// It keeps its skin alive, so it stays valid after the form loads another.
#pragma once
#include <memory>

#include "dispatch_object.h"
#include "skin_document.h"

namespace tolven::skin {

class SkinForm;

class ElementObject : public DispatchObject {
 public:
  // `element` null: the answer to a lookup that found nothing (its name is empty).
  ElementObject(SkinForm *form, std::shared_ptr<SkinDocument> document, SkinElement *element);
  ~ElementObject() override;

 protected:
  HRESULT Call(const Member &member, bool put, VARIANT *args, VARIANT *result) override;

 private:
  SkinForm *form_;
  std::shared_ptr<SkinDocument> document_;
  SkinElement *element_;
};

}  // namespace tolven::skin
