#include "setup_program.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "setup/program/install_plan.h"
#include "setup/program/plan_runner.h"
#include "setup/program/setup_options.h"
#include "win32_setup_actions.h"

namespace tolven::setupprogram {

namespace {

const wchar_t kTitle[] = L"Caldra One Setup";
const wchar_t kProductFolder[] = L"Caldra One";

std::wstring ShellFolder(int id) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, id | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
    return L"";
  return path;
}

std::wstring ProgramFolderOfSetup() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

#if !defined(_WIN64)
// A 32-bit kernel service cannot load on 64-bit Windows.
bool RunsOn64BitWindows() {
  using IsWow64Proc = BOOL(WINAPI *)(HANDLE, PBOOL);
  auto isWow64 = reinterpret_cast<IsWow64Proc>(reinterpret_cast<void *>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}
#endif

std::wstring Lines(const std::vector<std::wstring> &lines) {
  std::wstring text;
  for (const std::wstring &line : lines) text += (text.empty() ? L"" : L"\n") + line;
  return text;
}

}  // namespace

void SetupProgram::Report(const std::wstring &text, bool failure) {
  if (!silent_) {
    MessageBoxW(nullptr, text.c_str(), kTitle, MB_OK | (failure ? MB_ICONERROR : MB_ICONINFORMATION));
    return;
  }
  if (!failure) return;
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (!error || error == INVALID_HANDLE_VALUE) {
    // Started from a console, a GUI program has no standard error of its own.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) error = GetStdHandle(STD_ERROR_HANDLE);
  }
  if (!error || error == INVALID_HANDLE_VALUE) return;
  std::wstring line = L"setup: " + text + L"\n";
  int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(error, bytes.data(), static_cast<DWORD>(bytes.size() - 1), &written, nullptr);
}

int SetupProgram::Run(const std::vector<std::wstring> &arguments) {
  std::wstring error;
  auto options = SetupOptions::Parse(arguments, &error);
  if (!options) {
    silent_ = false;
    for (const std::wstring &argument : arguments)
      if (argument == L"/S" || argument == L"/s") silent_ = true;
    Report(L"Setup cannot start: " + error + L".\n" + SetupOptions::Usage(), true);
    return kBadCommandLine;
  }
  silent_ = options->silent;

#if !defined(_WIN64)
  if (RunsOn64BitWindows()) {
    Report(L"This package is for 32-bit Windows. On 64-bit Windows, use the x64 package.", true);
    return kFailed;
  }
#endif

  InstallLayout layout;
  layout.sourceFolder = ProgramFolderOfSetup();
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  layout.systemFolder = system;
  layout.driversFolder = layout.systemFolder + L"\\drivers";
  std::wstring programs = ShellFolder(CSIDL_COMMON_PROGRAMS);
  std::wstring programFiles = ShellFolder(CSIDL_PROGRAM_FILES);
  if (programs.empty() || programFiles.empty()) {
    Report(L"Setup cannot find the Start menu's or the program files' folder.", true);
    return kFailed;
  }
  layout.shortcutFolder = programs + L"\\" + kProductFolder;

  Win32SetupActions actions(silent_);
  PlanRunner runner(actions);
  if (options->uninstall) {
    layout.programFolder = options->folder;
    if (layout.programFolder.empty()) layout.programFolder = actions.RecordedFolder();
    if (layout.programFolder.empty()) layout.programFolder = programFiles + L"\\" + kProductFolder;
    layout.skinFiles = actions.ListFiles(InstallPlan::SkinFolder(layout.programFolder));
    PlanResult result = runner.Remove(InstallPlan::Uninstall(layout));
    if (!result.ok) {
      Report(Lines(result.problems), true);
      return kFailed;
    }
    Report(L"Caldra One was removed from " + layout.programFolder + L".", false);
    return kDone;
  }

  layout.programFolder = options->folder.empty() ? programFiles + L"\\" + kProductFolder : options->folder;
  if (lstrcmpiW(layout.programFolder.c_str(), layout.sourceFolder.c_str()) == 0) {
    Report(L"Setup cannot install into the folder it runs from: " + layout.programFolder, true);
    return kFailed;
  }
  layout.skinFiles = actions.ListFiles(InstallPlan::SkinFolder(layout.sourceFolder));
  if (layout.skinFiles.empty()) {
    Report(L"Setup is incomplete: there are no skins in " + InstallPlan::SkinFolder(layout.sourceFolder) +
               L". Unpack the whole package and run setup.exe again.",
           true);
    return kFailed;
  }
  if (!silent_ &&
      MessageBoxW(nullptr, (L"Install Caldra One into " + layout.programFolder + L"?").c_str(), kTitle,
                  MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
    return kFailed;
  PlanResult result = runner.Install(InstallPlan::Install(layout));
  if (!result.ok) {
    result.problems.push_back(L"Nothing was installed.");
    Report(Lines(result.problems), true);
    return kFailed;
  }
  Report(L"Caldra One was installed in " + layout.programFolder +
             L". Start it from the Start menu: Caldra One Viewer.",
         false);
  return kDone;
}

}  // namespace tolven::setupprogram
