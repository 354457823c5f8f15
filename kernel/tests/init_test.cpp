// Driver entry, device numbering, registry values, the callback table,
// initialisation failures and unload.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "kernel/tests/driver_fixture.h"

namespace tolven::kernel {
namespace {

KString StringValue(const EmulatedKernel &k, const KString &name, ULONG *type, size_t *bytes) {
  const auto *value = k.FindValue(ParametersPath(), name);
  if (!value) return u"<none>";
  *type = value->type;
  *bytes = value->data.size();
  return KString(reinterpret_cast<const char16_t *>(value->data.data()), value->data.size() / 2);
}

uint32_t DwordValue(const EmulatedKernel &k, const KString &name) {
  const auto *value = k.FindValue(ParametersPath(), name);
  if (!value || value->type != REG_DWORD || value->data.size() != 4) return 0xDEADu;
  uint32_t v;
  std::memcpy(&v, value->data.data(), 4);
  return v;
}

KString DeviceName(int n) {
  KString out = u"\\Device\\VidCap";
  for (char c : std::to_string(n)) out.push_back(static_cast<char16_t>(c));
  return out;
}

NTSTATUS Load(EmulatedKernel &k) {
  return k.LoadDriver(DriverEntry, EmulatedKernel::ServiceKeyPath(kServiceName));
}

void ExpectNothingLeft(EmulatedKernel &k) {
  EXPECT_EQ(k.LinkCount(), 0u);
  EXPECT_EQ(k.PoolBlocks(), 0u);
  EXPECT_EQ(k.FindValue(ParametersPath(), u"DeviceName"), nullptr);
  EXPECT_EQ(DwordValue(k, u"InstallError"), 1001u);
}

TEST(DriverEntryTest, CreatesVidCap0WithLinkAndValues) {
  EmulatedKernel k;
  ASSERT_EQ(Load(k), STATUS_SUCCESS);
  PDEVICE_OBJECT device = k.Device(u"\\Device\\VidCap0");
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->DeviceType, 0x1Du);
  EXPECT_EQ(k.LinkTarget(u"\\DosDevices\\VidCap0"), u"\\Device\\VidCap0");
  ULONG type = 0;
  size_t bytes = 0;
  EXPECT_EQ(StringValue(k, u"DeviceName", &type, &bytes), u"VidCap0");
  EXPECT_EQ(type, static_cast<ULONG>(REG_SZ));
  EXPECT_EQ(bytes, 14u);  // seven characters, no terminator
  EXPECT_EQ(DwordValue(k, u"InstallError"), 0u);

  auto *ext = static_cast<PVC_DEVICE_EXTENSION>(device->DeviceExtension);
  EXPECT_EQ(ext->DeviceNumber, 0u);
  EXPECT_EQ(ext->OpenCount, 0);
  EXPECT_EQ(ext->StreamState, 0u);
  EXPECT_EQ(ext->ImageSize, 0u);
  EXPECT_EQ(ext->DeviceObject, device);
  EXPECT_EQ(ext->Dpc.DeferredRoutine, &VC_Deferred);
  EXPECT_EQ(ext->Dpc.DeferredContext, device);
  EXPECT_EQ(ToKString(ext->RegistryPath), ParametersPath());

  PDRIVER_OBJECT driver = k.Driver();
  EXPECT_EQ(driver->MajorFunction[IRP_MJ_CREATE], &VC_Dispatch);
  EXPECT_EQ(driver->MajorFunction[IRP_MJ_CLOSE], &VC_Dispatch);
  EXPECT_EQ(driver->MajorFunction[IRP_MJ_DEVICE_CONTROL], &VC_Dispatch);
  EXPECT_EQ(driver->MajorFunction[IRP_MJ_CLEANUP], nullptr);
  EXPECT_EQ(driver->DriverUnload, &VC_Cleanup);

