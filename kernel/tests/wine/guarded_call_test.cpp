// The kernel service's exception frame (VcGuardedCall) in a user-mode
// program: a routine that returns, one that faults, one that raises, nested
// frames, and many in a row. What the driver relies on is that a fault below
// the frame comes back as STATUS_ACCESS_VIOLATION with the caller's stack
// and registers intact.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

extern "C" {
typedef void (*GuardedRoutine)(void *context);
#ifdef _WIN64
LONG VcGuardedCall(GuardedRoutine routine, void *context);
#else
LONG __cdecl VcGuardedCall(GuardedRoutine routine, void *context);
#endif
}

namespace {

constexpr LONG kAccessViolation = static_cast<LONG>(0xC0000005L);

void Count(void *context) { ++*static_cast<int *>(context); }

void WriteThrough(void *context) {
  // The pointer comes from the test so the compiler cannot see it is bad.
  *static_cast<volatile int *volatile *>(context)[0] = 1;
}

void Raise(void *) { RaiseException(0xE0000001u, 0, 0, nullptr); }

TEST(GuardedCall, ARoutineThatReturnsAnswersSuccess) {
  int calls = 0;
  EXPECT_EQ(VcGuardedCall(Count, &calls), 0);
  EXPECT_EQ(calls, 1);
}

TEST(GuardedCall, AFaultIsAnsweredAsAnAccessViolation) {
  volatile int *bad[1] = {reinterpret_cast<volatile int *>(static_cast<uintptr_t>(0x10))};
  EXPECT_EQ(VcGuardedCall(WriteThrough, bad), kAccessViolation);
  // Memory given back to the system faults the same way.
  void *gone = VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  ASSERT_NE(gone, nullptr);
  ASSERT_TRUE(VirtualFree(gone, 0, MEM_RELEASE));
  bad[0] = static_cast<volatile int *>(gone);
  EXPECT_EQ(VcGuardedCall(WriteThrough, bad), kAccessViolation);
}

TEST(GuardedCall, ARaisedExceptionIsAnsweredAsAnAccessViolation) {
  EXPECT_EQ(VcGuardedCall(Raise, nullptr), kAccessViolation);
}

struct Deep {
  int depth;
  volatile int *target;
};

// Faults several frames down, each frame holding values the unwind must
// restore on the way out.
__attribute__((noinline)) int Descend(Deep *deep, int level) {
  volatile int keep = level * 7;
  if (level == deep->depth) {
    *deep->target = keep;
    return keep;
  }
  return Descend(deep, level + 1) + keep;
}

void DescendAndFault(void *context) { Descend(static_cast<Deep *>(context), 0); }

TEST(GuardedCall, TheCallersStateSurvivesAFaultManyFramesDown) {
  Deep deep{12, reinterpret_cast<volatile int *>(static_cast<uintptr_t>(0x20))};
  // Values live across the call, in the registers a callee must preserve.
  uint64_t a = 0x1111111111111111ull, b = 0x2222222222222222ull, c = 0x3333333333333333ull;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(VcGuardedCall(DescendAndFault, &deep), kAccessViolation);
    a += 1;
    b += 2;
    c += 3;
  }
  EXPECT_EQ(a, 0x1111111111111114ull);
  EXPECT_EQ(b, 0x2222222222222228ull);
  EXPECT_EQ(c, 0x333333333333333Cull);
}

struct Nested {
  LONG inner = 1;
  volatile int *bad[1] = {reinterpret_cast<volatile int *>(static_cast<uintptr_t>(0x30))};
};

void GuardInside(void *context) {
  auto *nested = static_cast<Nested *>(context);
  nested->inner = VcGuardedCall(WriteThrough, nested->bad);
}

TEST(GuardedCall, AnInnerFrameCatchesItsOwnFault) {
  Nested nested;
  EXPECT_EQ(VcGuardedCall(GuardInside, &nested), 0);
  EXPECT_EQ(nested.inner, kAccessViolation);
}

TEST(GuardedCall, ManyFaultsInARowLeaveTheStackAsItWas) {
  volatile int *bad[1] = {reinterpret_cast<volatile int *>(static_cast<uintptr_t>(0x40))};
  volatile char marker = 0x5A;
  for (int i = 0; i < 2000; ++i) ASSERT_EQ(VcGuardedCall(WriteThrough, bad), kAccessViolation) << i;
  int calls = 0;
  EXPECT_EQ(VcGuardedCall(Count, &calls), 0);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(marker, 0x5A);
}

}  // namespace
