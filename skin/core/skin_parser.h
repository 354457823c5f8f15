// Reads the skin format described in skin/README.md.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "skin_document.h"
#include "skin_error.h"

namespace tolven::skin {

class SkinParser {
 public:
  // Limits that keep any input, however large or deep, cheap to read.
  static constexpr int kMaxDepth = 16;
  static constexpr int kMaxElements = 1000;
  static constexpr int kMaxCoordinate = 8192;

  // The skin, or nullptr with `error` filled. `file` only names the text in messages.
  static std::unique_ptr<SkinDocument> Parse(std::string_view text, const std::string &file,
                                             SkinError &error);
  // Reads the file first; a file that cannot be read is an error too.
  static std::unique_ptr<SkinDocument> ParseFile(const std::string &path, SkinError &error);
};

}  // namespace tolven::skin
