#include "plan_runner.h"

namespace tolven::setupprogram {

namespace {
using Kind = InstallStep::Kind;
}  // namespace

std::wstring PlanRunner::BackupName(const std::wstring &path) { return path + L".previous"; }

std::wstring PlanRunner::Describe(const InstallStep &step) {
  switch (step.kind) {
    case Kind::kCreateFolder: return L"creating the folder " + step.path;
    case Kind::kCopyFile: return L"copying " + step.source + L" to " + step.path;
    case Kind::kRecordFolder: return L"recording the program folder " + step.path;
    case Kind::kInstallDriver: return L"installing the capture driver and its kernel service";
    case Kind::kRegisterSkins: return L"registering the skin engine " + step.path;
    case Kind::kCreateShortcut: return L"creating the shortcut " + step.path;
    case Kind::kDeleteFile: return L"deleting " + step.path;
    case Kind::kRemoveFolder: return L"removing the folder " + step.path;
    case Kind::kRemoveDriver: return L"removing the capture driver and its kernel service";
    case Kind::kUnregisterSkins: return L"unregistering the skin engine " + step.path;
    case Kind::kForgetFolder: return L"forgetting the program folder";
  }
  return L"an unknown step";
}

bool PlanRunner::Do(const InstallStep &step, Done &done) {
  done.step = step;
  done.changed = true;
  switch (step.kind) {
    case Kind::kCreateFolder:
      if (actions_.Exists(step.path)) {
        done.changed = false;
        return true;
      }
      return actions_.CreateFolder(step.path);
    case Kind::kCopyFile:
    case Kind::kCreateShortcut:
      // A file already there (an earlier installation) is moved aside, not
      // overwritten, so that an undo can put it back.
      if (actions_.Exists(step.path)) {
        std::wstring backup = BackupName(step.path);
        if (actions_.Exists(backup) && !actions_.RemoveFile(backup)) return false;
        if (!actions_.MoveFileTo(step.path, backup)) return false;
        done.backup = backup;
      }
      if (step.kind == Kind::kCopyFile ? actions_.CopyFileTo(step.source, step.path)
                                       : actions_.CreateShortcut(step.path, step.source))
        return true;
      if (!done.backup.empty()) actions_.MoveFileTo(done.backup, step.path);
      return false;
    case Kind::kRecordFolder:
      done.backup = actions_.RecordedFolder();  // an earlier installation's, put back by an undo
      return actions_.RecordFolder(step.path);
    case Kind::kInstallDriver: return actions_.InstallDriver(step.path);
    case Kind::kRegisterSkins: return actions_.RegisterSkins(step.path);
    default: return RemoveOne(step);
  }
}

bool PlanRunner::Undo(const Done &done) {
  const InstallStep &step = done.step;
  switch (step.kind) {
    case Kind::kCreateFolder: return !done.changed || actions_.RemoveFolder(step.path);
    case Kind::kCopyFile:
    case Kind::kCreateShortcut:
      if (!actions_.RemoveFile(step.path)) return false;
      return done.backup.empty() || actions_.MoveFileTo(done.backup, step.path);
    case Kind::kRecordFolder:
      return done.backup.empty() ? actions_.ForgetFolder() : actions_.RecordFolder(done.backup);
    case Kind::kInstallDriver: return actions_.RemoveDriver(step.path);
    case Kind::kRegisterSkins: return actions_.UnregisterSkins(step.path);
    default: return true;  // removal steps are not undone
  }
}

bool PlanRunner::RemoveOne(const InstallStep &step) {
  switch (step.kind) {
    case Kind::kDeleteFile: return !actions_.Exists(step.path) || actions_.RemoveFile(step.path);
    case Kind::kRemoveFolder: return !actions_.Exists(step.path) || actions_.RemoveFolder(step.path);
    case Kind::kRemoveDriver: return actions_.RemoveDriver(step.path);
    case Kind::kUnregisterSkins:
      return !actions_.Exists(step.path) || actions_.UnregisterSkins(step.path);
    case Kind::kForgetFolder: return actions_.ForgetFolder();
    default: return false;
  }
}

PlanResult PlanRunner::Install(const std::vector<InstallStep> &steps) {
  PlanResult result;
  std::vector<Done> done;
  for (const InstallStep &step : steps) {
    Done record;
    if (Do(step, record)) {
      done.push_back(record);
      continue;
    }
    result.ok = false;
    result.problems.push_back(L"Setup failed while " + Describe(step) + L": " +
                              actions_.LastError());
    for (auto it = done.rbegin(); it != done.rend(); ++it)
      if (!Undo(*it))
        result.problems.push_back(L"Undoing " + Describe(it->step) + L" failed: " +
                                  actions_.LastError());
    return result;
  }
  // Done: the files that were replaced are no longer needed. One that cannot
  // go yet (a driver image in use) does not make the installation fail.
  for (const Done &record : done)
    if (record.step.kind != Kind::kRecordFolder && !record.backup.empty())
      actions_.RemoveFile(record.backup);
  return result;
}

PlanResult PlanRunner::Remove(const std::vector<InstallStep> &steps) {
  PlanResult result;
  for (const InstallStep &step : steps) {
    if (RemoveOne(step)) continue;
    result.ok = false;
    result.problems.push_back(L"Uninstall failed while " + Describe(step) + L": " +
                              actions_.LastError());
  }
  return result;
}

}  // namespace tolven::setupprogram
