// The dispatcher: open-once, close, and every device-control code with its
// size checks below, at and above each bound, statuses and information.
#include <gtest/gtest.h>

#include "kernel/tests/driver_fixture.h"

namespace tolven::kernel {
namespace {

using Dispatch = DriverTest;

// ---- open and close ----

TEST_F(Dispatch, ASecondOpenIsBusyUntilTheFirstCloses) {
  FILE_OBJECT second{};
  EXPECT_EQ(Open(second), STATUS_DEVICE_BUSY);
  EXPECT_EQ(ext()->OpenCount, 1);
  EXPECT_EQ(Close(holder_), STATUS_SUCCESS);
  EXPECT_EQ(ext()->OpenCount, 0);
  EXPECT_EQ(Open(second), STATUS_SUCCESS);
  EXPECT_EQ(Close(second), STATUS_SUCCESS);
}

TEST_F(Dispatch, CloseOfARefusedOpenLeavesTheHolderOpen) {
  FILE_OBJECT refused{};
  ASSERT_EQ(Open(refused), STATUS_DEVICE_BUSY);
  EXPECT_EQ(Close(refused), STATUS_SUCCESS);
  EXPECT_EQ(ext()->OpenCount, 1);
  FILE_OBJECT third{};
  EXPECT_EQ(Open(third), STATUS_DEVICE_BUSY);
  // The holder still works.
  auto r = Control(IOCTL_VC_GET_OVERLAY_MODE, 0, 4);
  EXPECT_EQ(r->Status(), STATUS_SUCCESS);
}

TEST_F(Dispatch, RequestsOnARefusedFileObjectAreRefused) {
  FILE_OBJECT refused{};
  ASSERT_EQ(Open(refused), STATUS_DEVICE_BUSY);
  auto r = Control(IOCTL_VC_GET_OVERLAY_MODE, 0, 4, &refused);
  EXPECT_EQ(r->Status(), STATUS_INVALID_HANDLE);
  EXPECT_EQ(r->Information(), 0u);
  Close(refused);
}

TEST_F(Dispatch, CloseOfTheLastHandleResetsTheStreamState) {
  Control(IOCTL_VC_STREAM_INIT, Dwords({33333}), 0);
  ASSERT_EQ(ext()->StreamState, 1u);
  EXPECT_EQ(Close(holder_), STATUS_SUCCESS);
  EXPECT_EQ(ext()->StreamState, 0u);
}

BOOLEAN RecordMutexState(PVC_DEVICE_EXTENSION ext) {
  ext->FrameBufferLength = static_cast<ULONG>(ext->Mutex.OwnerCount) + 100;
  return TRUE;
}

TEST_F(Dispatch, TheOpenCallbackRunsWithTheMutexReleased) {
  Close(holder_);
  callbacks()->DeviceOpen = RecordMutexState;
  FILE_OBJECT file{};
  EXPECT_EQ(Open(file), STATUS_SUCCESS);
  EXPECT_EQ(ext()->FrameBufferLength, 100u);
  ext()->FrameBufferLength = 0;
  Close(file);
}

BOOLEAN Refuse(PVC_DEVICE_EXTENSION) { return FALSE; }

TEST_F(Dispatch, AFailedOpenCallbackAnswersInternalErrorAndFreesTheDevice) {
  Close(holder_);
  callbacks()->DeviceOpen = Refuse;
  FILE_OBJECT file{};
  EXPECT_EQ(Open(file), STATUS_DRIVER_INTERNAL_ERROR);
  EXPECT_EQ(ext()->OpenCount, 0);
  // Its close (where an I/O manager sends one) changes nothing.
  EXPECT_EQ(Close(file), STATUS_SUCCESS);
  EXPECT_EQ(ext()->OpenCount, 0);
  FILE_OBJECT again{};
  EXPECT_EQ(Open(again), STATUS_DRIVER_INTERNAL_ERROR);
}

TEST_F(Dispatch, ANullOpenSlotRefusesTheOpen) {
  Close(holder_);
  callbacks()->DeviceOpen = nullptr;
  FILE_OBJECT file{};
  EXPECT_EQ(Open(file), STATUS_INVALID_DEVICE_REQUEST);
  EXPECT_EQ(ext()->OpenCount, 0);
}

TEST_F(Dispatch, AFailedCloseCallbackKeepsTheDeviceOpen) {
  callbacks()->DeviceClose = Refuse;
  EXPECT_EQ(Close(holder_), STATUS_DRIVER_INTERNAL_ERROR);
  EXPECT_EQ(ext()->OpenCount, 1);
  FILE_OBJECT other{};
  EXPECT_EQ(Open(other), STATUS_DEVICE_BUSY);
  callbacks()->DeviceClose = nullptr;  // a null slot counts as success
  EXPECT_EQ(Close(holder_), STATUS_SUCCESS);
  EXPECT_EQ(ext()->OpenCount, 0);
}

TEST_F(Dispatch, OtherMajorFunctionsAreInvalid) {
  auto r = k_.NewRequest(IRP_MJ_READ, &holder_);
  r->stack.DeviceObject = device();
  EXPECT_EQ(VC_Dispatch(device(), &r->irp), STATUS_INVALID_DEVICE_REQUEST);
  EXPECT_EQ(r->Status(), STATUS_INVALID_DEVICE_REQUEST);
  EXPECT_TRUE(r->Completed());
}

// ---- device-control codes: sizes and statuses ----

TEST(ControlCodes, AreTypeOneDBufferedAnyAccessFunctions201To219) {
  EXPECT_EQ(IOCTL_VC_CONFIG_FORMAT, 0x1D0804u);
  EXPECT_EQ(IOCTL_VC_CONFIG_SOURCE, 0x1D0808u);
  EXPECT_EQ(IOCTL_VC_CONFIG_DISPLAY, 0x1D080Cu);
  EXPECT_EQ(IOCTL_VC_GET_OVERLAY_MODE, 0x1D0810u);
  EXPECT_EQ(IOCTL_VC_SET_KEY_PALIDX, 0x1D0814u);
  EXPECT_EQ(IOCTL_VC_SET_KEY_RGB, 0x1D0818u);
  EXPECT_EQ(IOCTL_VC_GET_KEY_COLOUR, 0x1D081Cu);
  EXPECT_EQ(IOCTL_VC_OVERLAY_RECTS, 0x1D0820u);
  EXPECT_EQ(IOCTL_VC_OVERLAY_OFFSET, 0x1D0824u);
  EXPECT_EQ(IOCTL_VC_CAPTURE_ON, 0x1D0828u);
  EXPECT_EQ(IOCTL_VC_CAPTURE_OFF, 0x1D082Cu);
  EXPECT_EQ(IOCTL_VC_OVERLAY_ON, 0x1D0830u);
  EXPECT_EQ(IOCTL_VC_OVERLAY_OFF, 0x1D0834u);
  EXPECT_EQ(IOCTL_VC_STREAM_INIT, 0x1D0838u);
  EXPECT_EQ(IOCTL_VC_STREAM_FINI, 0x1D083Cu);
  EXPECT_EQ(IOCTL_VC_STREAM_START, 0x1D0840u);
  EXPECT_EQ(IOCTL_VC_STREAM_STOP, 0x1D0844u);
  EXPECT_EQ(IOCTL_VC_STREAM_RESET, 0x1D0848u);
  EXPECT_EQ(IOCTL_VC_WAIT_ERROR, 0x1D084Cu);
  EXPECT_EQ(IOCTL_VC_ADD_BUFFER, 0x1D0850u);
  EXPECT_EQ(IOCTL_VC_GET_POSITION, 0x1D0854u);
  EXPECT_EQ(IOCTL_VC_PARTIAL_START, 0x1D0858u);
  EXPECT_EQ(IOCTL_VC_PARTIAL_COPY, 0x1D085Cu);
  EXPECT_EQ(IOCTL_VC_PARTIAL_END, 0x1D0860u);
  EXPECT_EQ(IOCTL_VC_DRAW_FRAME, 0x1D0864u);
  static_assert(sizeof(VC_RECT) == 16);
}

struct SizeCase {
  const char *name;
  ULONG code;
  ULONG in, out;
  NTSTATUS status;
  ULONG_PTR information;
};

class SizeBounds : public DriverTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(SizeBounds, AnswersAsTheTableSays) {
  const SizeCase &c = GetParam();
  // Configure requests carry their own size first: make it the input size.
  auto in = Dwords({c.in}, c.in);
  in.resize(c.in);
  auto r = Control(c.code, in, c.out);
  EXPECT_EQ(r->Status(), c.status) << std::hex << r->Status();
  EXPECT_EQ(r->Information(), c.information);
  if (c.information == 4) {
    EXPECT_EQ(r->Dword(), 0u);
  }
}

constexpr NTSTATUS kSmall = STATUS_BUFFER_TOO_SMALL;
constexpr NTSTATUS kConfig = STATUS_DEVICE_CONFIGURATION_ERROR;
constexpr NTSTATUS kInternal = STATUS_DRIVER_INTERNAL_ERROR;

INSTANTIATE_TEST_SUITE_P(
    StubDriver, SizeBounds,
    ::testing::Values(
        SizeCase{"FormatBelow", IOCTL_VC_CONFIG_FORMAT, 3, 0, kSmall, 0},
        SizeCase{"FormatAt", IOCTL_VC_CONFIG_FORMAT, 4, 0, kConfig, 0},
        SizeCase{"FormatAbove", IOCTL_VC_CONFIG_FORMAT, 64, 0, kConfig, 0},
        SizeCase{"SourceBelow", IOCTL_VC_CONFIG_SOURCE, 3, 0, kSmall, 0},
        SizeCase{"SourceAt", IOCTL_VC_CONFIG_SOURCE, 4, 0, kConfig, 0},
        SizeCase{"DisplayBelow", IOCTL_VC_CONFIG_DISPLAY, 3, 0, kSmall, 0},
        SizeCase{"DisplayAt", IOCTL_VC_CONFIG_DISPLAY, 4, 0, kConfig, 0},
        SizeCase{"OverlayModeBelow", IOCTL_VC_GET_OVERLAY_MODE, 0, 3, kSmall, 0},
        SizeCase{"OverlayModeAt", IOCTL_VC_GET_OVERLAY_MODE, 0, 4, STATUS_SUCCESS, 4},
        SizeCase{"OverlayModeAbove", IOCTL_VC_GET_OVERLAY_MODE, 0, 8, STATUS_SUCCESS, 4},
        SizeCase{"PalIdxBelow", IOCTL_VC_SET_KEY_PALIDX, 3, 0, kSmall, 0},
        SizeCase{"PalIdxAt", IOCTL_VC_SET_KEY_PALIDX, 4, 0, kConfig, 0},
        SizeCase{"PalIdxAbove", IOCTL_VC_SET_KEY_PALIDX, 5, 0, kConfig, 0},
        SizeCase{"RgbBelow", IOCTL_VC_SET_KEY_RGB, 3, 0, kSmall, 0},
        SizeCase{"RgbAt", IOCTL_VC_SET_KEY_RGB, 4, 0, kConfig, 0},
        SizeCase{"KeyColourBelow", IOCTL_VC_GET_KEY_COLOUR, 0, 3, kSmall, 0},
        SizeCase{"KeyColourAt", IOCTL_VC_GET_KEY_COLOUR, 0, 4, STATUS_SUCCESS, 4},
        SizeCase{"RectsBelow", IOCTL_VC_OVERLAY_RECTS, 19, 0, kSmall, 0},
        SizeCase{"OffsetBelow", IOCTL_VC_OVERLAY_OFFSET, 15, 0, kSmall, 0},
        SizeCase{"OffsetAt", IOCTL_VC_OVERLAY_OFFSET, 16, 0, kConfig, 0},
        SizeCase{"OffsetAbove", IOCTL_VC_OVERLAY_OFFSET, 17, 0, kConfig, 0},
        SizeCase{"CaptureOn", IOCTL_VC_CAPTURE_ON, 0, 0, kConfig, 0},
        SizeCase{"CaptureOff", IOCTL_VC_CAPTURE_OFF, 0, 0, kConfig, 0},
        SizeCase{"OverlayOn", IOCTL_VC_OVERLAY_ON, 0, 0, kConfig, 0},
        SizeCase{"OverlayOff", IOCTL_VC_OVERLAY_OFF, 0, 0, kConfig, 0},
        SizeCase{"StreamInitBelow", IOCTL_VC_STREAM_INIT, 3, 0, kSmall, 0},
        SizeCase{"StreamInitAt", IOCTL_VC_STREAM_INIT, 4, 0, kInternal, 0},
        SizeCase{"StreamStartBeforeInit", IOCTL_VC_STREAM_START, 0, 0, STATUS_INVALID_DEVICE_STATE, 0},
        SizeCase{"StreamStopBeforeInit", IOCTL_VC_STREAM_STOP, 0, 0, STATUS_INVALID_DEVICE_STATE, 0},
        SizeCase{"StreamResetBeforeInit", IOCTL_VC_STREAM_RESET, 0, 0, STATUS_INVALID_DEVICE_STATE, 0},
        SizeCase{"StreamFinishIdle", IOCTL_VC_STREAM_FINI, 0, 0, kInternal, 0},
        SizeCase{"WaitErrorBelow", IOCTL_VC_WAIT_ERROR, 0, 3, kSmall, 0},
        // From a 64-bit process, as every request here; both forms are
        // bounded in header_test.cpp.
        SizeCase{"AddBufferInBelow", IOCTL_VC_ADD_BUFFER, 71, 72, kSmall, 0},
        SizeCase{"AddBufferOutBelow", IOCTL_VC_ADD_BUFFER, 72, 71, kSmall, 0},
        SizeCase{"PositionBelow", IOCTL_VC_GET_POSITION, 0, 3, kSmall, 0},
        SizeCase{"PositionAt", IOCTL_VC_GET_POSITION, 0, 4, STATUS_SUCCESS, 4},
        SizeCase{"PartialStartNoImage", IOCTL_VC_PARTIAL_START, 0, 0, kInternal, 0},
        SizeCase{"PartialCopyNotReady", IOCTL_VC_PARTIAL_COPY, 72, 72, kInternal, 0},
        SizeCase{"PartialEnd", IOCTL_VC_PARTIAL_END, 0, 0, STATUS_SUCCESS, 0},
        SizeCase{"DrawBelow", IOCTL_VC_DRAW_FRAME, 31, 0, kSmall, 0},
        SizeCase{"DrawAt", IOCTL_VC_DRAW_FRAME, 32, 0, kInternal, 0},
        SizeCase{"DrawAbove", IOCTL_VC_DRAW_FRAME, 33, 0, kInternal, 0},
        SizeCase{"BelowTheRange", 0x1D0800, 4, 4, STATUS_INVALID_DEVICE_REQUEST, 0},
        SizeCase{"AboveTheRange", 0x1D0868, 4, 4, STATUS_INVALID_DEVICE_REQUEST, 0},
        SizeCase{"OtherMethod", 0x1D0806, 4, 4, STATUS_INVALID_DEVICE_REQUEST, 0},
        SizeCase{"OtherType", 0x220804, 4, 4, STATUS_INVALID_DEVICE_REQUEST, 0}),
    [](const ::testing::TestParamInfo<SizeCase> &info) { return std::string(info.param.name); });

TEST_F(Dispatch, ConfigureNeedsTheSizeItNames) {
  for (ULONG code : {IOCTL_VC_CONFIG_FORMAT, IOCTL_VC_CONFIG_SOURCE, IOCTL_VC_CONFIG_DISPLAY}) {
    EXPECT_EQ(Control(code, Dwords({9}, 8), 0)->Status(), kSmall);
    EXPECT_EQ(Control(code, Dwords({8}, 8), 0)->Status(), kConfig);
    EXPECT_EQ(Control(code, Dwords({0}, 8), 0)->Status(), kConfig);
    EXPECT_EQ(Control(code, Dwords({0xFFFFFFFF}, 8), 0)->Status(), kSmall);
  }
}

ULONG g_rectCount;
BOOLEAN AcceptRects(PVC_DEVICE_EXTENSION, PVOID buffer) {
  g_rectCount = *static_cast<ULONG *>(buffer);
  return TRUE;
}

TEST_F(Dispatch, OverlayRectanglesNeedRoomForEveryRectangle) {
  callbacks()->SetOverlayRects = AcceptRects;
  EXPECT_EQ(Control(IOCTL_VC_OVERLAY_RECTS, Dwords({0}, 20), 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(Control(IOCTL_VC_OVERLAY_RECTS, Dwords({1}, 20), 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(Control(IOCTL_VC_OVERLAY_RECTS, Dwords({2}, 20), 0)->Status(), kSmall);
  EXPECT_EQ(Control(IOCTL_VC_OVERLAY_RECTS, Dwords({2}, 35), 0)->Status(), kSmall);
  EXPECT_EQ(Control(IOCTL_VC_OVERLAY_RECTS, Dwords({2}, 36), 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(Control(IOCTL_VC_OVERLAY_RECTS, Dwords({3}, 52), 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(g_rectCount, 3u);
  EXPECT_EQ(Control(IOCTL_VC_OVERLAY_RECTS, Dwords({3}, 51), 0)->Status(), kSmall);
}

TEST_F(Dispatch, RectangleCountsWhoseSizeWouldWrapAreRefused) {
  callbacks()->SetOverlayRects = AcceptRects;
  g_rectCount = 0;
  // 4 + 16 * 0x10000000 wraps to 4 in 32 bits.
  for (ULONG count : {0x10000000u, 0x10000001u, 0x0FFFFFFFu, 0xFFFFFFFFu}) {
    EXPECT_EQ(Control(IOCTL_VC_OVERLAY_RECTS, Dwords({count}, 64), 0)->Status(), kSmall) << count;
  }
  EXPECT_EQ(g_rectCount, 0u);
}

BOOLEAN g_switch = 2;
BOOLEAN AcceptSwitch(PVC_DEVICE_EXTENSION, BOOLEAN on) {
  g_switch = on;
  return TRUE;
}
ULONG g_rgb;
BOOLEAN AcceptRgb(PVC_DEVICE_EXTENSION, ULONG rgb) {
  g_rgb = rgb;
  return TRUE;
}
ULONG AnswerSeven(PVC_DEVICE_EXTENSION) { return 7; }

TEST_F(Dispatch, CallbacksReceiveTheirArgumentsAndAnswers) {
  callbacks()->Capture = AcceptSwitch;
  callbacks()->Overlay = AcceptSwitch;
  callbacks()->SetKeyRGB = AcceptRgb;
  callbacks()->GetKeyColour = AnswerSeven;
  EXPECT_EQ(Control(IOCTL_VC_CAPTURE_ON, 0, 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(g_switch, TRUE);
  EXPECT_EQ(Control(IOCTL_VC_OVERLAY_OFF, 0, 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(g_switch, FALSE);
  EXPECT_EQ(Control(IOCTL_VC_SET_KEY_RGB, Dwords({0x00FF00FF}), 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(g_rgb, 0x00FF00FFu);
  auto r = Control(IOCTL_VC_GET_KEY_COLOUR, 0, 4);
  EXPECT_EQ(r->Information(), 4u);
  EXPECT_EQ(r->Dword(), 7u);
}

TEST_F(Dispatch, ANullSlotMakesItsRequestInvalid) {
  callbacks()->GetOverlayMode = nullptr;
  callbacks()->ConfigFormat = nullptr;
  callbacks()->StreamInit = nullptr;
  EXPECT_EQ(Control(IOCTL_VC_GET_OVERLAY_MODE, 0, 4)->Status(), STATUS_INVALID_DEVICE_REQUEST);
  EXPECT_EQ(Control(IOCTL_VC_CONFIG_FORMAT, Dwords({4}), 0)->Status(), STATUS_INVALID_DEVICE_REQUEST);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_INIT, Dwords({4}), 0)->Status(), STATUS_INVALID_DEVICE_REQUEST);
  EXPECT_EQ(ext()->StreamState, 0u);
}

// ---- the stream state machine ----

TEST_F(Dispatch, StreamInitMovesToStoppedEvenWhenTheCardRefuses) {
  ext()->SkipCount = 5;
  EXPECT_EQ(Control(IOCTL_VC_STREAM_INIT, Dwords({33333}), 0)->Status(), kInternal);
  EXPECT_EQ(ext()->StreamState, 1u);
  EXPECT_EQ(ext()->SkipCount, 0u);
  // The stub card never starts.
  EXPECT_EQ(Control(IOCTL_VC_STREAM_START, 0, 0)->Status(), kInternal);
  EXPECT_EQ(ext()->StreamState, 1u);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_STOP, 0, 0)->Status(), kInternal);
  EXPECT_EQ(ext()->StreamState, 1u);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_RESET, 0, 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_FINI, 0, 0)->Status(), kInternal);
  EXPECT_EQ(ext()->StreamState, 0u);
}

BOOLEAN Accept(PVC_DEVICE_EXTENSION) { return TRUE; }
BOOLEAN AcceptDword(PVC_DEVICE_EXTENSION, ULONG) { return TRUE; }

TEST_F(Dispatch, StreamTransitionsWithAWorkingCard) {
  callbacks()->StreamInit = AcceptDword;
  callbacks()->StreamStart = Accept;
  callbacks()->StreamStop = Accept;
  callbacks()->StreamFini = Accept;
  EXPECT_EQ(Control(IOCTL_VC_STREAM_INIT, Dwords({1}), 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_START, 0, 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(ext()->StreamState, 2u);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_START, 0, 0)->Status(), STATUS_INVALID_DEVICE_STATE);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_FINI, 0, 0)->Status(), STATUS_DEVICE_BUSY);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_STOP, 0, 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(ext()->StreamState, 1u);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_START, 0, 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_RESET, 0, 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(ext()->StreamState, 1u);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_FINI, 0, 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(ext()->StreamState, 0u);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_STOP, 0, 0)->Status(), STATUS_INVALID_DEVICE_STATE);
}

// ---- stream buffers and partial frames, with either header form ----

using StreamBuffer = FormTest;

TEST_P(StreamBuffer, AddBufferLocksTheDataAndStaysPending) {
  auto r = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64), HeaderSize());
  EXPECT_EQ(r->returned, STATUS_PENDING);
  EXPECT_FALSE(r->Completed());
  ASSERT_NE(r->irp.MdlAddress, nullptr);
  EXPECT_EQ(r->irp.MdlAddress->CallerAddress, kCallerBase);
  EXPECT_EQ(r->irp.MdlAddress->ByteCount, 64u);
  EXPECT_TRUE(r->irp.MdlAddress->Locked);
  EXPECT_EQ(r->irp.CancelRoutine, &VC_Cancel);
  Close(holder_);
  EXPECT_EQ(r->Status(), STATUS_CANCELLED);
  EXPECT_EQ(k_.MdlCount(), 0u);
}

TEST_P(StreamBuffer, AddBufferNeedsAWholeHeaderBothWays) {
  const ULONG size = HeaderSize();
  auto shortIn = Header(kCallerBase, 64);
  shortIn.resize(size - 1);
  EXPECT_EQ(Control(IOCTL_VC_ADD_BUFFER, shortIn, size)->Status(), kSmall);
  EXPECT_EQ(Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64), size - 1)->Status(), kSmall);
  auto at = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64), size);
  EXPECT_EQ(at->returned, STATUS_PENDING);
  auto longer = Header(kCallerBase + 64, 64);
  longer.resize(size + 8, 0);
  auto above = Control(IOCTL_VC_ADD_BUFFER, longer, size + 8);
  EXPECT_EQ(above->returned, STATUS_PENDING);
  Close(holder_);
  EXPECT_EQ(at->Status(), STATUS_CANCELLED);
  EXPECT_EQ(above->Status(), STATUS_CANCELLED);
}

