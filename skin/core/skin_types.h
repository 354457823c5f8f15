// Plain value types shared by the skin model, its parser and its renderers.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tolven::skin {

// A rectangle as position and size; right and bottom are exclusive.
struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool Contains(int x, int y) const { return x >= left && y >= top && x < Right() && y < Bottom(); }
  bool operator==(const Rect &) const = default;
};

// 8-bit channels, straight (not premultiplied) alpha.
struct Colour {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const Colour &) const = default;
};

// The four looks an element can have; hover and pressed fall back to normal.
enum class Look { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };
inline constexpr int kLookCount = 4;

struct Appearance {
  std::optional<Colour> fill;
  std::string image;  // file name beside the skin, empty for none
};

enum class Align { Left, Centre, Right };

struct TextStyle {
  std::string face = "Tahoma";
  int pixels = 11;  // character height in pixels, so skins look the same at any DPI
  bool bold = false;
  Colour colour{255, 255, 255, 255};
  Align align = Align::Left;
};

enum class ShapeKind { Rectangle, Ellipse, Rounded };
struct Shape {
  ShapeKind kind = ShapeKind::Rectangle;
  int radius = 0;
};

// One step of a named state: show, hide, enable or disable another element.
struct StateAction {
  enum class Kind { Show, Hide, Enable, Disable };
  Kind kind = Kind::Show;
  std::string target;
};

struct NamedState {
  std::string name;
  std::vector<StateAction> actions;
};

// How a rectangle is written in a skin: negative x or y count from the
// parent's right or bottom edge, a width or height of 0 or less reaches to
// that many pixels before the parent's right or bottom edge.
// An x or y written as "centre" places the element in the middle of its parent.
struct RectPlacement {
  int x = 0, y = 0, width = 0, height = 0;
  bool centreX = false, centreY = false;
};

}  // namespace tolven::skin
