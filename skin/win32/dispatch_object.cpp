#include "dispatch_object.h"

#include <vector>

#include "skin_ids.h"
#include "skin_module.h"

namespace tolven::skin {

DispatchObject::DispatchObject(const InterfaceDesc &iface) : iface_(iface) { SkinModule::Lock(); }

DispatchObject::~DispatchObject() { SkinModule::Unlock(); }

STDMETHODIMP DispatchObject::QueryInterface(REFIID iid, void **out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == *iface_.iid) {
    *out = static_cast<IDispatch *>(this);
    AddRef();
    return S_OK;
  }
  return QueryMore(iid, out);
}

HRESULT DispatchObject::QueryMore(REFIID, void **) { return E_NOINTERFACE; }

STDMETHODIMP_(ULONG) DispatchObject::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) DispatchObject::Release() {
  ULONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP DispatchObject::GetTypeInfoCount(UINT *count) {
  if (!count) return E_POINTER;
  ITypeInfo *info = nullptr;
  *count = SUCCEEDED(SkinModule::TypeInfo(*iface_.iid, &info)) ? 1 : 0;
  if (info) info->Release();
  return S_OK;
}

STDMETHODIMP DispatchObject::GetTypeInfo(UINT index, LCID, ITypeInfo **info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return SkinModule::TypeInfo(*iface_.iid, info);
}

STDMETHODIMP DispatchObject::GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID, DISPID *ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  HRESULT hr = S_OK;
  ids[0] = FindMember(iface_, names[0]);
  if (ids[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  const Member *member = nullptr;
  for (int i = 0; i < iface_.memberCount; ++i)
    if (iface_.members[i].id == ids[0]) member = &iface_.members[i];
  for (UINT i = 1; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    for (int p = 0; member && p < member->paramCount; ++p)
      if (lstrcmpiW(member->params[p].name, names[i]) == 0) ids[i] = p;
    if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

STDMETHODIMP DispatchObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result,
                                    EXCEPINFO *, UINT *argError) {
  const Member *member = nullptr;
  for (int i = 0; i < iface_.memberCount; ++i)
    if (iface_.members[i].id == id) member = &iface_.members[i];
  if (!member) return DISP_E_MEMBERNOTFOUND;
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  if (!params) params = &none;
  bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  bool get = (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0;
  std::vector<VARTYPE> types;
  if (put) {
    if (member->kind != MemberKind::Put && member->kind != MemberKind::GetPut) return DISP_E_MEMBERNOTFOUND;
    if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    types.push_back(member->type);
  } else if (get) {
    if (member->kind == MemberKind::Put) return DISP_E_MEMBERNOTFOUND;
    if (member->kind == MemberKind::Method && !(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (params->cArgs != static_cast<UINT>(member->paramCount)) return DISP_E_BADPARAMCOUNT;
    for (int p = 0; p < member->paramCount; ++p) types.push_back(member->params[p].type);
  } else {
    return DISP_E_MEMBERNOTFOUND;
  }
  // Arguments come last to first; hand them over first to last.
  std::vector<VARIANT> args(types.size());
  HRESULT hr = S_OK;
  for (size_t i = 0; i < args.size(); ++i) VariantInit(&args[i]);
  for (size_t i = 0; i < args.size() && SUCCEEDED(hr); ++i) {
    VARIANT *given = &params->rgvarg[args.size() - 1 - i];
    hr = VariantChangeType(&args[i], given, 0, types[i]);
    if (FAILED(hr)) {
      if (argError) *argError = static_cast<UINT>(args.size() - 1 - i);
      hr = DISP_E_TYPEMISMATCH;
    }
  }
  VARIANT ignored;
  VariantInit(&ignored);
  if (SUCCEEDED(hr)) hr = Call(*member, put, args.data(), result ? result : &ignored);
  VariantClear(&ignored);
  for (VARIANT &v : args) VariantClear(&v);
  return hr;
}

}  // namespace tolven::skin
