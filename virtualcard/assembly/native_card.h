// The virtual card wired the way the driver meets it natively, in one place:
// the card, the emulated display escape over the card's display driver, an
// emulated screen, the board over them and the board's requests, and a
// control hub over them. The test rigs, both benchmarks and varnctl's native
// machine build on it instead of wiring the parts themselves.
//
// This is not part of the card (which includes no driver header); it sits
// above both, as layers.txt says.
#pragma once
#include "driver/control/control_model.h"
#include "driver/hardware/board_requests.h"
#include "driver/hardware/capture_board.h"
#include "platform/clock/clock.h"
#include "platform/display/emulated_display_escape.h"
#include "platform/display/emulated_gdi.h"
#include "virtualcard/virtual_card.h"

namespace tolven::card {

struct NativeCard {
  // The card and the board wait on `clock` (not owned).
  NativeCard(const CardConfig &config, Clock &clock);
  NativeCard(const NativeCard &) = delete;
  NativeCard &operator=(const NativeCard &) = delete;

  // Detection, initialisation and readiness, as a channel open runs them
  // before it opens the kernel device.
  bool Open() { return board.Detect() && board.Initialise() && board.Ready(); }

  VirtualCard card;
  display::EmulatedDisplayEscape display{&card.DisplayDriver()};
  display::EmulatedGdi gdi;
  CCaptureBoard board;
  BoardRequests requests{&board};
};

// A control hub over `environment`, made through the factory as a client
// obtains it; null when there is none. (Inline, so that only its callers
// need the control model.)
inline control::IControlHub *NewControlHub(control::ControlEnvironment &environment) {
  control::IControlFactory *factory = control::CreateControlFactory(&environment);
  control::IControlHub *hub = factory ? factory->CreateInterface(1) : nullptr;
  if (factory) factory->Release();
  return hub;
}

}  // namespace tolven::card
