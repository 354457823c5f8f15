// The video port on the graphics card (kind 64): the overlay's connection
// to the display driver, its key colour and rectangles.
#pragma once
#include "driver/hardware/control_bus.h"

namespace tolven {

class CVideoPort : public CComponentFamily {
 public:
  static constexpr uint32_t kDefaultKeyColour = 0xFF00FF;

  CVideoPort(CControlBus &bus, display::DisplayEscape &display)
      : CComponentFamily(kKindVideoPort), bus_(bus), display_(display) {}

  uint32_t KeyColour() const { return keyColour_; }
  const OverlayDestination &Destination() const { return destination_; }
  void SetDestination(const OverlayDestination &d) { destination_ = d; }
  const BoardRect &SourceRect() const { return source_; }
  void SetSourceRect(const BoardRect &r) { source_ = r; }
  // True when the rectangle differs from the destination and was taken.
  bool TakeWindow(const BoardRect &window);
  bool OverlayEnabled() const { return overlayEnabled_; }
  void SetOverlayEnabled(bool on) { overlayEnabled_ = on; }
  uint32_t Mode() const { return mode_; }
  void SetMode(uint32_t mode) { mode_ = mode; }

 protected:
  CControlBus &bus_;
  display::DisplayEscape &display_;
  uint32_t keyColour_ = kDefaultKeyColour;
  OverlayDestination destination_{1, {0, 0, 767, 575}};
  BoardRect source_{0, 0, 767, 575};
  bool overlayEnabled_ = false;
  uint32_t mode_ = 0;
};

}  // namespace tolven
