// A text log of every control-bus transaction on a virtual card, one line
// each, for programs in another process (the viewer's tests) to read what
// the driver did to the chips. The display stand-in writes it to a file.
//
// Line format (ASCII, fields separated by one space, '\n' at the end):
//
//   <ms> <address> <ack|nak> w=<hex> r=<hex>[ tune_hz=<frequency>]
//
//   ms         the card's clock in milliseconds (decimal)
//   address    the address byte as sent, read bit included (two upper-case
//              hex digits)
//   ack|nak    whether a device acknowledged
//   w=         the bytes written after the address byte (upper-case hex,
//              two digits a byte, nothing between them; empty for none)
//   r=         the bytes read (same form; empty for none or when refused)
//   tune_hz=   only on an acknowledged PLL write to the tuner module: the
//              frequency it tuned to, in Hz (decimal), decoded as the module
//              decodes its divider
//
// Example: "2418 C0 ack w=2702CE08 r= tune_hz=487250000"
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "virtualcard/simulated_bus.h"

namespace tolven::card {

class VirtualCard;

class BusLog : public BusObserver {
 public:
  using Sink = std::function<void(const std::string &line)>;
  // Observes `card`'s bus from now until destruction; every line goes to
  // `sink`, newline included.
  BusLog(VirtualCard &card, Sink sink);
  ~BusLog() override;
  BusLog(const BusLog &) = delete;
  BusLog &operator=(const BusLog &) = delete;

  void Transferred(const BusTransaction &transaction) override;

  // One line of the log; without `tuneHz` the tune field is left out.
  static std::string FormatLine(const BusTransaction &transaction, uint32_t milliseconds,
                                std::optional<uint32_t> tuneHz);

 private:
  VirtualCard &card_;
  Sink sink_;
};

}  // namespace tolven::card
