// The buffer and wait-error queues: completion by close, reset, cancel and
// unload; skip reporting; the deferred routine filling buffers.
#include <gtest/gtest.h>

#include "kernel/tests/driver_fixture.h"

namespace tolven::kernel {
namespace {

using Queues = DriverTest;

TEST_F(Queues, CloseCancelsBuffersAndWaiters) {
  auto b1 = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64), HeaderSize());
  auto b2 = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase + 64, 64), HeaderSize());
  auto w = Control(IOCTL_VC_WAIT_ERROR, 0, 4);
  ASSERT_EQ(b1->returned, STATUS_PENDING);
  ASSERT_EQ(b2->returned, STATUS_PENDING);
  ASSERT_EQ(w->returned, STATUS_PENDING);
  EXPECT_EQ(Close(holder_), STATUS_SUCCESS);
  for (auto *r : {b1.get(), b2.get(), w.get()}) {
    EXPECT_TRUE(r->Completed());
    EXPECT_EQ(r->Status(), STATUS_CANCELLED);
    EXPECT_EQ(r->Information(), 0u);
    EXPECT_EQ(r->irp.CancelRoutine, nullptr);
  }
  EXPECT_TRUE(IsListEmpty(&ext()->BufferQueue));
  EXPECT_TRUE(IsListEmpty(&ext()->WaitErrorQueue));
}

TEST_F(Queues, UnloadCancelsWhatIsStillQueued) {
  auto b = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64), HeaderSize());
  auto w = Control(IOCTL_VC_WAIT_ERROR, 0, 4);
  k_.UnloadDriver();
  device_ = nullptr;
  EXPECT_EQ(b->Status(), STATUS_CANCELLED);
  EXPECT_EQ(w->Status(), STATUS_CANCELLED);
}

TEST_F(Queues, CancellingABufferRemovesItFromTheQueue) {
  auto b1 = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64), HeaderSize());
  auto b2 = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase + 64, 64), HeaderSize());
  EXPECT_TRUE(k_.Cancel(*b1));
  EXPECT_EQ(b1->Status(), STATUS_CANCELLED);
  EXPECT_EQ(b1->Information(), 0u);
  EXPECT_FALSE(b2->Completed());
  EXPECT_EQ(VC_ExtractNextIrp(&ext()->BufferQueue, FALSE), &b2->irp);
  EXPECT_TRUE(IsListEmpty(&ext()->BufferQueue));
  b2->irp.IoStatus.Status = STATUS_SUCCESS;
  IoCompleteRequest(&b2->irp, IO_NO_INCREMENT);
  // With both queues empty, finishing the stream is no longer busy.
  Control(IOCTL_VC_STREAM_INIT, Dwords({1}), 0);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_FINI, 0, 0)->Status(), STATUS_DRIVER_INTERNAL_ERROR);
}

TEST_F(Queues, CancellingAWaiterCompletesIt) {
  auto w = Control(IOCTL_VC_WAIT_ERROR, 0, 4);
  EXPECT_TRUE(k_.Cancel(*w));
  EXPECT_EQ(w->Status(), STATUS_CANCELLED);
  EXPECT_TRUE(IsListEmpty(&ext()->WaitErrorQueue));
  // Cancelling twice finds no cancel routine.
  EXPECT_FALSE(k_.Cancel(*w));
}

TEST_F(Queues, ARequestCancelledBeforeQueueingIsCompletedCancelled) {
  auto r = k_.NewControl(&holder_, IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64).data(), HeaderSize(),
                         HeaderSize());
  r->irp.Cancel = TRUE;
  EXPECT_EQ(k_.Send(device(), *r), STATUS_CANCELLED);
  EXPECT_TRUE(r->Completed());
  EXPECT_EQ(k_.MdlCount(), 0u);
  auto w = k_.NewControl(&holder_, IOCTL_VC_WAIT_ERROR, nullptr, 0, 4);
  w->irp.Cancel = TRUE;
  EXPECT_EQ(k_.Send(device(), *w), STATUS_CANCELLED);
}

TEST_F(Queues, StreamFinishIsBusyWhileAnythingIsQueued) {
  Control(IOCTL_VC_STREAM_INIT, Dwords({1}), 0);
  auto w = Control(IOCTL_VC_WAIT_ERROR, 0, 4);
  EXPECT_EQ(Control(IOCTL_VC_STREAM_FINI, 0, 0)->Status(), STATUS_DEVICE_BUSY);
  EXPECT_EQ(ext()->StreamState, 1u);
  k_.Cancel(*w);
}

