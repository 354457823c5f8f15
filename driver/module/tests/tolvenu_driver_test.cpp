// tolvenu.dll as msvideo sees it: OpenDriver with and without open
// parameters, SendDriverMessage, CloseDriver. The card is the virtual card
// (tolvencard.dll) configured as display stand-in; the kernel device is the
// minimal test driver installed as the service "tolvenk". Each case sets up
// the machine it needs, and the driver is loaded afresh by every open, so
// the stand-in setting is read again.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "driver/control/tests/client/independent_client.h"
#include "driver/link/kernel_link.h"
#include "driver/core/vfw_records.h"
#include "platform/display/escape_blocks.h"
#include "platform/win32_platform.h"
#include "tests/wine/beside.h"

namespace {

using namespace tolven;
using namespace tolven::vfw;

const wchar_t kParametersKey[] = L"SYSTEM\\CurrentControlSet\\Services\\tolvenk\\Parameters";

using winetest::Beside;

// Memory placed as high as the process allows: on x64 above 4 GB, so that a
// pointer cut to 32 bits anywhere on the way cannot still work.
class HighMemory {
 public:
  explicit HighMemory(size_t size)
      : base_(VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE)) {}
  ~HighMemory() {
    if (base_) VirtualFree(base_, 0, MEM_RELEASE);
  }
  HighMemory(const HighMemory &) = delete;
  HighMemory &operator=(const HighMemory &) = delete;
  template <typename T>
  T *At(size_t offset) {
    return reinterpret_cast<T *>(static_cast<char *>(base_) + offset);
  }
  bool AboveFourGigabytes() const { return reinterpret_cast<uintptr_t>(base_) > 0xFFFFFFFFu; }
  void *base() const { return base_; }

 private:
  void *base_;
};

// The records and blocks this build hands across DLLs have the layout of its
// own pointer size.
TEST(Layouts, RecordsAndBlocksMatchThisBuildsPointerSize) {
  if (sizeof(void *) == 8) {
    EXPECT_EQ(sizeof(VideoOpenParms), sizeof(VideoOpenParmsX64));
    EXPECT_EQ(sizeof(VideoConfigureParms), sizeof(VideoConfigureParmsX64));
    EXPECT_EQ(sizeof(VideoStreamInitParms), sizeof(VideoStreamInitParmsX64));
    EXPECT_EQ(sizeof(VideoGetErrorTextParms), sizeof(VideoGetErrorTextParmsX64));
    EXPECT_EQ(sizeof(display::BusTransactionBlock), 48u);
    EXPECT_EQ(sizeof(display::VideoPortCommand), 16u);
    EXPECT_EQ(sizeof(display::VideoPortEnumBlock), 24u);
  } else {
    EXPECT_EQ(sizeof(VideoOpenParms), sizeof(VideoOpenParms32));
    EXPECT_EQ(sizeof(VideoConfigureParms), sizeof(VideoConfigureParms32));
    EXPECT_EQ(sizeof(VideoStreamInitParms), sizeof(VideoStreamInitParms32));
    EXPECT_EQ(sizeof(VideoGetErrorTextParms), sizeof(VideoGetErrorTextParms32));
    EXPECT_EQ(sizeof(display::BusTransactionBlock), 32u);
    EXPECT_EQ(sizeof(display::VideoPortCommand), 12u);
    EXPECT_EQ(sizeof(display::VideoPortEnumBlock), 12u);
  }
  EXPECT_EQ(sizeof(display::VideoPortCreateBlock), 192u);
  EXPECT_EQ(sizeof(display::VideoPortUpdateBlock), 176u);
}

