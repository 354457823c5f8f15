#include "element_object.h"

#include "skin_form.h"
#include "skin_ids.h"
#include "text_encoding.h"

namespace tolven::skin {

ElementObject::ElementObject(SkinForm *form, std::shared_ptr<SkinDocument> document, SkinElement *element)
    : DispatchObject(kElementInterface), form_(form), document_(std::move(document)), element_(element) {
  form_->AddRef();
}

ElementObject::~ElementObject() { form_->Release(); }

HRESULT ElementObject::Call(const Member &member, bool, VARIANT *args, VARIANT *result) {
  Rect r = element_ ? element_->Relative() : Rect{};
  switch (member.id) {
    case dispid::kName:
      SetString(result, element_ ? Wide(element_->Name()) : std::wstring());
      return S_OK;
    case dispid::kParent:
      result->vt = VT_DISPATCH;
      result->pdispVal = element_ && element_->Parent() ? new ElementObject(form_, document_, element_->Parent())
                                                        : nullptr;
      return S_OK;
    case dispid::kFind: {
      SkinElement *found = element_ ? element_->Find(Utf8(args[0].bstrVal)) : nullptr;
      result->vt = VT_DISPATCH;
      result->pdispVal = new ElementObject(form_, document_, found);
      return S_OK;
    }
    case dispid::kLeft:
    case dispid::kTop:
    case dispid::kWidth:
    case dispid::kHeight:
      result->vt = VT_I4;
      result->lVal = member.id == dispid::kLeft ? r.left
                     : member.id == dispid::kTop ? r.top
                     : member.id == dispid::kWidth ? r.width
                                                   : r.height;
      return S_OK;
    case dispid::kCommand: {
      // The command names its own element, so it goes to the form's skin as a whole.
      std::string problem = form_->Run(Utf8(args[0].bstrVal));
      if (!problem.empty()) OutputDebugStringW((L"tolvenskin: " + Wide(problem) + L"\n").c_str());
      result->vt = VT_BOOL;
      result->boolVal = problem.empty() ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    }
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

}  // namespace tolven::skin
