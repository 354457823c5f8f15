#include "setup/program/install_plan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "setup/program/deliverable.h"
#include "setup/program/tests/setup_rig.h"

namespace tolven::setupprogram {
namespace {

using Kind = InstallStep::Kind;

size_t IndexOf(const std::vector<InstallStep> &steps, Kind kind, const std::wstring &path) {
  auto it = std::find_if(steps.begin(), steps.end(), [&](const InstallStep &step) {
    return step.kind == kind && step.path == path;
  });
  return it == steps.end() ? steps.size() : static_cast<size_t>(it - steps.begin());
}

TEST(DeliverablesTest, TheTableHoldsEveryFileSetupInstallsOnce) {
  std::vector<std::wstring> names;
  for (const Deliverable &file : Deliverables()) names.push_back(file.name);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"tolvenu.dll", L"tolvenk.sys", L"Viewer.exe",
                                              L"ardensetup.dll", L"ardenremove.dll", L"vfw.inf",
                                              L"tolvenskin.dll"}));
  EXPECT_EQ(Deliverables()[0].alsoIn, Deliverable::AlsoIn::kSystem);
  EXPECT_EQ(Deliverables()[1].alsoIn, Deliverable::AlsoIn::kDrivers);
  EXPECT_EQ(Deliverables()[2].alsoIn, Deliverable::AlsoIn::kNowhere);
}

TEST(InstallPlanTest, FoldersComeBeforeTheFilesInThem) {
  InstallLayout layout = TestLayout();
  auto steps = InstallPlan::Install(layout);
  ASSERT_EQ(steps[0], (InstallStep{Kind::kCreateFolder, layout.programFolder, {}}));
  EXPECT_EQ(steps[1].path, layout.programFolder + L"\\Skins");
  EXPECT_EQ(steps[2].path, layout.programFolder + L"\\Skins\\Default");
  EXPECT_EQ(steps[3], (InstallStep{Kind::kCopyFile, layout.programFolder + L"\\tolvenu.dll",
                                   L"D:\\Package\\tolvenu.dll"}));
  EXPECT_LT(IndexOf(steps, Kind::kCreateFolder, layout.shortcutFolder),
            IndexOf(steps, Kind::kCreateShortcut, layout.shortcutFolder + L"\\Caldra One Viewer.lnk"));
}

TEST(InstallPlanTest, TheSystemCopiesAreInPlaceBeforeTheDriverIsInstalled) {
  InstallLayout layout = TestLayout();
  auto steps = InstallPlan::Install(layout);
  size_t driver = IndexOf(steps, Kind::kInstallDriver, layout.programFolder);
  ASSERT_LT(driver, steps.size());
  EXPECT_LT(IndexOf(steps, Kind::kCopyFile, L"C:\\Windows\\system32\\drivers\\tolvenk.sys"), driver);
  EXPECT_LT(IndexOf(steps, Kind::kCopyFile, L"C:\\Windows\\system32\\tolvenu.dll"), driver);
  EXPECT_LT(IndexOf(steps, Kind::kCopyFile, layout.programFolder + L"\\vfw.inf"), driver);
  // Only the two the system needs are copied outside the program folder.
  size_t outside = std::count_if(steps.begin(), steps.end(), [&](const InstallStep &step) {
    return step.kind == Kind::kCopyFile && step.path.rfind(layout.programFolder, 0) != 0;
  });
  EXPECT_EQ(outside, 2u);
  EXPECT_LT(driver, IndexOf(steps, Kind::kRegisterSkins, layout.programFolder + L"\\tolvenskin.dll"));
}

TEST(InstallPlanTest, EverySkinFileIsCopiedFromBesideSetup) {
  InstallLayout layout = TestLayout();
  auto steps = InstallPlan::Install(layout);
  size_t index = IndexOf(steps, Kind::kCopyFile,
                         layout.programFolder + L"\\Skins\\Default\\plate.png");
  ASSERT_LT(index, steps.size());
  EXPECT_EQ(steps[index].source, L"D:\\Package\\Skins\\Default\\plate.png");
  EXPECT_EQ(std::count_if(steps.begin(), steps.end(),
                          [](const InstallStep &step) { return step.kind == Kind::kCopyFile; }),
            7 + 2 + 2);
}

TEST(InstallPlanTest, RemovalUsesTheInstalledLibrariesBeforeDeletingThem) {
  InstallLayout layout = TestLayout();
  auto steps = InstallPlan::Uninstall(layout);
  size_t driver = IndexOf(steps, Kind::kRemoveDriver, layout.programFolder);
  size_t skins = IndexOf(steps, Kind::kUnregisterSkins, layout.programFolder + L"\\tolvenskin.dll");
  ASSERT_LT(driver, steps.size());
  ASSERT_LT(skins, steps.size());
  EXPECT_LT(driver, IndexOf(steps, Kind::kDeleteFile, layout.programFolder + L"\\ardenremove.dll"));
  EXPECT_LT(skins, IndexOf(steps, Kind::kDeleteFile, layout.programFolder + L"\\tolvenskin.dll"));
  EXPECT_EQ(steps.back(), (InstallStep{Kind::kRemoveFolder, layout.programFolder, {}}));
  // The type library the skin engine writes at registration goes too.
  EXPECT_LT(IndexOf(steps, Kind::kDeleteFile, layout.programFolder + L"\\tolvenskin.tlb"), steps.size());
}

}  // namespace
}  // namespace tolven::setupprogram
