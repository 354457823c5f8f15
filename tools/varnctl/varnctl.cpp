#include "tools/varnctl/varnctl.h"

#include <cctype>
#include <ostream>

#include "platform/win_errors.h"
#include "tools/varnctl/channel_file_check.h"
#include "tools/varnctl/commands.h"
#include "tools/varnctl/text.h"

#ifndef VARNCTL_VERSION
#define VARNCTL_VERSION "0"
#endif

namespace tolven::varnctl {

namespace {

constexpr OptionSpec kGlobalOptions[] = {
    {"json", nullptr, "print listings as JSON"},
    {"progress", "MODE", "progress of searches: auto (a bar on a terminal, lines otherwise), bar, lines, none"},
    {"help", nullptr, "show help (also after a command)"},
    {"version", nullptr, "show the version"},
};

const OptionSpec *FindOption(std::span<const OptionSpec> options, std::string_view name) {
  for (const auto &option : options)
    if (name == option.name) return &option;
  return nullptr;
}

std::string OptionLine(const OptionSpec &option) {
  std::string left = std::string("  --") + option.name + (option.valueName ? std::string(" ") + option.valueName : "");
  if (left.size() < 22) left += std::string(22 - left.size(), ' ');
  else left += "  ";
  return left + option.help + "\n";
}

void GeneralHelp(std::ostream &out, Front &front) {
  out << "Usage: varnctl [OPTIONS] COMMAND [ARGS]\n\n"
         "Controls the Caldra One TV-tuner card through its driver's control interface.\n\n"
         "Commands:\n";
  for (const auto &command : Commands()) {
    std::string left = std::string("  ") + command.name + (*command.synopsis ? " " : "") + command.synopsis;
    if (left.size() < 30) left += std::string(30 - left.size(), ' ');
    else left += "\n" + std::string(30, ' ');
    out << left << command.summary << '\n';
  }
  out << "\nOptions:\n";
  for (const auto &option : kGlobalOptions) out << OptionLine(option);
  for (const auto &option : front.Options()) out << OptionLine(option);
  out << "\n" << front.About() << "\n"
      << "Channels, sources and settings are chosen by index (from 0) or by name. Every change is saved\n"
         "as the viewer saves it. Exit status: 0 success, 1 the operation failed, 2 bad usage.\n"
         "Run 'varnctl COMMAND --help' for a command's details.\n";
}

void CommandHelp(std::ostream &out, const Command &command) {
  out << "Usage: varnctl " << command.name << (command.options.empty() ? "" : " [OPTIONS]")
      << (*command.synopsis ? " " : "") << command.synopsis << "\n\n"
      << static_cast<char>(std::toupper(static_cast<unsigned char>(command.summary[0]))) << command.summary + 1
      << ".\n";
  if (*command.details) out << command.details << '\n';
  if (!command.options.empty() || command.listing) {
    out << "\nOptions:\n";
    for (const auto &option : command.options) out << OptionLine(option);
  }
  if (command.listing) out << OptionLine(kGlobalOptions[0]);
}

bool ParseProgress(const std::string &text, ProgressMode *mode) {
  static constexpr std::pair<const char *, ProgressMode> kModes[] = {
      {"auto", ProgressMode::kAuto}, {"bar", ProgressMode::kBar}, {"lines", ProgressMode::kLines},
      {"none", ProgressMode::kNone}};
  for (const auto &[name, value] : kModes)
    if (text == name) return *mode = value, true;
  return false;
}

// Tells of a damaged channel file and copies it beside itself before a save
// can replace it; false when the copy could not be made (and nothing may
// be saved).
bool CheckChannelFile(Console &console, Machine &machine) {
  const WString path = ChannelFilePath(machine.Files());
  std::vector<uint8_t> bytes;
  if (machine.Files().ReadWholeFile(path, &bytes) != win::kErrorSuccess) return true;
  ChannelFileDamage damage;
  if (!FindChannelFileDamage(bytes, &damage)) return true;
  const int32_t kept = damage.completeChannels;
  console.err << "varnctl: the channel file " << machine.ShownPath(path) << " is damaged after byte "
              << damage.intactBytes << "; " << kept << " complete channel" << (kept == 1 ? " was" : "s were")
              << " kept\n";
  const WString copy = path + kDamagedSuffix;
  if (machine.Files().WriteFileReplacing(copy, bytes) != win::kErrorSuccess) {
    console.err << "varnctl: cannot keep a copy of the damaged file in " << machine.ShownPath(copy)
                << "; nothing was changed\n";
    return false;
  }
  console.err << "varnctl: a copy of the damaged file is kept in " << machine.ShownPath(copy) << '\n';
  return true;
}

}  // namespace

std::string Machine::ShownPath(WStringView path) { return ToUtf8(path); }

int ParseCommandLine(std::span<const std::string> args, std::span<const OptionSpec> frontOptions,
                     Invocation *invocation, std::string *error) {
  *invocation = Invocation{};
  const Command *command = nullptr;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string &arg = args[i];
    // Negative numbers are values (picture hue -10), not options.
    const bool looksLikeOption = !optionsEnded && arg.size() > 1 && arg[0] == '-' &&
                                 !(arg[1] >= '0' && arg[1] <= '9') && arg != "-";
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (!looksLikeOption) {
      if (!command) {
        command = FindCommand(arg);
        if (!command) {
          *error = "unknown command '" + arg + "'";
          return kExitUsage;
        }
        invocation->command = arg;
      } else {
        invocation->args.push_back(arg);
      }
      continue;
    }
    if (arg == "-h") {
      invocation->help = true;
      continue;
    }
    if (arg.rfind("--", 0) != 0) {
      *error = "unknown option '" + arg + "'";
      return kExitUsage;
    }
    std::string name = arg.substr(2), value;
    bool hasValue = false;
    if (size_t equals = name.find('='); equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
      hasValue = true;
    }
    // The command's own options first, then the program's and the front's.
    const OptionSpec *known = command ? FindOption(command->options, name) : nullptr;
    enum { kCommandOption, kGlobalOption, kFrontOption } kind = kCommandOption;
    if (!known && (known = FindOption(kGlobalOptions, name))) kind = kGlobalOption;
    if (!known && (known = FindOption(frontOptions, name))) kind = kFrontOption;
    if (!known) {
      *error = "unknown option '--" + name + "'";
      return kExitUsage;
    }
    if (known->valueName && !hasValue) {
      if (i + 1 >= args.size()) {
        *error = "option '--" + name + "' needs a value (" + known->valueName + ")";
        return kExitUsage;
      }
      value = args[++i];
    } else if (!known->valueName && hasValue) {
      *error = "option '--" + name + "' takes no value";
      return kExitUsage;
    }
    if (kind == kCommandOption) {
      invocation->options[name] = value;
    } else if (kind == kFrontOption) {
      invocation->frontOptions[name] = value;
    } else if (name == "json") {
      invocation->json = true;
    } else if (name == "help") {
      invocation->help = true;
    } else if (name == "version") {
      invocation->version = true;
    } else if (name == "progress" && !ParseProgress(value, &invocation->progress)) {
      *error = "--progress takes auto, bar, lines or none, not '" + value + "'";
      return kExitUsage;
    }
  }
  if (invocation->help || invocation->version) return kExitOk;
  if (!command) {
    *error = "no command given";
    return kExitUsage;
  }
  const int count = static_cast<int>(invocation->args.size());
  if (count < command->minArgs || count > command->maxArgs) {
    *error = std::string(count < command->minArgs ? "too few" : "too many") + " arguments for '" + command->name +
             "' (usage: varnctl " + command->name + (*command->synopsis ? " " : "") + command->synopsis + ")";
    return kExitUsage;
  }
  return kExitOk;
}

