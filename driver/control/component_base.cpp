#include "driver/control/component_base.h"

#include <algorithm>
#include <cstring>

#include "platform/win_errors.h"

namespace tolven::control {

int32_t ComponentSettings::Open(const char16_t *subkey) {
  Close();
  if (!subkey) return 1;
  reg::Key key = 0;
  if (env_.registry.OpenKey(reg::kCurrentUser, subkey, reg::kRead | reg::kWrite, &key) != 0)
    return 0;
  key_ = key;
  return 1;
}

void ComponentSettings::Close() {
  if (key_) env_.registry.CloseKey(key_);
  key_ = 0;
}

bool ComponentSettings::Read(WStringView name, uint32_t *value) {
  if (!key_) return env_.Store().ReadUserDword(name, value);
  // A value shorter than four bytes reads zero-extended; a longer one does
  // not fit and counts as absent rather than being read in part.
  uint8_t bytes[4] = {};
  uint32_t type = 0, size = sizeof bytes;
  if (env_.registry.QueryValue(key_, name, &type, bytes, &size) != 0) return false;
  uint32_t v;
  std::memcpy(&v, bytes, sizeof v);
  *value = v;
  return true;
}

bool ComponentSettings::Write(WStringView name, uint32_t value) {
  if (!key_) return env_.Store().WriteUserDword(name, value);
  return env_.registry.SetValue(key_, name, reg::kDword, &value, sizeof value) == 0;
}

WString ComponentBase::Name(uint16_t id) const {
  if (id == 0) return {};
  return env_.strings.Text(id);
}

int32_t ComponentBase::CopyName(const WString &name, char16_t *buffer) {
  if (!buffer || name.empty()) return 0;
  std::copy(name.begin(), name.end(), buffer);
  buffer[name.size()] = 0;
  return 1;
}

int32_t ComponentBase::FillName(const WString &name, ControlName *out) {
  if (!out) return 0;
  const size_t n = std::min<size_t>(name.size(), ControlName::kCapacity - 1);
  std::copy_n(name.begin(), n, out->text);
  out->text[n] = 0;
  out->length = static_cast<uint32_t>(n);
  return name.empty() ? 0 : 1;
}

}  // namespace tolven::control
