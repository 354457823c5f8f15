// The members of every dispatch interface as one table: dispatching by name,
// the type library and the registration are all made from it.
#pragma once
#include <windows.h>
#include <oleauto.h>

namespace tolven::skin {

enum class MemberKind { Get, Put, GetPut, Method };

struct Param {
  const wchar_t *name;
  VARTYPE type;
};

struct Member {
  const wchar_t *name;
  DISPID id;
  MemberKind kind;
  VARTYPE type;  // property type, or the method's result (VT_EMPTY: none)
  const Param *params;
  int paramCount;
};

struct InterfaceDesc {
  const wchar_t *name;
  const IID *iid;
  const Member *members;
  int memberCount;
  const wchar_t *help;
};

struct ClassDesc {
  const wchar_t *name;
  const wchar_t *progId;
  const CLSID *clsid;
  const InterfaceDesc *iface;
  const InterfaceDesc *events;  // nullptr: it fires none
  bool control;                 // an ActiveX control with a window
  const wchar_t *help;
};

extern const InterfaceDesc kFormInterface, kElementInterface, kPanelInterface, kLabelInterface,
    kScrollBarInterface, kMenuInterface, kFormEventsInterface, kScrollEventsInterface;
extern const ClassDesc kClasses[];
extern const int kClassCount;

// The id of a member name (any case), or DISPID_UNKNOWN.
DISPID FindMember(const InterfaceDesc &iface, const wchar_t *name);

}  // namespace tolven::skin
