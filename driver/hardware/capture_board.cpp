#include "driver/hardware/capture_board.h"

#include <initializer_list>

namespace tolven {

CCaptureBoard::CCaptureBoard(display::DisplayEscape &display, Clock &clock, display::Gdi &gdi)
    : bus_(display),
      decoder_(bus_, clock),
      tuner_(bus_, clock),
      crossbar_(bus_, decoder_, audio_),
      audio_(bus_, clock),
      procAmp_(bus_, decoder_),
      videoPort_(bus_, display, gdi, decoder_) {
  for (CHardwareComponent *c : std::initializer_list<CHardwareComponent *>{
           &bus_, &decoder_, &tuner_, &crossbar_, &audio_, &procAmp_, &videoPort_})
    Register(c);
  decoder_.AttachVideoPort(&videoPort_);
  audio_.AttachTuner(&tuner_);
}

bool CCaptureBoard::Detect() {
  // Every probe runs even after a failure, so each chip's state is set.
  variant_ = kVariantNoTuner;
  bool present = decoder_.Detect();
  present &= procAmp_.Detect();
  present &= crossbar_.Detect();
  present &= videoPort_.Detect();
  if (!tuner_.Detect()) {
    crossbar_.SetVariant(variant_);
    return present;
  }
  variant_ = tuner_.Type() == CTunerModule::kTypeWithoutBus ? kVariantTunerType7 : kVariantTuner;
  crossbar_.SetVariant(variant_);
  return present & audio_.Detect();
}

bool CCaptureBoard::Initialise() {
  bool ok = decoder_.Initialise();
  ok &= audio_.Initialise();
  ok &= tuner_.Initialise();
  ok &= crossbar_.Initialise();
  ok &= procAmp_.Initialise();
  ok &= videoPort_.Initialise();
  return ok;
}

bool CCaptureBoard::SetOverlayDestination(const OverlayDestination &destination) {
  OverlayDestination clipped = destination;
  decoder_.ClipDestination(&clipped.rect);  // an unknown standard leaves it as it is
  videoPort_.SetDestination(clipped);
  return true;
}

bool CCaptureBoard::SetOverlaySource(const BoardRect &rect) {
  videoPort_.SetSourceRect(rect);
  return true;
}

bool CCaptureBoard::EnableOverlay(void *, bool on) {
  videoPort_.SetOverlayEnabled(on);
  return true;
}

bool CCaptureBoard::GetSourceRect(BoardRect *rect) {
  if (!rect) return false;
  *rect = videoPort_.SourceRect();
  return true;
}

bool CCaptureBoard::UpdateWindow(const BoardRect &window) {
  decoder_.ScaleTo(BoardRect{0, 0, window.right - window.left, window.bottom - window.top});
  videoPort_.TakeWindow(window);
  return true;
}

uint32_t CCaptureBoard::SetVideoPortMode(uint32_t value) {
  videoPort_.SetMode(value);
  return 1;
}

}  // namespace tolven
