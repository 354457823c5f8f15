// The kernel link against whatever machine the contract environment gives:
// natively the emulated one, under Wine the real service manager with the
// minimal kernel driver installed as the service.
#include <gtest/gtest.h>

#include "driver/link/config_store.h"
#include "driver/link/kernel_link.h"
#include "platform/contract/contract_environment.h"

namespace tolven::contract {
namespace {

class KernelLinkContract : public ::testing::Test {
 protected:
  void SetUp() override {
    env_ = MakeContractEnvironment();
    ResetMachine(env_->ports());
    ASSERT_TRUE(env_->ProvideDriverFile(kKernelServiceName));
    profile_ = OpenServiceProfile(kKernelServiceName);
  }
  void TearDown() override {
    CloseServiceProfile(env_->ports(), profile_);
    ResetMachine(env_->ports());
  }
  std::unique_ptr<ContractEnvironment> env_;
  ServiceProfile *profile_ = nullptr;
};

TEST_F(KernelLinkContract, InstallOpenAndRemove) {
  Ports ports = env_->ports();
  EXPECT_FALSE(EnsureService(ports, kKernelServiceName, kGroupBase, profile_, false));
  EXPECT_TRUE(IsServicePresent(ports, profile_));
  EXPECT_FALSE(IsServiceRunning(ports, profile_));

  ASSERT_TRUE(InstallAndStartService(ports, profile_, nullptr, nullptr));
  EXPECT_TRUE(IsServiceRunning(ports, profile_));

  ConfigStore store(ports.registry, kKernelServiceName);
  WString deviceName;
  EXPECT_TRUE(store.ReadParameterString(u"DeviceName", &deviceName));
  EXPECT_EQ(deviceName, u"VidCap0");
  uint32_t installError = 1;
  // A stored 0 is a real value, read as present.
  EXPECT_TRUE(store.ReadParameterDword(u"InstallError", &installError));
  EXPECT_EQ(installError, 0u);
  EXPECT_TRUE(store.WriteParameterDword(u"tune_Type", 2));

  DeviceLink *link = OpenDeviceLink(ports, kKernelServiceName, 0);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(OpenDeviceLink(ports, kKernelServiceName, 1), nullptr);
  CloseDeviceLink(ports, link);

  EXPECT_TRUE(RemoveService(ports, profile_));
  EXPECT_FALSE(IsServiceRunning(ports, profile_));
  EXPECT_FALSE(store.ReadParameterString(u"DeviceName", &deviceName));
  EXPECT_FALSE(store.WriteParameterDword(u"tune_Type", 2));
  EXPECT_EQ(OpenDeviceLink(ports, kKernelServiceName, 0), nullptr);
  EXPECT_TRUE(RemoveService(ports, profile_));  // nothing left to remove
}

}  // namespace
}  // namespace tolven::contract
