// A loaded skin: its root element, its designed size and the events it
// announces once loaded. Runs skin commands and finds the element under a point.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "skin_element.h"

namespace tolven::skin {

class SkinDocument {
 public:
  SkinDocument(std::string file, std::string rootName);

  const std::string &File() const { return file_; }
  SkinElement &Root() { return *root_; }
  const SkinElement &Root() const { return *root_; }

  // The size the skin was drawn for, also the smallest it is laid out at.
  int DesignWidth() const { return designWidth_; }
  int DesignHeight() const { return designHeight_; }
  void SetDesignSize(int width, int height);

  // Events sent once after the skin is loaded, in file order.
  std::vector<std::string> loadEvents;

  // Lays every element out for a form of this size (never below the design size).
  void Layout(int width, int height);

  // Any element of the skin by name; names are unique within a skin.
  SkinElement *Find(const std::string &name) { return root_->Find(name); }

  // The topmost shown, interactive element under the point (form
  // coordinates), or nullptr. Later siblings lie above earlier ones.
  SkinElement *HitTest(int x, int y);

  // Runs "goto <element> <state>". The element is looked up in the whole
  // skin, whichever element the command was given to. Empty on success,
  // else what was wrong.
  std::string Run(const std::string &command);

 private:
  std::string file_;
  std::unique_ptr<SkinElement> root_;
  int designWidth_ = 0, designHeight_ = 0;
};

}  // namespace tolven::skin
