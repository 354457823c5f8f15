// The command line: options before and after the command, values in both
// spellings, and the exit status of every kind of bad usage.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/varnctl/commands.h"
#include "tools/varnctl/varnctl.h"

namespace tolven::varnctl {
namespace {

constexpr OptionSpec kFront[] = {{"state", "DIR", "state"}, {"real-time", nullptr, "clock"}};

int Parse(std::vector<std::string> args, Invocation *invocation, std::string *error = nullptr) {
  std::string ignored;
  return ParseCommandLine(args, kFront, invocation, error ? error : &ignored);
}

TEST(CommandLine, GlobalOptionsGoBeforeOrAfterTheCommand) {
  Invocation a, b;
  ASSERT_EQ(Parse({"--json", "channels"}, &a), kExitOk);
  ASSERT_EQ(Parse({"channels", "--json"}, &b), kExitOk);
  EXPECT_TRUE(a.json);
  EXPECT_TRUE(b.json);
  EXPECT_EQ(a.command, "channels");
  EXPECT_EQ(b.command, "channels");
}

TEST(CommandLine, OptionValuesInBothSpellings) {
  Invocation a, b;
  ASSERT_EQ(Parse({"add", "News", "--at", "3", "--state=/tmp/s"}, &a), kExitOk);
  ASSERT_EQ(Parse({"--state", "/tmp/s", "add", "--at=3", "News"}, &b), kExitOk);
  for (const Invocation *i : {&a, &b}) {
    EXPECT_EQ(i->options.at("at"), "3");
    EXPECT_EQ(i->frontOptions.at("state"), "/tmp/s");
    EXPECT_EQ(i->args, std::vector<std::string>{"News"});
  }
}

TEST(CommandLine, NegativeNumbersAndDashAreArguments) {
  Invocation i;
  ASSERT_EQ(Parse({"picture", "hue", "-10"}, &i), kExitOk);
  EXPECT_EQ(i.args, (std::vector<std::string>{"hue", "-10"}));
  ASSERT_EQ(Parse({"export", "-"}, &i), kExitOk);
  EXPECT_EQ(i.args, std::vector<std::string>{"-"});
  ASSERT_EQ(Parse({"rename", "0", "--", "--odd name--"}, &i), kExitOk);
  EXPECT_EQ(i.args, (std::vector<std::string>{"0", "--odd name--"}));
}

TEST(CommandLine, BadUsageAnswersTwoWithAMessage) {
  const std::vector<std::vector<std::string>> bad = {
      {},                                   // no command
      {"frobnicate"},                       // unknown command
      {"channels", "--colour"},             // unknown option
      {"-x", "channels"},                   // unknown short option
      {"--state"},                          // value missing
      {"channels", "--real-time=yes"},      // a flag with a value
      {"--progress=sometimes", "scan"},     // unknown progress mode
      {"tune"},                             // too few arguments
      {"tune", "1", "2"},                   // too many
      {"channels", "extra"},                // none expected
      {"info", "--at", "3"},                // another command's option
  };
  for (const auto &args : bad) {
    Invocation i;
    std::string error;
    EXPECT_EQ(Parse(args, &i, &error), kExitUsage) << ::testing::PrintToString(args);
    EXPECT_FALSE(error.empty());
  }
}

TEST(CommandLine, HelpAndVersionNeedNoCommand) {
  Invocation i;
  ASSERT_EQ(Parse({"--help"}, &i), kExitOk);
  EXPECT_TRUE(i.help);
  ASSERT_EQ(Parse({"tune", "-h"}, &i), kExitOk);  // even without tune's argument
  EXPECT_TRUE(i.help);
  EXPECT_EQ(i.command, "tune");
  ASSERT_EQ(Parse({"--version"}, &i), kExitOk);
  EXPECT_TRUE(i.version);
}

TEST(CommandLine, ProgressModes) {
  Invocation i;
  ASSERT_EQ(Parse({"scan", "--progress", "bar"}, &i), kExitOk);
  EXPECT_EQ(i.progress, ProgressMode::kBar);
  ASSERT_EQ(Parse({"scan", "--progress=none"}, &i), kExitOk);
  EXPECT_EQ(i.progress, ProgressMode::kNone);
}

// A front that must not be opened: help and usage errors never touch the card.
class UnopenableFront : public Front {
 public:
  std::span<const OptionSpec> Options() const override { return kFront; }
  std::string About() const override { return "About this front.\n"; }
  std::unique_ptr<Machine> Open(const Invocation &, std::ostream &, std::string *error) override {
    ++opens;
    *error = "no machine here";
    return nullptr;
  }
  void CatchInterrupts(bool) override {}
  int opens = 0;
};

struct Outcome {
  int status;
  std::string out, err;
};
Outcome RunWith(Front &front, std::vector<std::string> args) {
  std::ostringstream out, err;
  Console console{out, err, nullptr, false, {}};
  const int status = Run(args, front, console);
  return {status, out.str(), err.str()};
}

TEST(CommandLine, EveryCommandHasHelpOnStandardOutput) {
  UnopenableFront front;
  for (const Command &command : Commands()) {
    const Outcome o = RunWith(front, {command.name, "--help"});
    EXPECT_EQ(o.status, kExitOk) << command.name;
    EXPECT_EQ(o.out.rfind(std::string("Usage: varnctl ") + command.name, 0), 0u) << o.out;
    EXPECT_EQ(o.out.find("--json") != std::string::npos, command.listing) << command.name;
    EXPECT_TRUE(o.err.empty());
  }
  const Outcome general = RunWith(front, {"--help"});
  EXPECT_EQ(general.status, kExitOk);
  for (const Command &command : Commands())
    EXPECT_NE(general.out.find(std::string("\n  ") + command.name), std::string::npos) << command.name;
  EXPECT_NE(general.out.find("--state DIR"), std::string::npos);
  EXPECT_NE(general.out.find("About this front."), std::string::npos);
  EXPECT_EQ(front.opens, 0);
}

TEST(CommandLine, UsageErrorsGoToStandardErrorWithNothingOnStandardOutput) {
  UnopenableFront front;
  const Outcome o = RunWith(front, {"volume"});
  EXPECT_EQ(o.status, kExitUsage);
  EXPECT_TRUE(o.out.empty());
  EXPECT_NE(o.err.find("too few arguments for 'volume'"), std::string::npos) << o.err;
  EXPECT_NE(o.err.find("Try 'varnctl volume --help'."), std::string::npos) << o.err;
  EXPECT_EQ(front.opens, 0);
}

TEST(CommandLine, AMachineThatCannotOpenFailsWithOne) {
  UnopenableFront front;
  const Outcome o = RunWith(front, {"channels"});
  EXPECT_EQ(o.status, kExitFailed);
  EXPECT_EQ(o.err, "varnctl: no machine here\n");
  EXPECT_TRUE(o.out.empty());
  EXPECT_EQ(front.opens, 1);
}

}  // namespace
}  // namespace tolven::varnctl
