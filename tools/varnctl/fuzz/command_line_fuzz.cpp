// varnctl's command line on any words (NUL-separated in the input): parsing,
// help and usage must answer with a known exit status, and no command may
// reach the card before the line was accepted.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tools/varnctl/varnctl.h"

namespace {

using namespace tolven::varnctl;

constexpr OptionSpec kFrontOptions[] = {{"state", "DIR", "state"}, {"real-time", nullptr, "real time"}};

class NoMachineFront : public Front {
 public:
  std::span<const OptionSpec> Options() const override { return kFrontOptions; }
  std::string About() const override { return "fuzzing\n"; }
  std::unique_ptr<Machine> Open(const Invocation &, std::ostream &, std::string *error) override {
    opened = true;
    *error = "no machine";
    return nullptr;
  }
  void CatchInterrupts(bool) override {}
  bool opened = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) args.emplace_back();
    else args.back().push_back(static_cast<char>(data[i]));
  }
  Invocation invocation;
  std::string error;
  const int parsed = ParseCommandLine(args, kFrontOptions, &invocation, &error);
  if (parsed != kExitOk && parsed != kExitUsage) std::abort();
  if (parsed == kExitUsage && error.empty()) std::abort();

  NoMachineFront front;
  std::ostringstream out, err;
  Console console{out, err, nullptr, false, {}};
  const int status = Run(args, front, console);
  if (status != kExitOk && status != kExitUsage && status != kExitFailed) std::abort();
  if (parsed == kExitUsage && (status != kExitUsage || front.opened)) std::abort();
  return 0;
}
