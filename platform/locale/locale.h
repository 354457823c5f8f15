// User locale port: the user's default language and the country code of the
// user's default locale (its international dialling code, as text).
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::loc {

// Language identifiers (primary language | sublanguage << 10).
inline constexpr uint16_t kEnglishUnitedStates = 0x0409;
inline constexpr uint16_t kEnglishUnitedKingdom = 0x0809;

class Locale {
 public:
  virtual ~Locale() = default;
  // GetUserDefaultLangID.
  virtual uint16_t UserLanguage() = 0;
  // GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY); false when it
  // cannot be read.
  virtual bool UserCountryCode(WString *text) = 0;
};

// A configurable user, for tests and native tools.
class EmulatedLocale : public Locale {
 public:
  uint16_t UserLanguage() override { return language_; }
  bool UserCountryCode(WString *text) override {
    if (!countryAvailable_) return false;
    *text = country_;
    return true;
  }
  void SetUserLanguage(uint16_t language) { language_ = language; }
  void SetUserCountryCode(WStringView text) {
    country_ = WString(text);
    countryAvailable_ = true;
  }
  void SetUserCountryCodeUnavailable() { countryAvailable_ = false; }

 private:
  uint16_t language_ = kEnglishUnitedStates;
  WString country_ = u"1";
  bool countryAvailable_ = true;
};

}  // namespace tolven::loc
