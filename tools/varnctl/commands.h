// The command table: every subcommand with its arguments, options, help and
// handler. Usage text, parsing and dispatch all read it.
#pragma once
#include <span>

#include "tools/varnctl/varnctl.h"

namespace tolven::varnctl {

struct CommandContext {
  const Invocation &invocation;
  Console &console;
  Machine &machine;
  control::IControlHub &hub;
  Front &front;
};

struct Command {
  const char *name;
  const char *synopsis;  // the arguments, as usage shows them
  const char *summary;   // one line
  const char *details;   // more help ("" for none)
  int minArgs, maxArgs;
  std::span<const OptionSpec> options;
  bool listing;          // lists something (and so prints JSON with --json)
  int (*run)(CommandContext &context);
};

std::span<const Command> Commands();
const Command *FindCommand(std::string_view name);

}  // namespace tolven::varnctl
