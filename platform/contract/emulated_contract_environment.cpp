// The contract cases on the emulated adapters: a fresh emulated machine per
// case, with the kernel service's real request logic as the driver file.
#include "platform/contract/contract_environment.h"
#include "kernel/emulated/tolvenk_image.h"
#include "platform/emulated/emulated_platform.h"

namespace tolven::contract {
namespace {

class EmulatedEnvironment : public ContractEnvironment {
 public:
  Ports ports() override { return platform_.ports(); }
  bool ProvideDriverFile(WStringView serviceName) override {
    platform_.services.InstallDriverImage(WString(serviceName) + u".SYS",
                                          std::make_shared<kernel::TolvenkDriverImage>(platform_.registry, platform_.devices));
    return true;
  }
  bool ShowsExclusiveOpen() const override { return true; }

 private:
  EmulatedPlatform platform_;
};

}  // namespace

std::unique_ptr<ContractEnvironment> MakeContractEnvironment() {
  return std::make_unique<EmulatedEnvironment>();
}

}  // namespace tolven::contract
