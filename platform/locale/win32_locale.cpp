#include "platform/locale/win32_locale.h"

#include <windows.h>

namespace tolven::loc {

uint16_t Win32Locale::UserLanguage() { return GetUserDefaultLangID(); }

bool Win32Locale::UserCountryCode(WString *text) {
  wchar_t buffer[16] = {};
  int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, buffer, 16);
  if (length <= 0) return false;
  text->assign(reinterpret_cast<const char16_t *>(buffer));
  return true;
}

}  // namespace tolven::loc
