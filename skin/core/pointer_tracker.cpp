#include "pointer_tracker.h"

namespace tolven::skin {

namespace {
void Add(std::vector<SkinEvent> &events, const SkinElement &e, const std::string &name) {
  if (!name.empty()) events.push_back(SkinEvent{e.Name(), name});
}
}  // namespace

void PointerTracker::HoverTo(SkinElement *element, std::vector<SkinEvent> &events) {
  if (element && !element->Usable()) element = nullptr;
  // An element hidden or disabled since it was entered leaves quietly.
  if (hovered_ && !hovered_->Usable()) hovered_ = nullptr;
  if (element == hovered_) return;
  if (hovered_) Add(events, *hovered_, hovered_->onLeave);
  hovered_ = element;
  if (hovered_) Add(events, *hovered_, hovered_->onEnter);
}

std::vector<SkinEvent> PointerTracker::Move(int x, int y) {
  std::vector<SkinEvent> events;
  HoverTo(document_.HitTest(x, y), events);
  return events;
}

std::vector<SkinEvent> PointerTracker::Press(int x, int y) {
  std::vector<SkinEvent> events = Move(x, y);
  pressed_ = hovered_;
  return events;
}

std::vector<SkinEvent> PointerTracker::Release(int x, int y) {
  std::vector<SkinEvent> events = Move(x, y);
  SkinElement *pressed = pressed_;
  pressed_ = nullptr;
  if (pressed && pressed == hovered_ && pressed->Usable()) Add(events, *pressed, pressed->onClick);
  return events;
}

std::vector<SkinEvent> PointerTracker::Leave() {
  std::vector<SkinEvent> events;
  HoverTo(nullptr, events);
  return events;
}

void PointerTracker::Reset() {
  hovered_ = nullptr;
  pressed_ = nullptr;
}

Look PointerTracker::LookOf(const SkinElement &element) const {
  if (!element.Usable()) return Look::Disabled;
  if (&element == pressed_ && &element == hovered_) return Look::Pressed;
  if (&element == hovered_ && !pressed_) return Look::Hover;
  return Look::Normal;
}

}  // namespace tolven::skin