// The stand-in, called as tolvenu.dll calls it: blocks of this build's layout
// whose pointer fields hold real pointers into high memory.
class StandIn : public ::testing::Test {
 protected:
  using Escape = int(WINAPI *)(int, int, const void *, int, void *);
  void SetUp() override {
    module_ = LoadLibraryW(Beside(L"tolvencard.dll").c_str());
    ASSERT_NE(module_, nullptr);
    escape_ = reinterpret_cast<Escape>(reinterpret_cast<void *>(GetProcAddress(module_, "DisplayEscape")));
    ASSERT_NE(escape_, nullptr);
    ASSERT_NE(memory_.base(), nullptr);
    if (sizeof(void *) == 8) {
      ASSERT_TRUE(memory_.AboveFourGigabytes()) << memory_.base();
    }
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  // One bus transaction; answers the escape's value, the result in `result`.
  int Transfer(const uint8_t *write, uint32_t writeLength, uint8_t *read, uint32_t readLength,
               int32_t *result, int size = sizeof(display::BusTransactionBlock)) {
    auto *block = memory_.At<display::BusTransactionBlock>(0);
    *block = display::BusTransactionBlock{};
    block->writeBuffer = reinterpret_cast<uintptr_t>(write);
    block->writeLength = writeLength;
    block->readBuffer = reinterpret_cast<uintptr_t>(read);
    block->readLength = readLength;
    block->transactionCount = 1;
    block->busFlag = 1;
    return escape_(display::kEscapeBusTransaction, size, block, sizeof *result, result);
  }

  HMODULE module_ = nullptr;
  Escape escape_ = nullptr;
  HighMemory memory_{65536};
};

TEST_F(StandIn, BusTransactionWithRealPointers) {
  auto *write = memory_.At<uint8_t>(256);
  auto *read = memory_.At<uint8_t>(512);
  int32_t result = 0;
  write[0] = 0x88;  // the decoder, written: select its identification register
  write[1] = 0xFE;
  ASSERT_EQ(Transfer(write, 2, nullptr, 0, &result), 1);
  EXPECT_EQ(result, 1);
  write[0] = 0x89;
  read[0] = 0;
  ASSERT_EQ(Transfer(write, 1, read, 1, &result), 1);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(read[0], 0xA1);
  // A block one byte short of this layout is refused.
  EXPECT_EQ(Transfer(write, 1, read, 1, &result, sizeof(display::BusTransactionBlock) - 1), -1);
}

TEST_F(StandIn, ConnectionEnumerationWithRealPointers) {
  auto *enumeration = memory_.At<display::VideoPortEnumBlock>(1024);
  auto *connection = memory_.At<display::VideoPortConnection>(2048);
  auto *command = memory_.At<display::VideoPortCommand>(3072);
  int32_t result = 0;
  *enumeration = display::VideoPortEnumBlock{};
  *command = display::VideoPortCommand{0, display::kVideoPortConnections,
                                       reinterpret_cast<uintptr_t>(enumeration)};
  ASSERT_EQ(escape_(display::kEscapeVideoPort, sizeof *command, command, sizeof result, &result), 1);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(enumeration->count, 1u);
  connection->size = sizeof *connection;
  enumeration->item = reinterpret_cast<uintptr_t>(connection);
  ASSERT_EQ(escape_(display::kEscapeVideoPort, sizeof *command, command, sizeof result, &result), 1);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(connection->portWidth, 8u);
  EXPECT_EQ(connection->type, display::kVideoPortTypeCode4);
  EXPECT_EQ(connection->reserved1, 0u);
}

class TolvenuDriver : public ::testing::Test {
 protected:
  void SetUp() override { ports_ = std::make_unique<Ports>(Win32Platform::Instance().ports()); }
  void TearDown() override {
    SetStandIn(nullptr);
    ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
    StopKernelService(*ports_, profile);
    CloseServiceProfile(*ports_, profile);
  }

  bool StartKernelDevice() {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring target = std::wstring(system) + L"\\drivers\\tolvenk.sys";
    if (!CopyFileW(Beside(L"tolvenk.sys").c_str(), target.c_str(), FALSE)) return false;
    ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
    bool started = InstallAndStartService(*ports_, profile, nullptr, nullptr);
    CloseServiceProfile(*ports_, profile);
    return started;
  }
  void StopKernelDevice() {
    ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
    StopKernelService(*ports_, profile);
    CloseServiceProfile(*ports_, profile);
  }
  // Names the stand-in DLL, or removes the setting when `dll` is null.
  void SetStandIn(const wchar_t *dll) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
      return;
    if (dll) {
      RegSetValueExW(key, L"DisplayStandIn", 0, REG_SZ, reinterpret_cast<const BYTE *>(dll),
                     static_cast<DWORD>((wcslen(dll) + 1) * sizeof(wchar_t)));
    } else {
      RegDeleteValueW(key, L"DisplayStandIn");
    }
    RegCloseKey(key);
  }
  void FullMachine() {
    ASSERT_TRUE(StartKernelDevice());
    standIn_ = Beside(L"tolvencard.dll");
    SetStandIn(standIn_.c_str());
  }

