// The stream-buffer header's two forms, byte by byte: where every field the
// driver reads or writes lies in the 40-byte 32-bit form and the 72-byte
// 64-bit form, and how requests of each form are told apart and bounded.
#include <gtest/gtest.h>

#include <numeric>

#include "kernel/tests/driver_fixture.h"

namespace tolven::kernel {
namespace {

TEST(HeaderForms, The32BitFormIsFortyBytesOfDwords) {
  const VC_HEADER_FORM &f = VcHeaderForm32;
  EXPECT_EQ(f.Size, 40u);
  EXPECT_EQ(f.PointerBytes, 4u);
  EXPECT_EQ(f.Data, 0u);
  EXPECT_EQ(f.BufferLength, 4u);
  EXPECT_EQ(f.BytesUsed, 8u);
  EXPECT_EQ(f.TimeCaptured, 12u);
  EXPECT_EQ(f.User, 16u);
  EXPECT_EQ(f.Flags, 20u);
  EXPECT_EQ(f.Reserved, 24u);
  EXPECT_EQ(f.Reserved + 4u * f.PointerBytes, f.Size);
}

TEST(HeaderForms, The64BitFormIsSeventyTwoBytesNaturallyAligned) {
  const VC_HEADER_FORM &f = VcHeaderForm64;
  EXPECT_EQ(f.Size, 72u);
  EXPECT_EQ(f.PointerBytes, 8u);
  EXPECT_EQ(f.Data, 0u);
  EXPECT_EQ(f.BufferLength, 8u);
  EXPECT_EQ(f.BytesUsed, 12u);
  EXPECT_EQ(f.TimeCaptured, 16u);
  EXPECT_EQ(f.User, 24u);
  EXPECT_EQ(f.Flags, 32u);
  EXPECT_EQ(f.Reserved, 40u);
  EXPECT_EQ(f.Reserved + 4u * f.PointerBytes, f.Size);
  EXPECT_EQ(VC_HEADER_MAX_BYTES, 72);
}

// Bytes 0, 1, 2, ... so every value read names the offsets it came from.
std::vector<uint8_t> Counting(size_t lead = 0) {
  std::vector<uint8_t> bytes(lead + VC_HEADER_MAX_BYTES);
  std::iota(bytes.begin() + lead, bytes.end(), uint8_t{0});
  return bytes;
}

TEST(HeaderForms, AccessorsRead32BitFieldsWhereTheyLie) {
  auto bytes = Counting();
  VC_HEADER h;
  VcHeaderInit(&h, bytes.data(), TRUE);
  EXPECT_EQ(VcHeaderSize(&h), 40u);
  EXPECT_EQ(VcHeaderData(&h), 0x03020100u);
  EXPECT_EQ(VcHeaderBufferLength(&h), 0x07060504u);
  EXPECT_EQ(VcHeaderBytesUsed(&h), 0x0B0A0908u);
  EXPECT_EQ(VcHeaderTimeCaptured(&h), 0x0F0E0D0Cu);
  EXPECT_EQ(VcHeaderReserved(&h, 0), 0x1B1A1918u);
  EXPECT_EQ(VcHeaderReserved(&h, 1), 0x1F1E1D1Cu);
  EXPECT_EQ(VcHeaderReserved(&h, 3), 0x27262524u);
}

TEST(HeaderForms, AccessorsRead64BitFieldsWhereTheyLie) {
  auto bytes = Counting();
  VC_HEADER h;
  VcHeaderInit(&h, bytes.data(), FALSE);
  EXPECT_EQ(VcHeaderSize(&h), 72u);
  EXPECT_EQ(VcHeaderData(&h), 0x0706050403020100u);
  EXPECT_EQ(VcHeaderBufferLength(&h), 0x0B0A0908u);
  EXPECT_EQ(VcHeaderBytesUsed(&h), 0x0F0E0D0Cu);
  EXPECT_EQ(VcHeaderTimeCaptured(&h), 0x13121110u);
  EXPECT_EQ(VcHeaderReserved(&h, 0), 0x2F2E2D2C2B2A2928u);
  EXPECT_EQ(VcHeaderReserved(&h, 1), 0x3736353433323130u);
  EXPECT_EQ(VcHeaderReserved(&h, 3), 0x4746454443424140u);
}

// Each setter changes its own four bytes and nothing else, also when the
// header does not start on an aligned address.
void ExpectSettersTouchOnly(BOOLEAN caller32, size_t lead, size_t lengthAt, size_t usedAt,
                            size_t timeAt) {
  auto bytes = Counting(lead);
  auto before = bytes;
  VC_HEADER h;
  VcHeaderInit(&h, bytes.data() + lead, caller32);
  VcHeaderSetBufferLength(&h, 0xA1A2A3A4);
  VcHeaderSetBytesUsed(&h, 0xB1B2B3B4);
  VcHeaderSetTimeCaptured(&h, 0xC1C2C3C4);
  for (size_t i = 0; i < bytes.size(); ++i) {
    size_t at = i - lead;
    if (i >= lead && at >= lengthAt && at < lengthAt + 4)
      EXPECT_EQ(bytes[i], 0xA4 - (at - lengthAt)) << i;
    else if (i >= lead && at >= usedAt && at < usedAt + 4)
      EXPECT_EQ(bytes[i], 0xB4 - (at - usedAt)) << i;
    else if (i >= lead && at >= timeAt && at < timeAt + 4)
      EXPECT_EQ(bytes[i], 0xC4 - (at - timeAt)) << i;
    else
      EXPECT_EQ(bytes[i], before[i]) << i;
  }
  EXPECT_EQ(VcHeaderBufferLength(&h), 0xA1A2A3A4u);
  EXPECT_EQ(VcHeaderBytesUsed(&h), 0xB1B2B3B4u);
  EXPECT_EQ(VcHeaderTimeCaptured(&h), 0xC1C2C3C4u);
}

TEST(HeaderForms, SettersWriteOnlyTheirField) {
  ExpectSettersTouchOnly(TRUE, 0, 4, 8, 12);
  ExpectSettersTouchOnly(TRUE, 1, 4, 8, 12);
  ExpectSettersTouchOnly(FALSE, 0, 8, 12, 16);
  ExpectSettersTouchOnly(FALSE, 3, 8, 12, 16);
}

TEST(HeaderForms, TheNativeFormIsTheDriversOwnWidth) {
  uint8_t bytes[VC_HEADER_MAX_BYTES] = {};
  VC_HEADER h;
  VcHeaderInitNative(&h, bytes);
  EXPECT_EQ(VcHeaderSize(&h), sizeof(void *) == 8 ? 72u : 40u);
}

// ---- requests: which form, and what the driver does with each ----

using HeaderRequests = DriverTest;

TEST_F(HeaderRequests, RequestsComeFromA64BitProcessUnlessMarked) {
  EXPECT_FALSE(k_.NewControl(&holder_, IOCTL_VC_ADD_BUFFER, nullptr, 0, 0)->caller32);
  EXPECT_FALSE(k_.NewRequest(IRP_MJ_CREATE, &holder_)->caller32);
}

TEST_F(HeaderRequests, ThirtyTwoBitHeadersFromA64BitProcessAreTooSmall) {
  caller32_ = true;
  auto header32 = Header(kCallerBase, 64);
  caller32_ = false;
  // Forty bytes are short of the 64-bit form: the In and Out checks scale.
  EXPECT_EQ(Control(IOCTL_VC_ADD_BUFFER, header32, 40)->Status(), STATUS_BUFFER_TOO_SMALL);
  header32.resize(72, 0);
  EXPECT_EQ(Control(IOCTL_VC_ADD_BUFFER, header32, 40)->Status(), STATUS_BUFFER_TOO_SMALL);
  EXPECT_EQ(Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64), 40)->Status(),
            STATUS_BUFFER_TOO_SMALL);
  EXPECT_EQ(k_.MdlCount(), 0u);
}

