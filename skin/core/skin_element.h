// One named element of a skin: a rectangle within its parent, its looks,
// text, events and named states, and its children.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "skin_types.h"

namespace tolven::skin {

class SkinElement {
 public:
  explicit SkinElement(std::string name, SkinElement *parent = nullptr);

  const std::string &Name() const { return name_; }
  SkinElement *Parent() const { return parent_; }
  const std::vector<std::unique_ptr<SkinElement>> &Children() const { return children_; }
  SkinElement &AddChild(std::string name);

  // The rectangle relative to the parent, as laid out last.
  const Rect &Relative() const { return relative_; }
  // Relative rectangle plus every parent's offset.
  Rect Absolute() const;
  // Resolves the written rectangle against the parent's size, then the children.
  void Layout(int parentWidth, int parentHeight);

  // This element or the first one below it (depth first) with that name.
  SkinElement *Find(const std::string &name);
  const SkinElement *Find(const std::string &name) const;

  // Shown when it and every parent is visible.
  bool Shown() const;
  // Usable when shown and neither it nor a parent is disabled.
  bool Usable() const;
  // Takes part in pointer handling: it has an event or a hover/pressed look.
  bool Interactive() const;

  const NamedState *State(const std::string &name) const;

  // What the skin file said; public because the parser fills it and the
  // renderers read it, with no rule to keep between the fields.
  RectPlacement placement;
  Appearance looks[kLookCount];
  std::string text;
  std::optional<TextStyle> style;  // unset: the parent's (or the skin's) style
  Shape shape;
  std::string onEnter, onLeave, onClick;
  std::vector<NamedState> states;
  bool visible = true;
  bool enabled = true;
  std::string currentState;
  int line = 0;  // where it starts in the file, for messages

  // The style in effect: its own, else the nearest parent's, else the default.
  TextStyle EffectiveStyle() const;

 private:
  std::string name_;
  SkinElement *parent_;
  std::vector<std::unique_ptr<SkinElement>> children_;
  Rect relative_;
};

}  // namespace tolven::skin
