// Follows the pointer over a skin: which element is hovered and pressed,
// and the enter, leave and click events that follow from each move.
#pragma once
#include <string>
#include <vector>

#include "skin_document.h"

namespace tolven::skin {

struct SkinEvent {
  std::string element;  // the element the event comes from
  std::string name;     // the event name the skin gives it
  bool operator==(const SkinEvent &) const = default;
};

class PointerTracker {
 public:
  explicit PointerTracker(SkinDocument &document) : document_(document) {}

  std::vector<SkinEvent> Move(int x, int y);
  std::vector<SkinEvent> Press(int x, int y);
  // A click needs the press and the release on the same usable element.
  std::vector<SkinEvent> Release(int x, int y);
  // The pointer has left the form.
  std::vector<SkinEvent> Leave();
  // Forgets everything, without events (the skin was replaced or relaid).
  void Reset();

  // The look an element shows now.
  Look LookOf(const SkinElement &element) const;
  const SkinElement *Hovered() const { return hovered_; }
  const SkinElement *Pressed() const { return pressed_; }

 private:
  void HoverTo(SkinElement *element, std::vector<SkinEvent> &events);

  SkinDocument &document_;
  SkinElement *hovered_ = nullptr;
  SkinElement *pressed_ = nullptr;
};

}  // namespace tolven::skin
