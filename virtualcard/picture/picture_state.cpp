#include "virtualcard/picture/picture_state.h"

#include "virtualcard/virtual_card.h"

namespace tolven::card::picture {

PictureState PictureState::FromCard(VirtualCard &card) {
  PictureState s;
  SimulatedDecoder &decoder = card.Decoder();
  using D = SimulatedDecoder;
  const uint8_t select = decoder.Register(D::kSourceSelect) & 0x60;
  if (decoder.Register(D::kDigitalInput) & 0x40) s.source = PictureSource::Other;
  else if (select == 0x00) s.source = PictureSource::Tuner;
  else if (select == 0x40) s.source = PictureSource::Composite;
  else if (select == 0x60) s.source = PictureSource::SVideo;
  else s.source = PictureSource::Other;

  if (s.source != PictureSource::Other) s.signal = decoder.SourceSignal(&s.standard);
  if (s.source == PictureSource::Tuner && s.signal && card.Tuner()) {
    const Reception r = card.Tuner()->Receive();
    if (r.station) {
      s.stationName = r.station->name;
      s.channel = r.station->channel;
      s.frequencyHz = r.station->frequencyHz;
      s.strength = r.station->strength;
    }
  }
  s.cleanStrength = card.Config().cleanStrength;

  s.brightness = static_cast<int8_t>(decoder.Register(D::kBrightness));
  s.contrast = decoder.Register(D::kContrast);
  s.saturation = decoder.Register(D::kSaturation);
  s.hue = static_cast<int8_t>(decoder.Register(D::kHue));
  s.timeMs = card.CardClock().Milliseconds();

  const SimulatedVideoPort &port = card.VideoPort();
  const bool outputOn = !(decoder.Register(D::kOutputControl) & 0x80);
  if (port.Running() && port.Current() && outputOn) {
    s.overlayOn = true;
    s.keyType = port.Current()->keyType;
    s.keyValue = port.Current()->keyValue;
    s.destination = port.Current()->destination;
  }
  return s;
}

}  // namespace tolven::card::picture
