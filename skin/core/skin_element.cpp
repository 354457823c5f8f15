#include "skin_element.h"

#include <algorithm>

namespace tolven::skin {

SkinElement::SkinElement(std::string name, SkinElement *parent)
    : name_(std::move(name)), parent_(parent) {}

SkinElement &SkinElement::AddChild(std::string name) {
  children_.push_back(std::make_unique<SkinElement>(std::move(name), this));
  return *children_.back();
}

Rect SkinElement::Absolute() const {
  Rect r = relative_;
  for (const SkinElement *p = parent_; p; p = p->parent_) {
    r.left += p->relative_.left;
    r.top += p->relative_.top;
  }
  return r;
}

namespace {
// One axis of a written rectangle against the parent's extent.
void ResolveAxis(int written, bool centre, int size, int parent, int &start, int &extent) {
  if (centre) {
    extent = size > 0 ? size : parent + size;
    start = (parent - extent) / 2;
  } else {
    start = written < 0 ? parent + written : written;
    extent = size > 0 ? size : parent + size - start;
  }
  extent = std::max(extent, 0);
}
}  // namespace

void SkinElement::Layout(int parentWidth, int parentHeight) {
  ResolveAxis(placement.x, placement.centreX, placement.width, parentWidth, relative_.left, relative_.width);
  ResolveAxis(placement.y, placement.centreY, placement.height, parentHeight, relative_.top, relative_.height);
  for (auto &child : children_) child->Layout(relative_.width, relative_.height);
}

SkinElement *SkinElement::Find(const std::string &name) {
  return const_cast<SkinElement *>(static_cast<const SkinElement *>(this)->Find(name));
}

const SkinElement *SkinElement::Find(const std::string &name) const {
  if (name_ == name) return this;
  for (const auto &child : children_)
    if (const SkinElement *found = child->Find(name)) return found;
  return nullptr;
}

bool SkinElement::Shown() const {
  for (const SkinElement *e = this; e; e = e->parent_)
    if (!e->visible) return false;
  return true;
}

bool SkinElement::Usable() const {
  if (!Shown()) return false;
  for (const SkinElement *e = this; e; e = e->parent_)
    if (!e->enabled) return false;
  return true;
}

bool SkinElement::Interactive() const {
  auto look = [this](Look l) {
    const Appearance &a = looks[static_cast<int>(l)];
    return a.fill.has_value() || !a.image.empty();
  };
  return !onEnter.empty() || !onLeave.empty() || !onClick.empty() || look(Look::Hover) ||
         look(Look::Pressed);
}

const NamedState *SkinElement::State(const std::string &name) const {
  for (const NamedState &s : states)
    if (s.name == name) return &s;
  return nullptr;
}

TextStyle SkinElement::EffectiveStyle() const {
  for (const SkinElement *e = this; e; e = e->parent_)
    if (e->style) return *e->style;
  return TextStyle{};
}

}  // namespace tolven::skin
