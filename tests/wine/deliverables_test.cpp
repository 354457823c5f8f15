// The five deliverables exist beside this program as PE files of this
// program's own architecture with readable version resources, and the
// libraries load.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>
#include "tests/wine/beside.h"

namespace {

using tolven::winetest::Beside;

std::wstring VersionString(const std::wstring &path, const wchar_t *name) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (!size) return L"";
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return L"";
  std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  void *value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), query.c_str(), &value, &length) || !length) return L"";
  return static_cast<const wchar_t *>(value);
}

WORD Machine(const std::wstring &path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  IMAGE_DOS_HEADER dos{};
  IMAGE_NT_HEADERS32 nt{};
  DWORD got = 0;
  ReadFile(file, &dos, sizeof dos, &got, nullptr);
  SetFilePointer(file, dos.e_lfanew, nullptr, FILE_BEGIN);
  ReadFile(file, &nt, sizeof nt, &got, nullptr);
  CloseHandle(file);
  return dos.e_magic == IMAGE_DOS_SIGNATURE && nt.Signature == IMAGE_NT_SIGNATURE ? nt.FileHeader.Machine : 0;
}

struct Deliverable {
  const wchar_t *file;
  bool loadable;
  const char *export1;
  const char *export2;
};

const Deliverable kDeliverables[] = {
    {L"tolvenu.dll", true, "DriverProc", nullptr},
    {L"ardensetup.dll", true, "InstallVFW", nullptr},
    {L"ardenremove.dll", true, "UninstInitialize", "UninstUnInitialize"},
    {L"Viewer.exe", false, nullptr, nullptr},
    {L"tolvenk.sys", false, nullptr, nullptr},
};

#ifdef _WIN64
constexpr WORD kOwnMachine = IMAGE_FILE_MACHINE_AMD64;
#else
constexpr WORD kOwnMachine = IMAGE_FILE_MACHINE_I386;
#endif

TEST(Deliverables, AreImagesOfThisArchitectureWithVersionResources) {
  for (const auto &d : kDeliverables) {
    std::wstring path = Beside(d.file);
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    EXPECT_EQ(Machine(path), kOwnMachine);
    EXPECT_EQ(VersionString(path, L"OriginalFilename"), d.file);
    EXPECT_EQ(VersionString(path, L"ProductName"), L"Caldra One");
  }
}

TEST(Deliverables, LibrariesLoadAndExportTheirEntriesByName) {
  for (const auto &d : kDeliverables) {
    if (!d.loadable) continue;
    std::wstring path = Beside(d.file);
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    HMODULE module = LoadLibraryW(path.c_str());
    ASSERT_NE(module, nullptr) << GetLastError();
    EXPECT_NE(GetProcAddress(module, d.export1), nullptr);
    if (d.export2) {
      EXPECT_NE(GetProcAddress(module, d.export2), nullptr);
    }
    FreeLibrary(module);
  }
}

}  // namespace
