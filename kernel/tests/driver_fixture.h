// The driver loaded on a fresh emulated kernel, with helpers to open the
// device and send it requests the way the I/O manager builds them.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
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
  // A 40-byte video header over caller memory the kernel has mapped.
  std::vector<uint8_t> Header(ULONG data, ULONG length, ULONG offset = 0, ULONG copyLength = 0);

  EmulatedKernel k_;
  PDEVICE_OBJECT device_ = nullptr;
  FILE_OBJECT holder_{};  // opened by SetUp
  static constexpr ULONG kCallerBase = 0x00400000;
  std::vector<uint8_t> callerMemory_ = std::vector<uint8_t>(4096, 0xEE);
};

}  // namespace tolven::kernel
