#include "type_library_writer.h"

#include <oaidl.h>
#include <oleauto.h>

#include <map>
#include <vector>

#include "dispatch_members.h"
#include "skin_ids.h"

namespace tolven::skin {

namespace {
template <typename T>
void Drop(T *&p) {
  if (p) p->Release();
  p = nullptr;
}

HRESULT AddFunction(ICreateTypeInfo *info, UINT index, const Member &m, INVOKEKIND kind) {
  std::vector<ELEMDESC> params;
  std::vector<LPOLESTR> names{const_cast<LPOLESTR>(m.name)};
  FUNCDESC fd = {};
  fd.memid = m.id;
  fd.funckind = FUNC_DISPATCH;
  fd.invkind = kind;
  fd.callconv = CC_STDCALL;
  fd.elemdescFunc.tdesc.vt = VT_VOID;
  if (kind == INVOKE_PROPERTYPUT) {
    ELEMDESC e = {};
    e.tdesc.vt = m.type;
    e.paramdesc.wParamFlags = PARAMFLAG_FIN;
    params.push_back(e);
  } else {
    if (m.type != VT_EMPTY) fd.elemdescFunc.tdesc.vt = m.type;
    for (int i = 0; i < m.paramCount; ++i) {
      ELEMDESC e = {};
      e.tdesc.vt = m.params[i].type;
      e.paramdesc.wParamFlags = PARAMFLAG_FIN;
      params.push_back(e);
      names.push_back(const_cast<LPOLESTR>(m.params[i].name));
    }
  }
  fd.cParams = static_cast<SHORT>(params.size());
  fd.lprgelemdescParam = params.empty() ? nullptr : params.data();
  HRESULT hr = info->AddFuncDesc(index, &fd);
  if (SUCCEEDED(hr)) hr = info->SetFuncAndParamNames(index, names.data(), static_cast<UINT>(names.size()));
  return hr;
}

HRESULT AddInterface(ICreateTypeLib2 *library, ITypeInfo *dispatch, const InterfaceDesc &d, ITypeInfo **made) {
  ICreateTypeInfo *info = nullptr;
  HRESULT hr = library->CreateTypeInfo(const_cast<LPOLESTR>(d.name), TKIND_DISPATCH, &info);
  HREFTYPE base = 0;
  if (SUCCEEDED(hr)) hr = info->SetGuid(*d.iid);
  if (SUCCEEDED(hr)) hr = info->SetTypeFlags(TYPEFLAG_FDISPATCHABLE);
  if (SUCCEEDED(hr)) hr = info->SetDocString(const_cast<LPOLESTR>(d.help));
  if (SUCCEEDED(hr)) hr = info->AddRefTypeInfo(dispatch, &base);
  if (SUCCEEDED(hr)) hr = info->AddImplType(0, base);
  UINT index = 0;
  for (int i = 0; i < d.memberCount && SUCCEEDED(hr); ++i) {
    const Member &m = d.members[i];
    if (m.kind == MemberKind::Method) hr = AddFunction(info, index++, m, INVOKE_FUNC);
    if (m.kind == MemberKind::Get || m.kind == MemberKind::GetPut) hr = AddFunction(info, index++, m, INVOKE_PROPERTYGET);
    if (SUCCEEDED(hr) && (m.kind == MemberKind::Put || m.kind == MemberKind::GetPut))
      hr = AddFunction(info, index++, m, INVOKE_PROPERTYPUT);
  }
  if (SUCCEEDED(hr)) hr = info->LayOut();
  if (SUCCEEDED(hr)) hr = info->QueryInterface(IID_ITypeInfo, reinterpret_cast<void **>(made));
  Drop(info);
  return hr;
}

HRESULT AddClass(ICreateTypeLib2 *library, const ClassDesc &c, ITypeInfo *iface, ITypeInfo *events) {
  ICreateTypeInfo *info = nullptr;
  HRESULT hr = library->CreateTypeInfo(const_cast<LPOLESTR>(c.name), TKIND_COCLASS, &info);
  HREFTYPE ref = 0;
  if (SUCCEEDED(hr)) hr = info->SetGuid(*c.clsid);
  if (SUCCEEDED(hr)) hr = info->SetTypeFlags(TYPEFLAG_FCANCREATE | (c.control ? TYPEFLAG_FCONTROL : 0));
  if (SUCCEEDED(hr)) hr = info->SetDocString(const_cast<LPOLESTR>(c.help));
  if (SUCCEEDED(hr)) hr = info->AddRefTypeInfo(iface, &ref);
  if (SUCCEEDED(hr)) hr = info->AddImplType(0, ref);
  if (SUCCEEDED(hr)) hr = info->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT);
  if (SUCCEEDED(hr) && events) {
    hr = info->AddRefTypeInfo(events, &ref);
    if (SUCCEEDED(hr)) hr = info->AddImplType(1, ref);
    if (SUCCEEDED(hr)) hr = info->SetImplTypeFlags(1, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
  }
  if (SUCCEEDED(hr)) hr = info->LayOut();
  Drop(info);
  return hr;
}
}  // namespace

HRESULT TypeLibraryWriter::Write(const std::wstring &path) {
  ICreateTypeLib2 *library = nullptr;
  ITypeLib *stdole = nullptr;
  ITypeInfo *dispatch = nullptr;
  std::map<const InterfaceDesc *, ITypeInfo *> made;
  SYSKIND kind = sizeof(void *) == 8 ? SYS_WIN64 : SYS_WIN32;
  HRESULT hr = CreateTypeLib2(kind, path.c_str(), &library);
  if (SUCCEEDED(hr)) hr = library->SetGuid(kLibid);
  if (SUCCEEDED(hr)) hr = library->SetName(const_cast<LPOLESTR>(L"TolvenSkin"));
  if (SUCCEEDED(hr)) hr = library->SetVersion(1, 0);
  if (SUCCEEDED(hr)) hr = library->SetLcid(LOCALE_NEUTRAL);
  if (SUCCEEDED(hr)) hr = library->SetDocString(const_cast<LPOLESTR>(L"Tolven skin engine 1.0"));
  // IDispatch itself comes from the system's standard library.
  if (SUCCEEDED(hr)) hr = LoadRegTypeLib(IID_StdOle, 2, 0, LOCALE_NEUTRAL, &stdole);
  if (SUCCEEDED(hr)) hr = stdole->GetTypeInfoOfGuid(IID_IDispatch, &dispatch);
  for (const InterfaceDesc *d : {&kFormInterface, &kElementInterface, &kPanelInterface, &kLabelInterface,
                                 &kScrollBarInterface, &kMenuInterface, &kFormEventsInterface,
                                 &kScrollEventsInterface}) {
    if (FAILED(hr)) break;
    ITypeInfo *info = nullptr;
    hr = AddInterface(library, dispatch, *d, &info);
    made[d] = info;
  }
  for (int i = 0; i < kClassCount && SUCCEEDED(hr); ++i)
    hr = AddClass(library, kClasses[i], made[kClasses[i].iface], kClasses[i].events ? made[kClasses[i].events] : nullptr);
  if (SUCCEEDED(hr)) hr = library->SaveAllChanges();
  for (auto &[d, info] : made) Drop(info);
  Drop(dispatch);
  Drop(stdole);
  Drop(library);
  return hr;
}

}  // namespace tolven::skin