  HDRVR Open(uint32_t flags, VideoOpenParms *parms) {
    *parms = VideoOpenParms{};
    parms->dwSize = sizeof *parms;
    parms->fccType = mmioFOURCC('v', 'c', 'a', 'p');
    parms->dwVersion = 0x400;
    parms->dwFlags = flags;
    parms->dwError = 0xBAD;
    return OpenDriver(Beside(L"tolvenu.dll").c_str(), nullptr, reinterpret_cast<LPARAM>(parms));
  }

  std::unique_ptr<Ports> ports_;
  std::wstring standIn_;
};

TEST_F(TolvenuDriver, OpenWithoutParametersIsTheConfigurationInstance) {
  // Needs neither the card nor the kernel device.
  HDRVR driver = OpenDriver(Beside(L"tolvenu.dll").c_str(), nullptr, 0);
  ASSERT_NE(driver, nullptr);
  EXPECT_EQ(SendDriverMessage(driver, DRV_QUERYCONFIGURE, 0, 0), 1);
  EXPECT_EQ(CloseDriver(driver, 0, 0), 1);
}

TEST_F(TolvenuDriver, DriverProcAnswersTheChannelKindAsId) {
  FullMachine();
  HMODULE module = LoadLibraryW(Beside(L"tolvenu.dll").c_str());
  ASSERT_NE(module, nullptr);
  auto proc = reinterpret_cast<LRESULT(WINAPI *)(DWORD_PTR, HDRVR, UINT, LPARAM, LPARAM)>(
      reinterpret_cast<void *>(GetProcAddress(module, "DriverProc")));
  ASSERT_NE(proc, nullptr);
  HDRVR handle = reinterpret_cast<HDRVR>(0x1234);
  EXPECT_EQ(proc(0, handle, DRV_LOAD, 0, 0), 1);
  VideoOpenParms parms{};
  parms.dwSize = sizeof parms;
  parms.dwFlags = kVideoExternalOut;
  parms.dwError = 0xBAD;
  EXPECT_EQ(proc(0, handle, DRV_OPEN, 0, reinterpret_cast<LPARAM>(&parms)), 2);
  EXPECT_EQ(parms.dwError, 0u);
  EXPECT_EQ(proc(0, handle, DRV_OPEN, 0, 0), 9999);
  EXPECT_EQ(proc(2, handle, DRV_CLOSE, 0, 0), 1);
  EXPECT_EQ(proc(0, handle, DRV_FREE, 0, 0), 1);
  FreeLibrary(module);
}

TEST_F(TolvenuDriver, ExternalOutWithCardAndKernelDevice) {
  FullMachine();
  VideoOpenParms parms;
  HDRVR driver = Open(kVideoExternalOut, &parms);
  ASSERT_NE(driver, nullptr) << parms.dwError;
  EXPECT_EQ(parms.dwError, 0u);

  ChannelCaps caps{};
  EXPECT_EQ(SendDriverMessage(driver, kDvmGetChannelCaps, reinterpret_cast<LPARAM>(&caps), sizeof caps), 0);
  EXPECT_EQ(caps.dwFlags, 14u | kCapsOverlay);
  EXPECT_EQ(caps.dwSrcRectXMod, 1u);
  EXPECT_EQ(caps.dwDstRectHeightMod, 1u);

  DWORD version = 0;
  EXPECT_EQ(SendDriverMessage(driver, kDvmGetVideoApiVer, reinterpret_cast<LPARAM>(&version), 0), 0);
  EXPECT_EQ(version, 4u);
  EXPECT_EQ(SendDriverMessage(driver, kDvmFrame, 0, 0), 17);
  EXPECT_EQ(SendDriverMessage(driver, kDvmDialog, 0, kVideoDialogQuery), 0);
  EXPECT_EQ(SendDriverMessage(driver, kDvmStreamStart, 0, 0), 17);
  EXPECT_EQ(SendDriverMessage(driver, kDvmStreamStop, 0, 0), 17);
  EXPECT_EQ(CloseDriver(driver, 0, 0), 1);
}