TEST_P(StreamBuffer, AddBufferChecksTheHeaderAgainstTheImageSize) {
  ext()->ImageSize = 100;
  EXPECT_EQ(Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 99), HeaderSize())->Status(), kSmall);
  auto r = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 100), HeaderSize());
  EXPECT_EQ(r->returned, STATUS_PENDING);
  EXPECT_EQ(r->irp.MdlAddress->ByteCount, 100u);
  Close(holder_);
}

TEST_P(StreamBuffer, AddBufferOverUnmappedMemoryIsAnAccessViolation) {
  auto r = Control(IOCTL_VC_ADD_BUFFER, Header(0x7FFF0000, 64), HeaderSize());
  EXPECT_EQ(r->Status(), STATUS_ACCESS_VIOLATION);
  // Running past the end of a mapped range faults too.
  r = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase + 4000, 200), HeaderSize());
  EXPECT_EQ(r->Status(), STATUS_ACCESS_VIOLATION);
  EXPECT_EQ(k_.MdlCount(), 0u);
}

TEST_P(StreamBuffer, AddBufferWithoutADescriptorIsOutOfMemory) {
  k_.FailMdlAllocation(1);
  EXPECT_EQ(Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64), HeaderSize())->Status(),
            STATUS_NO_MEMORY);
}

