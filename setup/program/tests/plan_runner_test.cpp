#include "setup/program/plan_runner.h"

#include <gtest/gtest.h>

#include "setup/program/install_plan.h"
#include "setup/program/tests/setup_rig.h"

namespace tolven::setupprogram {
namespace {

class PlanRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PreparePackage(actions_, "v1");
    before_ = actions_.machine;
  }
  PlanResult Install() { return PlanRunner(actions_).Install(InstallPlan::Install(layout_)); }
  PlanResult Uninstall() {
    InstallLayout layout = layout_;
    layout.skinFiles = actions_.ListFiles(InstallPlan::SkinFolder(layout.programFolder));
    return PlanRunner(actions_).Remove(InstallPlan::Uninstall(layout));
  }

  InstallLayout layout_ = TestLayout();
  FakeSetupActions actions_;
  FakeMachine before_;
};

TEST_F(PlanRunnerTest, InstallPutsEverythingInPlaceAndUninstallTakesItAllAway) {
  PlanResult result = Install();
  ASSERT_TRUE(result.ok) << std::string(result.problems[0].begin(), result.problems[0].end());
  const FakeMachine &m = actions_.machine;
  EXPECT_EQ(m.files.at(L"C:\\Program Files\\Caldra One\\Viewer.exe"), "Viewer.exe v1");
  EXPECT_EQ(m.files.at(L"C:\\Program Files\\Caldra One\\Skins\\Default\\plate.png"), "plate.png v1");
  EXPECT_EQ(m.files.at(L"C:\\Windows\\system32\\drivers\\tolvenk.sys"), "tolvenk.sys v1");
  EXPECT_EQ(m.files.at(L"C:\\Windows\\system32\\tolvenu.dll"), "tolvenu.dll v1");
  EXPECT_EQ(m.files.at(L"C:\\Start Menu\\Programs\\Caldra One\\Caldra One Viewer.lnk"),
            "shortcut to C:\\Program Files\\Caldra One\\Viewer.exe");
  EXPECT_TRUE(m.driverInstalled);
  EXPECT_EQ(m.skinsRegisteredFrom, L"C:\\Program Files\\Caldra One\\tolvenskin.dll");
  EXPECT_EQ(m.recordedFolder, L"C:\\Program Files\\Caldra One");

  // What registration writes beside the skin engine goes with the rest.
  actions_.machine.files[L"C:\\Program Files\\Caldra One\\tolvenskin.tlb"] = "type library";
  PlanResult removal = Uninstall();
  EXPECT_TRUE(removal.ok);
  EXPECT_EQ(actions_.machine, before_);
}

// The failure can come at any step: whichever it is, the machine ends as it was.
TEST_F(PlanRunnerTest, AFailureAtAnyStepLeavesTheMachineAsItWas) {
  size_t count = InstallPlan::Install(layout_).size();
  for (size_t failing = 0; failing < count; ++failing) {
    FakeSetupActions actions;
    PreparePackage(actions, "v1");
    size_t calls = 0;
    // Steps that only create or copy call one operation each apart from
    // Exists, so counting mutating calls finds step `failing`'s own.
    actions.failWhen = [&](const std::wstring &, const std::wstring &) { return calls++ == failing; };
    PlanResult result = PlanRunner(actions).Install(InstallPlan::Install(layout_));
    ASSERT_FALSE(result.ok) << "step " << failing;
    actions.failWhen = nullptr;
    EXPECT_EQ(actions.machine, before_) << "step " << failing;
    ASSERT_EQ(result.problems.size(), 1u) << "step " << failing;
    EXPECT_EQ(result.problems[0].rfind(L"Setup failed while ", 0), 0u);
    EXPECT_NE(result.problems[0].find(L"injected failure"), std::wstring::npos);
  }
}

TEST_F(PlanRunnerTest, AMissingDeliverableStopsTheCopyAndUndoesTheEarlierCopies) {
  actions_.machine.files.erase(L"D:\\Package\\ardenremove.dll");
  before_ = actions_.machine;
  PlanResult result = Install();
  ASSERT_FALSE(result.ok);
  EXPECT_EQ(result.problems[0],
            L"Setup failed while copying D:\\Package\\ardenremove.dll to C:\\Program Files\\Caldra "
            L"One\\ardenremove.dll: the file was not found");
  EXPECT_EQ(actions_.machine, before_);
  EXPECT_EQ(actions_.log.back(), L"RemoveFolder C:\\Program Files\\Caldra One");
}

