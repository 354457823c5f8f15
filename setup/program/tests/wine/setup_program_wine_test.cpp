// setup.exe as a script runs it, on Windows or under Wine and Xvfb: a silent
// installation into a temporary program folder from the build's folder
// (which holds everything a package holds), checked from outside; a second
// installation over it; the silent removal; and installations from damaged
// packages, which must fail and leave nothing behind.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

const wchar_t kCurrentVersion[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\";
const wchar_t kSkinFormClass[] = L"CLSID\\{5B1C7E90-3D2A-4F6B-9C8E-2A7D41E6B053}";
const wchar_t *const kDeliverables[] = {L"tolvenu.dll",     L"tolvenk.sys", L"Viewer.exe",
                                        L"ardensetup.dll",  L"ardenremove.dll", L"vfw.inf",
                                        L"tolvenskin.dll"};

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring TempFolder(const wchar_t *name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + name;
}

std::wstring SystemFolder() {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  return system;
}

std::wstring ShortcutFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
  return std::wstring(path) + L"\\Caldra One";
}

bool Exists(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::wstring> FilesIn(const std::wstring &folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

void RemoveTree(const std::wstring &folder) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(folder + L"\\" + name);
      else
        DeleteFileW((folder + L"\\" + name).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

std::wstring RegistryString(HKEY root, const std::wstring &path, const wchar_t *name, bool *found) {
  *found = false;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return L"";
  wchar_t buffer[512] = {};
  DWORD size = sizeof buffer - sizeof(wchar_t), type = 0;
  *found = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(buffer), &size) ==
           ERROR_SUCCESS;
  RegCloseKey(key);
  return buffer;
}

bool KeyExists(HKEY root, const std::wstring &path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool ServiceExists() {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  if (!manager) return false;
  SC_HANDLE service = OpenServiceW(manager, L"tolvenk", SERVICE_QUERY_STATUS);
  if (service) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return service != nullptr;
}

std::wstring ShortcutTarget(const std::wstring &link) {
  IShellLinkW *shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void **>(&shellLink))))
    return L"";
  wchar_t target[MAX_PATH] = {};
  IPersistFile *file = nullptr;
  if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
    if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)))
      shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    file->Release();
  }
  shellLink->Release();
  return target;
}

struct Outcome {
  DWORD exitCode = 0xFFFFFFFF;
  std::string errorText;
};

// Runs setup.exe from `package` with `arguments`, collecting its standard error.
Outcome RunSetup(const std::wstring &package, const std::wstring &arguments) {
  Outcome outcome;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16)) return outcome;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  start.hStdOutput = writeEnd;
  start.hStdError = writeEnd;
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + package + L"\\setup.exe\" " + arguments;
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, package.c_str(), &start,
                     &process)) {
    CloseHandle(writeEnd);
    writeEnd = nullptr;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got) outcome.errorText.append(buffer, got);
    WaitForSingleObject(process.hProcess, 120000);
    GetExitCodeProcess(process.hProcess, &outcome.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  if (writeEnd) CloseHandle(writeEnd);
  CloseHandle(readEnd);
  return outcome;
}

class SetupProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    folder_ = TempFolder(L"Caldra One Test Install");
    RemoveTree(folder_);
    // A machine without the card's software: other test programs of this
    // prefix put the driver files in the system folders and leave them.
    DeleteFileW((SystemFolder() + L"\\drivers\\tolvenk.sys").c_str());
    DeleteFileW((SystemFolder() + L"\\tolvenu.dll").c_str());
  }
  void TearDown() override {
    RunSetup(BuildFolder(), L"/uninstall /S \"/D=" + folder_ + L"\"");
    RemoveTree(folder_);
    CoUninitialize();
  }

  void ExpectInstalled() {
    for (const wchar_t *file : kDeliverables) EXPECT_TRUE(Exists(folder_ + L"\\" + file)) << file;
    std::vector<std::wstring> skins = FilesIn(BuildFolder() + L"\\Skins\\Default");
    EXPECT_GT(skins.size(), 10u);
    EXPECT_EQ(FilesIn(folder_ + L"\\Skins\\Default").size(), skins.size());
    EXPECT_TRUE(Exists(SystemFolder() + L"\\drivers\\tolvenk.sys"));
    EXPECT_TRUE(Exists(SystemFolder() + L"\\tolvenu.dll"));
    EXPECT_TRUE(ServiceExists());
    bool found = false;
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, std::wstring(kCurrentVersion) + L"Drivers32", L"MSVIDEO", &found),
              L"tolvenu.dll");
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, std::wstring(kCurrentVersion) + L"drivers.desc", L"tolvenu.dll",
                             &found),
              L"Video Capture for Caldra One");
    RegistryString(HKEY_LOCAL_MACHINE, std::wstring(kCurrentVersion) + L"related.desc", L"MSVIDEO", &found);
    EXPECT_TRUE(found);
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, std::wstring(kCurrentVersion) + L"Userinstallable.drivers",
                             L"MSVIDEO", &found),
              L"tolvenu.dll");
    std::wstring server = RegistryString(HKEY_CLASSES_ROOT, std::wstring(kSkinFormClass) + L"\\InprocServer32",
                                         nullptr, &found);
    EXPECT_TRUE(found);
    EXPECT_EQ(lstrcmpiW(server.c_str(), (folder_ + L"\\tolvenskin.dll").c_str()), 0) << server.c_str();
    std::wstring link = ShortcutFolder() + L"\\Caldra One Viewer.lnk";
    ASSERT_TRUE(Exists(link));
    EXPECT_EQ(lstrcmpiW(ShortcutTarget(link).c_str(), (folder_ + L"\\Viewer.exe").c_str()), 0);
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Caldra One", L"InstallFolder", &found), folder_);
    for (const std::wstring &file : FilesIn(folder_))
      EXPECT_EQ(file.find(L".previous"), std::wstring::npos) << "a backup was left behind";
  }

  // Nothing of the product on the machine.
  void ExpectNothingInstalled() {
    EXPECT_FALSE(Exists(folder_));
    EXPECT_FALSE(Exists(SystemFolder() + L"\\drivers\\tolvenk.sys"));
    EXPECT_FALSE(Exists(SystemFolder() + L"\\tolvenu.dll"));
    EXPECT_FALSE(ServiceExists());
    bool found = false;
    for (const wchar_t *key : {L"Drivers32", L"related.desc", L"Userinstallable.drivers"}) {
      RegistryString(HKEY_LOCAL_MACHINE, std::wstring(kCurrentVersion) + key, L"MSVIDEO", &found);
      EXPECT_FALSE(found) << key;
    }
    RegistryString(HKEY_LOCAL_MACHINE, std::wstring(kCurrentVersion) + L"drivers.desc", L"tolvenu.dll", &found);
    EXPECT_FALSE(found);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kSkinFormClass));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Caldra One"));
    EXPECT_FALSE(Exists(ShortcutFolder()));
  }

  // A package in a temporary folder: setup.exe and what it installs, from the build.
  std::wstring MakePackage(const wchar_t *leaveOut, const wchar_t *damage) {
    std::wstring package = TempFolder(L"CaldraOnePackage");
    RemoveTree(package);
    CreateDirectoryW(package.c_str(), nullptr);
    CreateDirectoryW((package + L"\\Skins").c_str(), nullptr);
    CreateDirectoryW((package + L"\\Skins\\Default").c_str(), nullptr);
    std::vector<std::wstring> files(std::begin(kDeliverables), std::end(kDeliverables));
    files.push_back(L"setup.exe");
    for (const std::wstring &skin : FilesIn(BuildFolder() + L"\\Skins\\Default")) files.push_back(L"Skins\\Default\\" + skin);
    for (const std::wstring &file : files) {
      if (leaveOut && file == leaveOut) continue;
      EXPECT_TRUE(CopyFileW((BuildFolder() + L"\\" + file).c_str(), (package + L"\\" + file).c_str(), FALSE));
    }
    if (damage) {
      HANDLE out = CreateFileW((package + L"\\" + damage).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD written = 0;
      WriteFile(out, "not a program", 13, &written, nullptr);
      CloseHandle(out);
    }
    return package;
  }

  std::wstring folder_;
};

TEST_F(SetupProgram, InstallTwiceThenUninstallLeavesNothing) {
  ExpectNothingInstalled();
  Outcome install = RunSetup(BuildFolder(), L"/S \"/D=" + folder_ + L"\"");
  ASSERT_EQ(install.exitCode, 0u) << install.errorText;
  ExpectInstalled();

  // A second installation over the first replaces it.
  Outcome again = RunSetup(BuildFolder(), L"/S \"/D=" + folder_ + L"\"");
  ASSERT_EQ(again.exitCode, 0u) << again.errorText;
  ExpectInstalled();

  // The removal finds the folder the installation recorded.
  Outcome removal = RunSetup(BuildFolder(), L"/uninstall /S");
  EXPECT_EQ(removal.exitCode, 0u) << removal.errorText;
  ExpectNothingInstalled();
}

TEST_F(SetupProgram, AMissingFileStopsTheInstallationAndNothingIsLeft) {
  std::wstring package = MakePackage(L"Viewer.exe", nullptr);
  Outcome install = RunSetup(package, L"/S \"/D=" + folder_ + L"\"");
  EXPECT_EQ(install.exitCode, 1u);
  EXPECT_NE(install.errorText.find("Setup failed while copying"), std::string::npos) << install.errorText;
  EXPECT_NE(install.errorText.find("Viewer.exe"), std::string::npos) << install.errorText;
  EXPECT_NE(install.errorText.find("Nothing was installed."), std::string::npos) << install.errorText;
  ExpectNothingInstalled();
  RemoveTree(package);
}

// The skin engine fails to register after the driver was installed: the
// driver's service and registration are taken away again.
TEST_F(SetupProgram, AFailureAfterTheDriverWasInstalledTakesTheDriverAway) {
  std::wstring package = MakePackage(nullptr, L"tolvenskin.dll");
  Outcome install = RunSetup(package, L"/S \"/D=" + folder_ + L"\"");
  EXPECT_EQ(install.exitCode, 1u);
  EXPECT_NE(install.errorText.find("Setup failed while registering the skin engine"), std::string::npos)
      << install.errorText;
  ExpectNothingInstalled();
  RemoveTree(package);
}

TEST_F(SetupProgram, ABadCommandLineIsRefusedWithTheUsage) {
  Outcome outcome = RunSetup(BuildFolder(), L"/S /install-everywhere");
  EXPECT_EQ(outcome.exitCode, 2u);
  EXPECT_NE(outcome.errorText.find("unknown option \"/install-everywhere\""), std::string::npos)
      << outcome.errorText;
  EXPECT_NE(outcome.errorText.find("Usage: setup.exe"), std::string::npos);
  ExpectNothingInstalled();
}

}  // namespace
