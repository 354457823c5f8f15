// Runs the steps of a plan. An installation either completes or, when a step
// fails, undoes every step already done, newest first, so the machine is left
// as it was. A removal goes on past a failed step so that as much as possible
// goes, and reports every failure.
#pragma once

#include <string>
#include <vector>

#include "install_step.h"
#include "setup_actions.h"

namespace tolven::setupprogram {

struct PlanResult {
  bool ok = true;
  std::vector<std::wstring> problems;  // one sentence each, in the order they happened
};

class PlanRunner {
 public:
  explicit PlanRunner(SetupActions &actions) : actions_(actions) {}

  PlanResult Install(const std::vector<InstallStep> &steps);
  PlanResult Remove(const std::vector<InstallStep> &steps);

  static std::wstring Describe(const InstallStep &step);  // "copying A to B"
  static std::wstring BackupName(const std::wstring &path);

 private:
  struct Done {
    InstallStep step;
    bool changed = false;   // false: the folder was already there
    std::wstring backup;    // where the file it replaced waits, or the folder recorded before
  };
  bool Do(const InstallStep &step, Done &done);
  bool Undo(const Done &done);
  bool RemoveOne(const InstallStep &step);

  SetupActions &actions_;
};

}  // namespace tolven::setupprogram