TEST_F(Queues, ResetCompletesBuffersWithSuccessAndWaitersWithTheSkipCount) {
  Control(IOCTL_VC_STREAM_INIT, Dwords({1}), 0);
  auto b = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64), HeaderSize());
  auto w1 = Control(IOCTL_VC_WAIT_ERROR, 0, 4);
  auto w2 = Control(IOCTL_VC_WAIT_ERROR, 0, 8);
  ext()->SkipCount = 3;  // skips counted by the card part without a report
  auto reset = Control(IOCTL_VC_STREAM_RESET, 0, 0);
  EXPECT_EQ(reset->Status(), STATUS_SUCCESS);
  EXPECT_EQ(b->Status(), STATUS_SUCCESS);
  EXPECT_EQ(b->Information(), 0u);
  for (auto *w : {w1.get(), w2.get()}) {
    EXPECT_EQ(w->Status(), STATUS_SUCCESS);
    EXPECT_EQ(w->Information(), 4u);
    EXPECT_EQ(w->Dword(), 3u);
  }
  EXPECT_EQ(ext()->SkipCount, 0u);
  EXPECT_EQ(k_.MdlCount(), 0u);
}

TEST_F(Queues, ASkipCompletesTheFirstWaiterWithTheCount) {
  auto w1 = Control(IOCTL_VC_WAIT_ERROR, 0, 4);
  auto w2 = Control(IOCTL_VC_WAIT_ERROR, 0, 4);
  VC_ReportSkip(ext());
  EXPECT_EQ(w1->Status(), STATUS_SUCCESS);
  EXPECT_EQ(w1->Information(), 4u);
  EXPECT_EQ(w1->Dword(), 1u);
  EXPECT_FALSE(w2->Completed());
  EXPECT_EQ(ext()->SkipCount, 0u);
  k_.Cancel(*w2);
}

TEST_F(Queues, SkipsWithoutAWaiterAccumulateAndAnswerTheNextWaitAtOnce) {
  VC_ReportSkip(ext());
  VC_ReportSkip(ext());
  EXPECT_EQ(ext()->SkipCount, 2u);
  auto w = Control(IOCTL_VC_WAIT_ERROR, 0, 4);
  EXPECT_EQ(w->returned, STATUS_SUCCESS);
  EXPECT_EQ(w->Information(), 4u);
  EXPECT_EQ(w->Dword(), 2u);
  EXPECT_EQ(ext()->SkipCount, 0u);
  auto next = Control(IOCTL_VC_WAIT_ERROR, 0, 4);
  EXPECT_EQ(next->returned, STATUS_PENDING);
  k_.Cancel(*next);
}

TEST_F(Queues, ReplaceRequestPutsARequestBackAtTheHead) {
  auto b1 = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64), HeaderSize());
  auto b2 = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase + 64, 64), HeaderSize());
  PIRP head = VC_ExtractNextIrp(&ext()->BufferQueue, FALSE);
  ASSERT_EQ(head, &b1->irp);
  EXPECT_EQ(head->CancelRoutine, nullptr);
  EXPECT_TRUE(VC_ReplaceRequest(head, &ext()->BufferQueue, VC_Cancel));
  EXPECT_EQ(VC_ExtractNextIrp(&ext()->BufferQueue, FALSE), &b1->irp);
  // A request cancelled while out of the queue is not put back.
  k_.Cancel(*b1);
  EXPECT_FALSE(b1->Completed());
  EXPECT_FALSE(VC_ReplaceRequest(&b1->irp, &ext()->BufferQueue, VC_Cancel));
  b1->irp.IoStatus.Status = STATUS_CANCELLED;
  IoCompleteRequest(&b1->irp, IO_NO_INCREMENT);
  Close(holder_);
  EXPECT_EQ(b2->Status(), STATUS_CANCELLED);
}

// ---- the deferred routine ----

struct CaptureLog {
  int calls = 0;
  PUCHAR buffer = nullptr;
  ULONG length = 0;
  ULONG answer = 0;
  ULONG headerSize = 0;    // the form of the header the card was given
  ULONG headerLength = 0;  // its buffer length
  EmulatedRequest *cancelDuring = nullptr;
} g_capture;

