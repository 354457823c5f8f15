// In-process registry with the observable behaviour of the Windows registry
// for what this system relies on: case-insensitive names, typed values,
// access checks on handles, ERROR_MORE_DATA on short buffers, keys with
// subkeys that cannot be deleted, handles that outlive a deleted key.
#pragma once
#include <map>
#include <memory>
#include <vector>

#include "platform/registry/registry.h"

namespace tolven::reg {

class EmulatedRegistry : public Registry {
 public:
  EmulatedRegistry();
  ~EmulatedRegistry() override;

  Status OpenKey(Key parent, WStringView subKey, uint32_t access, Key *out) override;
  Status CreateKey(Key parent, WStringView subKey, uint32_t access, Key *out) override;
  Status CloseKey(Key key) override;
  Status QueryValue(Key key, WStringView name, uint32_t *type, void *data,
                    uint32_t *size) override;
  Status SetValue(Key key, WStringView name, uint32_t type, const void *data,
                  uint32_t size) override;
  Status DeleteValue(Key key, WStringView name) override;
  Status DeleteKey(Key parent, WStringView subKey) override;
  Status FlushKey(Key key) override;
  Status EnumKey(Key key, uint32_t index, WString *name) override;

  // Test controls: keys below this path (root + path) refuse write access and
  // deletion, the way HKEY_LOCAL_MACHINE does for a user without rights.
  void DenyWrites(Key root, WStringView path);
  size_t OpenHandleCount() const { return handles_.size(); }
  size_t FlushCount() const { return flushes_; }

  // Every value of the machine with the path of its key, for tools that keep
  // an emulated machine between runs (and write it back with CreateKey and
  // SetValue).
  struct StoredValue {
    Key root;  // kLocalMachine or kCurrentUser
    WString keyPath;
    WString name;
    uint32_t type;
    std::vector<uint8_t> data;
  };
  std::vector<StoredValue> AllValues() const;

  struct Node;

 private:
  struct Handle {
    std::shared_ptr<Node> node;
    uint32_t access;
  };
  std::shared_ptr<Node> Resolve(Key key, Status *status) const;
  std::shared_ptr<Node> Walk(std::shared_ptr<Node> from, WStringView path, bool create,
                             Status *status);
  bool WriteDenied(const std::shared_ptr<Node> &node) const;
  Key NewHandle(std::shared_ptr<Node> node, uint32_t access);

  std::shared_ptr<Node> currentUser_;
  std::shared_ptr<Node> localMachine_;
  std::map<Key, Handle> handles_;
  Key nextHandle_ = 0x100;
  std::vector<std::shared_ptr<Node>> deniedNodes_;
  size_t flushes_ = 0;
};

}  // namespace tolven::reg
