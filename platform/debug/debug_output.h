// Debugger output port: OutputDebugStringA.
#pragma once
#include <string>
#include <string_view>

namespace tolven::dbg {

class DebugOutput {
 public:
  virtual ~DebugOutput() = default;
  virtual void Write(std::string_view text) = 0;
};

// Keeps everything written, for tests.
class EmulatedDebugOutput : public DebugOutput {
 public:
  void Write(std::string_view text) override { text_.append(text); }
  const std::string &Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace tolven::dbg
