// The driver loaded on a fresh emulated kernel, with helpers to open the
// device and send it requests the way the I/O manager builds them.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "kernel/emulated/emulated_kernel.h"
#include "kernel/vc/vclib.h"

namespace tolven::kernel {

inline constexpr char16_t kServiceName[] = u"tolvenk";

KString ParametersPath();

// Bytes of a request's input: dwords in order.
std::vector<uint8_t> Dwords(std::initializer_list<uint32_t> values, size_t size = 0);

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Loads the driver; the default SetUp does this once.
  void Load();
  PDEVICE_OBJECT device() { return device_; }
  PVC_DEVICE_EXTENSION ext() { return static_cast<PVC_DEVICE_EXTENSION>(device_->DeviceExtension); }
  PVC_CALLBACK_TABLE callbacks() { return VC_GetCallbackTable(ext()); }

  NTSTATUS Open(FILE_OBJECT &file);
  NTSTATUS Close(FILE_OBJECT &file);
  std::unique_ptr<EmulatedRequest> Control(ULONG code, const std::vector<uint8_t> &in,
                                           ULONG outSize, FILE_OBJECT *file = nullptr);
  std::unique_ptr<EmulatedRequest> Control(ULONG code, ULONG inSize, ULONG outSize,
                                           FILE_OBJECT *file = nullptr);
  // A stream-buffer header of the form the requests' process sends (see
  // caller32_): data pointer, buffer length, and the partial-frame copy
  // offset and length in the first two reserved values.
  std::vector<uint8_t> Header(ULONG_PTR data, ULONG length, ULONGLONG offset = 0,
                              ULONGLONG copyLength = 0) const;
  ULONG HeaderSize() const { return caller32_ ? 40 : 72; }
  // Where the driver writes into the header.
  size_t BytesUsedAt() const { return caller32_ ? 8 : 12; }
  size_t TimeCapturedAt() const { return caller32_ ? 12 : 16; }

  EmulatedKernel k_;
  // Requests sent by Control() come from a 32-bit process; by default they
  // come from a 64-bit one, as on the 64-bit system the emulated kernel is.
  bool caller32_ = false;
  PDEVICE_OBJECT device_ = nullptr;
  FILE_OBJECT holder_{};  // opened by SetUp
  static constexpr ULONG kCallerBase = 0x00400000;
  std::vector<uint8_t> callerMemory_ = std::vector<uint8_t>(4096, 0xEE);
};

// The two forms of the stream-buffer header, for tests that run with both.
struct HeaderForm {
  const char *name;
  bool caller32;
};
inline void PrintTo(const HeaderForm &form, std::ostream *os) { *os << form.name; }
inline constexpr HeaderForm kCaller32{"Caller32", true};
inline constexpr HeaderForm kCaller64{"Caller64", false};

class FormTest : public DriverTest, public ::testing::WithParamInterface<HeaderForm> {
 protected:
  void SetUp() override {
    caller32_ = GetParam().caller32;
    DriverTest::SetUp();
  }
};

std::string FormName(const ::testing::TestParamInfo<HeaderForm> &info);

#define TOLVEN_BOTH_HEADER_FORMS(suite) \
  INSTANTIATE_TEST_SUITE_P(Forms, suite, ::testing::Values(kCaller32, kCaller64), FormName)

}  // namespace tolven::kernel
