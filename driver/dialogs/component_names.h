// Reading a display name through a component's length-then-copy pair of
// operations, into a buffer one longer than the length (for the zero), so
// a name of any length comes back whole.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/wide.h"

namespace tolven::dialogs {

// False when the length is 0 or the copy fails.
template <class LengthOp, class CopyOp>
bool ReadComponentName(LengthOp length, CopyOp copy, WString *name) {
  int32_t n = length();
  if (n <= 0) return false;
  std::vector<char16_t> buffer(static_cast<size_t>(n) + 1, 0);
  if (!copy(buffer.data())) return false;
  name->assign(buffer.data());
  return true;
}

// Notification codes of the controls the presenters react to.
inline constexpr int kButtonClicked = 0;     // BN_CLICKED
inline constexpr int kComboSelEndOk = 9;     // CBN_SELENDOK: a drop-down choice confirmed

}  // namespace tolven::dialogs
