// The display-driver escapes the card is driven through, and the blocks they
// carry. Both sides (the capture driver and any display driver answering
// them, real or simulated) use these layouts.
//
// A block with pointer fields is defined once over the type of its pointer
// fields and exists in two layouts: the 32-bit one (`...32`) and the x64 one
// (`...X64`), where each pointer field is 64 bits wide and naturally aligned,
// in the same field order, and every other field keeps its 32-bit width. The
// plain name is the layout this build speaks (platform/display/wire_pointer.h).
// Blocks without pointer fields are the same in both.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/display/gdi.h"
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
template <typename PointerField>
struct BusTransactionBlockOf {
  uint32_t reserved0;
  uint32_t reserved1;
  alignas(PointerField) PointerField writeBuffer;
  uint32_t writeLength;  // address byte included
  alignas(PointerField) PointerField readBuffer;
  uint32_t readLength;
  uint32_t transactionCount;  // 1
  uint32_t busFlag;
};
using BusTransactionBlock32 = BusTransactionBlockOf<wire::Pointer32>;
using BusTransactionBlockX64 = BusTransactionBlockOf<wire::Pointer64>;
using BusTransactionBlock = BusTransactionBlockOf<wire::Pointer>;
static_assert(sizeof(BusTransactionBlock32) == 32);
static_assert(offsetof(BusTransactionBlock32, writeBuffer) == 8);
static_assert(offsetof(BusTransactionBlock32, writeLength) == 12);
static_assert(offsetof(BusTransactionBlock32, readBuffer) == 16);
static_assert(offsetof(BusTransactionBlock32, readLength) == 20);
static_assert(offsetof(BusTransactionBlock32, transactionCount) == 24);
static_assert(offsetof(BusTransactionBlock32, busFlag) == 28);
static_assert(sizeof(BusTransactionBlockX64) == 48);
static_assert(offsetof(BusTransactionBlockX64, writeBuffer) == 8);
static_assert(offsetof(BusTransactionBlockX64, writeLength) == 16);
static_assert(offsetof(BusTransactionBlockX64, readBuffer) == 24);
static_assert(offsetof(BusTransactionBlockX64, readLength) == 32);
static_assert(offsetof(BusTransactionBlockX64, transactionCount) == 36);
static_assert(offsetof(BusTransactionBlockX64, busFlag) == 40);

// Escape 150 input: a video-port command. Output: one 32-bit result, 1 on
// success.
template <typename PointerField>
struct VideoPortCommandOf {
  uint32_t reserved;
  uint32_t function;
  alignas(PointerField) PointerField block;
};
using VideoPortCommand32 = VideoPortCommandOf<wire::Pointer32>;
using VideoPortCommandX64 = VideoPortCommandOf<wire::Pointer64>;
using VideoPortCommand = VideoPortCommandOf<wire::Pointer>;
static_assert(sizeof(VideoPortCommand32) == 12);
static_assert(offsetof(VideoPortCommand32, function) == 4);
static_assert(offsetof(VideoPortCommand32, block) == 8);
static_assert(sizeof(VideoPortCommandX64) == 16);
static_assert(offsetof(VideoPortCommandX64, function) == 4);
static_assert(offsetof(VideoPortCommandX64, block) == 8);

// Escape 128 output size; dwords 1 and 2 are the horizontal and vertical
// divisors of the bandwidth check.
inline constexpr int kDisplayModeInfoSize = 220;

// ---------------------------------------------------------------------------
// Escape 150 function blocks. The command's `block` points at
// the function's block; the escape's output is the 32-bit result, 1 on
// success.
//
//   0  probe            VideoPortDescription (72 bytes). In: field width and
//                       height, maximum pixel rate, connection, bits per field
//                       pixel in `reserved1`. Out: the key colour the display
//                       driver wants in `reserved2` (0: none).
//   2  create, start    VideoPortCreateBlock (192 bytes)
//   3  stop, destroy    no block (pointer 0)
//   5  bandwidth        VideoPortBandwidthBlock {bits per pixel in,
//                       available bandwidth out} (8 bytes)
//   6  connections      VideoPortEnumBlock {index, pointer to a
//                       VideoPortConnection or 0, count out}: a null pointer
//                       asks for the number of connections; otherwise the
//                       connection at `index` is written (its port id in
//                       `reserved1`)
//   9  input formats    VideoPortEnumBlock with a PixelFormat pointer: count,
//                       or the format at `index` (FOURCC in `fourCC`)
//   13 update           VideoPortUpdateBlock (176 bytes: the create block
//                       without the output rectangle)
//
// Create and update blocks: the description, the video-port information
// (crop rectangle = source rectangle, prescale size = capture size), the
// key-colour record (type 0 palette index, 2 15-bit colour, 6 24-bit, 9
// 32-bit colour), the source and destination rectangles, and for create the
// output rectangle. Fields not named here are zero.
// ---------------------------------------------------------------------------

enum VideoPortFunction : uint32_t {
  kVideoPortProbe = 0,
  kVideoPortCreate = 2,
  kVideoPortDestroy = 3,
  kVideoPortBandwidth = 5,
  kVideoPortConnections = 6,
  kVideoPortInputFormats = 9,
  kVideoPortUpdate = 13,
};

struct Guid {
  uint32_t data1;
  uint16_t data2, data3;
  uint8_t data4[8];
  friend bool operator==(const Guid &, const Guid &) = default;
};
static_assert(sizeof(Guid) == 16);

