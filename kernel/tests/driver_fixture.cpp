#include "kernel/tests/driver_fixture.h"

namespace tolven::kernel {

KString ParametersPath() { return EmulatedKernel::ServiceKeyPath(kServiceName) + u"\\Parameters"; }

std::vector<uint8_t> Dwords(std::initializer_list<uint32_t> values, size_t size) {
  std::vector<uint8_t> bytes(std::max(size, values.size() * 4), 0);
  size_t offset = 0;
  for (uint32_t v : values) {
    std::memcpy(bytes.data() + offset, &v, 4);
    offset += 4;
  }
  return bytes;
}

void DriverTest::SetUp() {
  Load();
  ASSERT_NE(device_, nullptr);
  k_.MapCallerMemory(kCallerBase, callerMemory_.data(), static_cast<ULONG>(callerMemory_.size()));
  ASSERT_EQ(Open(holder_), STATUS_SUCCESS);
}

void DriverTest::Load() {
  ASSERT_EQ(k_.LoadDriver(DriverEntry, EmulatedKernel::ServiceKeyPath(kServiceName)), STATUS_SUCCESS);
  device_ = k_.Driver()->DeviceObject;
}

void DriverTest::TearDown() {
  if (device_) {
    EXPECT_EQ(ext()->Mutex.OwnerCount, 0);
  }
  EXPECT_FALSE(k_.CancelLockHeld());
  k_.UnloadDriver();
  EXPECT_EQ(k_.DeviceCount(), 0u);
  EXPECT_EQ(k_.LinkCount(), 0u);
  EXPECT_EQ(k_.PoolBlocks(), 0u);
  EXPECT_EQ(k_.MdlCount(), 0u);
  for (const auto &v : k_.Violations()) ADD_FAILURE() << "I/O rule broken: " << v;
}

NTSTATUS DriverTest::Open(FILE_OBJECT &file) {
  auto request = k_.NewRequest(IRP_MJ_CREATE, &file);
  NTSTATUS status = k_.Send(device_, *request);
  EXPECT_TRUE(request->Completed());
  EXPECT_EQ(request->Information(), 0u);
  return status;
}

NTSTATUS DriverTest::Close(FILE_OBJECT &file) {
  auto request = k_.NewRequest(IRP_MJ_CLOSE, &file);
  NTSTATUS status = k_.Send(device_, *request);
  EXPECT_TRUE(request->Completed());
  return status;
}

std::unique_ptr<EmulatedRequest> DriverTest::Control(ULONG code, const std::vector<uint8_t> &in,
                                                     ULONG outSize, FILE_OBJECT *file) {
  auto request = k_.NewControl(file ? file : &holder_, code, in.data(),
                               static_cast<ULONG>(in.size()), outSize);
  request->caller32 = caller32_;
  k_.Send(device_, *request);
  return request;
}

std::unique_ptr<EmulatedRequest> DriverTest::Control(ULONG code, ULONG inSize, ULONG outSize,
                                                     FILE_OBJECT *file) {
  return Control(code, std::vector<uint8_t>(inSize, 0), outSize, file);
}

namespace {
template <typename T>
void Put(std::vector<uint8_t> &bytes, size_t offset, T value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}
}  // namespace

std::vector<uint8_t> DriverTest::Header(ULONG_PTR data, ULONG length, ULONGLONG offset,
                                        ULONGLONG copyLength) const {
  std::vector<uint8_t> bytes(HeaderSize(), 0);
  if (caller32_) {
    // data, length, used, time, user, flags, reserved[4]: all dwords.
    Put(bytes, 0, static_cast<uint32_t>(data));
    Put(bytes, 4, length);
    Put(bytes, 24, static_cast<uint32_t>(offset));
    Put(bytes, 28, static_cast<uint32_t>(copyLength));
  } else {
    // data 0, length 8, used 12, time 16, user 24, flags 32, reserved 40:
    // pointer-sized data, user and reserved values.
    Put(bytes, 0, static_cast<uint64_t>(data));
    Put(bytes, 8, length);
    Put(bytes, 40, static_cast<uint64_t>(offset));
    Put(bytes, 48, static_cast<uint64_t>(copyLength));
  }
  return bytes;
}

std::string FormName(const ::testing::TestParamInfo<HeaderForm> &info) { return info.param.name; }

}  // namespace tolven::kernel
