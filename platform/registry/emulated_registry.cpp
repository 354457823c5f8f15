#include "platform/registry/emulated_registry.h"

#include <cstring>

#include "platform/win_errors.h"

namespace tolven::reg {

struct EmulatedRegistry::Node {
  struct Value {
    uint32_t type;
    std::vector<uint8_t> data;
    WString name;  // as last written
  };
  WString name;
  Key root = 0;
  WString fullPath;  // upper case, from the root, components joined by '\'
  std::weak_ptr<Node> parent;
  std::map<WString, std::shared_ptr<Node>> children;  // keyed by upper-case name
  std::map<WString, Value> values;                     // keyed by upper-case name
  bool deleted = false;
};

namespace {
constexpr uint32_t kWriteRights = kSetValue | kCreateSubKey;
}

EmulatedRegistry::EmulatedRegistry()
    : currentUser_(std::make_shared<Node>()), localMachine_(std::make_shared<Node>()) {
  currentUser_->root = kCurrentUser;
  localMachine_->root = kLocalMachine;
}

EmulatedRegistry::~EmulatedRegistry() = default;

std::shared_ptr<EmulatedRegistry::Node> EmulatedRegistry::Resolve(Key key, Status *status) const {
  if (key == kCurrentUser) return currentUser_;
  if (key == kLocalMachine) return localMachine_;
  auto it = handles_.find(key);
  if (it == handles_.end()) {
    *status = win::kErrorInvalidHandle;
    return nullptr;
  }
  if (it->second.node->deleted) {
    *status = win::kErrorKeyDeleted;
    return nullptr;
  }
  return it->second.node;
}

std::shared_ptr<EmulatedRegistry::Node> EmulatedRegistry::Walk(std::shared_ptr<Node> from,
                                                               WStringView path, bool create,
                                                               Status *status) {
  size_t pos = 0;
  while (pos <= path.size()) {
    size_t end = path.find(u'\\', pos);
    if (end == WStringView::npos) end = path.size();
    WStringView part = path.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty()) {
      if (end == path.size()) break;
      continue;  // tolerate doubled or leading separators
    }
    WString upper = UpperCase(part);
    auto it = from->children.find(upper);
    if (it == from->children.end()) {
      if (!create) {
        *status = win::kErrorFileNotFound;
        return nullptr;
      }
      if (WriteDenied(from)) {
        *status = win::kErrorAccessDenied;
        return nullptr;
      }
      auto child = std::make_shared<Node>();
      child->name = WString(part);
      child->root = from->root;
      child->fullPath = from->fullPath.empty() ? upper : from->fullPath + u"\\" + upper;
      child->parent = from;
      it = from->children.emplace(upper, child).first;
    }
    from = it->second;
  }
  return from;
}

bool EmulatedRegistry::WriteDenied(const std::shared_ptr<Node> &node) const {
  for (const auto &denied : deniedNodes_) {
    if (denied->root != node->root) continue;
    const WString &p = denied->fullPath;
    if (node->fullPath == p) return true;
    if (node->fullPath.size() > p.size() && node->fullPath.compare(0, p.size(), p) == 0 &&
        node->fullPath[p.size()] == u'\\')
      return true;
  }
  return false;
}

Key EmulatedRegistry::NewHandle(std::shared_ptr<Node> node, uint32_t access) {
  Key key = nextHandle_;
  nextHandle_ += 4;
  handles_[key] = Handle{std::move(node), access};
  return key;
}

Status EmulatedRegistry::OpenKey(Key parent, WStringView subKey, uint32_t access, Key *out) {
  if (!out) return win::kErrorInvalidParameter;
  *out = 0;
  Status status = win::kErrorSuccess;
  auto from = Resolve(parent, &status);
  if (!from) return status;
  auto node = Walk(from, subKey, false, &status);
  if (!node) return status;
  if ((access & kWriteRights) && WriteDenied(node)) return win::kErrorAccessDenied;
  *out = NewHandle(node, access);
  return win::kErrorSuccess;
}

Status EmulatedRegistry::CreateKey(Key parent, WStringView subKey, uint32_t access, Key *out) {
  if (!out) return win::kErrorInvalidParameter;
  *out = 0;
  Status status = win::kErrorSuccess;
  auto from = Resolve(parent, &status);
  if (!from) return status;
  auto node = Walk(from, subKey, true, &status);
  if (!node) return status;
  if ((access & kWriteRights) && WriteDenied(node)) return win::kErrorAccessDenied;
  *out = NewHandle(node, access);
  return win::kErrorSuccess;
}

Status EmulatedRegistry::CloseKey(Key key) {
  if (key == kCurrentUser || key == kLocalMachine) return win::kErrorSuccess;
  return handles_.erase(key) ? win::kErrorSuccess : win::kErrorInvalidHandle;
}


