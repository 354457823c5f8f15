// CDriverSettingsDlg: the modal "Driver Settings" dialog shown for
// DRV_CONFIGURE. It chooses the tuner's signal type and the country whose
// channel plan the tuner uses, and stores them as the driver parameters
// "tune_Type" and "tune_CountryCode" after (re)installing the kernel service.
#pragma once
#include <vector>

#include "driver/dialogs/dialog_view.h"
#include "driver/strings/string_table.h"
#include "driver/tuning/channel_plan.h"
#include "platform/locale/locale.h"
#include "platform/resources/resources.h"

namespace tolven::dialogs {

// The driver object's operations the dialog uses.
class DriverSettingsBackend {
 public:
  virtual ~DriverSettingsBackend() = default;
  virtual bool ReadParameterDword(WStringView name, uint32_t *value) = 0;
  virtual bool WriteParameterDword(WStringView name, uint32_t value) = 0;
  // Creates the kernel service when absent, stops and restarts it.
  virtual bool InstallService() = 0;
};

// The backend over any driver object offering those three operations.
template <class Driver>
class DriverObjectSettings : public DriverSettingsBackend {
 public:
  explicit DriverObjectSettings(Driver &driver) : driver_(driver) {}
  bool ReadParameterDword(WStringView name, uint32_t *value) override {
    return driver_.ReadParameterDword(name, value);
  }
  bool WriteParameterDword(WStringView name, uint32_t value) override {
    return driver_.WriteParameterDword(name, value);
  }
  bool InstallService() override { return driver_.InstallService(); }

 private:
  Driver &driver_;
};

// Signal types of the tuner and their strings.
inline constexpr uint32_t kBroadcastSignal = 2;
inline constexpr uint32_t kCableSignal = 32;
inline constexpr uint32_t kBroadcastString = 109;
inline constexpr uint32_t kCableString = 113;
// The country chosen when neither a stored one nor the user's locale tells.
inline constexpr uint32_t kFallbackCountryCode = 44;

class CDriverSettingsDlg : public DialogPresenter {
 public:
  CDriverSettingsDlg(DriverSettingsBackend &driver, res::ModuleResources &resources,
                     strings::StringTable &strings, loc::Locale &locale)
      : driver_(driver), resources_(resources), strings_(strings), locale_(locale) {}

  void OnInitDialog(DialogView &view) override;
  void OnCommand(DialogView &view, int control, int notification) override;

  // The country records, in table order (owned by the dialog).
  const std::vector<tuning::CCountryCode> &Countries() const { return countries_; }

 private:
  uint32_t InitialCountryCode();
  void SelectCountry(DialogView &view, uint32_t code);
  void OnOk(DialogView &view);

  DriverSettingsBackend &driver_;
  res::ModuleResources &resources_;
  strings::StringTable &strings_;
  loc::Locale &locale_;
  std::vector<tuning::CCountryCode> countries_;
};

// The number the text of a locale's country code reads as: its leading
// decimal digits, 0 when there are none (as the C library reads it).
uint32_t CountryCodeFromText(WStringView text);

}  // namespace tolven::dialogs
