// The card as one board object owning its hardware components, registered
// in its component list in the order they are built. The module owns one
// from load to unload and hands it to the layers above as BoardRequests.
#pragma once
#include "driver/hardware/control_bus.h"
#include "driver/hardware/crossbar_switch.h"
#include "driver/hardware/hardware_manager.h"
#include "driver/hardware/proc_amp.h"
#include "driver/hardware/tuner_module.h"
#include "driver/hardware/tv_audio.h"
#include "driver/hardware/video_decoder.h"
#include "driver/hardware/video_port.h"
#include "platform/display/gdi.h"

namespace tolven {

enum BoardVariant : uint32_t { kVariantNoTuner = 0, kVariantTuner = 1, kVariantTunerType7 = 2 };

class CCaptureBoard : public CHardwareManager {
 public:
  static constexpr uint32_t kOverlayCaps = 13;  // bits 0, 2 and 3

  CCaptureBoard(display::DisplayEscape &display, Clock &clock, display::Gdi &gdi);
  ~CCaptureBoard() override = default;  // members go in reverse order

  // Who tells the user that the display mode is unsuitable for video; by
  // default nobody.
  void SetDisplayModeNotice(DisplayModeNotice *notice) { videoPort_.SetNotice(notice); }

  bool Detect() override;
  bool Initialise() override;
  uint32_t OverlayCaps() override { return kOverlayCaps; }
  uint32_t KeyColour() override { return videoPort_.KeyColour(); }
  bool SetOverlayDestination(const OverlayDestination &destination) override;
  bool SetOverlaySource(const BoardRect &rect) override;
  bool EnableOverlay(void *channel, bool on) override;
  bool EnableExternalIn(void *, bool) override { return false; }  // no effect on this card
  bool SetSourceRect(const BoardRect &rect) override { return SetOverlaySource(rect); }
  bool GetSourceRect(BoardRect *rect) override;
  bool UpdateWindow(const BoardRect &window) override;
  uint32_t GetVideoPortMode() override { return videoPort_.Mode(); }
  uint32_t SetVideoPortMode(uint32_t value) override;

  uint32_t Variant() const { return variant_; }
  CControlBus &Bus() { return bus_; }
  CVideoDecoderChip &Decoder() { return decoder_; }
  CTunerModule &Tuner() { return tuner_; }
  CCrossbarSwitch &Crossbar() { return crossbar_; }
  CTvAudioChip &Audio() { return audio_; }
  CProcAmp &ProcAmp() { return procAmp_; }
  CVideoPort &VideoPort() { return videoPort_; }

 private:
  CControlBus bus_;
  CVideoDecoderChip decoder_;
  CTunerModule tuner_;
  CCrossbarSwitch crossbar_;
  CTvAudioChip audio_;
  CProcAmp procAmp_;
  CVideoPort videoPort_;
  uint32_t variant_ = kVariantNoTuner;
};

}  // namespace tolven
