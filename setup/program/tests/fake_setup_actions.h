// A machine in memory for the setup program's logic: files with contents,
// folders, and the registrations setup makes. A test can make any one
// operation fail to see that setup undoes what it did.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "setup/program/setup_actions.h"

namespace tolven::setupprogram {

struct FakeMachine {
  std::map<std::wstring, std::string> files;
  std::set<std::wstring> folders;
  std::wstring recordedFolder;
  bool driverInstalled = false;
  std::wstring skinsRegisteredFrom;

  bool operator==(const FakeMachine &) const = default;
};

class FakeSetupActions : public SetupActions {
 public:
  FakeMachine machine;
  // Called with the operation's name and its path; true makes it fail.
  std::function<bool(const std::wstring &operation, const std::wstring &path)> failWhen;
  std::vector<std::wstring> log;  // "operation path", in order

  bool Exists(const std::wstring &path) override {
    return machine.files.count(path) || machine.folders.count(path);
  }
  bool CreateFolder(const std::wstring &path) override {
    if (!Begin(L"CreateFolder", path)) return false;
    if (Exists(path) || !ParentExists(path)) return Fail(L"cannot create");
    machine.folders.insert(path);
    return true;
  }
  bool RemoveFolder(const std::wstring &path) override {
    if (!Begin(L"RemoveFolder", path)) return false;
    if (!machine.folders.count(path)) return Fail(L"no such folder");
    for (const auto &[file, content] : machine.files)
      if (file.rfind(path + L"\\", 0) == 0) return Fail(L"the folder is not empty");
    for (const auto &folder : machine.folders)
      if (folder.rfind(path + L"\\", 0) == 0) return Fail(L"the folder is not empty");
    machine.folders.erase(path);
    return true;
  }
  bool CopyFileTo(const std::wstring &source, const std::wstring &target) override {
    if (!Begin(L"CopyFileTo", target)) return false;
    if (!machine.files.count(source)) return Fail(L"the file was not found");
    if (!ParentExists(target)) return Fail(L"the path was not found");
    machine.files[target] = machine.files[source];
    return true;
  }
  bool MoveFileTo(const std::wstring &source, const std::wstring &target) override {
    if (!Begin(L"MoveFileTo", source)) return false;
    if (!machine.files.count(source) || Exists(target)) return Fail(L"cannot move");
    machine.files[target] = machine.files[source];
    machine.files.erase(source);
    return true;
  }
  bool RemoveFile(const std::wstring &path) override {
    if (!Begin(L"RemoveFile", path)) return false;
    if (!machine.files.erase(path)) return Fail(L"the file was not found");
    return true;
  }
  bool RecordFolder(const std::wstring &folder) override {
    if (!Begin(L"RecordFolder", folder)) return false;
    machine.recordedFolder = folder;
    return true;
  }
  bool ForgetFolder() override {
    if (!Begin(L"ForgetFolder", L"")) return false;
    machine.recordedFolder.clear();
    return true;
  }
  std::wstring RecordedFolder() override { return machine.recordedFolder; }
  bool InstallDriver(const std::wstring &folder) override {
    if (!Begin(L"InstallDriver", folder)) return false;
    // As the real one: the service names the system's copy of the kernel
    // service, and the INF sits in the folder.
    if (!machine.files.count(L"C:\\Windows\\system32\\drivers\\tolvenk.sys") ||
        !machine.files.count(L"C:\\Windows\\system32\\tolvenu.dll") ||
        !machine.files.count(folder + L"\\vfw.inf") ||
        !machine.files.count(folder + L"\\ardensetup.dll"))
      return Fail(L"the driver files are not in place");
    machine.driverInstalled = true;
    return true;
  }
  bool RemoveDriver(const std::wstring &folder) override {
    if (!Begin(L"RemoveDriver", folder)) return false;
    if (!machine.driverInstalled) return true;  // as ardenremove: nothing to remove
    if (!machine.files.count(folder + L"\\ardenremove.dll")) return Fail(L"no ardenremove.dll");
    machine.driverInstalled = false;
    return true;
  }
  bool RegisterSkins(const std::wstring &dll) override {
    if (!Begin(L"RegisterSkins", dll)) return false;
    if (!machine.files.count(dll)) return Fail(L"the skin engine is missing");
    machine.skinsRegisteredFrom = dll;
    return true;
  }
  bool UnregisterSkins(const std::wstring &dll) override {
    if (!Begin(L"UnregisterSkins", dll)) return false;
    machine.skinsRegisteredFrom.clear();
    return true;
  }
  bool CreateShortcut(const std::wstring &link, const std::wstring &target) override {
    if (!Begin(L"CreateShortcut", link)) return false;
    if (!ParentExists(link)) return Fail(L"the path was not found");
    machine.files[link] = "shortcut to " + std::string(target.begin(), target.end());
    return true;
  }
  std::vector<std::wstring> ListFiles(const std::wstring &folder) override {
    std::vector<std::wstring> names;
    for (const auto &[file, content] : machine.files)
      if (file.rfind(folder + L"\\", 0) == 0 && file.find(L'\\', folder.size() + 1) == std::wstring::npos)
        names.push_back(file.substr(folder.size() + 1));
    return names;
  }
  std::wstring LastError() const override { return error_; }

 private:
  bool Begin(const std::wstring &operation, const std::wstring &path) {
    log.push_back(operation + L" " + path);
    if (failWhen && failWhen(operation, path)) return Fail(L"injected failure");
    return true;
  }
  bool Fail(const std::wstring &why) {
    error_ = why;
    return false;
  }
  bool ParentExists(const std::wstring &path) const {
    size_t slash = path.find_last_of(L'\\');
    return slash != std::wstring::npos && machine.folders.count(path.substr(0, slash));
  }

  std::wstring error_;
};

}  // namespace tolven::setupprogram
