// Rigs for the control model's tests.
//
// CardRig: an emulated machine with the virtual card behind the board, the
// tuning tables and the string table, and the control environment over
// them and the board's requests; the board is detected and initialised as
// a channel open would.
//
// FakeHardware: a hardware manager whose components answer scripted
// capability records and log every request, for edge cases the card's own
// chips cannot produce (other masks, ranges and pin lists).
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "driver/control/control_hub.h"
#include "driver/control/control_model.h"
#include "driver/tuning/embedded_resources.h"
#include "platform/emulated/emulated_platform.h"
#include "platform/locale/locale.h"
#include "virtualcard/assembly/native_card.h"

namespace tolven::testing {

// The machine the control model runs on: the emulated platform with the
// tuning tables and a user profile, and the string table.
struct ControlMachine {
  ControlMachine() {
    tuning::InstallTuningResources(m.resources);
    m.files.SetUser(u"viewer", u"C:\\Users\\viewer");
  }
  EmulatedPlatform m;
  loc::EmulatedLocale locale;
  strings::EmbeddedStringTable strings{locale};
};

// A hub through the factory, as a client obtains it.
inline control::IControlHub *NewHubOver(control::ControlEnvironment &env) { return card::NewControlHub(env); }

struct CardRig : ControlMachine, card::NativeCard {
  explicit CardRig(card::CardConfig config = card::DefaultCardConfig()) : NativeCard(config, m.clock) {
    gdi.SetScreen(1024, 768, 16);
    opened = Open();
  }
  control::IControlHub *NewHub() { return NewHubOver(env); }

  control::ControlEnvironment env{m.registry, m.files, m.resources, m.clock, strings, requests};
  bool opened = false;
};

// A component answering scripted records.
class FakeComponent : public CHardwareComponent {
 public:
  using Handler = std::function<uint32_t(uint32_t *record)>;
  FakeComponent(uint32_t kind, std::vector<uint32_t> description)
      : CHardwareComponent(kind), description_(std::move(description)) {}
  uint32_t Describe(uint32_t *record) override {
    for (size_t i = 0; i < description_.size(); ++i) record[i] = description_[i];
    return 1;
  }
  uint32_t Request(uint32_t *record) override {
    requests.push_back({record[0], record[1]});
    return handler ? handler(record) : 1;
  }
  // (request number, first argument) of every request, in order.
  std::vector<std::pair<uint32_t, uint32_t>> requests;
  Handler handler;
  std::vector<uint32_t> description_;
};

struct FakeHardware : ControlMachine {
  CHardwareManager manager;
  BoardRequests requests{&manager};
  control::ControlEnvironment env{m.registry, m.files, m.resources, m.clock, strings, requests};
  std::vector<std::unique_ptr<FakeComponent>> components;

  FakeComponent &Add(uint32_t kind, std::vector<uint32_t> description) {
    components.push_back(std::make_unique<FakeComponent>(kind, std::move(description)));
    manager.Register(components.back().get());
    return *components.back();
  }
  control::IControlHub *NewHub() { return NewHubOver(env); }
};

}  // namespace tolven::testing