TEST_F(HeaderRequests, A32BitProcessIsReadInThe32BitFormWhateverItsBufferSize) {
  caller32_ = true;
  // 72 bytes from a 32-bit process: the first 40 are its header; the data
  // pointer and length are dwords at 0 and 4.
  auto in = Header(kCallerBase + 16, 48);
  in.resize(72, 0xFF);
  auto r = Control(IOCTL_VC_ADD_BUFFER, in, 72);
  ASSERT_EQ(r->returned, STATUS_PENDING);
  EXPECT_EQ(r->irp.MdlAddress->CallerAddress, kCallerBase + 16);
  EXPECT_EQ(r->irp.MdlAddress->ByteCount, 48u);
  Close(holder_);
}

TEST_F(HeaderRequests, A64BitProcessMayNameDataAboveFourGigabytes) {
  constexpr ULONG_PTR kHigh = 0x00000001'00400000ull;
  std::vector<uint8_t> high(256, 0xEE);
  k_.MapCallerMemory(kHigh, high.data(), static_cast<ULONG>(high.size()));
  auto r = Control(IOCTL_VC_ADD_BUFFER, Header(kHigh, 256), 72);
  ASSERT_EQ(r->returned, STATUS_PENDING);
  EXPECT_EQ(r->irp.MdlAddress->CallerAddress, kHigh);
  Close(holder_);
  // Its low dword alone is the mapped low range: only the whole pointer
  // tells that the request names memory that is not there.
  k_.UnmapCallerMemory(kHigh);
  EXPECT_EQ(static_cast<uint32_t>(kHigh), kCallerBase);
  FILE_OBJECT file{};
  ASSERT_EQ(Open(file), STATUS_SUCCESS);
  r = Control(IOCTL_VC_ADD_BUFFER, Header(kHigh, 64), 72, &file);
  EXPECT_EQ(r->Status(), STATUS_ACCESS_VIOLATION);
  Close(file);
}