TEST_F(PlanRunnerTest, AFailedSecondInstallationPutsTheFirstOneBack) {
  ASSERT_TRUE(Install().ok);
  FakeMachine installed = actions_.machine;
  FakeSetupActions upgrade;
  upgrade.machine = installed;
  PreparePackage(upgrade, "v2");
  FakeMachine withNewPackage = upgrade.machine;
  upgrade.failWhen = [](const std::wstring &operation, const std::wstring &) {
    return operation == L"RegisterSkins";
  };
  PlanResult result = PlanRunner(upgrade).Install(InstallPlan::Install(layout_));
  ASSERT_FALSE(result.ok);
  // Files back as the first installation had them, no backups left over. (The
  // driver's registration was replaced and removed by the undo: the service
  // cannot be put back as it was.)
  withNewPackage.driverInstalled = false;
  EXPECT_EQ(upgrade.machine, withNewPackage);
  EXPECT_EQ(upgrade.machine.files.at(L"C:\\Program Files\\Caldra One\\Viewer.exe"), "Viewer.exe v1");
}

TEST_F(PlanRunnerTest, ASecondInstallationReplacesTheFilesAndLeavesNoBackups) {
  ASSERT_TRUE(Install().ok);
  PreparePackage(actions_, "v2");
  ASSERT_TRUE(Install().ok);
  EXPECT_EQ(actions_.machine.files.at(L"C:\\Program Files\\Caldra One\\Viewer.exe"), "Viewer.exe v2");
  EXPECT_EQ(actions_.machine.files.at(L"C:\\Windows\\system32\\drivers\\tolvenk.sys"), "tolvenk.sys v2");
  for (const auto &[path, content] : actions_.machine.files)
    EXPECT_EQ(path.find(L".previous"), std::wstring::npos) << std::string(path.begin(), path.end());
}

TEST_F(PlanRunnerTest, AnUndoThatFailsIsReportedAfterTheFailure) {
  actions_.failWhen = [](const std::wstring &operation, const std::wstring &path) {
    return (operation == L"CreateShortcut") ||
           (operation == L"RemoveFile" && path == L"C:\\Windows\\system32\\tolvenu.dll");
  };
  PlanResult result = Install();
  ASSERT_FALSE(result.ok);
  ASSERT_EQ(result.problems.size(), 2u);
  EXPECT_EQ(result.problems[0].rfind(L"Setup failed while creating the shortcut", 0), 0u);
  EXPECT_EQ(result.problems[1],
            L"Undoing copying D:\\Package\\tolvenu.dll to C:\\Windows\\system32\\tolvenu.dll "
            L"failed: injected failure");
  // The rest was undone all the same.
  EXPECT_FALSE(actions_.machine.driverInstalled);
  EXPECT_TRUE(actions_.machine.skinsRegisteredFrom.empty());
}

TEST_F(PlanRunnerTest, AFolderThatWasThereBeforeStaysAfterAnUndo) {
  actions_.machine.folders.insert(L"C:\\Program Files\\Caldra One");
  actions_.machine.files[L"C:\\Program Files\\Caldra One\\notes.txt"] = "the user's";
  before_ = actions_.machine;
  actions_.failWhen = [](const std::wstring &operation, const std::wstring &) {
    return operation == L"InstallDriver";
  };
  EXPECT_FALSE(Install().ok);
  EXPECT_EQ(actions_.machine, before_);
}

TEST_F(PlanRunnerTest, RemovalGoesOnPastAFailureAndReportsIt) {
  ASSERT_TRUE(Install().ok);
  actions_.failWhen = [](const std::wstring &operation, const std::wstring &path) {
    return operation == L"RemoveFile" && path == L"C:\\Windows\\system32\\tolvenu.dll";
  };
  PlanResult result = Uninstall();
  EXPECT_FALSE(result.ok);
  ASSERT_EQ(result.problems.size(), 1u);
  EXPECT_EQ(result.problems[0],
            L"Uninstall failed while deleting C:\\Windows\\system32\\tolvenu.dll: injected failure");
  FakeMachine expected = before_;
  expected.files[L"C:\\Windows\\system32\\tolvenu.dll"] = "tolvenu.dll v1";
  EXPECT_EQ(actions_.machine, expected);
}

TEST_F(PlanRunnerTest, RemovingWhatIsNotInstalledSucceedsAndChangesNothing) {
  PlanResult result = Uninstall();
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(actions_.machine, before_);
}

TEST_F(PlanRunnerTest, AFolderWithTheUsersFilesIsKeptAndSaidSo) {
  ASSERT_TRUE(Install().ok);
  actions_.machine.files[L"C:\\Program Files\\Caldra One\\notes.txt"] = "the user's";
  PlanResult result = Uninstall();
  EXPECT_FALSE(result.ok);
  ASSERT_EQ(result.problems.size(), 1u);
  EXPECT_EQ(result.problems[0], L"Uninstall failed while removing the folder C:\\Program Files\\"
                                L"Caldra One: the folder is not empty");
  EXPECT_FALSE(actions_.machine.driverInstalled);
}

}  // namespace
}  // namespace tolven::setupprogram
