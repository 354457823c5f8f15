// Calls on the skin engine's objects through IDispatch by DISPID, the only
// way the viewer reaches them.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

namespace tolven::viewer::win {

void PutString(IDispatch *object, DISPID id, const std::wstring &value);
void PutInt(IDispatch *object, DISPID id, LONG value);
void PutBool(IDispatch *object, DISPID id, bool value);
std::wstring GetString(IDispatch *object, DISPID id);
LONG GetInt(IDispatch *object, DISPID id);
// A property or method answering an object (a reference the caller
// releases), or null.
IDispatch *GetObject(IDispatch *object, DISPID id);
IDispatch *CallForObject(IDispatch *object, DISPID id, const std::wstring &argument);
void CallWithString(IDispatch *object, DISPID id, const std::wstring &argument);
bool CallWithObject(IDispatch *object, DISPID id, IDispatch *argument);

}  // namespace tolven::viewer::win