ULONG Capture(PVC_DEVICE_EXTENSION, PUCHAR buffer, PVC_HEADER header, ULONG length) {
  ++g_capture.calls;
  g_capture.buffer = buffer;
  g_capture.length = length;
  g_capture.headerSize = header ? VcHeaderSize(header) : 0;
  g_capture.headerLength = header ? VcHeaderBufferLength(header) : 0;
  if (buffer && length) buffer[0] = 0x5A;
  if (header) VcHeaderSetTimeCaptured(header, 777);
  if (g_capture.cancelDuring) EmulatedKernel::Current().Cancel(*g_capture.cancelDuring);
  return g_capture.answer;
}

class Deferred : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    g_capture = CaptureLog{};
    callbacks()->CaptureService = Capture;
  }
};

TEST_P(Deferred, FillsTheHeadBufferAndCompletesIt) {
  g_capture.answer = 48;
  auto b = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase + 8, 64), HeaderSize());
  ext()->DpcPending = 1;
  k_.RunDpc(&ext()->Dpc);
  EXPECT_EQ(ext()->DpcPending, 0u);
  EXPECT_EQ(g_capture.buffer, callerMemory_.data() + 8);
  EXPECT_EQ(g_capture.length, 64u);
  EXPECT_EQ(g_capture.headerSize, HeaderSize());
  EXPECT_EQ(g_capture.headerLength, 64u);
  EXPECT_EQ(callerMemory_[8], 0x5A);
  EXPECT_EQ(b->Status(), STATUS_SUCCESS);
  EXPECT_EQ(b->Information(), HeaderSize());
  EXPECT_EQ(b->Dword(BytesUsedAt()), 48u);      // bytes used
  EXPECT_EQ(b->Dword(TimeCapturedAt()), 777u);  // the card's timestamp
}

TEST_P(Deferred, BuffersOfBothFormsQueueTogether) {
  // A 32-bit and a 64-bit client in turn (one handle, as the I/O manager
  // allows through duplication): each is completed in its own form.
  g_capture.answer = 20;
  caller32_ = !GetParam().caller32;
  auto other = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 32), HeaderSize());
  const ULONG otherSize = HeaderSize();
  const size_t otherUsedAt = BytesUsedAt();
  caller32_ = GetParam().caller32;
  auto mine = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase + 32, 32), HeaderSize());
  ASSERT_EQ(other->returned, STATUS_PENDING);
  ASSERT_EQ(mine->returned, STATUS_PENDING);
  // The form decided at dispatch holds, whatever the request says later.
  other->caller32 = mine->caller32 = !other->caller32;
  k_.RunDpc(&ext()->Dpc);
  k_.RunDpc(&ext()->Dpc);
  EXPECT_EQ(other->Information(), otherSize);
  EXPECT_EQ(other->Dword(otherUsedAt), 20u);
  EXPECT_EQ(mine->Information(), HeaderSize());
  EXPECT_EQ(mine->Dword(BytesUsedAt()), 20u);
  EXPECT_NE(otherSize, HeaderSize());
}

TEST_P(Deferred, ABufferNotFilledKeepsItsHeader) {
  g_capture.answer = 0;
  auto in = Header(kCallerBase, 64);
  auto b = Control(IOCTL_VC_ADD_BUFFER, in, HeaderSize());
  k_.RunDpc(&ext()->Dpc);
  EXPECT_FALSE(b->Completed());
  EXPECT_EQ(b->Dword(BytesUsedAt()), 0u);
  Close(holder_);
  EXPECT_EQ(b->Status(), STATUS_CANCELLED);
  EXPECT_EQ(b->Information(), 0u);
}

TOLVEN_BOTH_HEADER_FORMS(Deferred);

using DeferredAny = Deferred;

TEST_P(DeferredAny, NoFrameYetPutsTheBufferBack) {
  g_capture.answer = 0;
  auto b = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64), HeaderSize());
  k_.RunDpc(&ext()->Dpc);
  EXPECT_FALSE(b->Completed());
  EXPECT_EQ(b->irp.CancelRoutine, &VC_Cancel);
  EXPECT_FALSE(IsListEmpty(&ext()->BufferQueue));
  Close(holder_);
  EXPECT_EQ(b->Status(), STATUS_CANCELLED);
}

