// The component model of the hardware layer: every part of the card is a
// CHardwareComponent of one kind, registered with the process-wide
// CHardwareManager, which finds components by kind.
#pragma once
#include <cstdint>
#include <cstddef>
#include <vector>

namespace tolven {

enum ComponentKind : uint32_t {
  kKindTuner = 1,
  kKindTvAudio = 2,
  kKindCrossbar = 4,
  kKindVideoDecoder = 8,
  kKindProcAmp = 16,
  kKindVideoPort = 64,
  kKindControlBus = 256,
};

class CHardwareComponent {
 public:
  // Registers at the tail of the current manager's list (if there is one).
  explicit CHardwareComponent(uint32_t kind);
  virtual ~CHardwareComponent() = default;  // does not unregister
  CHardwareComponent(const CHardwareComponent &) = delete;
  CHardwareComponent &operator=(const CHardwareComponent &) = delete;

  virtual uint32_t Describe(uint32_t *record);  // 1
  virtual uint32_t Request(uint32_t *record);   // 2
  virtual bool Detect();                        // 3
  virtual bool Initialise();                    // 4
  virtual void Shutdown();                      // 5
  virtual uint32_t SetOwner(uint32_t value);    // 6
  virtual void *SetContext(void *context);      // 7

  uint32_t Kind() const { return kind_; }
  uint32_t Owner() const { return owner_; }
  void *Context() const { return context_; }

 private:
  uint32_t kind_;
  uint32_t owner_ = 0;
  void *context_ = nullptr;
};

// Base of every chip component: requests are records of 32-bit words whose
// first word is an operation code, dispatched to the family's operations.
class CComponentFamily : public CHardwareComponent {
 public:
  using CHardwareComponent::CHardwareComponent;
  uint32_t Describe(uint32_t *record) final;  // FillDescription, answers 1
  uint32_t Request(uint32_t *record) final;   // Dispatch
  // 1 for a known operation code, 0 (record untouched) for an unknown one.
  virtual uint32_t Dispatch(uint32_t *record);          // 8
  virtual void FillDescription(uint32_t *record);       // 9
};

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
  // Becomes the process-wide manager.
  CHardwareManager();
  virtual ~CHardwareManager();  // 0; clears the process-wide manager
  CHardwareManager(const CHardwareManager &) = delete;
  CHardwareManager &operator=(const CHardwareManager &) = delete;

  static CHardwareManager *Current();
  void Register(CHardwareComponent *component);
  CHardwareComponent *FindComponent(uint32_t kind) const;
  size_t ComponentCount() const { return components_.size(); }

  // Operation slots; "reserved" ones have fixed answers and no effect.
  virtual void Reserved1() {}
  virtual bool Reserved2() { return true; }
  virtual bool Detect() { return true; }
  virtual bool Initialise() { return true; }
  virtual void Reserved5() {}
  virtual bool Ready() { return true; }
  virtual void Reserved7() {}
  virtual uint32_t OverlayCaps();
  virtual bool Reserved9() { return false; }
  virtual bool Reserved10() { return false; }
  virtual uint32_t KeyColour();
  virtual bool SetOverlayDestination(const OverlayDestination &destination);
  virtual bool SetOverlaySource(const BoardRect &rect);
  virtual bool EnableOverlay(void *channel, bool on);
  virtual bool Reserved15() { return true; }
  virtual bool EnableExternalIn(void *channel, bool on);
  virtual bool Reserved17() { return false; }
  virtual bool Reserved18() { return false; }
  virtual bool Reserved19() { return false; }
  virtual bool Reserved20() { return false; }
  virtual bool Reserved21() { return false; }
  virtual uint32_t Reserved22() { return 0; }
  virtual uint32_t Reserved23() { return 0; }
  virtual uint32_t Reserved24() { return 0; }
  virtual uint32_t Reserved25() { return 0; }
  virtual bool SetSourceRect(const BoardRect &rect);
  virtual bool GetSourceRect(BoardRect *rect);
  virtual bool UpdateWindow(const BoardRect &window);
  virtual uint32_t GetVideoPortMode();
  virtual uint32_t SetVideoPortMode(uint32_t value);

 private:
  std::vector<CHardwareComponent *> components_;
};

}  // namespace tolven
