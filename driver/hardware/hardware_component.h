// Every part of the card is a CHardwareComponent of one kind; the board
// (a CHardwareManager) keeps them in a list and finds them by kind.
#pragma once
#include <cstdint>

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
  explicit CHardwareComponent(uint32_t kind) : kind_(kind) {}
  virtual ~CHardwareComponent() = default;
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

}  // namespace tolven