TOLVEN_BOTH_HEADER_FORMS(StreamBuffer);

TEST_F(Dispatch, StartPartialFrameAllocatesTheTaggedBufferOnce) {
  ext()->ImageSize = 32;
  auto first = Control(IOCTL_VC_PARTIAL_START, 0, 0);
  EXPECT_EQ(first->returned, STATUS_PENDING);
  ASSERT_NE(ext()->PartialBuffer, nullptr);
  EXPECT_EQ(k_.PoolBlocksTagged(VC_POOL_TAG), 2u);  // with the registry path
  auto second = Control(IOCTL_VC_PARTIAL_START, 0, 0);
  EXPECT_EQ(second->returned, STATUS_PENDING);
  EXPECT_EQ(k_.PoolBlocksTagged(VC_POOL_TAG), 2u);
  ext()->PartialReady = 1;
  EXPECT_EQ(Control(IOCTL_VC_PARTIAL_START, 0, 0)->Status(), kInternal);
  Close(holder_);
  EXPECT_EQ(first->Status(), STATUS_CANCELLED);
  EXPECT_EQ(second->Status(), STATUS_CANCELLED);
  EXPECT_EQ(ext()->PartialBuffer, nullptr);
  EXPECT_EQ(ext()->PartialReady, 0u);
}