// Video-port type GUIDs of the connection type codes 1, 2 and 4.
inline constexpr Guid kVideoPortTypeCode1{0x1352A560, 0xDA61, 0x11CF, {0x9B, 0x06, 0x00, 0xA0, 0xC9, 0x03, 0xA3, 0xB8}};
inline constexpr Guid kVideoPortTypeCode2{0x332CF160, 0xDA61, 0x11CF, {0x9B, 0x06, 0x00, 0xA0, 0xC9, 0x03, 0xA3, 0xB8}};
inline constexpr Guid kVideoPortTypeCode4{0xFCA326A0, 0xDA60, 0x11CF, {0x9B, 0x06, 0x00, 0xA0, 0xC9, 0x03, 0xA3, 0xB8}};
// Code → GUID (the null GUID for any other code) and back (an unknown GUID
// reads as 1).
Guid VideoPortTypeGuid(uint32_t code);
uint32_t VideoPortTypeCode(const Guid &guid);

// DDVIDEOPORTCONNECT.
struct VideoPortConnection {
  uint32_t size;  // 32
  uint32_t portWidth;
  Guid type;
  uint32_t flags;
  uint32_t reserved1;  // port id
};
static_assert(sizeof(VideoPortConnection) == 32);

// DDVIDEOPORTDESC.
struct VideoPortDescription {
  uint32_t size;  // 72
  uint32_t fieldWidth;
  uint32_t vbiWidth;
  uint32_t fieldHeight;
  uint32_t microsecondsPerField;
  uint32_t maxPixelsPerSecond;
  uint32_t videoPortId;
  uint32_t reserved1;  // bits per field pixel
  VideoPortConnection connection;
  uint32_t reserved2;  // key colour from the display driver on a probe
  uint32_t reserved3;
};
static_assert(sizeof(VideoPortDescription) == 72);
static_assert(offsetof(VideoPortDescription, reserved1) == 28);
static_assert(offsetof(VideoPortDescription, connection) == 32);
static_assert(offsetof(VideoPortDescription, reserved2) == 64);

// DDVIDEOPORTINFO.
struct VideoPortInfo {
  uint32_t size;  // 64
  uint32_t originX, originY;
  uint32_t flags;
  Rect crop;
  uint32_t prescaleWidth, prescaleHeight;
  // Pixel-format pointers this system always leaves null; they keep their
  // 32-bit width in both layouts, so the create and update blocks do too.
  uint32_t inputFormat;
  uint32_t vbiInputFormat;
  uint32_t vbiOutputFormat;
  uint32_t vbiHeight;
  uint32_t reserved1, reserved2;
};
static_assert(sizeof(VideoPortInfo) == 64);
static_assert(offsetof(VideoPortInfo, inputFormat) == 40);
static_assert(offsetof(VideoPortInfo, vbiHeight) == 52);
static_assert(offsetof(VideoPortInfo, crop) == 16);
static_assert(offsetof(VideoPortInfo, prescaleWidth) == 32);

// DDPIXELFORMAT.
struct PixelFormat {
  uint32_t size;  // 32
  uint32_t flags;
  uint32_t fourCC;
  uint32_t bitCount;
  uint32_t masks[4];
};
static_assert(sizeof(PixelFormat) == 32);

constexpr uint32_t FourCC(char a, char b, char c, char d) {
  return static_cast<uint32_t>(static_cast<uint8_t>(a)) | static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}
inline constexpr uint32_t kFourCCUyvy = FourCC('U', 'Y', 'V', 'Y');

struct VideoPortBandwidthBlock {
  uint32_t bitsPerPixel;
  uint32_t bandwidth;
};
static_assert(sizeof(VideoPortBandwidthBlock) == 8);

template <typename PointerField>
struct VideoPortEnumBlockOf {
  uint32_t index;
  // VideoPortConnection or PixelFormat; 0 asks for the count.
  alignas(PointerField) PointerField item;
  uint32_t count;
};
using VideoPortEnumBlock32 = VideoPortEnumBlockOf<wire::Pointer32>;
using VideoPortEnumBlockX64 = VideoPortEnumBlockOf<wire::Pointer64>;
using VideoPortEnumBlock = VideoPortEnumBlockOf<wire::Pointer>;
static_assert(sizeof(VideoPortEnumBlock32) == 12);
static_assert(offsetof(VideoPortEnumBlock32, item) == 4);
static_assert(offsetof(VideoPortEnumBlock32, count) == 8);
static_assert(sizeof(VideoPortEnumBlockX64) == 24);
static_assert(offsetof(VideoPortEnumBlockX64, item) == 8);
static_assert(offsetof(VideoPortEnumBlockX64, count) == 16);

enum KeyColourType : uint32_t {
  kKeyPaletteIndex = 0,
  kKey15Bit = 2,
  kKey24Bit = 6,
  kKey32Bit = 9,
};

struct VideoPortUpdateBlock {
  VideoPortDescription description;
  VideoPortInfo info;
  uint32_t keyType;
  uint32_t keyValue;
  Rect source;
  Rect destination;
};
static_assert(sizeof(VideoPortUpdateBlock) == 176);
static_assert(offsetof(VideoPortUpdateBlock, info) == 72);
static_assert(offsetof(VideoPortUpdateBlock, keyType) == 136);
static_assert(offsetof(VideoPortUpdateBlock, source) == 144);
static_assert(offsetof(VideoPortUpdateBlock, destination) == 160);

struct VideoPortCreateBlock {
  VideoPortUpdateBlock update;
  Rect output;
};
static_assert(sizeof(VideoPortCreateBlock) == 192);

}  // namespace tolven::display
