// Port contract: how the registry, service manager, device and clock ports
// behave. Run natively against the emulated adapters and under Wine against
// the win32 adapters, so the emulation is held to what Windows does.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/contract/contract_environment.h"
#include "platform/win_errors.h"

namespace tolven::contract {
namespace {

const WString kServiceKey = WString(u"SYSTEM\\CurrentControlSet\\Services\\") + kServiceName;

class PortContract : public ::testing::Test {
 protected:
  void SetUp() override {
    env_ = MakeContractEnvironment();
    ResetMachine(P());
  }
  void TearDown() override { ResetMachine(P()); }
  Ports P() { return env_->ports(); }
  reg::Registry &Reg() { return env_->ports().registry; }
  svc::ServiceManager &Scm() { return env_->ports().services; }

  reg::Key Scratch(reg::Key root = reg::kCurrentUser) {
    reg::Key key = 0;
    EXPECT_EQ(Reg().CreateKey(root, kScratchKey, reg::kAllAccess, &key), win::kErrorSuccess);
    return key;
  }

  svc::Handle CreateDriverService(svc::Handle manager) {
    svc::ServiceConfig config;
    config.name = kServiceName;
    config.imagePath = WString(u"\\SystemRoot\\SYSTEM32\\DRIVERS\\") + kServiceName + u".SYS";
    config.loadOrderGroup = u"Base";
    return Scm().Create(manager, config);
  }

  uint32_t ReadDword(reg::Key root, const WString &path, WStringView name) {
    reg::Key key = 0;
    if (Reg().OpenKey(root, path, reg::kQueryValue, &key) != win::kErrorSuccess) return 0xDEAD;
    uint32_t value = 0, type = 0, size = 4;
    reg::Status status = Reg().QueryValue(key, name, &type, &value, &size);
    Reg().CloseKey(key);
    return status == win::kErrorSuccess && type == reg::kDword ? value : 0xDEAD;
  }

  std::unique_ptr<ContractEnvironment> env_;
};

TEST_F(PortContract, RegistryValuesKeepTheirTypesAndBytes) {
  reg::Key key = Scratch();
  const uint8_t blob[5] = {1, 2, 0, 0xFE, 5};
  ASSERT_EQ(reg::SetDword(Reg(), key, u"Number", 0x12345678u), win::kErrorSuccess);
  ASSERT_EQ(Reg().SetValue(key, u"Blob", reg::kBinary, blob, 5), win::kErrorSuccess);
  ASSERT_EQ(reg::SetString(Reg(), key, u"Text", u"VidCap0"), win::kErrorSuccess);

  uint8_t buffer[32] = {};
  uint32_t type = 0, size = sizeof buffer;
  ASSERT_EQ(Reg().QueryValue(key, u"number", &type, buffer, &size), win::kErrorSuccess);
  EXPECT_EQ(type, reg::kDword);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 4), (std::vector<uint8_t>{0x78, 0x56, 0x34, 0x12}));

  size = sizeof buffer;
  ASSERT_EQ(Reg().QueryValue(key, u"Blob", &type, buffer, &size), win::kErrorSuccess);
  EXPECT_EQ(type, reg::kBinary);
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(0, std::memcmp(buffer, blob, 5));

  size = sizeof buffer;
  ASSERT_EQ(Reg().QueryValue(key, u"TEXT", &type, buffer, &size), win::kErrorSuccess);
  EXPECT_EQ(type, reg::kSz);
  EXPECT_EQ(size, 16u);  // seven characters and the terminator, UTF-16
  EXPECT_EQ(buffer[0], 'V');
  EXPECT_EQ(buffer[1], 0);
  Reg().CloseKey(key);
}

