// The list of hardware components, found by kind, and the overlay
// operations a board answers. CHardwareManager itself has no overlay: its
// operations answer their defaults (the board overrides them).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "driver/hardware/hardware_component.h"

namespace tolven {

// Rectangle (left, top, right, bottom) as the overlay calls pass it.
struct BoardRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const BoardRect &, const BoardRect &) = default;
};

// Overlay destination record: a flag (1) and a rectangle.
struct OverlayDestination {
  uint32_t flag = 1;
  BoardRect rect;
  friend bool operator==(const OverlayDestination &, const OverlayDestination &) = default;
};

class CHardwareManager {
 public:
  CHardwareManager() = default;
  virtual ~CHardwareManager() = default;
  CHardwareManager(const CHardwareManager &) = delete;
  CHardwareManager &operator=(const CHardwareManager &) = delete;

  // Adds a component (not owned) at the tail of the list.
  void Register(CHardwareComponent *component);
  // The first component of the kind from the head of the list, or null.
  CHardwareComponent *FindComponent(uint32_t kind) const;
  size_t ComponentCount() const { return components_.size(); }

  virtual bool Detect() { return true; }
  virtual bool Initialise() { return true; }
  virtual bool Ready() { return true; }
  virtual uint32_t OverlayCaps();
  virtual uint32_t KeyColour();
  virtual bool SetOverlayDestination(const OverlayDestination &destination);
  virtual bool SetOverlaySource(const BoardRect &rect);
  virtual bool EnableOverlay(void *channel, bool on);
  virtual bool EnableExternalIn(void *channel, bool on);
  virtual bool SetSourceRect(const BoardRect &rect);
  virtual bool GetSourceRect(BoardRect *rect);
  virtual bool UpdateWindow(const BoardRect &window);
  virtual uint32_t GetVideoPortMode();
  virtual uint32_t SetVideoPortMode(uint32_t value);

 private:
  std::vector<CHardwareComponent *> components_;
};

}  // namespace tolven
