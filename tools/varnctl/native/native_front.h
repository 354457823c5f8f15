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
  std::unique_ptr<Machine> Open(const Invocation &invocation, std::ostream &err, std::string *error) override;
  void CatchInterrupts(bool on) override;

  // Called with every machine this front opens, before the command runs
  // (tests look at the card through it).
  std::function<void(NativeMachine &)> onOpen;
  // The state folder's lock waits on this clock (null: real time) for this
  // long (tests wait in simulated time).
  Clock *lockClock = nullptr;
  LockTiming lockTiming;
};

}  // namespace tolven::varnctl
