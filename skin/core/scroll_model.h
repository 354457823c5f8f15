// The value side of a skin scroll bar: range, steps, position, and where
// the thumb lies along a track of a given length.
#pragma once
#include "skin_types.h"

namespace tolven::skin {

class ScrollModel {
 public:
  void SetRange(int minimum, int maximum);
  void SetSteps(int small, int large);
  // Clamped into the range; true when the position changed.
  bool SetPosition(int position);
  int Position() const { return position_; }
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int SmallStep() const { return small_; }
  int LargeStep() const { return large_; }

  // The thumb as [start, start + extent) along a track `length` pixels
  // long and `thickness` across; the thumb is as long as the track is thick.
  int ThumbExtent(int length, int thickness) const;
  int ThumbStart(int length, int thickness) const;
  // The position whose thumb is centred on `pixel`.
  int PositionAt(int pixel, int length, int thickness) const;
  // A press on the track outside the thumb moves one large step towards it.
  bool PageTowards(int pixel, int length, int thickness);
  // One small step up (+1) or down (-1).
  bool Step(int direction);

 private:
  int minimum_ = 0, maximum_ = 100, small_ = 1, large_ = 10, position_ = 0;
};

}  // namespace tolven::skin
