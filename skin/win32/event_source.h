// One outgoing interface of an object: the sinks advised to it and the
// firing of its events. Lives inside its object and shares its lifetime.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <map>
#include <string>

namespace tolven::skin {

class EventSource : public IConnectionPoint {
 public:
  EventSource(IConnectionPointContainer &owner, const IID &iid) : owner_(owner), iid_(iid) {}
  virtual ~EventSource();

  STDMETHODIMP QueryInterface(REFIID iid, void **out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return owner_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return owner_.Release(); }
  STDMETHODIMP GetConnectionInterface(IID *iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer **container) override;
  STDMETHODIMP Advise(IUnknown *sink, DWORD *cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections **connections) override;

  const IID &Iid() const { return iid_; }
  // Calls every sink; `args` last to first, as IDispatch::Invoke takes them.
  void Fire(DISPID id, VARIANT *args, UINT count);

 private:
  IConnectionPointContainer &owner_;
  IID iid_;
  std::map<DWORD, IDispatch *> sinks_;
  DWORD next_ = 1;
};

// The enumerator IConnectionPointContainer::EnumConnectionPoints hands out.
class ConnectionPointList : public IEnumConnectionPoints {
 public:
  explicit ConnectionPointList(IConnectionPoint *point);
  virtual ~ConnectionPointList();
  STDMETHODIMP QueryInterface(REFIID iid, void **out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP Next(ULONG count, IConnectionPoint **points, ULONG *fetched) override;
  STDMETHODIMP Skip(ULONG count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumConnectionPoints **copy) override;

 private:
  LONG references_ = 1;
  IConnectionPoint *point_;
  ULONG position_ = 0;
};

}  // namespace tolven::skin
