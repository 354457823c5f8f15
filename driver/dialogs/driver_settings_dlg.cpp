#include "driver/dialogs/driver_settings_dlg.h"

#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

namespace {

constexpr char16_t kCountryCodeValue[] = u"tune_CountryCode";
constexpr char16_t kTypeValue[] = u"tune_Type";
constexpr char16_t kInstallErrorValue[] = u"InstallError";

// Whether `text` begins with `prefix`, ignoring case the way the list
// control's search does for these names.
bool BeginsWith(WStringView text, WStringView prefix) {
  if (text.size() < prefix.size()) return false;
  return EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

uint32_t CountryCodeFromText(WStringView text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  uint64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + static_cast<uint32_t>(text[i] - u'0');
    if (value > 0xFFFFFFFFu) return 0;  // not a dialling code
  }
  return static_cast<uint32_t>(value);
}

uint32_t CDriverSettingsDlg::InitialCountryCode() {
  uint32_t stored = 0;
  if (driver_.ReadParameterDword(kCountryCodeValue, &stored)) return stored;
  WString text;
  if (locale_.UserCountryCode(&text)) return CountryCodeFromText(text);
  return kFallbackCountryCode;
}

void CDriverSettingsDlg::SelectCountry(DialogView &view, uint32_t code) {
  const tuning::CCountryCode *record = nullptr;
  for (const auto &country : countries_) {
    if (country.code == code) {
      record = &country;
      break;
    }
  }
  if (record) {
    // The search starts after the first entry and wraps to the top.
    int count = view.ListCount(IDC_SETTINGS_ORIGIN);
    for (int step = 1; step <= count; ++step) {
      int index = step % count;
      if (BeginsWith(view.ListItemText(IDC_SETTINGS_ORIGIN, index), record->name)) {
        if (view.SelectListItem(IDC_SETTINGS_ORIGIN, index)) return;
        break;
      }
    }
  }
  view.SelectListItem(IDC_SETTINGS_ORIGIN, 0);
}

void CDriverSettingsDlg::OnInitDialog(DialogView &view) {
  countries_.clear();
  tuning::LoadCountryList(resources_, &countries_);

  uint32_t type = kBroadcastSignal;
  if (!driver_.ReadParameterDword(kTypeValue, &type)) type = kBroadcastSignal;

  // Item data: the record's position in the dialog's country list.
  for (size_t i = 0; i < countries_.size(); ++i)
    view.AddListItem(IDC_SETTINGS_ORIGIN, countries_[i].name, i);
  SelectCountry(view, InitialCountryCode());

  int broadcast = view.AddListItem(IDC_SETTINGS_TYPE, strings_.Text(kBroadcastString),
                                   kBroadcastSignal);
  int cable = view.AddListItem(IDC_SETTINGS_TYPE, strings_.Text(kCableString), kCableSignal);
  view.SelectListItem(IDC_SETTINGS_TYPE, type == kBroadcastSignal ? broadcast : cable);
}

void CDriverSettingsDlg::OnOk(DialogView &view) {
  bool installed = driver_.InstallService();
  uint32_t installError = 0xFFFFFFFFu;
  if (!driver_.ReadParameterDword(kInstallErrorValue, &installError)) installError = 0xFFFFFFFFu;
  if (installed && installError == 0) {
    int origin = view.ListSelection(IDC_SETTINGS_ORIGIN);
    if (origin >= 0) {
      uintptr_t record = view.ListItemData(IDC_SETTINGS_ORIGIN, origin);
      if (record < countries_.size())
        driver_.WriteParameterDword(kCountryCodeValue, countries_[record].code);
    }
    int type = view.ListSelection(IDC_SETTINGS_TYPE);
    if (type >= 0)
      driver_.WriteParameterDword(kTypeValue,
                                  static_cast<uint32_t>(view.ListItemData(IDC_SETTINGS_TYPE, type)));
  }
  view.EndDialog(IDC_OK);
}

void CDriverSettingsDlg::OnCommand(DialogView &view, int control, int) {
  if (control == IDC_OK) {
    OnOk(view);
  } else if (control == IDC_CANCEL) {
    view.EndDialog(IDC_CANCEL);
  }
}

}  // namespace tolven::dialogs
