// The native machine varnctl drives: an emulated Windows machine with the
// kernel service's real request logic installed as "tolvenk", the virtual
// card behind the emulated display driver, the process-wide board and the
// driver object, opened through the driver's messages as msvideo opens it.
//
// A state folder keeps the machine between runs: the registry (the driver's
// per-user settings and the service's parameters) in registry.json and the
// user's channel file as it is in the profile directory.
#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "driver/control/control_model.h"
#include "driver/core/capture_driver.h"
#include "platform/emulated/emulated_platform.h"
#include "platform/locale/locale.h"
#include "tools/varnctl/lock_wait.h"
#include "tools/varnctl/native/state_folder_lock.h"
#include "tools/varnctl/varnctl.h"
#include "virtualcard/assembly/native_card.h"

namespace tolven::varnctl {

struct NativeOptions {
  std::filesystem::path stateDirectory;
  card::CardConfig card = card::DefaultCardConfig();
  bool realTime = false;
  // The state folder's lock waits on this clock (null: real time), so tests
  // can wait in simulated time.
  Clock *lockClock = nullptr;
  LockTiming lockTiming;
};

// The state folder used when none is given: $XDG_STATE_HOME/varnctl, else
// ~/.local/state/varnctl.
std::filesystem::path DefaultStateDirectory();

class NativeMachine : public Machine {
 public:
  // Locks the state folder (waiting for another run to finish, with a note
  // on `err`), restores the state, starts the kernel service, loads the
  // driver and opens a capture channel (so the card is detected and the
  // stored settings applied), then takes a hub from the control interface.
  static std::unique_ptr<NativeMachine> Open(const NativeOptions &options, std::ostream &err,
                                             std::string *error);
  // Releases the hub, closes the channel, frees the driver, writes the state
  // back and unlocks the state folder. Only this saves: a machine destroyed
  // without it (after a failure) leaves the saved state as it was.
  bool Close(std::string *error) override;
  ~NativeMachine() override;

  bool CardFound() override { return cardFound_; }
  control::IControlHub *Hub() override { return hub_; }
  files::FileSystem &Files() override { return platform_.files; }
  // The channel file and its damaged copy are kept in the state folder.
  std::string ShownPath(WStringView path) override;

  EmulatedPlatform &Platform() { return platform_; }
  card::VirtualCard &Card() { return native_->card; }
  // Writes the registry and the channel file to the state folder.
  bool SaveState(std::string *error);

 private:
  explicit NativeMachine(const NativeOptions &options);
  bool LoadState(std::string *error);
  // Where a file of the emulated profile directory is kept in the state folder.
  std::filesystem::path StateFile(WStringView path) const;
  bool Start(std::string *error);
  void ReleaseDriver();

  struct Host : DriverHost {
    explicit Host(strings::StringTable &table) : strings(table) {}
    intptr_t DefDriverProc(uintptr_t, uintptr_t, uint32_t, intptr_t, intptr_t) override { return 0; }
    bool StringResource(uint32_t id, WString *text) override { return strings.Load(id, text); }
    strings::StringTable &strings;
  };

  NativeOptions options_;
  std::unique_ptr<StateFolderLock> lock_;
  EmulatedPlatform platform_;
  std::unique_ptr<Clock> realClock_;
  Clock &clock_;
  Ports ports_;
  std::unique_ptr<card::NativeCard> native_;  // the card, display and board
  loc::EmulatedLocale locale_;
  strings::EmbeddedStringTable strings_{locale_};
  Host host_{strings_};
  DialogHost dialogs_;
  control::ControlEnvironment environment_;
  control::ControlModelStartup startup_{environment_};
  std::unique_ptr<CCaptureDriver> driver_;
  bool loaded_ = false;
  bool closed_ = true;  // nothing to write back until the machine has started
  uintptr_t channel_ = 0;
  bool cardFound_ = false;
  control::IControlHub *hub_ = nullptr;
};

}  // namespace tolven::varnctl