int Run(std::span<const std::string> args, Front &front, Console &console) {
  Invocation invocation;
  std::string error;
  if (ParseCommandLine(args, front.Options(), &invocation, &error) != kExitOk) {
    console.err << "varnctl: " << error << "\nTry 'varnctl "
                << (FindCommand(invocation.command) ? invocation.command + " " : std::string()) << "--help'.\n";
    return kExitUsage;
  }
  if (invocation.version) {
    console.out << "varnctl " << VARNCTL_VERSION << '\n';
    return kExitOk;
  }
  if (invocation.help) {
    if (const Command *command = FindCommand(invocation.command)) CommandHelp(console.out, *command);
    else GeneralHelp(console.out, front);
    return kExitOk;
  }
  const Command *command = FindCommand(invocation.command);
  std::unique_ptr<Machine> machine = front.Open(invocation, console.err, &error);
  if (!machine) {
    console.err << "varnctl: " << error << '\n';
    return kExitFailed;
  }
  control::IControlHub *hub = machine->Hub();
  const bool isInfo = std::string_view(command->name) == "info";
  if (!machine->CardFound() && !(isInfo && hub)) {
    if (isInfo) {
      // Nothing more to tell without the card.
      if (invocation.json) console.out << "{\n  \"card\": \"not found\"\n}\n";
      else console.out << "Card               not found\n";
    } else {
      console.err << "varnctl: no Caldra One card was found\n";
    }
    machine->Close(&error);
    return kExitFailed;
  }
  if (!hub) {
    console.err << "varnctl: the driver's control interface is not available\n";
    machine->Close(&error);
    return kExitFailed;
  }
  if (!CheckChannelFile(console, *machine)) {
    // Unlocks without saving: the damaged file stays as it is.
    machine.reset();
    return kExitFailed;
  }
  CommandContext context{invocation, console, *machine, *hub, front};
  int status = command->run(context);
  if (!machine->Close(&error)) {
    console.err << "varnctl: " << error << '\n';
    status = kExitFailed;
  }
  return status;
}

}  // namespace tolven::varnctl
