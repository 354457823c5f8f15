#include "tools/varnctl/native/native_machine.h"

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "driver/core/vfw_records.h"
#include "driver/link/kernel_link.h"
#include "driver/tuning/embedded_resources.h"
#include "kernel/emulated/tolvenk_image.h"
#include "tools/varnctl/text.h"
#include "virtualcard/real_time_clock.h"

namespace tolven::varnctl {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

namespace {

constexpr uintptr_t kDriverHandle = 0x5A00;  // what msvideo would pass as the driver handle
constexpr char kRegistryFile[] = "registry.json";

const char *RootName(reg::Key root) { return root == reg::kCurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE"; }

std::string Hex(const std::vector<uint8_t> &bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (uint8_t b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

bool FromHex(const std::string &text, std::vector<uint8_t> *bytes) {
  if (text.size() % 2) return false;
  auto digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  bytes->clear();
  for (size_t i = 0; i < text.size(); i += 2) {
    const int hi = digit(text[i]), lo = digit(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes->push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  return true;
}

// Writes beside the file and renames, so an interrupted run keeps the old state.
bool WriteFileAtomically(const fs::path &path, const std::string &data, std::string *error) {
  const fs::path temporary = path.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(data.data(), static_cast<std::streamsize>(data.size())) || !out.flush()) {
      *error = "cannot write " + temporary.string();
      return false;
    }
  }
  std::error_code code;
  fs::rename(temporary, path, code);
  if (code) {
    *error = "cannot replace " + path.string() + ": " + code.message();
    return false;
  }
  return true;
}

}  // namespace

fs::path DefaultStateDirectory() {
  if (const char *state = std::getenv("XDG_STATE_HOME"); state && *state) return fs::path(state) / "varnctl";
  const char *home = std::getenv("HOME");
  return fs::path(home && *home ? home : ".") / ".local" / "state" / "varnctl";
}

namespace {
// The card as the options describe it, waiting in real time when asked to.
card::CardConfig CardConfigOf(const NativeOptions &options) {
  card::CardConfig config = options.card;
  config.realTime = options.realTime;
  return config;
}
}  // namespace

NativeMachine::NativeMachine(const NativeOptions &options)
    : options_(options),
      realClock_(options.realTime ? std::make_unique<card::RealTimeClock>() : nullptr),
      clock_(realClock_ ? *realClock_ : static_cast<Clock &>(platform_.clock)),
      ports_{platform_.registry, platform_.services, platform_.devices, clock_,
             platform_.resources, platform_.files,    platform_.messageBoxes},
      native_(std::make_unique<card::NativeCard>(CardConfigOf(options), clock_)),
      environment_{platform_.registry, platform_.files, platform_.resources, clock_, strings_,
                   native_->requests} {
  options_.card.realTime = options.realTime;
}

std::unique_ptr<NativeMachine> NativeMachine::Open(const NativeOptions &options, std::ostream &err,
                                                   std::string *error) {
  std::error_code code;
  fs::create_directories(options.stateDirectory, code);
  if (code) {
    *error = "cannot create the state folder " + options.stateDirectory.string() + ": " + code.message();
    return nullptr;
  }
  // Held from before the state is read until after it is written back, so
  // that a second run cannot load the state this one is about to replace.
  card::RealTimeClock realTime;
  std::unique_ptr<StateFolderLock> lock = StateFolderLock::Acquire(
      options.stateDirectory, options.lockClock ? *options.lockClock : realTime, options.lockTiming, err, error);
  if (!lock) return nullptr;
  std::unique_ptr<NativeMachine> machine(new NativeMachine(options));
  machine->lock_ = std::move(lock);
  try {
    if (!machine->LoadState(error) || !machine->Start(error)) return nullptr;
  } catch (const std::exception &e) {
    *error = std::string("cannot read the state folder: ") + e.what();
    return nullptr;
  }
  return machine;
}

fs::path NativeMachine::StateFile(WStringView path) const {
  return options_.stateDirectory / ToUtf8(path.substr(path.find_last_of(u'\\') + 1));
}

std::string NativeMachine::ShownPath(WStringView path) { return StateFile(path).string(); }

bool NativeMachine::LoadState(std::string *error) {
  const fs::path registryFile = options_.stateDirectory / kRegistryFile;
  if (fs::exists(registryFile)) {
    std::ifstream in(registryFile, std::ios::binary);
    Json values = Json::parse(in, nullptr, false);
    if (values.is_discarded() || !values.is_array()) {
      *error = registryFile.string() + " is not a registry saved by varnctl";
      return false;
    }
    for (const auto &value : values) {
      std::vector<uint8_t> data;
      if (!value.is_object() || !value["key"].is_string() || !value["name"].is_string() ||
          !value["type"].is_number_unsigned() || !value["data"].is_string() ||
          !FromHex(value["data"].get<std::string>(), &data)) {
        *error = registryFile.string() + " holds a value varnctl cannot read: " + value.dump();
        return false;
      }
      const reg::Key root = value.value("root", "") == "HKEY_CURRENT_USER" ? reg::kCurrentUser : reg::kLocalMachine;
      reg::Key key = 0;
      if (platform_.registry.CreateKey(root, FromUtf8(value["key"].get<std::string>()), reg::kAllAccess, &key))
        continue;
      platform_.registry.SetValue(key, FromUtf8(value["name"].get<std::string>()), value["type"].get<uint32_t>(),
                                  data.data(), static_cast<uint32_t>(data.size()));
      platform_.registry.CloseKey(key);
    }
  }
  // The channel file, under its own name in the state folder.
  const WString channelFile = ChannelFilePath(platform_.files);
  const fs::path saved = StateFile(channelFile);
  if (fs::exists(saved)) {
    std::ifstream in(saved, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string data = bytes.str();
    platform_.files.SetFile(channelFile, std::span(reinterpret_cast<const uint8_t *>(data.data()), data.size()));
  }
  return true;
}

bool NativeMachine::SaveState(std::string *error) {
  Json values = Json::array();
  for (const auto &value : platform_.registry.AllValues())
    values.push_back(Json{{"root", RootName(value.root)},
                          {"key", ToUtf8(value.keyPath)},
                          {"name", ToUtf8(value.name)},
                          {"type", value.type},
                          {"data", Hex(value.data)}});
  if (!WriteFileAtomically(options_.stateDirectory / kRegistryFile, values.dump(1) + "\n", error)) return false;
  // The channel file, and the copy of a damaged one kept beside it.
  const WString channelFile = ChannelFilePath(platform_.files);
  for (const WString &file : {channelFile + kDamagedSuffix, channelFile}) {
    const fs::path saved = StateFile(file);
    if (!platform_.files.FileExists(file)) continue;
    const std::vector<uint8_t> data = platform_.files.FileContents(file);
    if (!WriteFileAtomically(saved, std::string(data.begin(), data.end()), error)) return false;
  }
  return true;
}

bool NativeMachine::Start(std::string *error) {
  tuning::InstallTuningResources(platform_.resources);
  platform_.services.InstallDriverImage(
      u"tolvenk.sys", std::make_shared<kernel::TolvenkDriverImage>(platform_.registry, platform_.devices));
  ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
  const bool started = InstallAndStartService(ports_, profile, nullptr, nullptr);
  CloseServiceProfile(ports_, profile);
  if (!started) {
    *error = "the kernel service \"tolvenk\" could not be started";
    return false;
  }
  driver_ = std::make_unique<CCaptureDriver>(
      DriverEnvironment{ports_, native_->gdi, host_, dialogs_, startup_, native_->requests});
  if (driver_->Dispatch(0, kDriverHandle, vfw::kDrvLoad, 0, 0) != 1 ||
      driver_->Dispatch(0, kDriverHandle, vfw::kDrvEnable, 0, 0) != 1) {
    *error = "the capture driver did not load";
    return false;
  }
  loaded_ = true;
  // The video-source channel: it claims the card without showing video.
  vfw::VideoOpenParms parms{};
  parms.dwSize = sizeof parms;
  parms.fccType = 0x70616376;  // 'vcap'
  parms.dwVersion = 0x400;
  parms.dwFlags = vfw::kVideoExternalIn;
  const intptr_t id = driver_->Dispatch(0, kDriverHandle, vfw::kDrvOpen, 0, reinterpret_cast<intptr_t>(&parms));
  if (id != 0 && parms.dwError == 0) {
    channel_ = static_cast<uintptr_t>(id);
    cardFound_ = true;
    control::IControlFactory *factory = control::CreateControlFactory(&environment_);
    if (factory) {
      hub_ = factory->CreateInterface(1);
      factory->Release();
    }
    // Every run starts the card afresh, where a machine that kept running
    // would have settled long ago: let the tuner and decoder lock first.
    clock_.Sleep(2 * options_.card.settleMs);
  }
  closed_ = false;
  return true;
}

void NativeMachine::ReleaseDriver() {
  if (hub_) hub_->Release();
  hub_ = nullptr;
  if (channel_) driver_->Dispatch(channel_, kDriverHandle, vfw::kDrvClose, 0, 0);
  channel_ = 0;
  if (loaded_) {
    driver_->Dispatch(0, kDriverHandle, vfw::kDrvDisable, 0, 0);
    driver_->Dispatch(0, kDriverHandle, vfw::kDrvFree, 0, 0);
    loaded_ = false;
  }
}

bool NativeMachine::Close(std::string *error) {
  ReleaseDriver();
  bool ok = true;
  if (!closed_) {
    closed_ = true;
    try {
      ok = SaveState(error);
    } catch (const std::exception &e) {  // JSON and file-system errors
      *error = std::string("cannot save the state: ") + e.what();
      ok = false;
    }
  }
  lock_.reset();
  return ok;
}

NativeMachine::~NativeMachine() {
  // No saving here: Close() saves and reports; a machine dropped after a
  // failure keeps the saved state as it was.
  ReleaseDriver();
  driver_.reset();
}

}  // namespace tolven::varnctl
