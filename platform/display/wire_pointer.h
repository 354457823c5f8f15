// Pointers inside 32-bit binary contracts (escape blocks, VfW records).
//
// The blocks carry pointers as 32-bit fields. On 32-bit Windows a wire value
// is the pointer itself. The 64-bit native build cannot fit a pointer in 32
// bits, so a pointer is lent a small token for as long as a WireLoan lives,
// and the receiving side (the simulated display driver, the channel
// handlers) resolves the token back. Both builds run the same byte-level
// code; only these two conversions differ.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tolven::wire {

using Pointer = uint32_t;

inline constexpr bool kPointersAreWire = sizeof(void *) == 4;

#if UINTPTR_MAX == 0xFFFFFFFFu
// The pointer value is the wire value; the size cannot be checked here.
inline void *Resolve(Pointer value, size_t /*size*/) {
  return reinterpret_cast<void *>(static_cast<uintptr_t>(value));
}

class WireLoan {
 public:
  WireLoan(const void *pointer, size_t /*size*/)
      : value_(static_cast<Pointer>(reinterpret_cast<uintptr_t>(pointer))) {}
  Pointer value() const { return value_; }

 private:
  Pointer value_;
};
#else
// Null for 0, for an unknown token, or when `size` bytes would run past the
// memory the token was lent for.
void *Resolve(Pointer value, size_t size);

class WireLoan {
 public:
  WireLoan(const void *pointer, size_t size);
  ~WireLoan();
  WireLoan(const WireLoan &) = delete;
  WireLoan &operator=(const WireLoan &) = delete;
  Pointer value() const { return value_; }

 private:
  Pointer value_ = 0;
};

// Tokens currently lent (for tests that check nothing leaks).
size_t OutstandingLoans();
#endif

}  // namespace tolven::wire
