// What every control component shares: its environment, its optional open
// settings key with the storage rule (the open key, else the driver store),
// and the copying of display names into callers' buffers.
#pragma once
#include <cstdint>

#include "driver/control/control_interface.h"
#include "driver/control/control_model.h"
#include "driver/control/control_tables.h"
#include "driver/hardware/requests.h"

namespace tolven::control {

class ComponentSettings {
 public:
  explicit ComponentSettings(ControlEnvironment &environment) : env_(environment) {}
  ~ComponentSettings() { Close(); }
  ComponentSettings(const ComponentSettings &) = delete;
  ComponentSettings &operator=(const ComponentSettings &) = delete;

  // Closes the open key; with a subkey, opens that existing key under the
  // current user (never creating it). 1 on success, 0 when it cannot be
  // opened (the driver store is then used).
  int32_t Open(const char16_t *subkey);
  void Close();
  bool HasKey() const { return key_ != 0; }

  // In an open key any existing value of at least four bytes reads; through
  // the driver store an absent, mistyped or 0xFFFFFFFF value reads as absent.
  bool Read(WStringView name, uint32_t *value);
  bool Write(WStringView name, uint32_t value);

 private:
  ControlEnvironment &env_;
  reg::Key key_ = 0;
};

// Base of the five components: the environment, the settings and the name
// helpers.
class ComponentBase {
 protected:
  explicit ComponentBase(ControlEnvironment &environment)
      : env_(environment), settings_(environment) {}

  // The display name of string `id` (0: none) from the string table, looked
  // up now; empty when there is none.
  WString Name(uint16_t id) const;
  static int32_t NameLength(const WString &name) { return static_cast<int32_t>(name.size()); }
  // Copies the name with its terminator; 0 for an empty name or no buffer.
  static int32_t CopyName(const WString &name, char16_t *buffer);
  static int32_t FillName(const WString &name, ControlName *out);

  ControlEnvironment &env_;
  ComponentSettings settings_;
};

// The deleting-destructor slot of every interface: runs the destructor and,
// with bit 0 of the flags, frees the object.
template <class T>
void *DeleteWithFlags(T *object, uint32_t flags) {
  if (flags & 1) {
    delete object;
  } else {
    object->~T();
  }
  return object;
}

}  // namespace tolven::control
