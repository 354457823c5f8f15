// Drives the dispatcher with random sequences of opens, closes, device-
// control requests (any code, any sizes, any buffer contents, from a 32-bit
// or a 64-bit process), cancels, deferred calls and skips, then unloads. Any request left uncompleted,
// memory or descriptor left behind, or I/O rule broken is a crash.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "kernel/emulated/emulated_kernel.h"
#include "kernel/vc/vclib.h"

using namespace tolven::kernel;

namespace {

constexpr ULONG kCallerBase = 0x00400000;
constexpr ULONG kCallerSize = 4096;

const ULONG kCodes[] = {
    IOCTL_VC_CONFIG_FORMAT, IOCTL_VC_CONFIG_SOURCE, IOCTL_VC_CONFIG_DISPLAY,
    IOCTL_VC_GET_OVERLAY_MODE, IOCTL_VC_SET_KEY_PALIDX, IOCTL_VC_SET_KEY_RGB,
    IOCTL_VC_GET_KEY_COLOUR, IOCTL_VC_OVERLAY_RECTS, IOCTL_VC_OVERLAY_OFFSET,
    IOCTL_VC_CAPTURE_ON, IOCTL_VC_CAPTURE_OFF, IOCTL_VC_OVERLAY_ON, IOCTL_VC_OVERLAY_OFF,
    IOCTL_VC_STREAM_INIT, IOCTL_VC_STREAM_FINI, IOCTL_VC_STREAM_START, IOCTL_VC_STREAM_STOP,
    IOCTL_VC_STREAM_RESET, IOCTL_VC_WAIT_ERROR, IOCTL_VC_ADD_BUFFER, IOCTL_VC_GET_POSITION,
    IOCTL_VC_PARTIAL_START, IOCTL_VC_PARTIAL_COPY, IOCTL_VC_PARTIAL_END, IOCTL_VC_DRAW_FRAME,
};
constexpr size_t kCodeCount = sizeof kCodes / sizeof kCodes[0];

struct Input {
  const uint8_t *data;
  size_t size;
  size_t pos = 0;
  bool More() const { return pos < size; }
  uint8_t Byte() { return pos < size ? data[pos++] : 0; }
  uint32_t Dword() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(Byte()) << (8 * i);
    return v;
  }
};

// A card that accepts everything and delivers frames, so the paths behind
// the stub card's refusals are reached too.
BOOLEAN Yes(PVC_DEVICE_EXTENSION) { return TRUE; }
BOOLEAN YesBuffer(PVC_DEVICE_EXTENSION, PVOID) { return TRUE; }
BOOLEAN YesDword(PVC_DEVICE_EXTENSION, ULONG) { return TRUE; }
BOOLEAN YesSwitch(PVC_DEVICE_EXTENSION, BOOLEAN) { return TRUE; }
ULONG Frame(PVC_DEVICE_EXTENSION ext, PUCHAR buffer, PVC_HEADER header, ULONG length) {
  if (!buffer) return 0;
  std::memset(buffer, 0x11, length);
  if (header) VcHeaderSetTimeCaptured(header, 1);
  return length ? length : ext->ImageSize;
}

void Fail(const char *what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Input in{data, size};
  std::vector<uint8_t> caller(kCallerSize, 0);
  std::vector<std::unique_ptr<EmulatedRequest>> requests;
  FILE_OBJECT files[3] = {};
  {
    EmulatedKernel k;
    if (k.LoadDriver(DriverEntry, EmulatedKernel::ServiceKeyPath(u"tolvenk")) != STATUS_SUCCESS)
      Fail("driver entry failed");
    PDEVICE_OBJECT device = k.Driver()->DeviceObject;
    auto *ext = static_cast<PVC_DEVICE_EXTENSION>(device->DeviceExtension);
    k.MapCallerMemory(kCallerBase, caller.data(), kCallerSize);

    uint8_t setup = in.Byte();
    if (setup & 1) {
      PVC_CALLBACK_TABLE cb = VC_GetCallbackTable(ext);
      cb->ConfigFormat = cb->ConfigDisplay = cb->ConfigSource = YesBuffer;
      cb->SetKeyPalIdx = cb->SetOverlayRects = cb->SetOverlayOffset = cb->DrawFrame = YesBuffer;
      cb->SetKeyRGB = cb->StreamInit = YesDword;
      cb->Capture = cb->Overlay = YesSwitch;
      cb->StreamFini = cb->StreamStart = cb->StreamStop = Yes;
      cb->CaptureService = Frame;
    }
    ext->ImageSize = (setup >> 1) * 8u;

    int steps = 0;
    while (in.More() && ++steps < 256) {
      uint8_t op = in.Byte();
      FILE_OBJECT *file = &files[(op >> 3) % 3];
      switch (op & 7) {
        case 0: {
          auto r = k.NewRequest(IRP_MJ_CREATE, file);
          k.Send(device, *r);
          requests.push_back(std::move(r));
          break;
        }
        case 1: {
          auto r = k.NewRequest(IRP_MJ_CLOSE, file);
          k.Send(device, *r);
          requests.push_back(std::move(r));
          break;
        }
        case 2:
        case 3: {
          uint8_t pick = in.Byte();
          ULONG code = pick < kCodeCount ? kCodes[pick] : (pick < 250 ? kCodes[pick % kCodeCount] : in.Dword());
          ULONG inSize = in.Byte(), outSize = in.Byte();
          std::vector<uint8_t> buffer(inSize);
          for (auto &b : buffer) b = in.Byte();
          // The top bit of the operation: the request comes from a 32-bit
          // process, whose stream-buffer header has the 32-bit form.
          bool caller32 = (op & 0x80) != 0;
          // Often point a header's data into the mapped caller memory, as a
          // dword or as a 64-bit pointer by the form.
          if ((op & 7) == 3 && inSize >= 4) {
            uint64_t address = kCallerBase + (buffer[0] | (buffer[1] << 8)) % kCallerSize;
            std::memcpy(buffer.data(), &address, !caller32 && inSize >= 8 ? 8 : 4);
          }
          auto r = k.NewControl(file, code, buffer.data(), inSize, outSize);
          r->caller32 = caller32;
          k.Send(device, *r);
          requests.push_back(std::move(r));
          break;
        }
        case 4:
          if (!requests.empty()) k.Cancel(*requests[in.Byte() % requests.size()]);
          break;
        case 5:
          k.RunDpc(&ext->Dpc);
          break;
        case 6:
          VC_ReportSkip(ext);
          break;
        case 7:
          // Only while nothing depends on the old size: the partial buffer
          // is allocated for it.
          if (!ext->PartialBuffer) ext->ImageSize = in.Byte() * 4u;
          break;
      }
      if (k.CancelLockHeld()) Fail("cancel spin lock left held");
      if (ext->Mutex.OwnerCount != 0) Fail("device mutex left held");
    }

    // Close every file object (refused ones too, as some I/O managers do),
    // then unload.
    for (auto &file : files) {
      auto r = k.NewRequest(IRP_MJ_CLOSE, &file);
      k.Send(device, *r);
      requests.push_back(std::move(r));
    }
    k.UnloadDriver();
    for (const auto &r : requests)
      if (!r->Completed()) Fail("request never completed");
    if (!k.Violations().empty()) Fail(k.Violations().front().c_str());
    if (k.PoolBlocks() || k.MdlCount() || k.DeviceCount() || k.LinkCount()) Fail("left behind at unload");
  }
  return 0;
}
