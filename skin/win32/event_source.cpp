#include "event_source.h"

#include <vector>

namespace tolven::skin {

EventSource::~EventSource() {
  for (auto &[cookie, sink] : sinks_) sink->Release();
}

STDMETHODIMP EventSource::QueryInterface(REFIID iid, void **out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
    *out = static_cast<IConnectionPoint *>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP EventSource::GetConnectionInterface(IID *iid) {
  if (!iid) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

STDMETHODIMP EventSource::GetConnectionPointContainer(IConnectionPointContainer **container) {
  if (!container) return E_POINTER;
  *container = &owner_;
  owner_.AddRef();
  return S_OK;
}

STDMETHODIMP EventSource::Advise(IUnknown *sink, DWORD *cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  IDispatch *dispatch = nullptr;
  // A sink may answer to the event interface's id or only to IDispatch.
  if (FAILED(sink->QueryInterface(iid_, reinterpret_cast<void **>(&dispatch))) &&
      FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void **>(&dispatch))))
    return CONNECT_E_CANNOTCONNECT;
  *cookie = next_++;
  sinks_[*cookie] = dispatch;
  return S_OK;
}

STDMETHODIMP EventSource::Unadvise(DWORD cookie) {
  auto it = sinks_.find(cookie);
  if (it == sinks_.end()) return CONNECT_E_NOCONNECTION;
  it->second->Release();
  sinks_.erase(it);
  return S_OK;
}

STDMETHODIMP EventSource::EnumConnections(IEnumConnections **connections) {
  if (connections) *connections = nullptr;
  return E_NOTIMPL;
}

void EventSource::Fire(DISPID id, VARIANT *args, UINT count) {
  // A sink may unadvise, or the owner be released, while being called.
  std::vector<IDispatch *> sinks;
  for (auto &[cookie, sink] : sinks_) {
    sink->AddRef();
    sinks.push_back(sink);
  }
  owner_.AddRef();
  for (IDispatch *sink : sinks) {
    DISPPARAMS params = {args, nullptr, count, 0};
    sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    sink->Release();
  }
  owner_.Release();
}

ConnectionPointList::ConnectionPointList(IConnectionPoint *point) : point_(point) { point_->AddRef(); }
ConnectionPointList::~ConnectionPointList() { point_->Release(); }

STDMETHODIMP ConnectionPointList::QueryInterface(REFIID iid, void **out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IEnumConnectionPoints) {
    *out = static_cast<IEnumConnectionPoints *>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ConnectionPointList::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) ConnectionPointList::Release() {
  ULONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP ConnectionPointList::Next(ULONG count, IConnectionPoint **points, ULONG *fetched) {
  if (!points) return E_POINTER;
  ULONG given = 0;
  if (count > 0 && position_ == 0) {
    points[0] = point_;
    point_->AddRef();
    given = 1;
    position_ = 1;
  }
  if (fetched) *fetched = given;
  return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP ConnectionPointList::Skip(ULONG count) {
  position_ += count;
  return position_ <= 1 ? S_OK : S_FALSE;
}

STDMETHODIMP ConnectionPointList::Reset() {
  position_ = 0;
  return S_OK;
}

STDMETHODIMP ConnectionPointList::Clone(IEnumConnectionPoints **copy) {
  if (!copy) return E_POINTER;
  auto *list = new ConnectionPointList(point_);
  list->position_ = position_;
  *copy = list;
  return S_OK;
}

}  // namespace tolven::skin