  k.UnloadDriver();
  EXPECT_EQ(k.DeviceCount(), 0u);
  EXPECT_EQ(k.LinkCount(), 0u);
  EXPECT_EQ(k.PoolBlocks(), 0u);
  EXPECT_TRUE(k.Violations().empty());
}

TEST(DriverEntryTest, TakesTheNextNumberWhenVidCap0Exists) {
  EmulatedKernel k;
  k.OccupyDeviceName(u"\\Device\\VidCap0");
  ASSERT_EQ(Load(k), STATUS_SUCCESS);
  ASSERT_NE(k.Device(u"\\Device\\VidCap1"), nullptr);
  EXPECT_EQ(k.LinkTarget(u"\\DosDevices\\VidCap1"), u"\\Device\\VidCap1");
  ULONG type = 0;
  size_t bytes = 0;
  EXPECT_EQ(StringValue(k, u"DeviceName", &type, &bytes), u"VidCap1");
  EXPECT_EQ(DwordValue(k, u"InstallError"), 0u);
  k.UnloadDriver();
  EXPECT_EQ(k.LinkCount(), 0u);
  EXPECT_EQ(k.DeviceCount(), 1u);  // the other driver's device stays
}

TEST(DriverEntryTest, TheLastNumberIs31) {
  EmulatedKernel k;
  for (int n = 0; n < 31; ++n) k.OccupyDeviceName(DeviceName(n));
  ASSERT_EQ(Load(k), STATUS_SUCCESS);
  ASSERT_NE(k.Device(u"\\Device\\VidCap31"), nullptr);
  ULONG type = 0;
  size_t bytes = 0;
  EXPECT_EQ(StringValue(k, u"DeviceName", &type, &bytes), u"VidCap31");
  k.UnloadDriver();
}

TEST(DriverEntryTest, NoFreeNumberReports1001AndLeavesNothing) {
  EmulatedKernel k;
  for (int n = 0; n < 32; ++n) k.OccupyDeviceName(DeviceName(n));
  ASSERT_EQ(Load(k), STATUS_SUCCESS);  // stays loaded without a device
  EXPECT_EQ(k.Driver()->DeviceObject, nullptr);
  ExpectNothingLeft(k);
  // The service can still be stopped.
  EXPECT_EQ(k.Driver()->DriverUnload, &VC_Cleanup);
  k.UnloadDriver();
  EXPECT_TRUE(k.Violations().empty());
}

TEST(DriverEntryTest, LinkFailureReports1001AndRemovesTheDevice) {
  EmulatedKernel k;
  k.FailSymbolicLinks(true);
  ASSERT_EQ(Load(k), STATUS_SUCCESS);
  EXPECT_EQ(k.DeviceCount(), 0u);
  ExpectNothingLeft(k);
  k.UnloadDriver();
  EXPECT_TRUE(k.Violations().empty());
}

TEST(DriverEntryTest, PoolExhaustionReports1001AndRemovesDeviceAndLink) {
  EmulatedKernel k;
  k.FailPoolAllocation(1);  // the saved registry path
  ASSERT_EQ(Load(k), STATUS_SUCCESS);
  EXPECT_EQ(k.DeviceCount(), 0u);
  ExpectNothingLeft(k);
  k.UnloadDriver();
  EXPECT_TRUE(k.Violations().empty());
}

TEST(DriverEntryTest, CallbackTableHas22SlotsInOrderWithTheStubAnswers) {
  static_assert(sizeof(VC_CALLBACK) == VC_CALLBACK_SLOTS * sizeof(void *));
  static_assert(offsetof(VC_CALLBACK, DeviceOpen) == 0 * sizeof(void *));
  static_assert(offsetof(VC_CALLBACK, ConfigFormat) == 2 * sizeof(void *));
  static_assert(offsetof(VC_CALLBACK, ConfigDisplay) == 3 * sizeof(void *));
  static_assert(offsetof(VC_CALLBACK, ConfigSource) == 4 * sizeof(void *));
  static_assert(offsetof(VC_CALLBACK, GetKeyColour) == 10 * sizeof(void *));
  static_assert(offsetof(VC_CALLBACK, StreamInit) == 13 * sizeof(void *));
  static_assert(offsetof(VC_CALLBACK, CaptureService) == 19 * sizeof(void *));
  static_assert(offsetof(VC_CALLBACK, Cleanup) == 21 * sizeof(void *));

  EmulatedKernel k;
  ASSERT_EQ(Load(k), STATUS_SUCCESS);
  auto *ext = static_cast<PVC_DEVICE_EXTENSION>(k.Driver()->DeviceObject->DeviceExtension);
  PVC_CALLBACK_TABLE cb = VC_GetCallbackTable(ext);
  ASSERT_EQ(cb, &ext->Callback);
  void *const *slots = reinterpret_cast<void *const *>(cb);
  for (int i = 0; i < VC_CALLBACK_SLOTS; ++i) EXPECT_NE(slots[i], nullptr) << "slot " << i;
  EXPECT_EQ(cb->DeviceOpen, cb->DeviceClose);  // one body fills both
  uint32_t buffer[8] = {};
  uint8_t headerBytes[VC_HEADER_MAX_BYTES] = {};
  VC_HEADER header;
  VcHeaderInitNative(&header, headerBytes);
  EXPECT_TRUE(cb->DeviceOpen(ext));
  EXPECT_TRUE(cb->DeviceClose(ext));
  EXPECT_FALSE(cb->ConfigFormat(ext, buffer));
  EXPECT_FALSE(cb->ConfigDisplay(ext, buffer));
  EXPECT_FALSE(cb->ConfigSource(ext, buffer));
  EXPECT_EQ(cb->GetOverlayMode(ext), 0u);
  EXPECT_FALSE(cb->SetKeyPalIdx(ext, buffer));
  EXPECT_FALSE(cb->SetKeyRGB(ext, 0x123456));
  EXPECT_FALSE(cb->SetOverlayRects(ext, buffer));
  EXPECT_FALSE(cb->SetOverlayOffset(ext, buffer));
  EXPECT_EQ(cb->GetKeyColour(ext), 0u);
  EXPECT_FALSE(cb->Capture(ext, TRUE));
  EXPECT_FALSE(cb->Overlay(ext, TRUE));
  EXPECT_FALSE(cb->StreamInit(ext, 33333));
  EXPECT_FALSE(cb->StreamFini(ext));
  EXPECT_FALSE(cb->StreamStart(ext));
  EXPECT_FALSE(cb->StreamStop(ext));
  EXPECT_EQ(cb->StreamGetPosition(ext), 0u);
  EXPECT_FALSE(cb->InterruptAcknowledge(ext));
  EXPECT_EQ(cb->CaptureService(ext, nullptr, &header, 0), 0u);
  EXPECT_FALSE(cb->DrawFrame(ext, buffer));
  EXPECT_TRUE(cb->Cleanup(ext));
  k.UnloadDriver();
}

TEST(LibraryTest, NumberedNamesAppendToACountedString) {
  EmulatedKernel k;
  WCHAR storage[22];
  UNICODE_STRING s{0, sizeof storage, storage};
  ASSERT_EQ(VC_CreateNumberedName(17, (PCWSTR)u"\\Device\\", (PCWSTR)u"VidCap", &s), STATUS_SUCCESS);
  EXPECT_EQ(ToKString(&s), u"\\Device\\VidCap17");
  UNICODE_STRING t{0, sizeof storage, storage};
  ASSERT_EQ(VC_CreateNumberedName(3, nullptr, (PCWSTR)u"VidCap", &t), STATUS_SUCCESS);
  EXPECT_EQ(ToKString(&t), u"VidCap3");
  // Too long for the string: refused, not overrun.
  WCHAR small[4];
  UNICODE_STRING u{0, sizeof small, small};
  EXPECT_FALSE(NT_SUCCESS(VC_CreateNumberedName(5, nullptr, (PCWSTR)u"VidCap", &u)));
}

TEST(LibraryTest, SavedRegistryPathEndsInParameters) {
  EmulatedKernel k;
  KString path = u"\\Registry\\Machine\\X";
  UNICODE_STRING s{static_cast<USHORT>(path.size() * 2), static_cast<USHORT>(path.size() * 2),
                   reinterpret_cast<PWSTR>(path.data())};
  PWSTR saved = VC_SaveRegistryPathName(&s);
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(ToKString(saved), u"\\Registry\\Machine\\X\\Parameters");
  EXPECT_EQ(k.PoolBlocksTagged(VC_POOL_TAG), 1u);
  EXPECT_TRUE(k.KeyExists(u"\\Registry\\Machine\\X\\Parameters"));
  ExFreePoolWithTag(saved, VC_POOL_TAG);
  EXPECT_TRUE(k.Violations().empty());
}

TEST(LibraryTest, WriteProfileNeedsAnExtensionAndAPath) {
  EmulatedKernel k;
  EXPECT_FALSE(VC_WriteProfile(nullptr, (PCWSTR)u"X", 1));
  VC_DEVICE_EXTENSION ext{};
  EXPECT_FALSE(VC_WriteProfile(&ext, (PCWSTR)u"X", 1));
}

TEST(LibraryTest, PoolTagSpellsDdk) {
  const char tag[4] = {'D', 'd', 'k', ' '};
  uint32_t value;
  std::memcpy(&value, tag, 4);
  EXPECT_EQ(value, VC_POOL_TAG);
}

}  // namespace
}  // namespace tolven::kernel
