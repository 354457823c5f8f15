// The debugger output port on OutputDebugStringA.
#pragma once
#include "platform/debug/debug_output.h"

namespace tolven::dbg {

class Win32DebugOutput : public DebugOutput {
 public:
  void Write(std::string_view text) override;
};

}  // namespace tolven::dbg
