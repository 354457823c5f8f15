#include "tools/varnctl/commands.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "driver/control/control_tables.h"
#include "driver/strings/string_table.h"
#include "driver/tuning/profile_location.h"
#include "platform/locale/locale.h"
#include "tools/varnctl/channel_csv.h"
#include "tools/varnctl/language_values.h"
#include "tools/varnctl/progress.h"
#include "tools/varnctl/text.h"

namespace tolven::varnctl {

namespace {

using control::ICrossbarControl;
using control::IProcAmpControl;
using control::ITunerControl;
using control::IVideoDecoderControl;
using control::IVideoPortControl;
using Json = nlohmann::ordered_json;

// ---- helpers ---------------------------------------------------------------

// A display name through the interface's length-then-copy pair.
template <typename Length, typename Copy>
std::string ReadName(Length length, Copy copy) {
  const int32_t n = length();
  if (n <= 0) return std::string();
  std::u16string buffer(static_cast<size_t>(n) + 1, u'\0');
  if (!copy(buffer.data())) return std::string();
  buffer.resize(std::char_traits<char16_t>::length(buffer.data()));
  return ToUtf8(buffer);
}

int Fail(CommandContext &c, const std::string &message) {
  c.console.err << "varnctl " << c.invocation.command << ": " << message << '\n';
  return kExitFailed;
}

int Usage(CommandContext &c, const std::string &message) {
  c.console.err << "varnctl " << c.invocation.command << ": " << message << "\n"
                << "Try 'varnctl " << c.invocation.command << " --help'.\n";
  return kExitUsage;
}

void PrintJson(CommandContext &c, const Json &json) { c.console.out << json.dump(2) << '\n'; }

bool ParseOnOff(const std::string &text, bool *on) {
  for (const char *yes : {"on", "yes", "true", "1"})
    if (EqualsIgnoringCase(text, yes)) return *on = true, true;
  for (const char *no : {"off", "no", "false", "0"})
    if (EqualsIgnoringCase(text, no)) return *on = false, true;
  return false;
}

// An argument naming one of `count` values by index or by name (any case).
// Answers the exit status of a failure, or kExitOk with the index.
int Select(CommandContext &c, const std::string &arg, int32_t count, const char *what,
           const std::function<std::string(int32_t)> &name, int32_t *index) {
  int64_t value = 0;
  if (ParseInt(arg, INT32_MIN, INT32_MAX, &value)) {
    if (value < 0 || value >= count) {
      if (count == 0) return Fail(c, std::string("there is no ") + what);
      return Fail(c, "no " + std::string(what) + " " + arg + " (there are " + std::to_string(count) +
                         ", numbered 0 to " + std::to_string(count - 1) + ")");
    }
    *index = static_cast<int32_t>(value);
    return kExitOk;
  }
  std::string names;
  for (int32_t i = 0; i < count; ++i) {
    const std::string n = name(i);
    if (EqualsIgnoringCase(n, arg)) {
      *index = i;
      return kExitOk;
    }
    names += (i ? ", " : "") + std::string("\"") + n + "\"";
  }
  return Fail(c, std::string("no ") + what + " named \"" + arg + "\"" +
                     (count ? " (choose from " + names + ")" : ""));
}

// An argument that must be a whole number; kExitUsage with a message when not.
int Number(CommandContext &c, const std::string &arg, const char *what, int64_t minimum,
           int64_t maximum, int64_t *value) {
  if (ParseInt(arg, minimum, maximum, value)) return kExitOk;
  return Usage(c, std::string(what) + " must be a whole number from " + std::to_string(minimum) +
                      " to " + std::to_string(maximum) + ", not \"" + arg + "\"");
}

// Commits the way the viewer does after a change: crossbar, tuner and
// decoder, and whichever other component the command changed.
int Commit(CommandContext &c, bool videoPort = false, bool picture = false) {
  bool ok = true;
  if (ICrossbarControl *crossbar = c.hub.GetCrossbar()) ok = crossbar->SaveSettings() && ok;
  if (ITunerControl *tuner = c.hub.GetTuner()) ok = tuner->SaveSettings() && ok;
  if (IVideoDecoderControl *decoder = c.hub.GetVideoDecoder()) ok = decoder->SaveSettings() && ok;
  if (videoPort)
    if (IVideoPortControl *port = c.hub.GetVideoPort()) ok = port->SaveSettings() && ok;
  if (picture)
    if (IProcAmpControl *procAmp = c.hub.GetProcAmp()) ok = procAmp->SaveSettings() && ok;
  if (!ok) return Fail(c, "the change was made but could not be saved");
  return kExitOk;
}

ITunerControl *Tuner(CommandContext &c) {
  ITunerControl *tuner = c.hub.GetTuner();
  if (!tuner) Fail(c, "the driver offers no tuner");
  return tuner;
}
ICrossbarControl *Crossbar(CommandContext &c) {
  ICrossbarControl *crossbar = c.hub.GetCrossbar();
  if (!crossbar) Fail(c, "the driver offers no crossbar");
  return crossbar;
}

// ---- names of the components' values ----------------------------------------

std::string SourceName(ICrossbarControl *x, int32_t i) {
  return ReadName([&] { return x->GetSourceNameLength(i); }, [&](char16_t *b) { return x->GetSourceName(i, b); });
}
std::string ModeName(ICrossbarControl *x, int32_t i) {
  return ReadName([&] { return x->GetAudioModeNameLength(i); },
                  [&](char16_t *b) { return x->GetAudioModeName(i, b); });
}
// Shown and matched without control characters (a damaged file may hold any).
std::string ChannelName(ITunerControl *t, int32_t i) {
  return Printable(
      ReadName([&] { return t->GetChannelNameLength(i); }, [&](char16_t *b) { return t->GetChannelName(i, b); }));
}

// A channel's plan number; numbers past 2^31 (none, or read from a damaged
// file) read back negative and are shown as none.
Json NumberJson(int32_t number) { return number < 0 ? Json(nullptr) : Json(number); }
std::string NumberText(int32_t number) { return number < 0 ? std::string("none") : std::to_string(number); }

// A stored frequency; 0xFFFFFFFF means none.
constexpr uint32_t kNoFrequency = 0xFFFFFFFFu;
Json FrequencyJson(uint32_t hz) { return hz == kNoFrequency ? Json(nullptr) : Json(hz); }
std::string MegahertzText(uint32_t hz) {
  if (hz == kNoFrequency) return "none";
  char mhz[32];
  std::snprintf(mhz, sizeof mhz, "%.4f", hz / 1e6);
  return mhz;
}
std::string InputTypeName(ITunerControl *t, int32_t i) {
  return ReadName([&] { return t->GetInputTypeNameLength(i); },
                  [&](char16_t *b) { return t->GetInputTypeName(i, b); });
}
std::string StandardName(ITunerControl *t, int32_t i) {
  return ReadName([&] { return t->GetStandardNameLength(i); }, [&](char16_t *b) { return t->GetStandardName(i, b); });
}

Json NameOrNull(int32_t index, const std::function<std::string(int32_t)> &name) {
  if (index < 0) return nullptr;
  return name(index);
}

// ---- the channel file ---------------------------------------------------------

WString ChannelFilePath(Machine &machine) { return varnctl::ChannelFilePath(machine.Files()); }

// The audio modes a channel file may hold, with their names as the driver's
// English (United States) string table gives them, so that files do not
// depend on the user's language.
std::vector<AudioModeName> AudioModeNames() {
  loc::EmulatedLocale locale;
  strings::EmbeddedStringTable table(locale);
  std::vector<AudioModeName> names;
  for (const auto &entry : control::kAudioModes.entries)
    names.push_back({entry.bit, ToUtf8(table.Text(entry.stringId))});
  return names;
}

// The records behind the tuner's list (it reads them from this file when the
// hub is made, and every commit writes them back), when the file agrees with
// the list the tuner reports.
bool ChannelRecords(CommandContext &c, ITunerControl *tuner, tuning::CVarnTunerChannelList *list) {
  const auto status = list->Load(c.machine.Files(), ChannelFilePath(c.machine));
  if (status == tuning::ChannelFileStatus::kUnreadable) return false;
  if (list->GetCount() != tuner->GetChannelCount()) return false;
  for (int32_t i = 0; i < list->GetCount(); ++i) {
    tuning::CVarnTunerChannel channel;
    list->GetAt(i, &channel);
    if (static_cast<int32_t>(channel.channelNumber) != tuner->GetChannelNumber(i) ||
        Printable(ToUtf8(channel.name)) != ChannelName(tuner, i))
      return false;
  }
  return true;
}

// ---- channels -------------------------------------------------------------------

int ShowChannels(CommandContext &c) {
  ITunerControl *tuner = Tuner(c);
  if (!tuner) return kExitFailed;
  tuning::CVarnTunerChannelList records;
  const bool haveRecords = ChannelRecords(c, tuner, &records);
  const int32_t count = tuner->GetChannelCount();
  const int32_t current = tuner->GetCurrentChannel();
  Json list = Json::array();
  std::vector<std::vector<std::string>> rows;
  for (int32_t i = 0; i < count; ++i) {
    tuning::CVarnTunerChannel record;
    const bool known = haveRecords && records.GetAt(i, &record);
    Json row;
    row["index"] = i;
    row["name"] = ChannelName(tuner, i);
    row["number"] = NumberJson(tuner->GetChannelNumber(i));
    row["frequency_hz"] = known ? FrequencyJson(record.frequency) : Json(nullptr);
    row["current"] = i == current;
    list.push_back(row);
    rows.push_back({(i == current ? "*" : " ") + std::to_string(i), row["name"].get<std::string>(),
                    NumberText(tuner->GetChannelNumber(i)), known ? MegahertzText(record.frequency) : "?"});
  }
  if (c.invocation.json) {
    PrintJson(c, Json{{"channels", list}});
    return kExitOk;
  }
  if (count == 0) {
    c.console.out << "No channels. Run 'varnctl scan' to find some.\n";
    return kExitOk;
  }
  const std::vector<std::string> heading = {"  #", "Name", "Number", "Frequency (MHz)"};
  size_t widths[4];
  for (size_t k = 0; k < 4; ++k) {
    widths[k] = DisplayWidth(heading[k]);
    for (const auto &row : rows) widths[k] = std::max(widths[k], DisplayWidth(row[k]) + (k == 0 ? 1 : 0));
  }
  auto line = [&](const std::vector<std::string> &cells) {
    std::string text;
    for (size_t k = 0; k < 4; ++k) {
      const size_t pad = widths[k] - DisplayWidth(cells[k]) - (k == 0 && cells[k] != heading[0] ? 1 : 0);
      const bool right = k != 1;  // numbers right-aligned, the name left
      if (k) text += "  ";
      if (k == 0 && cells[k] != heading[0]) text += ' ';
      text += right ? std::string(pad, ' ') + cells[k] : cells[k] + (k == 3 ? "" : std::string(pad, ' '));
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    c.console.out << text << '\n';
  };
  line(heading);
  for (const auto &row : rows) line(row);
  return kExitOk;
}

// A channel name from the command line; bytes that are not UTF-8 are
// refused (as import refuses them) rather than changed.
bool NameFromUtf8(CommandContext &c, const std::string &text, WString *name) {
  bool valid = true;
  *name = FromUtf8(text, &valid);
  if (!valid) Usage(c, "the name is not UTF-8 text");
  return valid;
}

int32_t ChannelIndex(CommandContext &c, ITunerControl *tuner, const std::string &arg, int *status) {
  int32_t index = -1;
  *status = Select(c, arg, tuner->GetChannelCount(), "channel",
                   [&](int32_t i) { return ChannelName(tuner, i); }, &index);
  return index;
}

// Text mode confirms a change in one line; JSON mode shows the area again.
int Changed(CommandContext &c, const std::string &text, int (*show)(CommandContext &)) {
  if (int status = Commit(c, false, false)) return status;
  if (c.invocation.json) return show(c);
  c.console.out << text << '\n';
  return kExitOk;
}

int RunChannels(CommandContext &c) { return ShowChannels(c); }

int RunTune(CommandContext &c) {
  ITunerControl *tuner = Tuner(c);
  if (!tuner) return kExitFailed;
  int status;
  const int32_t index = ChannelIndex(c, tuner, c.invocation.args[0], &status);
  if (status) return status;
  if (!tuner->TuneChannel(index)) return Fail(c, "the tuner did not take channel " + std::to_string(index));
  return Changed(c, "Tuned to " + std::to_string(index) + " " + ChannelName(tuner, index), ShowChannels);
}

int RunAdd(CommandContext &c) {
  ITunerControl *tuner = Tuner(c);
  if (!tuner) return kExitFailed;
  int64_t position = -1;
  auto at = c.invocation.options.find("at");
  if (at != c.invocation.options.end())
    if (int status = Number(c, at->second, "--at", 0, INT32_MAX, &position)) return status;
  const int32_t before = tuner->GetChannelCount();
  WString name;
  const bool named = !c.invocation.args.empty();
  if (named && !NameFromUtf8(c, c.invocation.args[0], &name)) return kExitUsage;
  if (!tuner->AddChannel(named ? name.c_str() : nullptr, static_cast<int32_t>(position)))
    return Fail(c, "no channel added: every channel number of the plan is in the list already");
  const int32_t index = position >= 0 && position < before ? static_cast<int32_t>(position) : before;
  return Changed(c, "Added " + std::to_string(index) + " " + ChannelName(tuner, index) + " (number " +
                        NumberText(tuner->GetChannelNumber(index)) + ")",
                 ShowChannels);
}

int RunRename(CommandContext &c) {
  ITunerControl *tuner = Tuner(c);
  if (!tuner) return kExitFailed;
  int status;
  const int32_t index = ChannelIndex(c, tuner, c.invocation.args[0], &status);
  if (status) return status;
  WString name;
  if (!NameFromUtf8(c, c.invocation.args[1], &name)) return kExitUsage;
  if (!tuner->RenameChannel(index, name.c_str())) return Fail(c, "the tuner refused the new name");
  return Changed(c, "Renamed " + std::to_string(index) + " to " + ChannelName(tuner, index), ShowChannels);
}

int RunMove(CommandContext &c) {
  ITunerControl *tuner = Tuner(c);
  if (!tuner) return kExitFailed;
  int status;
  const int32_t from = ChannelIndex(c, tuner, c.invocation.args[0], &status);
  if (status) return status;
  int64_t to = 0;
  if ((status = Number(c, c.invocation.args[1], "TO", 0, INT32_MAX, &to))) return status;
  const int32_t count = tuner->GetChannelCount();
  if (!tuner->MoveChannel(from, static_cast<int32_t>(to))) return Fail(c, "the tuner did not move the channel");
  // Past the end (of the list without the channel) appends.
  const int32_t landed = to < count - 1 ? static_cast<int32_t>(to) : count - 1;
  return Changed(c, "Moved " + ChannelName(tuner, landed) + " to " + std::to_string(landed), ShowChannels);
}

int RunDelete(CommandContext &c) {
  ITunerControl *tuner = Tuner(c);
  if (!tuner) return kExitFailed;
  int status;
  const int32_t index = ChannelIndex(c, tuner, c.invocation.args[0], &status);
  if (status) return status;
  const std::string name = ChannelName(tuner, index);
  if (!tuner->DeleteChannel(index)) return Fail(c, "the tuner did not delete the channel");
  return Changed(c, "Deleted " + std::to_string(index) + " " + name, ShowChannels);
}

int RunDeleteAll(CommandContext &c) {
  ITunerControl *tuner = Tuner(c);
  if (!tuner) return kExitFailed;
  const int32_t count = tuner->GetChannelCount();
  tuner->DeleteAllChannels();
  return Changed(c, "Deleted all " + std::to_string(count) + " channels", ShowChannels);
}

int RunSetNumber(CommandContext &c) {
  ITunerControl *tuner = Tuner(c);
  if (!tuner) return kExitFailed;
  int status;
  const int32_t index = ChannelIndex(c, tuner, c.invocation.args[0], &status);
  if (status) return status;
  int64_t number = 0;
  if ((status = Number(c, c.invocation.args[1], "NUMBER", 0, INT32_MAX, &number))) return status;
  if (!tuner->SetChannelNumber(index, static_cast<int32_t>(number)))
    return Fail(c, "channel number " + c.invocation.args[1] + " is not in the country's channel plan");
  return Changed(c, ChannelName(tuner, index) + " is now number " + std::to_string(number), ShowChannels);
}

// ---- searches -------------------------------------------------------------------

// Runs one search with the progress display and Ctrl+C caught; the
// display's callback stops the search at the next report once Ctrl+C came.
template <typename Operation>
int32_t Search(CommandContext &c, const char *label, Operation operation) {
  ITunerControl *tuner = c.hub.GetTuner();
  ProgressDisplay display(c.console.err, c.invocation.progress, c.console.errIsTerminal, label);
  display.Activate(c.console.onProgress);
  ClearInterrupt();
  c.front.CatchInterrupts(true);
  const control::ProgressCallback previous = tuner->SetProgressCallback(&ProgressDisplay::Callback);
  const int32_t result = operation();
  tuner->SetProgressCallback(previous);
  c.front.CatchInterrupts(false);
  display.Finish();
  return result;
}

// The crossbar's connector type of the tuner's video input.
constexpr int32_t kTunerConnector = 2;

// Searches and fine tuning mean something on the tuner input only: elsewhere
// the decoder locks on whatever the input carries. Selects the tuner's
// source (saved with the command's other changes) and says so.
int SelectTunerInput(CommandContext &c) {
  ICrossbarControl *x = c.hub.GetCrossbar();
  if (!x) return kExitOk;  // nothing to switch: the tuner is all there is
  int32_t tunerSource = -1;
  for (int32_t i = 0; i < x->GetSourceCount() && tunerSource < 0; ++i)
    if (x->GetSourceType(i) == kTunerConnector) tunerSource = i;
  if (tunerSource < 0) return Fail(c, "the card has no tuner input");
  if (x->GetSource() == tunerSource) return kExitOk;
  if (!x->SetSource(tunerSource)) return Fail(c, "the crossbar could not switch to the tuner input");
  c.console.err << "varnctl " << c.invocation.command << ": switched to the tuner input (source "
                << SourceName(x, tunerSource) << ")\n";
  return kExitOk;
}

int RunScan(CommandContext &c) {
  ITunerControl *tuner = Tuner(c);
  if (!tuner) return kExitFailed;
  if (int status = SelectTunerInput(c)) return status;
  const bool fresh = c.invocation.options.count("fresh") != 0;
  const int32_t old = tuner->GetChannelCount();
  if (fresh) tuner->DeleteAllChannels();
  const int32_t before = tuner->GetChannelCount();
  const int32_t completed = Search(c, "Scanning", [&] { return tuner->AutoScan(); });
  const bool interrupted = InterruptRequested();
  ClearInterrupt();
  int32_t added = tuner->GetChannelCount() - before;
  // A fresh list replaces the old one only when the scan is complete: the
  // channel file still holds the old list (nothing was saved since it was
  // read), so the tuner takes it back from there.
  const bool keepOld = fresh && !completed;
  if (keepOld) {
    tuner->LoadSettings();
    added = 0;
  }
  // What a plain scan found is kept, also when it was stopped.
  if (int status = Commit(c)) return status;
  if (!completed) {
    c.console.err << "varnctl scan: " << (interrupted ? "interrupted" : "stopped") << "; ";
    if (keepOld)
      c.console.err << "the list is unchanged (" << tuner->GetChannelCount() << " channel"
                    << (tuner->GetChannelCount() == 1 ? "" : "s") << ")\n";
    else
      c.console.err << "kept the " << added << " channel" << (added == 1 ? "" : "s") << " found so far\n";
  }
  if (c.invocation.json) {
    PrintJson(c, Json{{"completed", completed != 0}, {"added", added}, {"channels", tuner->GetChannelCount()}});
  } else if (completed && fresh) {
    c.console.out << "Found " << added << " channel" << (added == 1 ? "" : "s") << "; they replace the "
                  << old << " of the old list.\n";
  } else if (completed) {
    c.console.out << "Found " << added << " new channel" << (added == 1 ? "" : "s") << "; the list has "
                  << tuner->GetChannelCount() << ".\n";
  }
  return completed ? kExitOk : kExitFailed;
}

// The tuner's mark remembers one channel's frequency; it is taken and put
// back while the channel is first in the list, since the mark finds its
// channel by the tuned frequency and an earlier channel on the same
// frequency would take it.
bool MarkChannel(ITunerControl *tuner, int32_t index) {
  if (!tuner->MoveChannel(index, 0)) return false;
  const bool marked = tuner->TuneChannel(0) && tuner->MarkCurrentChannel() && tuner->GetCurrentChannel() == 0;
  tuner->MoveChannel(0, index);
  return marked;
}

// Puts back the number and the (marked) frequency a seek replaced.
void RestoreChannel(ITunerControl *tuner, int32_t index, int32_t number, bool marked) {
  tuner->MoveChannel(index, 0);
  if (number >= 0) tuner->SetChannelNumber(0, number);
  if (marked) tuner->RestoreMarkedChannel();
  tuner->MoveChannel(0, index);
}

int RunSeekOrStep(CommandContext &c, bool seek, bool up) {
  ITunerControl *tuner = Tuner(c);
  if (!tuner) return kExitFailed;
  int status;
  const int32_t index = ChannelIndex(c, tuner, c.invocation.args[0], &status);
  if (status) return status;
  if ((status = SelectTunerInput(c))) return status;
  const int32_t number = tuner->GetChannelNumber(index);
  const bool marked = seek && MarkChannel(tuner, index);
  const int32_t result = Search(c, seek ? (up ? "Seeking up" : "Seeking down") : (up ? "Stepping up" : "Stepping down"),
                                [&] {
                                  if (seek) return up ? tuner->SeekUp(index) : tuner->SeekDown(index);
                                  return up ? tuner->StepUp(index) : tuner->StepDown(index);
                                });
  const bool interrupted = InterruptRequested();
  ClearInterrupt();
  // A seek answers 1 for a find; otherwise it has moved the channel to the
  // last entry it looked at, and the channel goes back where it was.
  const bool found = seek ? result == 1 : result != 0;
  if (seek && !found) RestoreChannel(tuner, index, number, marked);
  tuner->TuneChannel(index);
  if ((status = Commit(c))) return status;
  tuning::CVarnTunerChannelList after;
  tuning::CVarnTunerChannel channel;
  const bool haveAfter = ChannelRecords(c, tuner, &after) && after.GetAt(index, &channel);
  if (c.invocation.json) {
    PrintJson(c, Json{{"index", index},
                      {"found", found},
                      {"number", NumberJson(tuner->GetChannelNumber(index))},
                      {"frequency_hz", haveAfter ? FrequencyJson(channel.frequency) : Json(nullptr)}});
  } else if (found) {
    c.console.out << ChannelName(tuner, index) << ": number " << NumberText(tuner->GetChannelNumber(index)) << ", "
                  << (haveAfter ? MegahertzText(channel.frequency) : "?") << " MHz\n";
  }
  if (seek && !found) {
    if (interrupted) return Fail(c, "interrupted; the channel is unchanged");
    // The seek answers 0 without looking when there is no plan or the
    // channel's number is not in it.
    if (result == ProgressDisplay::kStop)
      return Fail(c, "channel " + NumberText(number) + " is not in the country's channel plan; the channel is unchanged");
    return Fail(c, std::string("No station found ") + (up ? "above" : "below") + " channel " + NumberText(number) +
                       "; the channel is unchanged");
  }
  if (interrupted) return Fail(c, "interrupted");
  if (!found) return Fail(c, "the tuner did not take the new frequency");
  return kExitOk;
}

int RunSeekUp(CommandContext &c) { return RunSeekOrStep(c, true, true); }
int RunSeekDown(CommandContext &c) { return RunSeekOrStep(c, true, false); }
int RunStepUp(CommandContext &c) { return RunSeekOrStep(c, false, true); }
int RunStepDown(CommandContext &c) { return RunSeekOrStep(c, false, false); }

// ---- sources and audio ------------------------------------------------------------

int ShowSources(CommandContext &c) {
  ICrossbarControl *x = Crossbar(c);
  if (!x) return kExitFailed;
  const int32_t current = x->GetSource();
  Json list = Json::array();
  for (int32_t i = 0; i < x->GetSourceCount(); ++i) {
    list.push_back(Json{{"index", i},
                        {"name", SourceName(x, i)},
                        {"type", x->GetSourceType(i)},
                        {"has_audio", x->SourceHasAudio(i) != 0},
                        {"current", i == current}});
  }
  if (c.invocation.json) {
    PrintJson(c, Json{{"sources", list}});
    return kExitOk;
  }
  for (const auto &source : list)
    c.console.out << (source["current"].get<bool>() ? "*" : " ") << source["index"].get<int>() << "  "
                  << source["name"].get<std::string>() << (source["has_audio"].get<bool>() ? "" : "  (no audio)")
                  << '\n';
  return kExitOk;
}

int RunSources(CommandContext &c) { return ShowSources(c); }

int RunSource(CommandContext &c) {
  ICrossbarControl *x = Crossbar(c);
  if (!x) return kExitFailed;
  int32_t index = -1;
  if (int status = Select(c, c.invocation.args[0], x->GetSourceCount(), "source",
                          [&](int32_t i) { return SourceName(x, i); }, &index))
    return status;
  if (!x->SetSource(index)) return Fail(c, "the crossbar could not switch to " + SourceName(x, index));
  return Changed(c, "Source: " + SourceName(x, index), ShowSources);
}

// The language values the current programme offers (the first, second and
// third language, as many as the crossbar counts).
Json OfferedLanguages(ICrossbarControl *x) {
  Json values = Json::array();
  const int32_t count = std::clamp<int32_t>(x->GetLanguageCount(), 0, std::size(kLanguageValues));
  for (int32_t i = 0; i < count; ++i) values.push_back(kLanguageValues[i]);
  return values;
}

std::string JoinValues(const Json &values) {
  std::string text;
  for (const auto &value : values) text += (text.empty() ? "" : ", ") + std::to_string(value.get<int>());
  return text.empty() ? std::string("none") : text;
}

Json AudioState(ICrossbarControl *x) {
  const int32_t mode = x->GetAudioMode();
  const int32_t detected = x->GetDetectedAudioMode();
  return Json{{"mute", x->GetMute() != 0},
              {"volume", x->GetVolume()},
              {"stereo", x->GetStereo() != 0},
              {"audio_mode", NameOrNull(mode, [&](int32_t i) { return ModeName(x, i); })},
              {"detected_audio_mode", NameOrNull(detected, [&](int32_t i) { return ModeName(x, i); })},
              {"language", LanguageValueOfAnswer(x->GetLanguage())},
              {"languages", OfferedLanguages(x)}};
}

int ShowAudio(CommandContext &c) {
  ICrossbarControl *x = Crossbar(c);
  if (!x) return kExitFailed;
  const Json state = AudioState(x);
  if (c.invocation.json) {
    PrintJson(c, Json{{"audio", state}});
    return kExitOk;
  }
  auto text = [](const Json &j) { return j.is_null() ? std::string("unknown") : j.get<std::string>(); };
  c.console.out << "Mute      " << (state["mute"].get<bool>() ? "on" : "off") << '\n'
                << "Volume    " << state["volume"].get<int>() << "%\n"
                << "Stereo    " << (state["stereo"].get<bool>() ? "on" : "off") << '\n'
                << "Mode      " << text(state["audio_mode"]) << " (detected " << text(state["detected_audio_mode"])
                << ")\n"
                << "Language  " << state["language"].get<int>() << " (offered: " << JoinValues(state["languages"])
                << ")\n";
  return kExitOk;
}

int RunMute(CommandContext &c) {
  ICrossbarControl *x = Crossbar(c);
  if (!x) return kExitFailed;
  bool on;
  if (!ParseOnOff(c.invocation.args[0], &on)) return Usage(c, "say on or off, not \"" + c.invocation.args[0] + "\"");
  if (!x->SetMute(on)) return Fail(c, "the crossbar did not change the mute");
  return Changed(c, std::string("Mute ") + (on ? "on" : "off"), ShowAudio);
}

int RunVolume(CommandContext &c) {
  ICrossbarControl *x = Crossbar(c);
  if (!x) return kExitFailed;
  int64_t percent = 0;
  if (int status = Number(c, c.invocation.args[0], "PERCENT", 0, 100, &percent)) return status;
  if (!x->SetVolume(static_cast<int32_t>(percent))) return Fail(c, "the card's audio has no volume control");
  return Changed(c, "Volume " + std::to_string(percent) + "%", ShowAudio);
}

int RunStereo(CommandContext &c) {
  ICrossbarControl *x = Crossbar(c);
  if (!x) return kExitFailed;
  bool on;
  if (!ParseOnOff(c.invocation.args[0], &on)) return Usage(c, "say on or off, not \"" + c.invocation.args[0] + "\"");
  if (!x->SetStereo(on)) return Fail(c, "the audio processor did not change the mode");
  return Changed(c, std::string("Stereo ") + (on ? "on" : "off"), ShowAudio);
}

int ShowAudioModes(CommandContext &c) {
  ICrossbarControl *x = Crossbar(c);
  if (!x) return kExitFailed;
  const int32_t current = x->GetAudioMode();
  const int32_t detected = x->GetDetectedAudioMode();
  Json list = Json::array();
  for (int32_t i = 0; i < x->GetAudioModeCount(); ++i)
    list.push_back(Json{{"index", i}, {"name", ModeName(x, i)}, {"code", x->GetAudioModeCode(i)},
                        {"current", i == current}, {"detected", i == detected}});
  if (c.invocation.json) {
    PrintJson(c, Json{{"audio_modes", list}});
    return kExitOk;
  }
  for (const auto &mode : list)
    c.console.out << (mode["current"].get<bool>() ? "*" : " ") << mode["index"].get<int>() << "  "
                  << mode["name"].get<std::string>() << (mode["detected"].get<bool>() ? "  (detected)" : "") << '\n';
  return kExitOk;
}

int RunAudioMode(CommandContext &c) {
  if (c.invocation.args.empty()) return ShowAudioModes(c);
  ICrossbarControl *x = Crossbar(c);
  if (!x) return kExitFailed;
  int32_t index = -1;
  if (int status = Select(c, c.invocation.args[0], x->GetAudioModeCount(), "audio mode",
                          [&](int32_t i) { return ModeName(x, i); }, &index))
    return status;
  if (!x->SetAudioMode(index)) return Fail(c, "the audio processor did not take " + ModeName(x, index));
  return Changed(c, "Audio mode: " + ModeName(x, index), ShowAudioModes);
}

int RunLanguage(CommandContext &c) {
  ICrossbarControl *x = Crossbar(c);
  if (!x) return kExitFailed;
  if (c.invocation.args.empty()) return ShowAudio(c);
  int64_t language = 0;
  const int32_t index = ParseInt(c.invocation.args[0], 1, 4, &language) ? LanguageIndex(language) : -1;
  if (index < 0) return Usage(c, "N must be 1, 2 or 4 (the first, second or third language), not \"" +
                                     c.invocation.args[0] + "\"");
  const Json offered = OfferedLanguages(x);
  if (index >= static_cast<int32_t>(offered.size()))
    return Fail(c, "the programme offers language" + std::string(offered.size() > 1 ? "s " : " ") +
                       JoinValues(offered) + " only");
  if (!x->SetLanguage(index)) return Fail(c, "the audio processor did not switch language");
  return Changed(c, "Language " + std::to_string(language), ShowAudio);
}

// ---- enumerated settings of the decoder and the video port -----------------------------

struct EnumSetting {
  std::string key;    // on the command line
  std::string title;  // in listings
  std::function<int32_t()> count, current;
  std::function<std::string(int32_t)> name;
  std::function<int32_t(int32_t)> set;
};

struct FlagSetting {
  std::string key, title;
  std::function<int32_t()> get;
  std::function<int32_t(int32_t)> set;
};

#define TOLVEN_DECODER_SETTING(key, title, G)                                                     \
  EnumSetting {                                                                                   \
    key, title, [d] { return d->Get##G##Count(); }, [d] { return d->Get##G(); },                  \
        [d](int32_t i) {                                                                          \
          return ReadName([&] { return d->Get##G##NameLength(i); },                               \
                          [&](char16_t *b) { return d->Get##G##Name(i, b); });                    \
        },                                                                                        \
        [d](int32_t i) { return d->Set##G(i); }                                                   \
  }

std::vector<EnumSetting> DecoderSettings(IVideoDecoderControl *d) {
  return {TOLVEN_DECODER_SETTING("standard", "Video standard", VideoStandard),
          TOLVEN_DECODER_SETTING("aspect", "Aspect ratio", AspectRatio),
          TOLVEN_DECODER_SETTING("scale", "Scale strategy", ScaleStrategy),
          TOLVEN_DECODER_SETTING("interlace", "Interlace mode", InterlaceMode),
          TOLVEN_DECODER_SETTING("depth", "Colour depth", ColourDepth)};
}
#undef TOLVEN_DECODER_SETTING

std::vector<FlagSetting> DecoderFlags(IVideoDecoderControl *d) {
  return {{"output-enable", "Output enable", [d] { return d->GetOutputEnable(); },
           [d](int32_t v) { return d->SetOutputEnable(v); }},
          {"vcr-timing", "VCR timing", [d] { return d->GetVcrTiming(); }, [d](int32_t v) { return d->SetVcrTiming(v); }}};
}

#define TOLVEN_PORT_SETTING(key, title, G)                                                        \
  EnumSetting {                                                                                   \
    key, title, [p] { return p->Get##G##Count(); }, [p] { return p->Get##G(); },                  \
        [p](int32_t i) {                                                                          \
          return ReadName([&] { return p->Get##G##NameLength(i); },                               \
                          [&](char16_t *b) { return p->Get##G##Name(i, b); });                    \
        },                                                                                        \
        [p](int32_t i) { return p->Set##G(i); }                                                   \
  }

std::string FourCc(int32_t code) {
  std::string text;
  for (int shift = 0; shift < 32; shift += 8) {
    const char ch = static_cast<char>((static_cast<uint32_t>(code) >> shift) & 0xFF);
    text += (ch >= 0x20 && ch < 0x7F) ? ch : '?';
  }
  return text;
}

std::vector<EnumSetting> PortSettings(IVideoPortControl *p) {
  return {TOLVEN_PORT_SETTING("aspect", "Aspect", Aspect),
          TOLVEN_PORT_SETTING("format", "Video format", VideoFormat),
          TOLVEN_PORT_SETTING("connection", "Connection", Connection),
          EnumSetting{"colour-format", "Colour format", [p] { return p->GetColourFormatCount(); },
                      [p] { return p->GetColourFormat(); },
                      [p](int32_t i) { return FourCc(p->GetColourFormatCode(i)); },
                      [p](int32_t i) { return p->SetColourFormat(i); }}};
}
#undef TOLVEN_PORT_SETTING

Json SettingJson(const EnumSetting &s) {
  Json values = Json::array();
  for (int32_t i = 0; i < s.count(); ++i) values.push_back(s.name(i));
  const int32_t current = s.current();
  return Json{{"current", current >= 0 && current < s.count() ? Json(current) : Json(nullptr)},
              {"values", values}};
}

void PrintSetting(CommandContext &c, const EnumSetting &s) {
  const int32_t current = s.current();
  c.console.out << s.title << " (" << s.key << "):";
  if (s.count() == 0) c.console.out << " none offered";
  c.console.out << '\n';
  for (int32_t i = 0; i < s.count(); ++i)
    c.console.out << (i == current ? "  *" : "   ") << i << "  " << s.name(i) << '\n';
}

// `decoder` and `port`: list everything, show one setting, or set one.
int RunSettings(CommandContext &c, const std::vector<EnumSetting> &settings, const std::vector<FlagSetting> &flags,
                const Json &extra, const std::string &extraText, bool isPort) {
  const auto &args = c.invocation.args;
  if (args.empty()) {
    if (c.invocation.json) {
      Json all;
      for (const auto &s : settings) all[s.key] = SettingJson(s);
      for (const auto &f : flags) all[f.key] = f.get() != 0;
      for (const auto &[key, value] : extra.items()) all[key] = value;
      PrintJson(c, all);
      return kExitOk;
    }
    for (const auto &s : settings) PrintSetting(c, s);
    for (const auto &f : flags) c.console.out << f.title << " (" << f.key << "): " << (f.get() ? "on" : "off") << '\n';
    c.console.out << extraText;
    return kExitOk;
  }
  for (const auto &s : settings) {
    if (!EqualsIgnoringCase(s.key, args[0])) continue;
    if (args.size() == 1) {
      if (c.invocation.json) PrintJson(c, Json{{s.key, SettingJson(s)}});
      else PrintSetting(c, s);
      return kExitOk;
    }
    int32_t index = -1;
    if (int status = Select(c, args[1], s.count(), s.title.c_str(), s.name, &index)) return status;
    if (!s.set(index)) return Fail(c, "the card did not take " + s.name(index));
    if (int status = Commit(c, isPort, false)) return status;
    if (c.invocation.json) PrintJson(c, Json{{s.key, SettingJson(s)}});
    else c.console.out << s.title << ": " << s.name(index) << '\n';
    return kExitOk;
  }
  for (const auto &f : flags) {
    if (!EqualsIgnoringCase(f.key, args[0])) continue;
    if (args.size() == 1) {
      if (c.invocation.json) PrintJson(c, Json{{f.key, f.get() != 0}});
      else c.console.out << f.title << ": " << (f.get() ? "on" : "off") << '\n';
      return kExitOk;
    }
    bool on;
    if (!ParseOnOff(args[1], &on)) return Usage(c, "say on or off, not \"" + args[1] + "\"");
    if (!f.set(on)) return Fail(c, "the card cannot change " + f.title);
    if (int status = Commit(c, isPort, false)) return status;
    if (c.invocation.json) PrintJson(c, Json{{f.key, f.get() != 0}});
    else c.console.out << f.title << ": " << (on ? "on" : "off") << '\n';
    return kExitOk;
  }
  std::string keys;
  for (const auto &s : settings) keys += (keys.empty() ? "" : ", ") + s.key;
  for (const auto &f : flags) keys += ", " + f.key;
  return Usage(c, "no setting \"" + args[0] + "\" (choose from " + keys + ")");
}

int RunDecoder(CommandContext &c) {
  IVideoDecoderControl *d = c.hub.GetVideoDecoder();
  if (!d) return Fail(c, "the driver offers no video decoder");
  const bool locked = d->IsSignalLocked() != 0;
  const int32_t detected = d->GetDetectedVideoStandard();
  auto standards = DecoderSettings(d)[0];
  const Json detectedName = detected >= 0 && detected < standards.count() ? Json(standards.name(detected)) : Json(nullptr);
  const std::string text = std::string("Signal: ") + (locked ? "locked" : "not locked") + ", detected standard " +
                           (detectedName.is_null() ? std::string("unknown") : detectedName.get<std::string>()) + "\n";
  return RunSettings(c, DecoderSettings(d), DecoderFlags(d),
                     Json{{"signal_locked", locked}, {"detected_standard", detectedName}}, text, false);
}

int RunPort(CommandContext &c) {
  IVideoPortControl *p = c.hub.GetVideoPort();
  if (!p) return Fail(c, "the driver offers no video port");
  char key[16];
  std::snprintf(key, sizeof key, "0x%08X", static_cast<uint32_t>(p->GetOverlayColourKey()));
  return RunSettings(c, PortSettings(p), {}, Json{{"overlay_colour_key", key}},
                     std::string("Overlay colour key: ") + key + "\n", true);
}

// ---- picture controls -------------------------------------------------------------

// "vpa_Back_Light_Comp" → "back-light-comp": the names the settings use.
std::string PictureKey(const control::ProcAmpEntry &entry) {
  std::string key = entry.settingsName;
  if (key.rfind("vpa_", 0) == 0) key = key.substr(4);
  for (char &ch : key) ch = ch == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return key;
}

int RunPicture(CommandContext &c) {
  IProcAmpControl *pa = c.hub.GetProcAmp();
  if (!pa) return Fail(c, "the driver offers no picture controls");
  const auto properties = control::ProcAmpProperties();
  const auto &args = c.invocation.args;
  auto describe = [&](const control::ProcAmpEntry &entry) {
    control::ProcAmpRange range{};
    pa->GetRange(entry.property, &range);
    int32_t value = 0;
    const bool haveValue = pa->GetValue(entry.property, &value) != 0;
    const bool supported = range.minimum != range.maximum;
    return Json{{"name", PictureKey(entry)},      {"property", entry.property},
                {"supported", supported},         {"on_off", entry.onOff},
                {"value", haveValue ? Json(value) : Json(nullptr)},
                {"minimum", range.minimum},       {"maximum", range.maximum},
                {"step", range.step},             {"default", range.defaultValue}};
  };
  auto print = [&](const Json &p) {
    const std::string value = p["value"].is_null() ? "?" : std::to_string(p["value"].get<int>());
    char line[160];
    if (!p["supported"].get<bool>())
      std::snprintf(line, sizeof line, "%-18s not supported\n", p["name"].get<std::string>().c_str());
    else if (p["on_off"].get<bool>())
      std::snprintf(line, sizeof line, "%-18s %s\n", p["name"].get<std::string>().c_str(),
                    value == "?" ? "?" : (value != "0" ? "on" : "off"));
    else
      std::snprintf(line, sizeof line, "%-18s %6s   (%d to %d, step %d, default %d)\n",
                    p["name"].get<std::string>().c_str(), value.c_str(), p["minimum"].get<int>(),
                    p["maximum"].get<int>(), p["step"].get<int>(), p["default"].get<int>());
    c.console.out << line;
  };
  if (args.empty()) {
    Json list = Json::array();
    for (const auto &entry : properties) list.push_back(describe(entry));
    if (c.invocation.json) PrintJson(c, Json{{"picture", list}});
    else for (const auto &p : list) print(p);
    return kExitOk;
  }
  const control::ProcAmpEntry *entry = nullptr;
  int64_t number = 0;
  for (const auto &e : properties)
    if (EqualsIgnoringCase(PictureKey(e), args[0]) ||
        (ParseInt(args[0], 0, INT32_MAX, &number) && number == e.property))
      entry = &e;
  if (!entry) {
    std::string keys;
    for (const auto &e : properties) keys += (keys.empty() ? "" : ", ") + PictureKey(e);
    return Usage(c, "no picture control \"" + args[0] + "\" (choose from " + keys + ")");
  }
  if (args.size() == 1) {
    const Json p = describe(*entry);
    if (c.invocation.json) PrintJson(c, p);
    else print(p);
    return kExitOk;
  }
  const Json before = describe(*entry);
  if (!before["supported"].get<bool>()) return Fail(c, "the card has no " + PictureKey(*entry) + " control");
  int64_t value = 0;
  bool on;
  if (entry->onOff && ParseOnOff(args[1], &on)) {
    value = on;
  } else if (!ParseInt(args[1], INT32_MIN, INT32_MAX, &value)) {
    return Usage(c, "VALUE must be a whole number" + std::string(entry->onOff ? " or on/off" : "") + ", not \"" +
                        args[1] + "\"");
  }
  const int64_t minimum = before["minimum"].get<int>(), maximum = before["maximum"].get<int>();
  if (value < minimum || value > maximum)
    return Fail(c, PictureKey(*entry) + " goes from " + std::to_string(minimum) + " to " + std::to_string(maximum));
  if (!pa->SetValue(entry->property, static_cast<int32_t>(value)))
    return Fail(c, "the card did not take " + PictureKey(*entry) + " " + args[1]);
  if (int status = Commit(c, false, true)) return status;
  if (c.invocation.json) PrintJson(c, describe(*entry));
  else c.console.out << PictureKey(*entry) << ": " << value << '\n';
  return kExitOk;
}

// ---- export and import ------------------------------------------------------------

int RunExport(CommandContext &c) {
  ITunerControl *tuner = Tuner(c);
  if (!tuner) return kExitFailed;
  tuning::CVarnTunerChannelList list;
  if (!ChannelRecords(c, tuner, &list)) return Fail(c, "the channel file does not match the tuner's list");
  const std::string csv = ChannelsToCsv(list, AudioModeNames());
  const std::string &path = c.invocation.args[0];
  if (path == "-") {
    c.console.out << csv;
    return kExitOk;
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file || !(file << csv) || !file.flush()) return Fail(c, "cannot write " + path);
  c.console.out << "Exported " << list.GetCount() << " channel" << (list.GetCount() == 1 ? "" : "s") << " to "
                << path << '\n';
  return kExitOk;
}

// Bad lines of an import named one by one; the rest are counted.
constexpr size_t kProblemsShown = 20;

int RunImport(CommandContext &c) {
  ITunerControl *tuner = Tuner(c);
  if (!tuner) return kExitFailed;
  const std::string &path = c.invocation.args[0];
  std::stringstream text;
  if (path == "-") {
    if (!c.console.in) return Fail(c, "no standard input");
    text << c.console.in->rdbuf();
  } else {
    std::ifstream file(path, std::ios::binary);
    if (!file) return Fail(c, "cannot read " + path);
    text << file.rdbuf();
  }
  tuning::CVarnTunerChannelList list;
  std::vector<CsvProblem> problems;
  if (!ChannelsFromCsv(text.str(), AudioModeNames(), 0, &list, &problems)) {
    const size_t shown = std::min(problems.size(), kProblemsShown);
    for (size_t i = 0; i < shown; ++i)
      c.console.err << "varnctl import: " << path << ":" << problems[i].line << ": " << problems[i].message << '\n';
    if (problems.size() > shown)
      c.console.err << "varnctl import: " << path << ": " << problems.size() - shown << " more bad line"
                    << (problems.size() - shown == 1 ? "" : "s") << " not shown (" << problems.size()
                    << " in all)\n";
    return Fail(c, "nothing imported; the channel list is unchanged");
  }
  // The tuner reads its list from the channel file; put the new list there
  // and have the tuner load it, then commit as after any change.
  if (!list.Save(c.machine.Files(), ChannelFilePath(c.machine))) return Fail(c, "cannot write the channel file");
  tuner->LoadSettings();
  if (tuner->GetChannelCount() != list.GetCount()) return Fail(c, "the tuner did not take the new list");
  return Changed(c, "Imported " + std::to_string(list.GetCount()) + " channel" + (list.GetCount() == 1 ? "" : "s"),
                 ShowChannels);
}

// ---- info -------------------------------------------------------------------------

int RunInfo(CommandContext &c) {
  Json info;
  info["card"] = c.machine.CardFound() ? "found" : "not found";
  ITunerControl *tuner = c.hub.GetTuner();
  ICrossbarControl *x = c.hub.GetCrossbar();
  IVideoDecoderControl *d = c.hub.GetVideoDecoder();
  if (tuner) {
    Json inputs = Json::array();
    const int32_t input = tuner->GetInput();
    for (int32_t i = 0; i < tuner->GetInputCount(); ++i)
      inputs.push_back(Json{{"index", i}, {"type", InputTypeName(tuner, i)}, {"current", i == input}});
    Json standards = Json::array();
    for (int32_t i = 0; i < tuner->GetStandardCount(); ++i) standards.push_back(StandardName(tuner, i));
    const int32_t standard = tuner->GetStandard();
    const int32_t channel = tuner->GetCurrentChannel();
    info["tuner"] = Json{{"inputs", inputs},
                         {"standards", standards},
                         {"standard", NameOrNull(standard, [&](int32_t i) { return StandardName(tuner, i); })},
                         {"channels", tuner->GetChannelCount()},
                         {"channel", channel < 0 ? Json(nullptr)
                                                 : Json{{"index", channel},
                                                        {"name", ChannelName(tuner, channel)},
                                                        {"number", NumberJson(tuner->GetChannelNumber(channel))}}}};
  } else {
    info["tuner"] = nullptr;
  }
  if (x) {
    Json sources = Json::array();
    for (int32_t i = 0; i < x->GetSourceCount(); ++i) sources.push_back(SourceName(x, i));
    const int32_t source = x->GetSource();
    info["sources"] = sources;
    info["source"] = NameOrNull(source, [&](int32_t i) { return SourceName(x, i); });
    info["audio"] = AudioState(x);
  }
  if (d) {
    const auto standards = DecoderSettings(d)[0];
    const int32_t detected = d->GetDetectedVideoStandard();
    const int32_t standard = standards.current();
    info["video"] = Json{{"standard", standard >= 0 && standard < standards.count() ? Json(standards.name(standard)) : Json(nullptr)},
                         {"signal_locked", d->IsSignalLocked() != 0},
                         {"detected_standard", detected >= 0 && detected < standards.count() ? Json(standards.name(detected)) : Json(nullptr)}};
  }
  if (c.invocation.json) {
    PrintJson(c, info);
  } else {
    auto text = [](const Json &j) { return j.is_null() ? std::string("unknown") : j.get<std::string>(); };
    auto join = [](const Json &list) {
      std::string s;
      for (const auto &item : list) s += (s.empty() ? "" : ", ") + item.get<std::string>();
      return s.empty() ? std::string("none") : s;
    };
    std::ostream &o = c.console.out;
    o << "Card               " << info["card"].get<std::string>() << '\n';
    if (tuner) {
      const Json &t = info["tuner"];
      std::string inputs;
      for (const auto &in : t["inputs"])
        inputs += (inputs.empty() ? "" : ", ") + std::to_string(in["index"].get<int>()) + " " +
                  in["type"].get<std::string>() + (in["current"].get<bool>() ? " (selected)" : "");
      o << "Tuner inputs       " << (inputs.empty() ? "none" : inputs) << '\n'
        << "Tuner standards    " << join(t["standards"]) << '\n'
        << "Tuner standard     " << text(t["standard"]) << '\n';
      if (t["channel"].is_null())
        o << "Channel            none of the " << t["channels"].get<int>() << " in the list\n";
      else
        o << "Channel            " << t["channel"]["index"].get<int>() << " " << t["channel"]["name"].get<std::string>()
          << " (number " << (t["channel"]["number"].is_null() ? std::string("none") : t["channel"]["number"].dump())
          << ", " << t["channels"].get<int>() << " in the list)\n";
    } else {
      o << "Tuner              none\n";
    }
    if (x) {
      const Json &a = info["audio"];
      o << "Sources            " << join(info["sources"]) << '\n'
        << "Source             " << text(info["source"]) << '\n'
        << "Audio detected     " << text(a["detected_audio_mode"]) << '\n'
        << "Audio mode         " << text(a["audio_mode"]) << (a["stereo"].get<bool>() ? ", stereo on" : ", stereo off")
        << ", language " << a["language"].get<int>() << '\n'
        << "Volume             " << a["volume"].get<int>() << "%" << (a["mute"].get<bool>() ? ", muted" : "") << '\n';
    }
    if (d) {
      const Json &v = info["video"];
      o << "Video standard     " << text(v["standard"]) << '\n'
        << "Signal             " << (v["signal_locked"].get<bool>() ? "locked" : "not locked") << ", detected "
        << text(v["detected_standard"]) << '\n';
    }
  }
  return c.machine.CardFound() ? kExitOk : kExitFailed;
}

// ---- the table ----------------------------------------------------------------------

constexpr OptionSpec kAddOptions[] = {{"at", "POS", "insert before index POS (default: append)"}};
constexpr OptionSpec kScanOptions[] = {
    {"fresh", nullptr, "replace the list with the channels found (kept as it was unless the scan completes)"}};

constexpr char kSeekDetails[] =
    "The card is switched to the tuner input first. Plan entries used by other channels are skipped.\n"
    "When no station is found before the end of the plan, or Ctrl+C stops the search, the channel keeps\n"
    "its number and frequency and exit status is 1.";
constexpr char kStepDetails[] = "The card is switched to the tuner input first.";

constexpr Command kCommands[] = {
    {"info", "", "show the card, tuner, sources, video and audio state",
     "Exits with status 1 when no card was found.", 0, 0, {}, true, RunInfo},
    {"sources", "", "list the input sources", "", 0, 0, {}, true, RunSources},
    {"source", "N|NAME", "select an input source", "", 1, 1, {}, false, RunSource},
    {"mute", "on|off", "mute or unmute the sound", "", 1, 1, {}, false, RunMute},
    {"volume", "PERCENT", "set the volume (0-100)", "", 1, 1, {}, false, RunVolume},
    {"stereo", "on|off", "switch stereo sound on or off", "", 1, 1, {}, false, RunStereo},
    {"audio-mode", "[N|NAME]", "list the audio modes, or select one", "", 0, 1, {}, true, RunAudioMode},
    {"language", "[N]", "show the audio state, or select the programme's language N (1, 2 or 4)",
     "N is the language value the channel list and its CSV file keep: 1 the first language, 2 the\n"
     "second, 4 the third.",
     0, 1, {}, true, RunLanguage},
    {"channels", "", "list the channels (index, name, number, frequency)",
     "The current channel is marked with *.", 0, 0, {}, true, RunChannels},
    {"tune", "N|NAME", "tune to a channel", "", 1, 1, {}, false, RunTune},
    {"add", "[NAME]", "add a channel on the first plan number not in the list",
     "Without NAME the driver names it.", 0, 1, kAddOptions, false, RunAdd},
    {"rename", "N|NAME NEWNAME", "rename a channel", "NEWNAME must be UTF-8 text.", 2, 2, {}, false, RunRename},
    {"move", "N|NAME TO", "move a channel to index TO", "", 2, 2, {}, false, RunMove},
    {"delete", "N|NAME", "delete a channel", "", 1, 1, {}, false, RunDelete},
    {"delete-all", "", "delete every channel", "", 0, 0, {}, false, RunDeleteAll},
    {"set-number", "N|NAME NUMBER", "give a channel another number of the channel plan (and its frequency)", "",
     2, 2, {}, false, RunSetNumber},
    {"scan", "", "search the whole channel plan and add every channel found",
     "The card is switched to the tuner input first. Progress goes to standard error. Channels already\n"
     "in the list stay; a plan number in the list is not added again. Ctrl+C stops the scan at the next\n"
     "step and keeps what was found (exit status 1).\n"
     "With --fresh the scan starts from an empty list and the channels found replace the whole list, but\n"
     "only when the scan completes: an interrupted fresh scan leaves the old list as it was.",
     0, 0, kScanOptions, false, RunScan},
    {"seek-up", "N|NAME", "move a channel to the next receivable plan entry above it", kSeekDetails, 1, 1, {},
     false, RunSeekUp},
    {"seek-down", "N|NAME", "move a channel to the next receivable plan entry below it", kSeekDetails, 1, 1, {},
     false, RunSeekDown},
    {"step-up", "N|NAME", "fine-tune a channel one step up", kStepDetails, 1, 1, {}, false, RunStepUp},
    {"step-down", "N|NAME", "fine-tune a channel one step down", kStepDetails, 1, 1, {}, false, RunStepDown},
    {"decoder", "[SETTING [N|NAME|on|off]]", "list or set the video decoder's settings",
     "SETTING: standard, aspect, scale, interlace, depth, output-enable, vcr-timing.", 0, 2, {}, true, RunDecoder},
    {"port", "[SETTING [N|NAME]]", "list or set the video port's settings",
     "SETTING: aspect, format, connection, colour-format.", 0, 2, {}, true, RunPort},
    {"picture", "[PROPERTY [VALUE]]", "list or set the picture controls",
     "PROPERTY: back-light-comp, brightness, colour-balance, colour-enable, contrast, gamma-correction,\n"
     "hue, inverse-video, saturation, sharpness, white-balance (or its number 0-10).",
     0, 2, {}, true, RunPicture},
    {"export", "FILE", "write the channel list to a CSV file ('-': standard output)",
     "Columns: name, number, frequency_hz, audio_mode, language.", 1, 1, {}, false, RunExport},
    {"import", "FILE", "replace the channel list with a CSV file ('-': standard input)",
     "Every line is checked first; when any is bad nothing changes and each bad line is named.", 1, 1, {}, false,
     RunImport},
};

}  // namespace

WString ChannelFilePath(files::FileSystem &files) {
  return tuning::ChannelFileName(tuning::ChannelFileDirectory(files), tuning::kDriverShortName, 0,
                                 tuning::kChannelFileExtension);
}

std::span<const Command> Commands() { return kCommands; }

const Command *FindCommand(std::string_view name) {
  for (const auto &command : kCommands)
    if (name == command.name) return &command;
  return nullptr;
}

}  // namespace tolven::varnctl