// A 64-bit caller can name an address near the top of the address space;
// its end wraps past zero and must not pass for a range the caller mapped.
TEST_F(HeaderRequests, ARangeThatWrapsPastTheTopOfMemoryIsAnAccessViolation) {
  // Above every mapped range, the last of which starts at kCallerBase; its
  // end, formed naively, wraps to an address inside that range.
  constexpr ULONG_PTR kNearTop = ~ULONG_PTR{0} - 0xFF;
  ext()->ImageSize = 0;
  auto r = Control(IOCTL_VC_ADD_BUFFER, Header(kNearTop, 0x200), 72);
  EXPECT_EQ(r->Status(), STATUS_ACCESS_VIOLATION);
  EXPECT_EQ(k_.MdlCount(), 0u);
  Close(holder_);
}

class WidePartialCopy : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    ext()->ImageSize = 16;
    ext()->PartialBuffer = static_cast<PUCHAR>(ExAllocatePoolWithTag(NonPagedPool, 16, VC_POOL_TAG));
    for (int i = 0; i < 16; ++i) ext()->PartialBuffer[i] = static_cast<UCHAR>(0xA0 + i);
    ext()->PartialReady = 1;
  }
};

TEST_F(WidePartialCopy, AnOffsetIsReadAtItsFullWidth) {
  // 4 in the low dword, but 2^32 + 4 in all: beyond the frame.
  auto r = Control(IOCTL_VC_PARTIAL_COPY, Header(kCallerBase, 16, 0x1'00000004ull, 4), 72);
  EXPECT_EQ(r->Status(), STATUS_BUFFER_TOO_SMALL);
  for (uint8_t byte : callerMemory_) ASSERT_EQ(byte, 0xEE);
}

TEST_F(WidePartialCopy, ALengthAboveFourGigabytesCopiesToTheFrameEnd) {
  // Its low dword is 0; at full width it reaches past the frame.
  auto r = Control(IOCTL_VC_PARTIAL_COPY, Header(kCallerBase, 16, 6, 0x1'00000000ull), 72);
  ASSERT_EQ(r->Status(), STATUS_SUCCESS);
  EXPECT_EQ(r->Information(), 72u);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(callerMemory_[i], 0xEE) << i;
  for (int i = 6; i < 16; ++i) EXPECT_EQ(callerMemory_[i], 0xA0 + i) << i;
  EXPECT_EQ(callerMemory_[16], 0xEE);
}

TEST_F(WidePartialCopy, The32BitFormReadsOffsetAndLengthAsDwords) {
  caller32_ = true;
  // Reserved values 0 and 1 at 24 and 28; 32 onwards is not the length.
  auto in = Header(kCallerBase, 16, 2, 3);
  in.resize(72, 0x7F);
  auto r = Control(IOCTL_VC_PARTIAL_COPY, in, 72);
  ASSERT_EQ(r->Status(), STATUS_SUCCESS);
  EXPECT_EQ(r->Information(), 40u);
  EXPECT_EQ(r->Dword(8), 16u);
  EXPECT_EQ(callerMemory_[1], 0xEE);
  for (int i = 2; i < 5; ++i) EXPECT_EQ(callerMemory_[i], 0xA0 + i) << i;
  EXPECT_EQ(callerMemory_[5], 0xEE);
}

}  // namespace
}  // namespace tolven::kernel
