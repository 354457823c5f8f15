// Pointer fields inside binary contracts (escape blocks, VfW records).
//
// Every block exists in two layouts: the 32-bit one, whose pointer fields
// are 32 bits wide, and the x64 one, whose pointer fields are 64 bits wide
// and naturally aligned. A Windows build uses the layout of its own pointer
// size and a field holds the pointer itself: the blocks cross DLLs (the
// display stand-in, the multimedia system), so nothing else could be
// understood on the other side.
//
// The native build keeps exercising the 32-bit layout. Its pointers do not
// fit in 32 bits, so a pointer is lent a small token for as long as a
// WireLoan lives, and the receiving side (the simulated display driver, the
// channel handlers) resolves the token back. Only these two conversions
// differ between the builds; the byte-level code is the same.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tolven::wire {

// Field types of the two layouts.
using Pointer32 = uint32_t;
using Pointer64 = uint64_t;

#if defined(_WIN32)
// The field holds the pointer, in the layout of this build.
using Pointer = uintptr_t;
static_assert(sizeof(Pointer) == sizeof(Pointer32) || sizeof(Pointer) == sizeof(Pointer64));
inline constexpr bool kFieldsHoldPointers = true;

// The size cannot be checked here; the caller vouches for the memory.
inline void *Resolve(Pointer value, size_t /*size*/) { return reinterpret_cast<void *>(value); }

class WireLoan {
 public:
  WireLoan(const void *pointer, size_t /*size*/) : value_(reinterpret_cast<Pointer>(pointer)) {}
  Pointer value() const { return value_; }

 private:
  Pointer value_;
};
#else
// The 32-bit layout with tokens.
using Pointer = Pointer32;
inline constexpr bool kFieldsHoldPointers = false;

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