TEST_F(Dispatch, StartPartialFrameWithoutPoolIsOutOfMemory) {
  ext()->ImageSize = 32;
  k_.FailPoolAllocation(1);
  EXPECT_EQ(Control(IOCTL_VC_PARTIAL_START, 0, 0)->Status(), STATUS_NO_MEMORY);
  EXPECT_EQ(ext()->PartialBuffer, nullptr);
}

class PartialCopy : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ext()->ImageSize = 16;
    ext()->PartialBuffer = static_cast<PUCHAR>(ExAllocatePoolWithTag(NonPagedPool, 16, VC_POOL_TAG));
    for (int i = 0; i < 16; ++i) ext()->PartialBuffer[i] = static_cast<UCHAR>(0xA0 + i);
    ext()->PartialReady = 1;
    ext()->CaptureTime = 1234;
  }
};

TEST_P(PartialCopy, CopiesTheRequestedSliceAndFillsTheHeader) {
  auto in = Header(kCallerBase, 16, 4, 8);
  auto r = Control(IOCTL_VC_PARTIAL_COPY, in, HeaderSize());
  ASSERT_EQ(r->Status(), STATUS_SUCCESS);
  EXPECT_EQ(r->Information(), HeaderSize());
  EXPECT_EQ(r->Dword(BytesUsedAt()), 16u);       // bytes used := image size
  EXPECT_EQ(r->Dword(TimeCapturedAt()), 1234u);  // time captured
  // Nothing else of the header changes.
  for (size_t i = 0; i < in.size(); ++i) {
    if (i >= BytesUsedAt() && i < BytesUsedAt() + 4) continue;
    if (i >= TimeCapturedAt() && i < TimeCapturedAt() + 4) continue;
    EXPECT_EQ(r->Buffer()[i], in[i]) << i;
  }
  for (int i = 0; i < 4; ++i) EXPECT_EQ(callerMemory_[i], 0xEE) << i;
  for (int i = 4; i < 12; ++i) EXPECT_EQ(callerMemory_[i], 0xA0 + i) << i;
  for (int i = 12; i < 20; ++i) EXPECT_EQ(callerMemory_[i], 0xEE) << i;
}

