// The tuner's searches over the channel plan: automatic scan, seek, step and
// the fine tuning they share. Every wait goes through the clock port, so
// tests run them in simulated time.
#include <cstdlib>

#include "driver/control/tuner_control.h"

namespace tolven::control {

namespace {

enum : int32_t { kScanCode = 1, kUpCode = 2, kDownCode = 3 };
namespace tuner = requests::tuner;
namespace decoder = requests::decoder;

}  // namespace

bool CTunerControl::Tune(uint32_t hz) { return Request(tuner::kTune, hz, nullptr); }

uint32_t CTunerControl::Status() {
  uint32_t status = 0;
  return Request(tuner::kReadStatus, 0, &status) ? status : tunerCaps_[tuner::kNoSignalStatus];
}

bool CTunerControl::Locked() {
  uint32_t record[decoder::kRequestWords] = {decoder::kReadSignalLock, 0, 0};
  return env_.board.DecoderRequest(record) && record[decoder::kResultWord] != 0;
}

void CTunerControl::Settle(uint32_t times) { env_.clock.Sleep(tunerCaps_[tuner::kSettleMs] * times); }

int32_t CTunerControl::Report(int32_t code, int32_t percent) {
  return callback_ ? callback_(code, percent) : 1;
}

ProgressCallback CTunerControl::SetProgressCallback(ProgressCallback callback) {
  ProgressCallback previous = callback_;
  callback_ = callback;
  return previous;
}

// Searches a shrinking window around `hz` for the reading closest to the
// centred status: each round compares the readings a window below and above
// with the reading at the frequency and moves towards the better side.
uint32_t CTunerControl::FineTune(uint32_t hz) {
  int64_t f = hz;
  const int64_t step = tunerCaps_[tuner::kFineStepHz];
  const int64_t target = tunerCaps_[tuner::kCentredStatus];
  if (tunerCaps_[tuner::kFlags] & tuner::kFineTuningFlag) {
    int64_t window = 20;
    for (int tries = 5;;) {
      const int64_t lo = f - step * window, hi = f + step * window;
      Tune(static_cast<uint32_t>(f));
      Settle();
      const int64_t s = Status();
      if (s == target) break;
      Tune(static_cast<uint32_t>(lo));
      Settle();
      const int64_t sLo = Status();
      Tune(static_cast<uint32_t>(hi));
      Settle();
      const int64_t sHi = Status();
      auto better = [&](int64_t x) { return std::llabs(target - x) < std::llabs(target - s); };
      const bool loBetter = better(sLo), hiBetter = better(sHi);
      if (!loBetter && !hiBetter) break;
      window /= 2;
      if (hiBetter && !loBetter) f += step * window;
      if (loBetter && !hiBetter) f -= step * window;
      if (--tries < 0 || window < 2) break;
    }
  }
  Tune(static_cast<uint32_t>(f));
  Settle();
  return static_cast<uint32_t>(f);
}

bool CTunerControl::TestEntry(uint32_t hz, uint32_t *tuned, bool *fineTuned) {
  *fineTuned = false;
  if (!Tune(hz)) return false;
  Settle(2);
  if (!Locked()) return false;
  *tuned = FineTune(hz);
  *fineTuned = true;
  return Status() != tunerCaps_[tuner::kNoSignalStatus];
}

int32_t CTunerControl::AutoScan() {
  Report(kScanCode, 0);
  if (plan_.Empty()) return 1;
  const int64_t n = static_cast<int64_t>(plan_.Count());
  int64_t counter = 100;
  for (const tuning::CItuInfo &entry : plan_) {
    counter += 100;
    uint32_t tuned = 0;
    bool fineTuned = false;
    if (TestEntry(entry.FrequencyHz(), &tuned, &fineTuned) &&
        channels_.FindChannelNumber(entry.number) == -1) {
      tuning::CVarnTunerChannel channel;
      channel.name = DefaultChannelName();
      channel.audioMode = kAudioAuto;
      channel.language = 1;
      channel.inputNumber = static_cast<uint32_t>(inputNumber_);
      channel.channelNumber = entry.number;
      channel.frequency = tuned;
      channels_.InsertAt(-1, channel);
    }
    if (Report(kScanCode, static_cast<int32_t>(counter / n)) == 0) return 0;
    TuneChannel(0);
  }
  return 1;
}

int32_t CTunerControl::Seek(int32_t index, bool upwards) {
  const int32_t code = upwards ? kUpCode : kDownCode;
  const int32_t startNumber = GetChannelNumber(index);
  if (plan_.Empty()) return 0;
  int64_t k = 0;
  if (startNumber != -1) {
    k = plan_.PositionOfNumber(static_cast<uint32_t>(startNumber));
    if (k < 0) return 0;
  }
  const int64_t n = static_cast<int64_t>(plan_.Count());
  int64_t counter = k * 100;
  bool found = false;
  int32_t answer = 1;
  uint32_t lastNumber = 0, lastHz = 0;
  for (int64_t i = k; i >= 0 && i < n; i += upwards ? 1 : -1) {
    const tuning::CItuInfo &entry = plan_.At(static_cast<size_t>(i));
    counter += upwards ? 100 : -100;
    lastNumber = entry.number;
    lastHz = entry.FrequencyHz();
    if (channels_.FindChannelNumber(entry.number) == -1) {
      uint32_t tuned = 0;
      bool fineTuned = false;
      const bool channel = TestEntry(lastHz, &tuned, &fineTuned);
      if (fineTuned) lastHz = tuned;
      if (channel) {
        found = true;
        break;
      }
    }
    answer = Report(code, static_cast<int32_t>(counter / n));
    if (answer == 0) break;
  }
  tuning::CVarnTunerChannel channel;
  if (channels_.GetAt(index, &channel)) {
    channel.channelNumber = lastNumber;
    channel.frequency = lastHz;
    channels_.SetAt(index, channel);
  }
  return found ? 1 : answer;
}

int32_t CTunerControl::SeekUp(int32_t index) { return Seek(index, true); }
int32_t CTunerControl::SeekDown(int32_t index) { return Seek(index, false); }

int32_t CTunerControl::Step(int32_t index, bool upwards) {
  tuning::CVarnTunerChannel channel;
  if (!channels_.GetAt(index, &channel)) return 0;
  const uint32_t step = tunerCaps_[tuner::kFineStepHz];
  const uint32_t hz = upwards ? channel.frequency + step : channel.frequency - step;
  const uint32_t number = plan_.NumberOfFrequency(hz);
  if (!Tune(hz)) return 0;
  channel.frequency = hz;
  channel.channelNumber = number;  // kNotInPlan (-1) when no entry is near
  channels_.SetAt(index, channel);
  int32_t percent = -1;
  if (number != tuning::kNotInPlan && !plan_.Empty()) {
    const int32_t k = plan_.PositionOfNumber(number);
    if (k >= 0) percent = static_cast<int32_t>(int64_t{k} * 100 / static_cast<int64_t>(plan_.Count()));
  }
  return Report(upwards ? kUpCode : kDownCode, percent);
}

int32_t CTunerControl::StepUp(int32_t index) { return Step(index, true); }
int32_t CTunerControl::StepDown(int32_t index) { return Step(index, false); }

}  // namespace tolven::control