TEST_F(PortContract, ShortBufferAnswersMoreDataWithTheNeededSize) {
  reg::Key key = Scratch();
  const uint8_t qword[8] = {1, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_EQ(Reg().SetValue(key, u"Wide", reg::kQword, qword, 8), win::kErrorSuccess);
  uint8_t dword[4] = {};
  uint32_t type = 0, size = 4;
  EXPECT_EQ(Reg().QueryValue(key, u"Wide", &type, dword, &size), win::kErrorMoreData);
  EXPECT_EQ(size, 8u);

  ASSERT_EQ(reg::SetString(Reg(), key, u"Long", u"0123456789"), win::kErrorSuccess);
  char16_t text[4] = {};
  size = sizeof text;
  EXPECT_EQ(Reg().QueryValue(key, u"Long", &type, text, &size), win::kErrorMoreData);
  EXPECT_EQ(size, 22u);

  // Without a buffer only the size is reported.
  size = 0;
  EXPECT_EQ(Reg().QueryValue(key, u"Long", &type, nullptr, &size), win::kErrorSuccess);
  EXPECT_EQ(size, 22u);
  EXPECT_EQ(type, reg::kSz);
  Reg().CloseKey(key);
}

TEST_F(PortContract, MissingKeysAndValuesAnswerFileNotFound) {
  reg::Key key = 0;
  EXPECT_EQ(Reg().OpenKey(reg::kCurrentUser, WString(kScratchKey) + u"\\Absent", reg::kRead, &key),
            win::kErrorFileNotFound);
  key = Scratch();
  uint32_t type = 0, value = 0, size = 4;
  EXPECT_EQ(Reg().QueryValue(key, u"Absent", &type, &value, &size), win::kErrorFileNotFound);
  EXPECT_EQ(Reg().DeleteValue(key, u"Absent"), win::kErrorFileNotFound);
  EXPECT_EQ(Reg().DeleteKey(key, u"Absent"), win::kErrorFileNotFound);
  Reg().CloseKey(key);
}

TEST_F(PortContract, KeyNamesAreCaseInsensitiveAndCreateOpensExisting) {
  reg::Key key = Scratch();
  reg::Key child = 0;
  ASSERT_EQ(Reg().CreateKey(key, u"Child\\Grand", reg::kAllAccess, &child), win::kErrorSuccess);
  ASSERT_EQ(reg::SetDword(Reg(), child, u"V", 7), win::kErrorSuccess);
  Reg().CloseKey(child);
  ASSERT_EQ(Reg().CreateKey(key, u"CHILD\\grand", reg::kAllAccess, &child), win::kErrorSuccess);
  uint32_t value = 0, type = 0, size = 4;
  EXPECT_EQ(Reg().QueryValue(child, u"v", &type, &value, &size), win::kErrorSuccess);
  EXPECT_EQ(value, 7u);
  Reg().CloseKey(child);
  Reg().CloseKey(key);
}

TEST_F(PortContract, KeyWithSubkeysIsNotDeletedButDeleteTreeRemovesAll) {
  reg::Key key = Scratch();
  reg::Key child = 0;
  ASSERT_EQ(Reg().CreateKey(key, u"A\\B", reg::kAllAccess, &child), win::kErrorSuccess);
  Reg().CloseKey(child);
  EXPECT_NE(Reg().DeleteKey(key, u"A"), win::kErrorSuccess);
  WString name;
  ASSERT_EQ(Reg().EnumKey(key, 0, &name), win::kErrorSuccess);
  EXPECT_EQ(name, u"A");
  EXPECT_EQ(Reg().EnumKey(key, 1, &name), win::kErrorNoMoreItems);
  EXPECT_EQ(reg::DeleteTree(Reg(), key, u"A"), win::kErrorSuccess);
  EXPECT_EQ(Reg().EnumKey(key, 0, &name), win::kErrorNoMoreItems);
  Reg().CloseKey(key);
}

TEST_F(PortContract, KeyOpenedForQueryCannotSetValues) {
  Reg().CloseKey(Scratch());
  reg::Key key = 0;
  ASSERT_EQ(Reg().OpenKey(reg::kCurrentUser, kScratchKey, reg::kQueryValue, &key), win::kErrorSuccess);
  EXPECT_EQ(reg::SetDword(Reg(), key, u"V", 1), win::kErrorAccessDenied);
  Reg().CloseKey(key);
}

TEST_F(PortContract, DeletedValueIsGone) {
  reg::Key key = Scratch(reg::kLocalMachine);
  ASSERT_EQ(reg::SetDword(Reg(), key, u"V", 1), win::kErrorSuccess);
  EXPECT_EQ(Reg().DeleteValue(key, u"V"), win::kErrorSuccess);
  uint32_t size = 0;
  EXPECT_EQ(Reg().QueryValue(key, u"V", nullptr, nullptr, &size), win::kErrorFileNotFound);
  Reg().CloseKey(key);
}

TEST_F(PortContract, OpeningAMissingServiceAnswers1060) {
  svc::Handle manager = Scm().OpenManager(svc::kManagerAllAccess);
  ASSERT_NE(manager, 0u);
  EXPECT_EQ(Scm().Open(manager, u"tolvenkNoSuchService", svc::kServiceAllAccess), 0u);
  EXPECT_EQ(Scm().LastError(), win::kErrorServiceDoesNotExist);
  Scm().CloseHandle(manager);
}

TEST_F(PortContract, CreatedKernelDriverServiceIsRecordedInTheRegistry) {
  svc::Handle manager = Scm().OpenManager(svc::kManagerAllAccess);
  ASSERT_NE(manager, 0u);
  svc::Handle lock = Scm().LockDatabase(manager);
  ASSERT_NE(lock, 0u);
  svc::Handle service = CreateDriverService(manager);
  ASSERT_NE(service, 0u) << Scm().LastError();
  EXPECT_TRUE(Scm().UnlockDatabase(lock));

  EXPECT_EQ(ReadDword(reg::kLocalMachine, kServiceKey, u"Type"), svc::kKernelDriver);
  EXPECT_EQ(ReadDword(reg::kLocalMachine, kServiceKey, u"Start"), svc::kDemandStart);
  EXPECT_EQ(ReadDword(reg::kLocalMachine, kServiceKey, u"ErrorControl"), svc::kErrorNormal);

  svc::Status status;
  ASSERT_TRUE(Scm().QueryStatus(service, &status));
  EXPECT_EQ(status.serviceType, svc::kKernelDriver);
  EXPECT_EQ(status.currentState, svc::kStopped);

  EXPECT_TRUE(Scm().ChangeStartType(service, svc::kSystemStart));
  EXPECT_EQ(ReadDword(reg::kLocalMachine, kServiceKey, u"Start"), svc::kSystemStart);

  // A second creation of the same name is refused.
  EXPECT_EQ(CreateDriverService(manager), 0u);
  EXPECT_EQ(Scm().LastError(), win::kErrorServiceExists);

  // A stopped service is deleted at once, with its key.
  EXPECT_TRUE(Scm().Delete(service));
  Scm().CloseHandle(service);
  EXPECT_EQ(Scm().Open(manager, kServiceName, svc::kServiceAllAccess), 0u);
  EXPECT_EQ(Scm().LastError(), win::kErrorServiceDoesNotExist);
  reg::Key key = 0;
  EXPECT_EQ(Reg().OpenKey(reg::kLocalMachine, kServiceKey, reg::kRead, &key), win::kErrorFileNotFound);
  Scm().CloseHandle(manager);
}

TEST_F(PortContract, StartedDriverRunsUntilStopped) {
  ASSERT_TRUE(env_->ProvideDriverFile(kServiceName));
  svc::Handle manager = Scm().OpenManager(svc::kManagerAllAccess);
  ASSERT_NE(manager, 0u);
  svc::Handle service = CreateDriverService(manager);
  ASSERT_NE(service, 0u);

  svc::Status status;
  EXPECT_FALSE(Scm().Control(service, svc::kControlInterrogate, &status));
  EXPECT_EQ(Scm().LastError(), win::kErrorServiceNotActive);

  ASSERT_TRUE(Scm().Start(service)) << Scm().LastError();
  ASSERT_TRUE(Scm().QueryStatus(service, &status));
  EXPECT_EQ(status.currentState, svc::kRunning);
  EXPECT_FALSE(Scm().Start(service));
  EXPECT_EQ(Scm().LastError(), win::kErrorServiceAlreadyRunning);
  EXPECT_TRUE(Scm().Control(service, svc::kControlInterrogate, &status));
  EXPECT_EQ(status.currentState, svc::kRunning);

  // The driver reported itself.
  EXPECT_EQ(ReadDword(reg::kLocalMachine, kServiceKey + u"\\Parameters", u"InstallError"), 0u);

  ASSERT_TRUE(Scm().Control(service, svc::kControlStop, &status));
  for (int i = 0; i < 50 && status.currentState != svc::kStopped; ++i) {
    P().clock.Sleep(20);
    Scm().QueryStatus(service, &status);
  }
  EXPECT_EQ(status.currentState, svc::kStopped);
  EXPECT_FALSE(Scm().Control(service, svc::kControlStop, &status));
  EXPECT_EQ(Scm().LastError(), win::kErrorServiceNotActive);

  EXPECT_TRUE(Scm().Delete(service));
  Scm().CloseHandle(service);
  Scm().CloseHandle(manager);
}

TEST_F(PortContract, DeviceOpensOnlyWhileItsDriverRuns) {
  dev::DeviceIo &io = P().devices;
  EXPECT_EQ(io.OpenDevice(u"\\\\.\\VidCap0", dev::kGenericRead, 0, dev::kFlagOverlapped),
            dev::kInvalidHandle);
  EXPECT_EQ(io.LastError(), win::kErrorFileNotFound);

  ASSERT_TRUE(env_->ProvideDriverFile(kServiceName));
  svc::Handle manager = Scm().OpenManager(svc::kManagerAllAccess);
  svc::Handle service = CreateDriverService(manager);
  ASSERT_TRUE(Scm().Start(service));

  dev::Handle device = io.OpenDevice(u"\\\\.\\VidCap0", dev::kGenericRead, 0, dev::kFlagOverlapped);
  ASSERT_NE(device, dev::kInvalidHandle) << io.LastError();
  dev::Handle event = io.NewEvent(false, false);
  EXPECT_NE(event, 0u);
  EXPECT_TRUE(io.CloseHandle(event));
  EXPECT_TRUE(io.CloseHandle(device));

  svc::Status status;
  Scm().Control(service, svc::kControlStop, &status);
  Scm().Delete(service);
  Scm().CloseHandle(service);
  Scm().CloseHandle(manager);
  EXPECT_EQ(io.OpenDevice(u"\\\\.\\VidCap0", dev::kGenericRead, 0, dev::kFlagOverlapped),
            dev::kInvalidHandle);
}

TEST_F(PortContract, SecondOpenOfAHeldDeviceFails) {
  if (!env_->ShowsExclusiveOpen())
    GTEST_SKIP() << "Wine hands out a device handle before the driver answers the open, "
                    "so a refused second open cannot be seen here";
  ASSERT_TRUE(env_->ProvideDriverFile(kServiceName));
  svc::Handle manager = Scm().OpenManager(svc::kManagerAllAccess);
  svc::Handle service = CreateDriverService(manager);
  ASSERT_TRUE(Scm().Start(service));
  dev::DeviceIo &io = P().devices;
  dev::Handle first = io.OpenDevice(u"\\\\.\\VidCap0", dev::kGenericRead, 0, dev::kFlagOverlapped);
  ASSERT_NE(first, dev::kInvalidHandle);
  EXPECT_EQ(io.OpenDevice(u"\\\\.\\VidCap0", dev::kGenericRead, 0, dev::kFlagOverlapped),
            dev::kInvalidHandle);
  EXPECT_TRUE(io.CloseHandle(first));
  dev::Handle again = io.OpenDevice(u"\\\\.\\VidCap0", dev::kGenericRead, 0, dev::kFlagOverlapped);
  EXPECT_NE(again, dev::kInvalidHandle);
  io.CloseHandle(again);
  Scm().CloseHandle(service);
  Scm().CloseHandle(manager);
}

TEST_F(PortContract, SleepAdvancesTheClock) {
  uint32_t before = P().clock.Milliseconds();
  P().clock.Sleep(30);
  // The tick count advances in steps of up to 16 ms (on Windows, and under
  // 64-bit Wine, which refreshes it on that period), so either reading may
  // lag by one step.
  EXPECT_GE(P().clock.Milliseconds() - before, 30u - 16u);
}

}  // namespace
}  // namespace tolven::contract
