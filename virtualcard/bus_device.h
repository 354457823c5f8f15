// A chip on the simulated control bus. The bus hands it the bytes after the
// address byte; a false answer is a missing acknowledge.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tolven::card {

class BusDevice {
 public:
  virtual ~BusDevice() = default;
  virtual bool Write(const uint8_t *data, size_t length) = 0;
  virtual bool Read(uint8_t *data, size_t length) = 0;
};

// The common chip register model: the first byte written selects a register
// (sub-address), further bytes are written from there on; reads continue
// from the selected register. The pointer advances after each byte and wraps
// at 256. Registers made read-only keep their value (input pins, chip ids).
class RegisterFileDevice : public BusDevice {
 public:
  bool Write(const uint8_t *data, size_t length) override;
  bool Read(uint8_t *data, size_t length) override;

  uint8_t Register(uint8_t index) const { return registers_[index]; }
  void SetRegister(uint8_t index, uint8_t value) { registers_[index] = value; }
  void SetReadOnly(uint8_t index, uint8_t value) {
    registers_[index] = value;
    readOnly_[index] = true;
  }
  // Refuse every transaction (a chip that stops answering).
  void SetAcknowledge(bool acknowledge) { acknowledge_ = acknowledge; }

 protected:
  // What a read of a register returns; chips with live status registers
  // answer from their state instead of the stored byte.
  virtual uint8_t ReadValue(uint8_t index) { return registers_[index]; }

 private:
  uint8_t registers_[256] = {};
  bool readOnly_[256] = {};
  uint8_t pointer_ = 0;
  bool acknowledge_ = true;
};

// A chip addressed through sub-addresses carrying 16-bit register numbers
// and 16-bit values, most significant byte first: a write of (sub, reg, value)
// stores; a write of (sub, reg) selects the register that the next two-byte
// read returns; a write of (sub, value) to a write sub-address stores a
// control word as its register 0. Sub-addresses map to separate banks; which are accepted is
// the chip's choice.
class WordRegisterDevice : public BusDevice {
 public:
  bool Write(const uint8_t *data, size_t length) override;
  bool Read(uint8_t *data, size_t length) override;

  uint16_t Register(uint8_t bank, uint16_t reg) const;
  void SetRegister(uint8_t bank, uint16_t reg, uint16_t value);
  // A read sub-address returns the bank of its write sub-address (sub - 1).
  void AcceptBank(uint8_t writeSub) { accepted_[writeSub] = true; }

 protected:
  // What a read of a register returns; live status registers override it.
  virtual uint16_t ReadValue(uint8_t bank, uint16_t reg) { return Register(bank, reg); }

 private:
  bool accepted_[256] = {};
  uint16_t banks_[256][256] = {};  // only the low byte of register numbers is kept
  uint8_t readBank_ = 0;
  uint16_t readRegister_ = 0;
};

}  // namespace tolven::card
