// varnctl.exe on tolvenu.dll as a user runs it: the kernel service
// installed, the virtual card (tolvencard.dll) as display stand-in, and
// varnctl.exe started as a separate process with its output captured.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "driver/core/kernel_link.h"
#include "platform/win32_platform.h"
#include "tests/wine/beside.h"

namespace {

using namespace tolven;

const wchar_t kParametersKey[] = L"SYSTEM\\CurrentControlSet\\Services\\tolvenk\\Parameters";

using winetest::Beside;

struct Output {
  DWORD status = 0xFFFFFFFF;
  std::string out;
};

// Runs varnctl.exe with `arguments`; standard output is captured, standard
// error goes to this program's.
Output Varnctl(const std::wstring &arguments) {
  Output result;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return result;
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::wstring command = L"\"" + Beside(L"varnctl.exe") + L"\" " + arguments;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(read);
    CloseHandle(write);
    return result;
  }
  CloseHandle(write);
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got) result.out.append(buffer, got);
  CloseHandle(read);
  WaitForSingleObject(process.hProcess, INFINITE);
  GetExitCodeProcess(process.hProcess, &result.status);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return result;
}

class VarnctlExe : public ::testing::Test {
 protected:
  void SetUp() override {
    ports_ = std::make_unique<Ports>(Win32Platform::Instance().ports());
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring target = std::wstring(system) + L"\\drivers\\tolvenk.sys";
    ASSERT_TRUE(CopyFileW(Beside(L"tolvenk.sys").c_str(), target.c_str(), FALSE));
    ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
    ASSERT_TRUE(InstallAndStartService(*ports_, profile, nullptr, nullptr));
    CloseServiceProfile(*ports_, profile);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const std::wstring standIn = Beside(L"tolvencard.dll");
    RegSetValueExW(key, L"DisplayStandIn", 0, REG_SZ, reinterpret_cast<const BYTE *>(standIn.c_str()),
                   static_cast<DWORD>((standIn.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  void TearDown() override {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
      RegDeleteValueW(key, L"DisplayStandIn");
      RegCloseKey(key);
    }
    ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
    StopKernelService(*ports_, profile);
    CloseServiceProfile(*ports_, profile);
  }
  std::unique_ptr<Ports> ports_;
};

TEST_F(VarnctlExe, UsageAndHelpNeedNoCard) {
  EXPECT_EQ(Varnctl(L"").status, 2u);
  EXPECT_EQ(Varnctl(L"tune").status, 2u);
  const Output help = Varnctl(L"scan --help");
  EXPECT_EQ(help.status, 0u);
  EXPECT_EQ(help.out.rfind("Usage: varnctl scan", 0), 0u) << help.out;
}

TEST_F(VarnctlExe, ScriptedSession) {
  const Output info = Varnctl(L"info");
  EXPECT_EQ(info.status, 0u);
  EXPECT_EQ(info.out.rfind("Card               found\n", 0), 0u) << info.out;
  ASSERT_EQ(Varnctl(L"delete-all").status, 0u);
  const Output scan = Varnctl(L"scan --progress=lines");
  EXPECT_EQ(scan.status, 0u);
  EXPECT_EQ(scan.out, "Found 6 new channels; the list has 6.\n");
  // The same channels as the native build prints for the default card.
  const Output channels = Varnctl(L"--json channels");
  EXPECT_EQ(channels.status, 0u);
  EXPECT_NE(channels.out.find("\"number\": 23,\n      \"frequency_hz\": 487250000"), std::string::npos)
      << channels.out;
  EXPECT_NE(channels.out.find("\"number\": 52,\n      \"frequency_hz\": 719250000"), std::string::npos);
  // Kept beside this program: the test command compares it with what the
  // native varnctl prints for the same card.
  HANDLE kept = CreateFileW(Beside(L"varnctl-channels.json").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(kept, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(kept, channels.out.data(), static_cast<DWORD>(channels.out.size()), &written, nullptr));
  CloseHandle(kept);
  EXPECT_EQ(Varnctl(L"tune 1").status, 0u);
  const Output after = Varnctl(L"--json info");
  EXPECT_NE(after.out.find("\"index\": 1"), std::string::npos) << after.out;
  EXPECT_EQ(Varnctl(L"tune 17").status, 1u);
}

TEST_F(VarnctlExe, ExportImportRoundTrip) {
  ASSERT_EQ(Varnctl(L"scan --fresh --progress=none").status, 0u);
  const Output first = Varnctl(L"export -");
  ASSERT_EQ(first.status, 0u);
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"varnctl-channels.csv";
  ASSERT_EQ(Varnctl(L"export \"" + file + L"\"").status, 0u);
  ASSERT_EQ(Varnctl(L"delete-all").status, 0u);
  ASSERT_EQ(Varnctl(L"import \"" + file + L"\"").status, 0u);
  EXPECT_EQ(Varnctl(L"export -").out, first.out);
  DeleteFileW(file.c_str());
}

}  // namespace