TEST_P(PartialCopy, ALengthPastTheFrameIsCutAtTheFrame) {
  auto r = Control(IOCTL_VC_PARTIAL_COPY, Header(kCallerBase, 16, 10, 0xFFFFFFFF), HeaderSize());
  ASSERT_EQ(r->Status(), STATUS_SUCCESS);
  for (int i = 10; i < 16; ++i) EXPECT_EQ(callerMemory_[i], 0xA0 + i);
  EXPECT_EQ(callerMemory_[16], 0xEE);
}

TEST_P(PartialCopy, OffsetAtTheFrameEndCopiesNothing) {
  auto r = Control(IOCTL_VC_PARTIAL_COPY, Header(kCallerBase, 16, 16, 8), HeaderSize());
  EXPECT_EQ(r->Status(), STATUS_SUCCESS);
  EXPECT_EQ(callerMemory_[16], 0xEE);
}

TEST_P(PartialCopy, OffsetBeyondTheFrameIsRefused) {
  for (ULONG offset : {17u, 0x80000000u, 0xFFFFFFFFu}) {
    auto r = Control(IOCTL_VC_PARTIAL_COPY, Header(kCallerBase, 16, offset, 8), HeaderSize());
    EXPECT_EQ(r->Status(), kSmall) << offset;
    EXPECT_EQ(r->Information(), 0u);
  }
  for (uint8_t byte : callerMemory_) ASSERT_EQ(byte, 0xEE);
}

