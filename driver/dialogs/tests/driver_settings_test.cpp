// The Driver Settings dialog's behaviour, on a fake view.
#include "driver/dialogs/driver_settings_dlg.h"

#include <gtest/gtest.h>

#include <map>

#include "driver/dialogs/driver_dialogs.h"
#include "driver/dialogs/tests/fake_dialog_view.h"
#include "driver/tuning/embedded_resources.h"

namespace tolven::dialogs::testing {
namespace {

// The driver object's parameters in memory, and an installation that
// succeeds or fails and may leave an "InstallError".
class FakeDriver : public DriverSettingsBackend {
 public:
  bool ReadParameterDword(WStringView name, uint32_t *value) override {
    auto it = values.find(WString(name));
    if (it == values.end()) {
      *value = 0xFFFFFFFFu;  // what the configuration store reports
      return false;
    }
    *value = it->second;
    return true;
  }
  bool WriteParameterDword(WStringView name, uint32_t value) override {
    writes.emplace_back(name, value);
    values[WString(name)] = value;
    return true;
  }
  bool InstallService() override {
    ++installs;
    if (installErrorAfterInstall) values[u"InstallError"] = *installErrorAfterInstall;
    return installSucceeds;
  }

  std::map<WString, uint32_t> values;
  std::vector<std::pair<WString, uint32_t>> writes;
  int installs = 0;
  bool installSucceeds = true;
  std::optional<uint32_t> installErrorAfterInstall = 0;
};

class DriverSettingsTest : public ::testing::Test {
 protected:
  DriverSettingsTest() {
    tuning::InstallTuningResources(resources);
    view.MakeSorted(IDC_SETTINGS_ORIGIN);
  }
  void Open() { dialog.OnInitDialog(view); }
  WString Origin() { return view.SelectedText(IDC_SETTINGS_ORIGIN); }
  WString Type() { return view.SelectedText(IDC_SETTINGS_TYPE); }
  void Press(int button) { dialog.OnCommand(view, button, 0); }

  FakeDriver driver;
  res::EmulatedResources resources;
  loc::EmulatedLocale locale;
  strings::EmbeddedStringTable strings{locale};
  CDriverSettingsDlg dialog{driver, resources, strings, locale};
  FakeDialogView view;
};

TEST_F(DriverSettingsTest, WithNothingStoredALocaleOfCountryCode49OpensOnGermany) {
  locale.SetUserCountryCode(u"49");
  Open();
  EXPECT_EQ(Origin(), u"Germany");
  EXPECT_EQ(Type(), u"Broadcast Terrestrial Video");
}

TEST_F(DriverSettingsTest, TheStoredCountryComesBeforeTheLocale) {
  locale.SetUserCountryCode(u"49");
  driver.values[u"tune_CountryCode"] = 33;
  Open();
  EXPECT_EQ(Origin(), u"France");
}

TEST_F(DriverSettingsTest, WithoutStoredCountryOrLocaleTheUnitedKingdomIsChosen) {
  locale.SetUserCountryCodeUnavailable();
  Open();
  EXPECT_EQ(Origin(), u"United Kingdom (UK)");
}

TEST_F(DriverSettingsTest, ACodeNoCountryHasSelectsTheFirstEntry) {
  driver.values[u"tune_CountryCode"] = 12345;
  Open();
  EXPECT_EQ(view.ListSelection(IDC_SETTINGS_ORIGIN), 0);
  EXPECT_EQ(Origin(), u"Afghanistan");
  // A locale text that is no number reads as 0, which no country has.
  locale.SetUserCountryCode(u"x49");
  driver.values.clear();
  FakeDialogView second;
  second.MakeSorted(IDC_SETTINGS_ORIGIN);
  dialog.OnInitDialog(second);
  EXPECT_EQ(second.ListSelection(IDC_SETTINGS_ORIGIN), 0);
}

TEST_F(DriverSettingsTest, AStoredTypeOtherThanBroadcastSelectsCableVideo) {
  for (uint32_t stored : {32u, 5u, 0u, 0x7FFFFFFFu}) {
    FakeDialogView v;
    v.MakeSorted(IDC_SETTINGS_ORIGIN);
    driver.values[u"tune_Type"] = stored;
    dialog.OnInitDialog(v);
    EXPECT_EQ(v.SelectedText(IDC_SETTINGS_TYPE), u"Cable Video") << stored;
  }
  driver.values[u"tune_Type"] = 2;
  Open();
  EXPECT_EQ(Type(), u"Broadcast Terrestrial Video");
}

TEST_F(DriverSettingsTest, TheTypeListHoldsBothSignalTypesWithTheirCodes) {
  Open();
  ASSERT_EQ(view.ListCount(IDC_SETTINGS_TYPE), 2);
  EXPECT_EQ(view.ListItemText(IDC_SETTINGS_TYPE, 0), u"Broadcast Terrestrial Video");
  EXPECT_EQ(view.ListItemData(IDC_SETTINGS_TYPE, 0), 2u);
  EXPECT_EQ(view.ListItemText(IDC_SETTINGS_TYPE, 1), u"Cable Video");
  EXPECT_EQ(view.ListItemData(IDC_SETTINGS_TYPE, 1), 32u);
}

TEST_F(DriverSettingsTest, EveryCountryIsListedAndCountriesSharingACodeAllAppear) {
  Open();
  EXPECT_EQ(view.ListCount(IDC_SETTINGS_ORIGIN), 218);
  auto texts = view.Texts(IDC_SETTINGS_ORIGIN);
  for (const char16_t *name : {u"Russia", u"Kazakhstan", u"Kyrgyzstan", u"Tajikistan",
                               u"Turkmenistan", u"Uzbekistan"})
    EXPECT_EQ(std::count(texts.begin(), texts.end(), WString(name)), 1) << Narrow(name);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), WString(u"Bahrain")), 2);
  // Each entry carries its own record.
  for (int i = 0; i < view.ListCount(IDC_SETTINGS_ORIGIN); ++i) {
    uintptr_t record = view.ListItemData(IDC_SETTINGS_ORIGIN, i);
    ASSERT_LT(record, dialog.Countries().size());
    EXPECT_EQ(dialog.Countries()[record].name, view.ListItemText(IDC_SETTINGS_ORIGIN, i));
  }
}