TEST_P(DeferredAny, ABufferCancelledDuringCaptureIsCompletedCancelled) {
  g_capture.answer = 0;
  auto b = Control(IOCTL_VC_ADD_BUFFER, Header(kCallerBase, 64), HeaderSize());
  g_capture.cancelDuring = b.get();
  k_.RunDpc(&ext()->Dpc);
  EXPECT_EQ(b->Status(), STATUS_CANCELLED);
  EXPECT_TRUE(IsListEmpty(&ext()->BufferQueue));
}

TEST_P(DeferredAny, WithoutABufferTheFrameIsSkippedAndReported) {
  auto w = Control(IOCTL_VC_WAIT_ERROR, 0, 4);
  k_.RunDpc(&ext()->Dpc);
  EXPECT_EQ(g_capture.calls, 1);
  EXPECT_EQ(g_capture.buffer, nullptr);
  EXPECT_EQ(w->Status(), STATUS_SUCCESS);
  EXPECT_EQ(w->Dword(), 1u);
}

TEST_P(DeferredAny, WithoutACaptureServiceNothingHappens) {
  callbacks()->CaptureService = nullptr;
  ext()->DpcPending = 1;
  k_.RunDpc(&ext()->Dpc);
  EXPECT_EQ(ext()->DpcPending, 0u);
  EXPECT_EQ(ext()->SkipCount, 0u);
}

TEST_P(DeferredAny, FillsThePartialFrameAndThenSkipsUntilItIsTaken) {
  ext()->ImageSize = 16;
  g_capture.answer = 16;
  auto start = Control(IOCTL_VC_PARTIAL_START, 0, 0);
  ASSERT_EQ(start->returned, STATUS_PENDING);
  k_.RunDpc(&ext()->Dpc);
  EXPECT_EQ(start->Status(), STATUS_SUCCESS);
  EXPECT_EQ(g_capture.buffer, ext()->PartialBuffer);
  // The card stamps a header of the driver's own width.
  EXPECT_EQ(g_capture.headerSize, sizeof(void *) == 8 ? 72u : 40u);
  EXPECT_EQ(g_capture.headerLength, 16u);
  EXPECT_EQ(ext()->PartialReady, 1u);
  EXPECT_EQ(ext()->CaptureTime, 777u);
  auto copy = Control(IOCTL_VC_PARTIAL_COPY, Header(kCallerBase, 16, 0, 16), HeaderSize());
  EXPECT_EQ(copy->Status(), STATUS_SUCCESS);
  EXPECT_EQ(callerMemory_[0], 0x5A);
  EXPECT_EQ(copy->Dword(TimeCapturedAt()), 777u);
  // Not yet ended: the next frame is lost.
  k_.RunDpc(&ext()->Dpc);
  EXPECT_EQ(ext()->SkipCount, 1u);
  EXPECT_EQ(Control(IOCTL_VC_PARTIAL_END, 0, 0)->Status(), STATUS_SUCCESS);
}

TEST_P(DeferredAny, APartialFrameNotCapturedWaitsForTheNextFrame) {
  ext()->ImageSize = 16;
  g_capture.answer = 0;
  auto start = Control(IOCTL_VC_PARTIAL_START, 0, 0);
  k_.RunDpc(&ext()->Dpc);
  EXPECT_FALSE(start->Completed());
  EXPECT_EQ(ext()->PartialReady, 0u);
  g_capture.answer = 16;
  k_.RunDpc(&ext()->Dpc);
  EXPECT_EQ(start->Status(), STATUS_SUCCESS);
  EXPECT_EQ(ext()->PartialReady, 1u);
}

TEST_P(DeferredAny, APartialRequestWithoutItsBufferFailsAsInvalidState) {
  ext()->ImageSize = 16;
  auto start = Control(IOCTL_VC_PARTIAL_START, 0, 0);
  ExFreePoolWithTag(ext()->PartialBuffer, VC_POOL_TAG);
  ext()->PartialBuffer = nullptr;
  k_.RunDpc(&ext()->Dpc);
  EXPECT_EQ(start->Status(), STATUS_INVALID_DEVICE_STATE);
}

TOLVEN_BOTH_HEADER_FORMS(DeferredAny);

}  // namespace
}  // namespace tolven::kernel
