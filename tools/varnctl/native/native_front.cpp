#include "tools/varnctl/native/native_front.h"

#include <csignal>

namespace tolven::varnctl {

namespace {

constexpr OptionSpec kNativeOptions[] = {
    {"state", "DIR", "keep the machine's settings and channel file in DIR"},
    {"card", "FILE", "virtual-card configuration (JSON; default: the built-in card)"},
    {"real-time", nullptr, "wait as the hardware would instead of simulating time"},
};

extern "C" void OnInterrupt(int) { RequestInterrupt(); }

}  // namespace

std::span<const OptionSpec> NativeFront::Options() const { return kNativeOptions; }

std::string NativeFront::About() const {
  return "This build drives the driver on a virtual card in an emulated machine. Its registry and the\n"
         "channel file are kept in the state folder (default " +
         DefaultStateDirectory().string() + "), so that\n"
         "a series of commands behaves like one machine. Time is simulated unless --real-time is given.\n";
}

std::unique_ptr<Machine> NativeFront::Open(const Invocation &invocation, std::ostream &err, std::string *error) {
  NativeOptions options;
  options.lockClock = lockClock;
  options.lockTiming = lockTiming;
  auto option = [&](const char *name) { return invocation.frontOptions.find(name); };
  options.stateDirectory = option("state") != invocation.frontOptions.end()
                               ? std::filesystem::path(option("state")->second)
                               : DefaultStateDirectory();
  if (auto card = option("card"); card != invocation.frontOptions.end()) {
    std::string problem;
    if (!card::LoadCardConfigFile(card->second, &options.card, &problem)) {
      *error = "cannot use the card configuration " + card->second + ": " + problem;
      return nullptr;
    }
  }
  options.realTime = option("real-time") != invocation.frontOptions.end() || options.card.realTime;
  std::unique_ptr<NativeMachine> machine = NativeMachine::Open(options, err, error);
  if (machine && onOpen) onOpen(*machine);
  return machine;
}

void NativeFront::CatchInterrupts(bool on) {
  struct sigaction action {};
  action.sa_handler = on ? OnInterrupt : SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace tolven::varnctl