TEST_F(DriverSettingsTest, ASharedCodeSelectsTheFirstCountryOfItInTableOrder) {
  driver.values[u"tune_CountryCode"] = 7;
  Open();
  EXPECT_EQ(Origin(), u"Russia");  // not "Kazakhstan", which sorts first
  FakeDialogView v;
  v.MakeSorted(IDC_SETTINGS_ORIGIN);
  driver.values[u"tune_CountryCode"] = 42;
  dialog.OnInitDialog(v);
  EXPECT_EQ(v.SelectedText(IDC_SETTINGS_ORIGIN), u"Czech Republic");
  FakeDialogView w;
  w.MakeSorted(IDC_SETTINGS_ORIGIN);
  driver.values[u"tune_CountryCode"] = 672;
  dialog.OnInitDialog(w);
  EXPECT_EQ(w.SelectedText(IDC_SETTINGS_ORIGIN), u"Christmas Island");
}

TEST_F(DriverSettingsTest, TheNameSearchMatchesABeginningAndStartsAfterTheFirstEntry) {
  // "Niger" (227) also begins "Nigeria"; the first match after entry 0 wins.
  driver.values[u"tune_CountryCode"] = 227;
  Open();
  EXPECT_EQ(Origin(), u"Niger");
  // The first entry is reached by wrapping round.
  FakeDialogView v;
  v.MakeSorted(IDC_SETTINGS_ORIGIN);
  driver.values[u"tune_CountryCode"] = 93;
  dialog.OnInitDialog(v);
  EXPECT_EQ(v.ListSelection(IDC_SETTINGS_ORIGIN), 0);
  EXPECT_EQ(v.SelectedText(IDC_SETTINGS_ORIGIN), u"Afghanistan");
}