TEST_F(TolvenuDriver, VideoInFormatIsA768By576SixteenBitBitmap) {
  FullMachine();
  VideoOpenParms parms;
  HDRVR driver = Open(kVideoIn, &parms);
  ASSERT_NE(driver, nullptr) << parms.dwError;

  DWORD size = 0;
  BITMAPINFOHEADER header;
  memset(&header, 0xEE, sizeof header);
  VideoConfigureParms configure{};
  configure.lpdwReturn = reinterpret_cast<uintptr_t>(&size);
  configure.lpData1 = reinterpret_cast<uintptr_t>(&header);
  configure.dwSize1 = sizeof header;
  EXPECT_EQ(SendDriverMessage(driver, kDvmFormat, kConfigureGet | kConfigureQuerySize,
                              reinterpret_cast<LPARAM>(&configure)), 0);
  EXPECT_EQ(size, 40u);
  EXPECT_EQ(SendDriverMessage(driver, kDvmFormat, kConfigureGet | kConfigureCurrent,
                              reinterpret_cast<LPARAM>(&configure)), 0);
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, 768);
  EXPECT_EQ(header.biHeight, 576);
  EXPECT_EQ(header.biPlanes, 1);
  EXPECT_EQ(header.biBitCount, 16);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(header.biSizeImage, 0u);
  EXPECT_EQ(SendDriverMessage(driver, kDvmFrame, 0, 0), 17);

  // Error 7 is a standard number: the driver has no text for it.
  wchar_t text[64] = {};
  VideoGetErrorTextParms error{7, reinterpret_cast<uintptr_t>(text), 64};
  EXPECT_EQ(SendDriverMessage(driver, kDvmGetErrorText, reinterpret_cast<LPARAM>(&error), 0), 22);
  EXPECT_EQ(CloseDriver(driver, 0, 0), 1);
}

// The open record and the format record lie above 4 GB on x64: DriverProc and
// the dispatcher carry lParam1 and lParam2 at full width.
TEST_F(TolvenuDriver, RecordsInHighMemoryReachTheChannel) {
  FullMachine();
  HighMemory memory(65536);
  ASSERT_NE(memory.base(), nullptr);
  if (sizeof(void *) == 8) {
    ASSERT_TRUE(memory.AboveFourGigabytes()) << memory.base();
  }
  auto *parms = memory.At<VideoOpenParms>(0);
  HDRVR driver = Open(kVideoIn, parms);
  ASSERT_NE(driver, nullptr) << parms->dwError;
  EXPECT_EQ(parms->dwError, 0u);
  auto *size = memory.At<DWORD>(256);
  auto *header = memory.At<BITMAPINFOHEADER>(512);
  auto *configure = memory.At<VideoConfigureParms>(1024);
  *configure = VideoConfigureParms{reinterpret_cast<uintptr_t>(size), reinterpret_cast<uintptr_t>(header),
                                   sizeof *header, 0, 0};
  EXPECT_EQ(SendDriverMessage(driver, kDvmFormat, kConfigureGet | kConfigureQuerySize,
                              reinterpret_cast<LPARAM>(configure)), 0);
  EXPECT_EQ(*size, 40u);
  EXPECT_EQ(SendDriverMessage(driver, kDvmFormat, kConfigureGet | kConfigureCurrent,
                              reinterpret_cast<LPARAM>(configure)), 0);
  EXPECT_EQ(header->biWidth, 768);
  EXPECT_EQ(configure->dwSize1, 40u);
  auto *caps = memory.At<ChannelCaps>(2048);
  EXPECT_EQ(SendDriverMessage(driver, kDvmGetChannelCaps, reinterpret_cast<LPARAM>(caps), sizeof *caps), 0);
  EXPECT_EQ(caps->dwFlags, 10u);
  EXPECT_EQ(CloseDriver(driver, 0, 0), 1);
}

