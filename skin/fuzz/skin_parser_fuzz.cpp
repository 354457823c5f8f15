// Any bytes: the parser either gives a skin or an error naming a line in
// the text, and a skin it gives can be laid out, hit-tested and commanded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pointer_tracker.h"
#include "skin_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  using namespace tolven::skin;
  std::string_view text(reinterpret_cast<const char *>(data), size);
  SkinError error;
  auto document = SkinParser::Parse(text, "fuzz.skn", error);
  if (!document) {
    if (error.message.empty() || error.line < 0) std::abort();
    return 0;
  }
  document->Layout(document->DesignWidth() + 17, document->DesignHeight() + 9);
  PointerTracker tracker(*document);
  for (int y = 0; y < 64; y += 7) {
    tracker.Move(y * 3, y);
    tracker.Press(y, y * 2);
    tracker.Release(y, y * 2);
  }
  tracker.Leave();
  std::vector<const SkinElement *> stack{&document->Root()};
  while (!stack.empty()) {
    const SkinElement *e = stack.back();
    stack.pop_back();
    for (const NamedState &s : e->states) document->Run("goto " + e->Name() + " " + s.name);
    for (const auto &child : e->Children()) stack.push_back(child.get());
  }
  return 0;
}
