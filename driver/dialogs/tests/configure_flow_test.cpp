// DRV_CONFIGURE's dialog over the real configuration store and kernel link
// on an emulated machine whose kernel service runs tolvenk's logic.
#include <gtest/gtest.h>

#include "driver/link/config_store.h"
#include "driver/link/kernel_link.h"
#include "driver/dialogs/driver_dialogs.h"
#include "driver/dialogs/tests/fake_dialog_view.h"
#include "driver/tuning/embedded_resources.h"
#include "kernel/emulated/tolvenk_image.h"
#include "platform/emulated/emulated_platform.h"

namespace tolven::dialogs::testing {
namespace {

constexpr char16_t kParameters[] = u"SYSTEM\\CurrentControlSet\\Services\\tolvenk\\Parameters";

// The driver object's three operations as the driver object does them.
class StoreBackend : public DriverSettingsBackend {
 public:
  explicit StoreBackend(EmulatedPlatform &machine) : machine_(machine) {}
  bool ReadParameterDword(WStringView name, uint32_t *value) override {
    return store_.ReadParameterDword(name, value);
  }
  bool WriteParameterDword(WStringView name, uint32_t value) override {
    return store_.WriteParameterDword(name, value);
  }
  bool InstallService() override {
    ServiceProfile *profile = OpenServiceProfile(u"tolvenk");
    bool done = InstallAndStartService(machine_.ports(), profile, nullptr, nullptr);
    CloseServiceProfile(machine_.ports(), profile);
    return done;
  }

 private:
  EmulatedPlatform &machine_;
  ConfigStore store_{machine_.registry, u"tolvenk"};
};

class ConfigureFlowTest : public ::testing::Test {
 protected:
  ConfigureFlowTest() {
    tuning::InstallTuningResources(machine.resources);
    dialogs.AttachDriver(&backend);
    locale.SetUserCountryCode(u"49");
    runner.user = [](FakeDialogView &view, DialogPresenter &presenter) {
      view.Choose(IDC_SETTINGS_ORIGIN, u"Japan");
      view.Choose(IDC_SETTINGS_TYPE, u"Cable Video");
      presenter.OnCommand(view, IDC_OK, 0);
    };
  }
  std::optional<uint32_t> Parameter(WStringView name) {
    reg::Key key = 0;
    if (machine.registry.OpenKey(reg::kLocalMachine, kParameters, reg::kRead, &key) != 0)
      return std::nullopt;
    uint32_t type = 0, value = 0, size = 4;
    bool ok = machine.registry.QueryValue(key, name, &type, &value, &size) == 0 && type == reg::kDword;
    machine.registry.CloseKey(key);
    return ok ? std::optional<uint32_t>(value) : std::nullopt;
  }

  EmulatedPlatform machine;
  loc::EmulatedLocale locale;
  strings::EmbeddedStringTable strings{locale};
  StoreBackend backend{machine};
  ScriptedRunner runner;
  DriverDialogs dialogs{runner, machine.resources, strings, locale};
};

TEST_F(ConfigureFlowTest, OkStartsTheKernelServiceAndStoresTheChoice) {
  machine.services.InstallDriverImage(
      u"tolvenk.sys", std::make_shared<kernel::TolvenkDriverImage>(machine.registry, machine.devices));
  EXPECT_TRUE(dialogs.RunDriverSettings(0));
  EXPECT_EQ(Parameter(u"InstallError"), 0u);
  EXPECT_EQ(Parameter(u"tune_CountryCode"), 81u);
  EXPECT_EQ(Parameter(u"tune_Type"), 32u);
  EXPECT_TRUE(machine.devices.IsPublished(u"VidCap0"));

  // The next time the dialog opens on what was stored.
  runner.user = [](FakeDialogView &view, DialogPresenter &presenter) {
    presenter.OnCommand(view, IDC_CANCEL, 0);
  };
  EXPECT_FALSE(dialogs.RunDriverSettings(0));
  EXPECT_EQ(runner.lastView.SelectedText(IDC_SETTINGS_ORIGIN), u"Japan");
  EXPECT_EQ(runner.lastView.SelectedText(IDC_SETTINGS_TYPE), u"Cable Video");
}

TEST_F(ConfigureFlowTest, WithoutTheKernelDriverFileOkStoresNothingButStillAnswersOk) {
  // The service is created but cannot start: no "InstallError" is written.
  EXPECT_TRUE(dialogs.RunDriverSettings(0));
  EXPECT_TRUE(machine.services.Exists(u"tolvenk"));
  EXPECT_FALSE(Parameter(u"InstallError"));
  EXPECT_FALSE(Parameter(u"tune_CountryCode"));
  EXPECT_FALSE(Parameter(u"tune_Type"));
}

}  // namespace
}  // namespace tolven::dialogs::testing