TEST_F(DriverSettingsTest, OkInstallsTheServiceAndStoresTheChoice) {
  Open();
  ASSERT_TRUE(view.Choose(IDC_SETTINGS_ORIGIN, u"Japan"));
  ASSERT_TRUE(view.Choose(IDC_SETTINGS_TYPE, u"Cable Video"));
  Press(IDC_OK);
  EXPECT_EQ(driver.installs, 1);
  EXPECT_EQ(driver.values[u"tune_CountryCode"], 81u);
  EXPECT_EQ(driver.values[u"tune_Type"], 32u);
  EXPECT_EQ(view.ended, IDC_OK);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(DriverSettingsTest, OkWithInstallErrorMissingStoresNothing) {
  driver.values[u"tune_CountryCode"] = 49;
  driver.values[u"tune_Type"] = 2;
  driver.installErrorAfterInstall.reset();
  Open();
  view.Choose(IDC_SETTINGS_ORIGIN, u"Japan");
  view.Choose(IDC_SETTINGS_TYPE, u"Cable Video");
  Press(IDC_OK);
  EXPECT_EQ(driver.installs, 1);
  EXPECT_TRUE(driver.writes.empty());
  EXPECT_EQ(driver.values[u"tune_CountryCode"], 49u);
  EXPECT_EQ(driver.values[u"tune_Type"], 2u);
  EXPECT_EQ(view.ended, IDC_OK);  // still OK for DRV_CONFIGURE
}

TEST_F(DriverSettingsTest, OkAfterAFailedOrBrokenInstallationStoresNothing) {
  driver.installErrorAfterInstall = 1001;
  Open();
  Press(IDC_OK);
  EXPECT_TRUE(driver.writes.empty());
  EXPECT_EQ(view.ended, IDC_OK);

  driver.installErrorAfterInstall = 0;
  driver.installSucceeds = false;
  FakeDialogView v;
  v.MakeSorted(IDC_SETTINGS_ORIGIN);
  dialog.OnInitDialog(v);
  dialog.OnCommand(v, IDC_OK, 0);
  EXPECT_TRUE(driver.writes.empty());
  EXPECT_EQ(v.ended, IDC_OK);
}

TEST_F(DriverSettingsTest, CancelWritesNothingAndInstallsNothing) {
  Open();
  view.Choose(IDC_SETTINGS_ORIGIN, u"Japan");
  Press(IDC_CANCEL);
  EXPECT_EQ(view.ended, IDC_CANCEL);
  EXPECT_EQ(driver.installs, 0);
  EXPECT_TRUE(driver.writes.empty());
}

TEST_F(DriverSettingsTest, OtherCommandsDoNotEndTheDialog) {
  Open();
  dialog.OnCommand(view, IDC_SETTINGS_ORIGIN, 1 /* selection change */);
  EXPECT_FALSE(view.ended.has_value());
}

TEST_F(DriverSettingsTest, WithoutACountryListOnlyTheTypeIsStored) {
  res::EmulatedResources empty;
  CDriverSettingsDlg bare(driver, empty, strings, locale);
  bare.OnInitDialog(view);
  EXPECT_EQ(view.ListCount(IDC_SETTINGS_ORIGIN), 0);
  EXPECT_EQ(view.ListSelection(IDC_SETTINGS_ORIGIN), -1);
  bare.OnCommand(view, IDC_OK, 0);
  ASSERT_EQ(driver.writes.size(), 1u);
  EXPECT_EQ(driver.writes[0].first, u"tune_Type");
}

TEST_F(DriverSettingsTest, CountryCodeTextReadsLikeTheCLibrary) {
  EXPECT_EQ(CountryCodeFromText(u"49"), 49u);
  EXPECT_EQ(CountryCodeFromText(u" 44"), 44u);
  EXPECT_EQ(CountryCodeFromText(u"7abc"), 7u);
  EXPECT_EQ(CountryCodeFromText(u""), 0u);
  EXPECT_EQ(CountryCodeFromText(u"-1"), 0u);
  EXPECT_EQ(CountryCodeFromText(u"99999999999999"), 0u);
}

// The module's side: DRV_CONFIGURE's answer follows how the dialog ended.
TEST(DriverDialogsTest, DriverSettingsAnswerTrueOnlyForOk) {
  FakeDriver driver;
  res::EmulatedResources resources;
  tuning::InstallTuningResources(resources);
  loc::EmulatedLocale locale;
  strings::EmbeddedStringTable strings{locale};
  ScriptedRunner runner;
  DriverDialogs dialogs(runner, resources, strings, locale);

  EXPECT_FALSE(dialogs.RunDriverSettings(0));  // no driver object yet
  EXPECT_TRUE(runner.runs.empty());

  DriverObjectSettings<FakeDriver> settings(driver);
  dialogs.AttachDriver(&settings);
  runner.user = [](FakeDialogView &v, DialogPresenter &p) { p.OnCommand(v, IDC_OK, 0); };
  EXPECT_TRUE(dialogs.RunDriverSettings(0x1234));
  ASSERT_EQ(runner.runs.size(), 1u);
  EXPECT_EQ(runner.runs[0].templateId, 200);
  EXPECT_EQ(runner.runs[0].parent, 0x1234u);

  runner.user = [](FakeDialogView &v, DialogPresenter &p) { p.OnCommand(v, IDC_CANCEL, 0); };
  EXPECT_FALSE(dialogs.RunDriverSettings(0));
  runner.user = nullptr;  // the dialog could not be shown
  EXPECT_FALSE(dialogs.RunDriverSettings(0));
}

}  // namespace
}  // namespace tolven::dialogs::testing
