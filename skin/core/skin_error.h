// What is wrong with a skin file, and where.
#pragma once
#include <string>

namespace tolven::skin {

struct SkinError {
  std::string file;
  int line = 0;  // 0 when the file as a whole is at fault
  std::string message;

  // "file:line: message", or "file: message" without a line.
  std::string Text() const {
    return line > 0 ? file + ":" + std::to_string(line) + ": " + message : file + ": " + message;
  }
};

}  // namespace tolven::skin
