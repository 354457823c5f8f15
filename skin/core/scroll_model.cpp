#include "scroll_model.h"

#include <algorithm>

namespace tolven::skin {

void ScrollModel::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  position_ = std::clamp(position_, minimum_, maximum_);
}

void ScrollModel::SetSteps(int small, int large) {
  small_ = std::max(small, 1);
  large_ = std::max(large, 1);
}

bool ScrollModel::SetPosition(int position) {
  int clamped = std::clamp(position, minimum_, maximum_);
  if (clamped == position_) return false;
  position_ = clamped;
  return true;
}

int ScrollModel::ThumbExtent(int length, int thickness) const {
  return std::clamp(thickness, 1, std::max(length, 1));
}

int ScrollModel::ThumbStart(int length, int thickness) const {
  int travel = length - ThumbExtent(length, thickness);
  int span = maximum_ - minimum_;
  if (travel <= 0 || span == 0) return 0;
  // Rounded to the nearest pixel so equal steps look equal.
  return static_cast<int>((static_cast<long long>(position_ - minimum_) * travel * 2 + span) / (2LL * span));
}

int ScrollModel::PositionAt(int pixel, int length, int thickness) const {
  int extent = ThumbExtent(length, thickness);
  int travel = length - extent;
  if (travel <= 0) return minimum_;
  int start = std::clamp(pixel - extent / 2, 0, travel);
  long long span = maximum_ - minimum_;
  return minimum_ + static_cast<int>((start * span * 2 + travel) / (2LL * travel));
}

bool ScrollModel::PageTowards(int pixel, int length, int thickness) {
  int start = ThumbStart(length, thickness);
  if (pixel < start) return SetPosition(position_ - large_);
  if (pixel >= start + ThumbExtent(length, thickness)) return SetPosition(position_ + large_);
  return false;
}

bool ScrollModel::Step(int direction) {
  return SetPosition(position_ + (direction < 0 ? -small_ : small_));
}

}  // namespace tolven::skin
