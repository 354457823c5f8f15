#include "install_plan.h"

#include "deliverable.h"

namespace tolven::setupprogram {

namespace {

using Kind = InstallStep::Kind;

std::wstring Join(const std::wstring &folder, const std::wstring &name) {
  return folder + L"\\" + name;
}

std::wstring SecondCopyFolder(const InstallLayout &layout, Deliverable::AlsoIn where) {
  return where == Deliverable::AlsoIn::kSystem ? layout.systemFolder : layout.driversFolder;
}

}  // namespace

std::wstring InstallPlan::SkinFolder(const std::wstring &root) {
  return Join(Join(root, L"Skins"), L"Default");
}

std::vector<InstallStep> InstallPlan::Install(const InstallLayout &layout) {
  const std::wstring &program = layout.programFolder;
  std::vector<InstallStep> steps;
  steps.push_back({Kind::kCreateFolder, program, {}});
  steps.push_back({Kind::kCreateFolder, Join(program, L"Skins"), {}});
  steps.push_back({Kind::kCreateFolder, SkinFolder(program), {}});
  for (const Deliverable &file : Deliverables())
    steps.push_back({Kind::kCopyFile, Join(program, file.name), Join(layout.sourceFolder, file.name)});
  for (const std::wstring &skin : layout.skinFiles)
    steps.push_back({Kind::kCopyFile, Join(SkinFolder(program), skin),
                     Join(SkinFolder(layout.sourceFolder), skin)});
  // The kernel service's image path and the driver's registration name the
  // system's copies, so they go in before InstallVFW runs.
  for (const Deliverable &file : Deliverables())
    if (file.alsoIn != Deliverable::AlsoIn::kNowhere)
      steps.push_back({Kind::kCopyFile, Join(SecondCopyFolder(layout, file.alsoIn), file.name),
                       Join(layout.sourceFolder, file.name)});
  steps.push_back({Kind::kRecordFolder, program, {}});
  steps.push_back({Kind::kInstallDriver, program, {}});
  steps.push_back({Kind::kRegisterSkins, Join(program, kSkinEngine), {}});
  steps.push_back({Kind::kCreateFolder, layout.shortcutFolder, {}});
  steps.push_back({Kind::kCreateShortcut, Join(layout.shortcutFolder, kShortcutName),
                   Join(program, kViewer)});
  return steps;
}

std::vector<InstallStep> InstallPlan::Uninstall(const InstallLayout &layout) {
  const std::wstring &program = layout.programFolder;
  std::vector<InstallStep> steps;
  steps.push_back({Kind::kDeleteFile, Join(layout.shortcutFolder, kShortcutName), {}});
  steps.push_back({Kind::kRemoveFolder, layout.shortcutFolder, {}});
  steps.push_back({Kind::kUnregisterSkins, Join(program, kSkinEngine), {}});
  steps.push_back({Kind::kRemoveDriver, program, {}});
  steps.push_back({Kind::kForgetFolder, program, {}});
  for (const Deliverable &file : Deliverables())
    if (file.alsoIn != Deliverable::AlsoIn::kNowhere)
      steps.push_back({Kind::kDeleteFile, Join(SecondCopyFolder(layout, file.alsoIn), file.name), {}});
  for (const std::wstring &skin : layout.skinFiles)
    steps.push_back({Kind::kDeleteFile, Join(SkinFolder(program), skin), {}});
  for (const Deliverable &file : Deliverables())
    steps.push_back({Kind::kDeleteFile, Join(program, file.name), {}});
  steps.push_back({Kind::kDeleteFile, Join(program, kTypeLibrary), {}});
  steps.push_back({Kind::kRemoveFolder, SkinFolder(program), {}});
  steps.push_back({Kind::kRemoveFolder, Join(program, L"Skins"), {}});
  steps.push_back({Kind::kRemoveFolder, program, {}});
  return steps;
}

}  // namespace tolven::setupprogram
