// The hotkey, screensaver and shell-link ports' contract cases over the
// emulated adapters.
#include "platform/contract/desktop_contract_cases.h"
#include "platform/hotkeys/emulated_system_hotkeys.h"
#include "platform/screensaver/emulated_screensaver.h"
#include "platform/shelllink/emulated_shell_links.h"

namespace tolven::contract {
namespace {

class EmulatedDesk {
 public:
  EmulatedDesk() { links_.AddFolder(Folder()); }
  hk::SystemHotkeys &Hotkeys() { return hotkeys_; }
  hk::Window WindowA() { return 0x100; }
  hk::Window WindowB() { return 0x200; }
  desk::Screensaver &Screensaver() { return screensaver_; }
  bool ScreensaverActive() { return screensaver_.Active(); }
  lnk::ShellLinks &Links() { return links_; }
  WString Folder() { return u"C:\\Users\\tv\\Quick Launch"; }
  bool LinkExists(const WString &path) { return links_.Links().count(path) != 0; }

 private:
  hk::EmulatedSystemHotkeys hotkeys_;
  desk::EmulatedScreensaver screensaver_;
  lnk::EmulatedShellLinks links_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Emulated, DesktopContract, EmulatedDesk);

}  // namespace
}  // namespace tolven::contract
