// The display-driver escapes the card is driven through, and the blocks they
// carry. Both sides (the capture driver and any display driver answering
// them, real or simulated) use these layouts; pointer fields are 32-bit wire
// pointers (platform/display/wire_pointer.h).
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/display/wire_pointer.h"

namespace tolven::display {

enum EscapeCode : int {
  kEscapeDisplayModeInfo = 128,
  kEscapeBusTransaction = 142,
  kEscapeVideoPort = 150,
};

// Escape 142 input: one control-bus transaction. The write buffer starts with
// the 8-bit bus address (bit 0 clear: write, set: read). Output: one signed
// 32-bit result, non-zero when the transaction was acknowledged.
struct BusTransactionBlock {
  uint32_t reserved0;
  uint32_t reserved1;
  wire::Pointer writeBuffer;
  uint32_t writeLength;  // address byte included
  wire::Pointer readBuffer;
  uint32_t readLength;
  uint32_t transactionCount;  // 1
  uint32_t busFlag;
};
static_assert(sizeof(BusTransactionBlock) == 32);
static_assert(offsetof(BusTransactionBlock, writeBuffer) == 8);
static_assert(offsetof(BusTransactionBlock, readBuffer) == 16);
static_assert(offsetof(BusTransactionBlock, busFlag) == 28);

// Escape 150 input: a video-port command. Output: one 32-bit result, 1 on
// success.
struct VideoPortCommand {
  uint32_t reserved;
  uint32_t function;
  wire::Pointer block;
};
static_assert(sizeof(VideoPortCommand) == 12);

// Escape 128 output size; dwords 1 and 2 are the horizontal and vertical
// divisors of the bandwidth check.
inline constexpr int kDisplayModeInfoSize = 220;

}  // namespace tolven::display
