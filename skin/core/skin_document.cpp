#include "skin_document.h"

#include <algorithm>
#include <sstream>

namespace tolven::skin {

SkinDocument::SkinDocument(std::string file, std::string rootName)
    : file_(std::move(file)), root_(std::make_unique<SkinElement>(std::move(rootName))) {}

void SkinDocument::SetDesignSize(int width, int height) {
  designWidth_ = width;
  designHeight_ = height;
  root_->placement = RectPlacement{0, 0, width, height};
}

void SkinDocument::Layout(int width, int height) {
  root_->placement = RectPlacement{0, 0, std::max(width, designWidth_), std::max(height, designHeight_)};
  root_->Layout(root_->placement.width, root_->placement.height);
}

namespace {
SkinElement *HitBelow(SkinElement &e, int x, int y) {
  if (!e.visible) return nullptr;
  Rect r = e.Absolute();
  if (!r.Contains(x, y)) return nullptr;
  const auto &children = e.Children();
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    if (SkinElement *hit = HitBelow(**it, x, y)) return hit;
  return e.Interactive() ? &e : nullptr;
}
}  // namespace

SkinElement *SkinDocument::HitTest(int x, int y) { return HitBelow(*root_, x, y); }

std::string SkinDocument::Run(const std::string &command) {
  std::istringstream in(command);
  std::string verb, target, state, extra;
  in >> verb >> target >> state;
  if (verb != "goto") return "unknown command \"" + verb + "\" (only goto is known)";
  if (target.empty() || state.empty()) return "goto needs an element and a state";
  if (in >> extra) return "goto takes two words, \"" + extra + "\" is one too many";
  SkinElement *element = Find(target);
  if (!element) return "no element \"" + target + "\"";
  const NamedState *named = element->State(state);
  if (!named) return "element \"" + target + "\" has no state \"" + state + "\"";
  for (const StateAction &action : named->actions) {
    SkinElement *other = Find(action.target);
    if (!other) continue;  // the parser has checked every target
    switch (action.kind) {
      case StateAction::Kind::Show: other->visible = true; break;
      case StateAction::Kind::Hide: other->visible = false; break;
      case StateAction::Kind::Enable: other->enabled = true; break;
      case StateAction::Kind::Disable: other->enabled = false; break;
    }
  }
  element->currentState = state;
  return {};
}

}  // namespace tolven::skin
