// The contract cases on the real Windows APIs. The driver is the kernel
// service's tolvenk.sys built beside this program; it is copied into the
// system driver folder under the service's name.
#include <windows.h>

#include "platform/contract/contract_environment.h"
#include "platform/win32_platform.h"

namespace tolven::contract {
namespace {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

class Win32Environment : public ContractEnvironment {
 public:
  Ports ports() override { return Win32Platform::Instance().ports(); }
  bool ProvideDriverFile(WStringView serviceName) override {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring target = std::wstring(system) + L"\\drivers\\" +
                          std::wstring(serviceName.begin(), serviceName.end()) + L".sys";
    std::wstring source = ProgramFolder() + L"tolvenk.sys";
    return CopyFileW(source.c_str(), target.c_str(), FALSE) != FALSE;
  }
  bool ShowsExclusiveOpen() const override {
    // Real Windows refuses the open; Wine (recognised by its ntdll export)
    // cannot.
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr;
  }
};

}  // namespace

std::unique_ptr<ContractEnvironment> MakeContractEnvironment() {
  return std::make_unique<Win32Environment>();
}

}  // namespace tolven::contract
