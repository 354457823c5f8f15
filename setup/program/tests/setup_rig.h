// A machine ready for setup: the package's files beside setup.exe, the
// system's folders, nothing of the product installed.
#pragma once

#include "setup/program/deliverable.h"
#include "setup/program/install_layout.h"
#include "setup/program/install_plan.h"
#include "setup/program/tests/fake_setup_actions.h"

namespace tolven::setupprogram {

inline InstallLayout TestLayout() {
  InstallLayout layout;
  layout.sourceFolder = L"D:\\Package";
  layout.programFolder = L"C:\\Program Files\\Caldra One";
  layout.systemFolder = L"C:\\Windows\\system32";
  layout.driversFolder = L"C:\\Windows\\system32\\drivers";
  layout.shortcutFolder = L"C:\\Start Menu\\Programs\\Caldra One";
  layout.skinFiles = {L"maindocked.skn", L"plate.png"};
  return layout;
}

inline void PreparePackage(FakeSetupActions &actions, const std::string &version) {
  InstallLayout layout = TestLayout();
  for (const wchar_t *folder : {L"C:", L"C:\\Program Files", L"C:\\Windows", L"C:\\Windows\\system32",
                                L"C:\\Windows\\system32\\drivers", L"C:\\Start Menu",
                                L"C:\\Start Menu\\Programs", L"D:", L"D:\\Package",
                                L"D:\\Package\\Skins", L"D:\\Package\\Skins\\Default"})
    actions.machine.folders.insert(folder);
  for (const Deliverable &file : Deliverables()) {
    std::wstring name(file.name);
    actions.machine.files[layout.sourceFolder + L"\\" + name] =
        std::string(name.begin(), name.end()) + " " + version;
  }
  for (const std::wstring &skin : layout.skinFiles)
    actions.machine.files[InstallPlan::SkinFolder(layout.sourceFolder) + L"\\" + skin] =
        std::string(skin.begin(), skin.end()) + " " + version;
}

}  // namespace tolven::setupprogram
