#include "viewer/win32/dispatch_call.h"

namespace tolven::viewer::win {

namespace {

// One call with at most one argument; the result (VT_EMPTY on failure).
VARIANT Invoke(IDispatch *object, DISPID id, WORD flags, VARIANT *argument) {
  VARIANT result;
  VariantInit(&result);
  if (!object) return result;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {argument, nullptr, argument ? 1u : 0u, 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  if (FAILED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                            flags == DISPATCH_PROPERTYPUT ? nullptr : &result, nullptr, nullptr)))
    VariantClear(&result);
  return result;
}

VARIANT String(const std::wstring &text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return v;
}

}  // namespace

void PutString(IDispatch *object, DISPID id, const std::wstring &value) {
  VARIANT v = String(value);
  VARIANT r = Invoke(object, id, DISPATCH_PROPERTYPUT, &v);
  VariantClear(&r);
  VariantClear(&v);
}

void PutInt(IDispatch *object, DISPID id, LONG value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  VARIANT r = Invoke(object, id, DISPATCH_PROPERTYPUT, &v);
  VariantClear(&r);
}

void PutBool(IDispatch *object, DISPID id, bool value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  VARIANT r = Invoke(object, id, DISPATCH_PROPERTYPUT, &v);
  VariantClear(&r);
}

std::wstring GetString(IDispatch *object, DISPID id) {
  VARIANT r = Invoke(object, id, DISPATCH_PROPERTYGET, nullptr);
  std::wstring text = r.vt == VT_BSTR && r.bstrVal ? std::wstring(r.bstrVal, SysStringLen(r.bstrVal)) : L"";
  VariantClear(&r);
  return text;
}

LONG GetInt(IDispatch *object, DISPID id) {
  VARIANT r = Invoke(object, id, DISPATCH_PROPERTYGET, nullptr);
  LONG value = 0;
  if (r.vt == VT_I4) value = r.lVal;
  VariantClear(&r);
  return value;
}

IDispatch *GetObject(IDispatch *object, DISPID id) {
  VARIANT r = Invoke(object, id, DISPATCH_PROPERTYGET, nullptr);
  if (r.vt == VT_DISPATCH) return r.pdispVal;  // the reference passes to the caller
  VariantClear(&r);
  return nullptr;
}

IDispatch *CallForObject(IDispatch *object, DISPID id, const std::wstring &argument) {
  VARIANT v = String(argument);
  VARIANT r = Invoke(object, id, DISPATCH_METHOD, &v);
  VariantClear(&v);
  if (r.vt == VT_DISPATCH) return r.pdispVal;
  VariantClear(&r);
  return nullptr;
}

void CallWithString(IDispatch *object, DISPID id, const std::wstring &argument) {
  VARIANT v = String(argument);
  VARIANT r = Invoke(object, id, DISPATCH_METHOD, &v);
  VariantClear(&r);
  VariantClear(&v);
}

bool CallWithObject(IDispatch *object, DISPID id, IDispatch *argument) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = argument;  // borrowed: not cleared here
  VARIANT r = Invoke(object, id, DISPATCH_METHOD, &v);
  const bool ok = r.vt == VT_BOOL && r.boolVal != VARIANT_FALSE;
  VariantClear(&r);
  return ok;
}

}  // namespace tolven::viewer::win