TEST_F(TolvenuDriver, ExternalInAndVideoInShareTheDevice) {
  FullMachine();
  VideoOpenParms a, b;
  HDRVR in = Open(kVideoExternalIn, &a);
  ASSERT_NE(in, nullptr) << a.dwError;
  HDRVR video = Open(kVideoIn, &b);
  ASSERT_NE(video, nullptr) << b.dwError;
  EXPECT_EQ(SendDriverMessage(in, kDvmStreamInit, 0, 0), 0);
  EXPECT_EQ(SendDriverMessage(in, kDvmStreamFini, 0, 0), 0);
  EXPECT_EQ(SendDriverMessage(video, kDvmStreamInit, 0, 0), 17);
  EXPECT_EQ(CloseDriver(in, 0, 0), 1);
  EXPECT_EQ(CloseDriver(video, 0, 0), 1);
}

TEST_F(TolvenuDriver, WithoutTheStandInTheCardIsNotDetected) {
  ASSERT_TRUE(StartKernelDevice());
  SetStandIn(nullptr);
  VideoOpenParms parms;
  HDRVR driver = Open(kVideoExternalOut, &parms);
  EXPECT_EQ(driver, nullptr);
  EXPECT_EQ(parms.dwError, kDvErrNotDetected);
  if (driver) CloseDriver(driver, 0, 0);
}

TEST_F(TolvenuDriver, AStandInThatIsMissingMeansNoDisplayDriver) {
  ASSERT_TRUE(StartKernelDevice());
  std::wstring missing = Beside(L"no_such_card.dll");
  SetStandIn(missing.c_str());
  VideoOpenParms parms;
  HDRVR driver = Open(kVideoExternalOut, &parms);
  EXPECT_EQ(driver, nullptr);
  EXPECT_EQ(parms.dwError, kDvErrNotDetected);
  if (driver) CloseDriver(driver, 0, 0);
}

TEST_F(TolvenuDriver, AStandInWithoutTheExportMeansNoDisplayDriver) {
  ASSERT_TRUE(StartKernelDevice());
  SetStandIn(L"version.dll");  // a DLL, but without DisplayEscape
  VideoOpenParms parms;
  HDRVR driver = Open(kVideoIn, &parms);
  EXPECT_EQ(driver, nullptr);
  EXPECT_EQ(parms.dwError, kDvErrNotDetected);
  if (driver) CloseDriver(driver, 0, 0);
}

TEST_F(TolvenuDriver, WithoutTheKernelDeviceTheCardIsNotDetected) {
  FullMachine();
  StopKernelDevice();
  VideoOpenParms parms;
  HDRVR driver = Open(kVideoExternalOut, &parms);
  EXPECT_EQ(driver, nullptr);
  EXPECT_EQ(parms.dwError, kDvErrNotDetected);
  if (driver) CloseDriver(driver, 0, 0);
}

// A client built without the driver's headers opens a channel so the card is
// detected, binds GetVarnInterface by name and drives every component by
// slot through its own declarations: names, a source switch and a tune.
TEST_F(TolvenuDriver, GetVarnInterfaceServesAnIndependentClient) {
  FullMachine();
  VideoOpenParms parms{};
  HDRVR driver = Open(kVideoExternalOut, &parms);
  ASSERT_NE(driver, nullptr);
  HMODULE module = GetDriverModuleHandle(driver);
  ASSERT_NE(module, nullptr);
  using GetInterface = void *(WINAPI *)();
  auto get = reinterpret_cast<GetInterface>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, "GetVarnInterface")));
  ASSERT_NE(get, nullptr);
  const varnclient::ClientReport r = varnclient::DriveFactory(get());
  EXPECT_TRUE(r.ok) << r.failure;
  EXPECT_EQ(r.sourceNames,
            (std::vector<std::u16string>{u"Composite", u"SVideo", u"Tuner", u"Video Port"}));
  EXPECT_EQ(r.selectedSource, 0);
  EXPECT_EQ(r.standardNames, (std::vector<std::u16string>{u"PAL I"}));
  EXPECT_EQ(r.channelNames.size(), 6u);
  EXPECT_EQ(r.tunedChannel, 1);
  EXPECT_EQ(CloseDriver(driver, 0, 0), 1);
}

}  // namespace