TEST_P(PartialCopy, SizesAndHeaderAreChecked) {
  const ULONG size = HeaderSize();
  EXPECT_EQ(Control(IOCTL_VC_PARTIAL_COPY, Header(kCallerBase, 16, 0, 4), size - 1)->Status(), kSmall);
  auto in = Header(kCallerBase, 16, 0, 4);
  in.resize(size - 1);
  EXPECT_EQ(Control(IOCTL_VC_PARTIAL_COPY, in, size)->Status(), kSmall);
  EXPECT_EQ(Control(IOCTL_VC_PARTIAL_COPY, Header(kCallerBase, 15, 0, 4), size)->Status(), kSmall);
  EXPECT_EQ(Control(IOCTL_VC_PARTIAL_COPY, Header(kCallerBase, 16, 0, 4), size)->Status(), STATUS_SUCCESS);
  for (uint8_t byte : std::vector<uint8_t>(callerMemory_.begin(), callerMemory_.begin() + 4))
    EXPECT_NE(byte, 0xEE);
}

TEST_P(PartialCopy, UnmappedDataIsAnAccessViolation) {
  auto r = Control(IOCTL_VC_PARTIAL_COPY, Header(0x10, 16, 0, 16), HeaderSize());
  EXPECT_EQ(r->Status(), STATUS_ACCESS_VIOLATION);
  EXPECT_EQ(r->Information(), 0u);
}

TEST_P(PartialCopy, EndPartialFrameClearsReady) {
  EXPECT_EQ(Control(IOCTL_VC_PARTIAL_END, 0, 0)->Status(), STATUS_SUCCESS);
  EXPECT_EQ(ext()->PartialReady, 0u);
  EXPECT_EQ(Control(IOCTL_VC_PARTIAL_COPY, Header(kCallerBase, 16, 0, 4), HeaderSize())->Status(),
            kInternal);
}

TOLVEN_BOTH_HEADER_FORMS(PartialCopy);

}  // namespace
}  // namespace tolven::kernel