Status EmulatedRegistry::QueryValue(Key key, WStringView name, uint32_t *type, void *data,
                                    uint32_t *size) {
  Status status = win::kErrorSuccess;
  auto node = Resolve(key, &status);
  if (!node) return status;
  auto h = handles_.find(key);
  if (h != handles_.end() && !(h->second.access & kQueryValue)) return win::kErrorAccessDenied;
  if (data && !size) return win::kErrorInvalidParameter;
  auto it = node->values.find(UpperCase(name));
  if (it == node->values.end()) return win::kErrorFileNotFound;
  const auto &value = it->second;
  if (type) *type = value.type;
  uint32_t length = static_cast<uint32_t>(value.data.size());
  if (!size) return win::kErrorSuccess;
  if (!data) {
    *size = length;
    return win::kErrorSuccess;
  }
  if (*size < length) {
    *size = length;
    return win::kErrorMoreData;
  }
  if (length) std::memcpy(data, value.data.data(), length);
  *size = length;
  return win::kErrorSuccess;
}

Status EmulatedRegistry::SetValue(Key key, WStringView name, uint32_t type, const void *data,
                                  uint32_t size) {
  Status status = win::kErrorSuccess;
  auto node = Resolve(key, &status);
  if (!node) return status;
  auto h = handles_.find(key);
  if (h != handles_.end() && !(h->second.access & kSetValue)) return win::kErrorAccessDenied;
  if (WriteDenied(node)) return win::kErrorAccessDenied;
  if (size && !data) return win::kErrorInvalidParameter;
  Node::Value value{type, {}, WString(name)};
  if (size) value.data.assign(static_cast<const uint8_t *>(data),
                              static_cast<const uint8_t *>(data) + size);
  node->values[UpperCase(name)] = std::move(value);
  return win::kErrorSuccess;
}

namespace {
void CollectValues(const EmulatedRegistry::Node &node, const WString &path,
                   std::vector<EmulatedRegistry::StoredValue> *out) {
  for (const auto &[upper, value] : node.values)
    out->push_back({node.root, path, value.name, value.type, value.data});
  for (const auto &[upper, child] : node.children)
    CollectValues(*child, path.empty() ? child->name : path + u"\\" + child->name, out);
}
}  // namespace

std::vector<EmulatedRegistry::StoredValue> EmulatedRegistry::AllValues() const {
  std::vector<StoredValue> out;
  CollectValues(*localMachine_, WString(), &out);
  CollectValues(*currentUser_, WString(), &out);
  return out;
}

Status EmulatedRegistry::DeleteValue(Key key, WStringView name) {
  Status status = win::kErrorSuccess;
  auto node = Resolve(key, &status);
  if (!node) return status;
  auto h = handles_.find(key);
  if (h != handles_.end() && !(h->second.access & kSetValue)) return win::kErrorAccessDenied;
  if (WriteDenied(node)) return win::kErrorAccessDenied;
  return node->values.erase(UpperCase(name)) ? win::kErrorSuccess : win::kErrorFileNotFound;
}

Status EmulatedRegistry::DeleteKey(Key parent, WStringView subKey) {
  Status status = win::kErrorSuccess;
  auto from = Resolve(parent, &status);
  if (!from) return status;
  if (subKey.empty()) return win::kErrorAccessDenied;  // a key cannot delete itself here
  auto node = Walk(from, subKey, false, &status);
  if (!node) return status;
  if (!node->children.empty() || WriteDenied(node)) return win::kErrorAccessDenied;
  auto owner = node->parent.lock();
  if (!owner) return win::kErrorAccessDenied;  // a root
  owner->children.erase(UpperCase(node->name));
  node->deleted = true;
  return win::kErrorSuccess;
}

Status EmulatedRegistry::FlushKey(Key key) {
  Status status = win::kErrorSuccess;
  if (!Resolve(key, &status)) return status;
  ++flushes_;
  return win::kErrorSuccess;
}

Status EmulatedRegistry::EnumKey(Key key, uint32_t index, WString *name) {
  Status status = win::kErrorSuccess;
  auto node = Resolve(key, &status);
  if (!node) return status;
  if (index >= node->children.size()) return win::kErrorNoMoreItems;
  auto it = node->children.begin();
  std::advance(it, index);
  if (name) *name = it->second->name;
  return win::kErrorSuccess;
}

void EmulatedRegistry::DenyWrites(Key root, WStringView path) {
  Status status = win::kErrorSuccess;
  auto from = Resolve(root, &status);
  if (!from) return;
  auto node = Walk(from, path, true, &status);
  if (node) deniedNodes_.push_back(node);
}

}  // namespace tolven::reg
