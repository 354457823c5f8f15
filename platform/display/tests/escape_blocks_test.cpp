// Both layouts of every escape block, field by field: the 32-bit one and the
// x64 one (pointer fields 64 bits wide and naturally aligned, everything
// else unchanged), and the blocks that are the same in both.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "platform/display/escape_blocks.h"

namespace tolven::display {
namespace {

TEST(EscapeBlockLayout, BusTransaction32) {
  using B = BusTransactionBlock32;
  EXPECT_EQ(sizeof(B), 32u);
  EXPECT_EQ(offsetof(B, reserved0), 0u);
  EXPECT_EQ(offsetof(B, reserved1), 4u);
  EXPECT_EQ(offsetof(B, writeBuffer), 8u);
  EXPECT_EQ(sizeof(B::writeBuffer), 4u);
  EXPECT_EQ(offsetof(B, writeLength), 12u);
  EXPECT_EQ(offsetof(B, readBuffer), 16u);
  EXPECT_EQ(sizeof(B::readBuffer), 4u);
  EXPECT_EQ(offsetof(B, readLength), 20u);
  EXPECT_EQ(offsetof(B, transactionCount), 24u);
  EXPECT_EQ(offsetof(B, busFlag), 28u);
}

TEST(EscapeBlockLayout, BusTransactionX64) {
  using B = BusTransactionBlockX64;
  EXPECT_EQ(sizeof(B), 48u);
  EXPECT_EQ(offsetof(B, reserved0), 0u);
  EXPECT_EQ(offsetof(B, reserved1), 4u);
  EXPECT_EQ(offsetof(B, writeBuffer), 8u);
  EXPECT_EQ(sizeof(B::writeBuffer), 8u);
  EXPECT_EQ(offsetof(B, writeLength), 16u);
  EXPECT_EQ(sizeof(B::writeLength), 4u);
  EXPECT_EQ(offsetof(B, readBuffer), 24u);
  EXPECT_EQ(sizeof(B::readBuffer), 8u);
  EXPECT_EQ(offsetof(B, readLength), 32u);
  EXPECT_EQ(offsetof(B, transactionCount), 36u);
  EXPECT_EQ(offsetof(B, busFlag), 40u);
  EXPECT_EQ(alignof(B), 8u);
}

TEST(EscapeBlockLayout, VideoPortCommandBothLayouts) {
  EXPECT_EQ(sizeof(VideoPortCommand32), 12u);
  EXPECT_EQ(offsetof(VideoPortCommand32, reserved), 0u);
  EXPECT_EQ(offsetof(VideoPortCommand32, function), 4u);
  EXPECT_EQ(offsetof(VideoPortCommand32, block), 8u);
  EXPECT_EQ(sizeof(VideoPortCommand32::block), 4u);
  EXPECT_EQ(sizeof(VideoPortCommandX64), 16u);
  EXPECT_EQ(offsetof(VideoPortCommandX64, reserved), 0u);
  EXPECT_EQ(offsetof(VideoPortCommandX64, function), 4u);
  EXPECT_EQ(offsetof(VideoPortCommandX64, block), 8u);
  EXPECT_EQ(sizeof(VideoPortCommandX64::block), 8u);
}

TEST(EscapeBlockLayout, EnumerationBlockBothLayouts) {
  EXPECT_EQ(sizeof(VideoPortEnumBlock32), 12u);
  EXPECT_EQ(offsetof(VideoPortEnumBlock32, index), 0u);
  EXPECT_EQ(offsetof(VideoPortEnumBlock32, item), 4u);
  EXPECT_EQ(offsetof(VideoPortEnumBlock32, count), 8u);
  EXPECT_EQ(sizeof(VideoPortEnumBlockX64), 24u);
  EXPECT_EQ(offsetof(VideoPortEnumBlockX64, index), 0u);
  EXPECT_EQ(offsetof(VideoPortEnumBlockX64, item), 8u);
  EXPECT_EQ(sizeof(VideoPortEnumBlockX64::item), 8u);
  EXPECT_EQ(offsetof(VideoPortEnumBlockX64, count), 16u);
}

// The x64 layout of a block, written through the template, puts the bytes
// where a 64-bit display driver reads them.
TEST(EscapeBlockLayout, X64BusBlockBytes) {
  BusTransactionBlockX64 block{};
  block.writeBuffer = 0x1122334455667788ull;
  block.writeLength = 3;
  block.readBuffer = 0x8877665544332211ull;
  block.readLength = 2;
  block.transactionCount = 1;
  block.busFlag = 1;
  uint8_t bytes[48];
  std::memcpy(bytes, &block, sizeof bytes);
  uint64_t write = 0, read = 0;
  uint32_t writeLength = 0, readLength = 0, count = 0, flag = 0;
  std::memcpy(&write, bytes + 8, 8);
  std::memcpy(&writeLength, bytes + 16, 4);
  std::memcpy(&read, bytes + 24, 8);
  std::memcpy(&readLength, bytes + 32, 4);
  std::memcpy(&count, bytes + 36, 4);
  std::memcpy(&flag, bytes + 40, 4);
  EXPECT_EQ(write, 0x1122334455667788ull);
  EXPECT_EQ(writeLength, 3u);
  EXPECT_EQ(read, 0x8877665544332211ull);
  EXPECT_EQ(readLength, 2u);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(flag, 1u);
}

TEST(EscapeBlockLayout, BlocksWithoutPointersAreTheSameInBothLayouts) {
  EXPECT_EQ(sizeof(VideoPortDescription), 72u);
  EXPECT_EQ(offsetof(VideoPortDescription, fieldWidth), 4u);
  EXPECT_EQ(offsetof(VideoPortDescription, fieldHeight), 12u);
  EXPECT_EQ(offsetof(VideoPortDescription, maxPixelsPerSecond), 20u);
  EXPECT_EQ(offsetof(VideoPortDescription, reserved1), 28u);
  EXPECT_EQ(offsetof(VideoPortDescription, connection), 32u);
  EXPECT_EQ(offsetof(VideoPortDescription, reserved2), 64u);
  EXPECT_EQ(offsetof(VideoPortDescription, reserved3), 68u);
  EXPECT_EQ(sizeof(VideoPortConnection), 32u);
  EXPECT_EQ(offsetof(VideoPortConnection, portWidth), 4u);
  EXPECT_EQ(offsetof(VideoPortConnection, type), 8u);
  EXPECT_EQ(offsetof(VideoPortConnection, flags), 24u);
  EXPECT_EQ(offsetof(VideoPortConnection, reserved1), 28u);
  EXPECT_EQ(sizeof(PixelFormat), 32u);
  EXPECT_EQ(offsetof(PixelFormat, fourCC), 8u);
  EXPECT_EQ(sizeof(VideoPortBandwidthBlock), 8u);
  EXPECT_EQ(offsetof(VideoPortBandwidthBlock, bandwidth), 4u);
  EXPECT_EQ(kDisplayModeInfoSize, 220);
}

// The three pixel-format pointers stay 32 bits wide, so the video-port
// information keeps 64 bytes and the create and update blocks 192 and 176.
TEST(EscapeBlockLayout, VideoPortInformationAndTheCreateAndUpdateBlocks) {
  EXPECT_EQ(sizeof(VideoPortInfo), 64u);
  EXPECT_EQ(offsetof(VideoPortInfo, flags), 12u);
  EXPECT_EQ(offsetof(VideoPortInfo, crop), 16u);
  EXPECT_EQ(offsetof(VideoPortInfo, prescaleWidth), 32u);
  EXPECT_EQ(offsetof(VideoPortInfo, prescaleHeight), 36u);
  EXPECT_EQ(offsetof(VideoPortInfo, inputFormat), 40u);
  EXPECT_EQ(sizeof(VideoPortInfo::inputFormat), 4u);
  EXPECT_EQ(offsetof(VideoPortInfo, vbiInputFormat), 44u);
  EXPECT_EQ(offsetof(VideoPortInfo, vbiOutputFormat), 48u);
  EXPECT_EQ(offsetof(VideoPortInfo, vbiHeight), 52u);
  EXPECT_EQ(offsetof(VideoPortInfo, reserved2), 60u);
  EXPECT_EQ(sizeof(VideoPortUpdateBlock), 176u);
  EXPECT_EQ(offsetof(VideoPortUpdateBlock, info), 72u);
  EXPECT_EQ(offsetof(VideoPortUpdateBlock, keyType), 136u);
  EXPECT_EQ(offsetof(VideoPortUpdateBlock, keyValue), 140u);
  EXPECT_EQ(offsetof(VideoPortUpdateBlock, source), 144u);
  EXPECT_EQ(offsetof(VideoPortUpdateBlock, destination), 160u);
  EXPECT_EQ(sizeof(VideoPortCreateBlock), 192u);
  EXPECT_EQ(offsetof(VideoPortCreateBlock, output), 176u);
}

}  // namespace
}  // namespace tolven::display
