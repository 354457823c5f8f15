#include "virtualcard/bus_log.h"

#include "virtualcard/virtual_card.h"

namespace tolven::card {

namespace {
void AppendHex(std::string *out, uint8_t byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out->push_back(kDigits[byte >> 4]);
  out->push_back(kDigits[byte & 15]);
}
}  // namespace

BusLog::BusLog(VirtualCard &card, Sink sink) : card_(card), sink_(std::move(sink)) {
  card_.Bus().SetObserver(this);
}

BusLog::~BusLog() { card_.Bus().SetObserver(nullptr); }

std::string BusLog::FormatLine(const BusTransaction &t, uint32_t milliseconds,
                               std::optional<uint32_t> tuneHz) {
  std::string line = std::to_string(milliseconds);
  line += ' ';
  AppendHex(&line, t.address);
  line += t.acknowledged ? " ack w=" : " nak w=";
  for (uint8_t b : t.written) AppendHex(&line, b);
  line += " r=";
  for (uint8_t b : t.read) AppendHex(&line, b);
  if (tuneHz) line += " tune_hz=" + std::to_string(*tuneHz);
  line += '\n';
  return line;
}

void BusLog::Transferred(const BusTransaction &t) {
  std::optional<uint32_t> tuneHz;
  SimulatedTuner *tuner = card_.Tuner();
  // The module takes four bytes and more as a PLL write (receiver.cpp).
  if (tuner && t.acknowledged && !(t.address & 1) && t.written.size() >= 4 &&
      t.address == TunerModuleAddresses(card_.Config().tunerType).write)
    tuneHz = tuner->TunedFrequency();
  if (sink_) sink_(FormatLine(t, card_.CardClock().Milliseconds(), tuneHz));
}

}  // namespace tolven::card
