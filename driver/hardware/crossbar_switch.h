// The input crossbar switch (kind 4). It does its register work in the video
// decoder and sets the TV audio processor's source and mute.
#pragma once
#include "driver/hardware/component_family.h"
#include "driver/hardware/control_bus.h"

namespace tolven {

class CVideoDecoderChip;
class CTvAudioChip;

// A crossbar pin: direction (1 input, 0 output), index, related pin (-1
// none) and physical connector type code.
struct CrossbarPin {
  uint32_t direction;
  int32_t index;
  int32_t related;
  uint32_t type;
};

class CCrossbarSwitch : public CComponentFamily {
 public:
  CCrossbarSwitch(CControlBus &bus, CVideoDecoderChip &decoder, CTvAudioChip &audio)
      : CComponentFamily(kKindCrossbar), bus_(bus), decoder_(decoder), audio_(audio) {}

  // The board variant found by detection (0, 1 or 2) picks the pin set.
  void SetVariant(uint32_t variant) { variant_ = variant < 3 ? variant : 0; }
  uint32_t Variant() const { return variant_; }

  bool Initialise() override;
  uint32_t Dispatch(uint32_t *record) override;

  bool Route(int32_t input, int32_t output);
  bool CanRoute(int32_t input, int32_t output) const;
  // (input, output) of a pin's current route; false for an unknown pin.
  bool Routing(int32_t pin, int32_t *input, int32_t *output) const;
  bool Pin(int32_t index, CrossbarPin *pin) const;
  int32_t PinCount() const;

  int32_t VideoInput() const { return videoInput_; }
  int32_t AudioInput() const { return audioInput_; }

 private:
  void SelectAnalogue(uint8_t selector);
  void SetChroma(bool sVideo);
  bool RouteVideo(int32_t input);
  bool RouteAudio(int32_t input);

  CControlBus &bus_;
  CVideoDecoderChip &decoder_;
  CTvAudioChip &audio_;
  uint32_t variant_ = 0;
  int32_t videoInput_ = -1;
  int32_t audioInput_ = -1;
};

}  // namespace tolven
