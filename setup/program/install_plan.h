// The steps of an installation and of its removal, in order. Removal runs
// the installation's steps backwards and also takes away what the
// installation left behind on its own (the skin engine's type library).
#pragma once

#include <vector>

#include "install_layout.h"
#include "install_step.h"

namespace tolven::setupprogram {

class InstallPlan {
 public:
  static constexpr const wchar_t *kShortcutName = L"Caldra One Viewer.lnk";
  static constexpr const wchar_t *kSkinEngine = L"tolvenskin.dll";
  static constexpr const wchar_t *kTypeLibrary = L"tolvenskin.tlb";
  static constexpr const wchar_t *kViewer = L"Viewer.exe";

  static std::vector<InstallStep> Install(const InstallLayout &layout);
  // layout.skinFiles: the skin files found in the installed folder.
  static std::vector<InstallStep> Uninstall(const InstallLayout &layout);
  static std::wstring SkinFolder(const std::wstring &root);  // root\Skins\Default
};

}  // namespace tolven::setupprogram
