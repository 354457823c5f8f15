// Registry port: keys and values with Windows' value types and error codes.
// Shaped after RegOpenKeyExW and friends; every operation answers a Windows
// error code (0 on success).
#pragma once
#include <cstdint>
#include <string>

#include "platform/wide.h"

namespace tolven::reg {

using Key = uintptr_t;  // an open key, or one of the predefined roots
using Status = uint32_t;

inline constexpr Key kCurrentUser = 0x80000001u;
inline constexpr Key kLocalMachine = 0x80000002u;

enum ValueType : uint32_t {
  kNone = 0,
  kSz = 1,
  kExpandSz = 2,
  kBinary = 3,
  kDword = 4,
  kMultiSz = 7,
  kQword = 11,
};

enum Access : uint32_t {
  kQueryValue = 0x0001,
  kSetValue = 0x0002,
  kCreateSubKey = 0x0004,
  kEnumerateSubKeys = 0x0008,
  kRead = 0x20019,
  kWrite = 0x20006,
  kAllAccess = 0xF003F,
};

class Registry {
 public:
  virtual ~Registry() = default;

  virtual Status OpenKey(Key parent, WStringView subKey, uint32_t access, Key *out) = 0;
  // Creates every missing key on the path (non-volatile) and opens the last.
  virtual Status CreateKey(Key parent, WStringView subKey, uint32_t access, Key *out) = 0;
  virtual Status CloseKey(Key key) = 0;
  // RegQueryValueExW: with data null only the size is reported; a buffer
  // smaller than the value answers kErrorMoreData with the needed size.
  virtual Status QueryValue(Key key, WStringView name, uint32_t *type, void *data,
                            uint32_t *size) = 0;
  virtual Status SetValue(Key key, WStringView name, uint32_t type, const void *data,
                          uint32_t size) = 0;
  virtual Status DeleteValue(Key key, WStringView name) = 0;
  // Deletes a key that has no subkeys (as RegDeleteKeyW does).
  virtual Status DeleteKey(Key parent, WStringView subKey) = 0;
  virtual Status FlushKey(Key key) = 0;
  // Name of the index-th subkey; kErrorNoMoreItems past the last.
  virtual Status EnumKey(Key key, uint32_t index, WString *name) = 0;
};

// Small conveniences over the port, used by tests and tools.
Status SetDword(Registry &r, Key key, WStringView name, uint32_t value);
Status SetString(Registry &r, Key key, WStringView name, WStringView value,
                 uint32_t type = kSz);
// Deletes a key and everything below it.
Status DeleteTree(Registry &r, Key parent, WStringView subKey);

}  // namespace tolven::reg
