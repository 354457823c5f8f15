// varnctl on the virtual card: the options that choose the card, the state
// folder and the clock, and Ctrl+C through SIGINT.
#pragma once
#include <functional>

#include "tools/varnctl/native/native_machine.h"
#include "tools/varnctl/varnctl.h"

namespace tolven::varnctl {

class NativeFront : public Front {
 public:
  std::span<const OptionSpec> Options() const override;
  std::string About() const override;
  std::unique_ptr<Machine> Open(const Invocation &invocation, std::string *error) override;
  void CatchInterrupts(bool on) override;

  // Called with every machine this front opens, before the command runs
  // (tests look at the card through it).
  std::function<void(NativeMachine &)> onOpen;
};

}  // namespace tolven::varnctl
