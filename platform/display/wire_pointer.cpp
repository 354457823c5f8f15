#include "platform/display/wire_pointer.h"

#if !defined(_WIN32)
#include <map>
#include <mutex>

namespace tolven::wire {
namespace {

struct Lent {
  void *pointer;
  size_t size;
};

struct Table {
  std::mutex mutex;
  std::map<Pointer, Lent> loans;
  // Tokens look nothing like small integers or real addresses, so a field
  // that was never converted does not resolve by accident.
  Pointer next = 0x7E100000u;
};

Table &TheTable() {
  static Table table;
  return table;
}

}  // namespace

WireLoan::WireLoan(const void *pointer, size_t size) {
  if (!pointer) return;
  Table &t = TheTable();
  std::lock_guard lock(t.mutex);
  do {
    t.next += 0x10;
    if (t.next == 0) t.next = 0x7E100000u;
  } while (t.loans.count(t.next));
  value_ = t.next;
  t.loans[value_] = Lent{const_cast<void *>(pointer), size};
}

WireLoan::~WireLoan() {
  if (!value_) return;
  Table &t = TheTable();
  std::lock_guard lock(t.mutex);
  t.loans.erase(value_);
}

void *Resolve(Pointer value, size_t size) {
  if (!value) return nullptr;
  Table &t = TheTable();
  std::lock_guard lock(t.mutex);
  auto it = t.loans.find(value);
  if (it == t.loans.end() || size > it->second.size) return nullptr;
  return it->second.pointer;
}

size_t OutstandingLoans() {
  Table &t = TheTable();
  std::lock_guard lock(t.mutex);
  return t.loans.size();
}

}  // namespace tolven::wire
#endif
