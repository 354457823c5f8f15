// The user locale port on the Windows locale functions.
#pragma once
#include "platform/locale/locale.h"

namespace tolven::loc {

class Win32Locale : public Locale {
 public:
  uint16_t UserLanguage() override;
  bool UserCountryCode(WString *text) override;
};

}  // namespace tolven::loc
