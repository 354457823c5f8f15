// UTF-8 on the command line and in files, UTF-16 across the control
// interface.
#pragma once
#include <string>
#include <string_view>

#include "platform/wide.h"

namespace tolven::varnctl {

// Invalid UTF-8 sequences become U+FFFD; `valid` (when given) says whether
// there were none.
WString FromUtf8(std::string_view text, bool *valid = nullptr);
// Unpaired surrogates become U+FFFD.
std::string ToUtf8(WStringView text);

// The text with control characters (C0, DEL, C1) replaced by U+FFFD, so that
// names read from a damaged file cannot drive the terminal.
std::string Printable(std::string_view utf8);

// Characters a terminal shows for the text (code points, not bytes).
size_t DisplayWidth(std::string_view utf8);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Whole-string decimal (or 0x hexadecimal when `allowHex`) numbers.
bool ParseInt(std::string_view text, int64_t minimum, int64_t maximum, int64_t *value,
              bool allowHex = false);

}  // namespace tolven::varnctl
