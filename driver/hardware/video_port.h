// The video port on the graphics card (kind 64): the overlay. It negotiates
// the connection and pixel format with the display driver, checks that the
// display mode leaves enough bandwidth, creates and updates the port with
// escape 150, and keeps the key colour and the overlay rectangles. The
// escape 150 blocks are laid out in platform/display/escape_blocks.h.
#pragma once
#include "driver/hardware/component_family.h"
#include "driver/hardware/control_bus.h"
#include "driver/hardware/hardware_manager.h"
#include "platform/display/escape_blocks.h"
#include "platform/display/gdi.h"

namespace tolven {

class CVideoDecoderChip;

// Told when the display mode leaves too little bandwidth for video; the
// driver then runs without overlay. The module shows the user its message.
class DisplayModeNotice {
 public:
  virtual ~DisplayModeNotice() = default;
  virtual void ShowDisplayModeUnsuitable() = 0;
};

// A video-port connection (port id, type code, port width, flags).
struct PortConnection {
  uint32_t portId = 0, typeCode = 0, portWidth = 0, flags = 0;
  friend bool operator==(const PortConnection &, const PortConnection &) = default;
};

class CVideoPort : public CComponentFamily {
 public:
  static constexpr uint32_t kDefaultKeyColour = 0xFF00FF;
  static constexpr PortConnection kOfferedConnection{0, 4, 8, 0};
  static constexpr uint32_t kOfferedFormat = display::kFourCCUyvy;

  // Construction programs the decoder's output and sets the default
  // rectangles and capture size (sending an update).
  CVideoPort(CControlBus &bus, display::DisplayEscape &display, display::Gdi &gdi,
             CVideoDecoderChip &decoder);
  ~CVideoPort() override;

  void SetNotice(DisplayModeNotice *notice) { notice_ = notice; }

  bool Detect() override { return true; }
  bool Initialise() override;
  uint32_t Dispatch(uint32_t *record) override;
  void FillDescription(uint32_t *record) override;

  // Board entry points.
  uint32_t KeyColour();
  void SetDestination(const OverlayDestination &d);
  void SetSourceRect(const BoardRect &r);
  // Takes the window rectangle unless it equals the destination; true when
  // it was taken.
  bool TakeWindow(const BoardRect &window);
  void SetCaptureSize(uint32_t width, uint32_t height);

  const OverlayDestination &Destination() const { return destination_; }
  const BoardRect &SourceRect() const { return source_; }
  const BoardRect &CaptureRect() const { return capture_; }
  bool OverlayEnabled() const { return overlayEnabled_; }
  void SetOverlayEnabled(bool on) { overlayEnabled_ = on; }
  uint32_t Mode() const { return mode_; }
  void SetMode(uint32_t mode) { mode_ = mode; }
  bool Running() const { return running_; }
  const PortConnection &Connection() const { return connection_; }
  uint32_t Format() const { return format_; }
  uint32_t StoredKeyColour() const { return keyColour_; }
  uint32_t FieldBits() const { return fieldBits_; }
  void SetCustomKey(uint8_t red, uint8_t green, uint8_t blue) { custom_[0] = red, custom_[1] = green, custom_[2] = blue; }
  void SetKeyPaletteIndex(uint32_t index) { keyPaletteIndex_ = index; }

  // The 8-bit display's static palette: colour → index (253 for any other
  // colour) and index → colour (0xFF00FF for any other index).
  static uint32_t PaletteIndexOf(uint32_t colour);
  static uint32_t PaletteColourOf(uint32_t index);
  // The key-colour record for a display depth: (type, value).
  void KeyRecord(int32_t bitsPerPixel, uint32_t *type, uint32_t *value);

 private:
  bool Command(uint32_t function, void *block, size_t size);
  bool Negotiate(int32_t bitsPerPixel);
  bool EnoughBandwidth(int32_t bitsPerPixel, bool *checked);
  void FillUpdate(display::VideoPortUpdateBlock *block, int32_t bitsPerPixel);
  void SendUpdate();
  uint32_t CustomColour() const { return custom_[0] | custom_[1] << 8 | custom_[2] << 16; }

  CControlBus &bus_;
  display::DisplayEscape &display_;
  display::Gdi &gdi_;
  CVideoDecoderChip &decoder_;
  DisplayModeNotice *notice_ = nullptr;

  PortConnection connection_{};
  uint32_t format_ = 0;
  bool connectionFound_ = false, formatFound_ = false;
  bool running_ = false;
  uint32_t mode_ = 0;
  uint32_t fieldWidth_ = 0, fieldHeight_ = 0, fieldBits_ = 0;
  uint32_t keyColour_ = kDefaultKeyColour;
  OverlayDestination destination_{1, {0, 0, 767, 575}};
  uint8_t custom_[3] = {0, 0, 0};
  uint32_t keyPaletteIndex_ = 0;
  uint32_t captureWidth_ = 768, captureHeight_ = 570;
  BoardRect source_{0, 0, 767, 575};
  BoardRect capture_{0, 0, 767, 569};
  BoardRect output_{0, 0, 767, 569};
  bool overlayEnabled_ = false;
};

}  // namespace tolven
