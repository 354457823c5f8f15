// Display port: escapes to the graphics card's display driver, answered as
// ExtEscape answers them (> 0 handled, 0 not implemented, < 0 error).
#pragma once

namespace tolven::display {

class DisplayEscape {
 public:
  virtual ~DisplayEscape() = default;
  virtual int Escape(int escape, int inputSize, const void *input, int outputSize, void *output) = 0;
};

}  // namespace tolven::display
