// The simulated display driver and bus at the byte level, through the same
// escape blocks and wire pointers the capture driver uses.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/display/escape_blocks.h"
#include "platform/display/wire_pointer.h"
#include "virtualcard/virtual_card.h"

namespace tolven::card {
namespace {

using display::BusTransactionBlock;

// Sends one escape-142 transaction; answers the ExtEscape value and stores
// the transaction result.
int Send(display::DisplayEscape &d, std::vector<uint8_t> write, uint8_t *read, uint32_t readLength,
         int32_t *result, uint32_t flag = 1) {
  wire::WireLoan w(write.data(), write.size());
  wire::WireLoan r(read, readLength);
  BusTransactionBlock block{0, 0, w.value(), static_cast<uint32_t>(write.size()), r.value(),
                            readLength, 1, flag};
  *result = 0x5A5A;
  return d.Escape(display::kEscapeBusTransaction, sizeof block, &block, sizeof *result, result);
}

// The simulated display driver answers the layout of its build: the 32-bit
// one here, with tokens, the x64 one in the 64-bit stand-in DLL.
TEST(EscapeBlocks, TheNativeBuildSpeaksTheThirtyTwoBitLayout) {
  EXPECT_EQ(sizeof(BusTransactionBlock), sizeof(display::BusTransactionBlock32));
  EXPECT_EQ(sizeof(display::VideoPortCommand), sizeof(display::VideoPortCommand32));
  EXPECT_EQ(sizeof(display::VideoPortEnumBlock), sizeof(display::VideoPortEnumBlock32));
}

#if !defined(_WIN32)
TEST(WirePointer, LoanResolvesWithinItsSizeAndOnlyWhileItLives) {
  uint8_t buffer[8] = {};
  wire::Pointer value = 0;
  {
    wire::WireLoan loan(buffer, sizeof buffer);
    value = loan.value();
    EXPECT_NE(value, 0u);
    EXPECT_EQ(wire::Resolve(value, 8), buffer);
    EXPECT_EQ(wire::Resolve(value, 9), nullptr);
    EXPECT_EQ(wire::Resolve(value + 1, 1), nullptr);
  }
  EXPECT_EQ(wire::Resolve(value, 1), nullptr);
  EXPECT_EQ(wire::OutstandingLoans(), 0u);
}

TEST(WirePointer, NullTravelsAsZero) {
  wire::WireLoan loan(nullptr, 4);
  EXPECT_EQ(loan.value(), 0u);
  EXPECT_EQ(wire::Resolve(0, 0), nullptr);
}
#endif

TEST(RegisterFileDevice, SubAddressAutoIncrementsAndKeepsReadOnlyRegisters) {
  RegisterFileDevice d;
  d.SetReadOnly(0x11, 0x77);
  const uint8_t write[] = {0x10, 1, 2, 3};
  ASSERT_TRUE(d.Write(write, sizeof write));
  EXPECT_EQ(d.Register(0x10), 1);
  EXPECT_EQ(d.Register(0x11), 0x77);
  EXPECT_EQ(d.Register(0x12), 3);
  const uint8_t select[] = {0xFF};
  ASSERT_TRUE(d.Write(select, 1));
  d.SetRegister(0xFF, 9);
  d.SetRegister(0x00, 8);
  uint8_t read[2] = {};
  ASSERT_TRUE(d.Read(read, 2));  // wraps past 0xFF
  EXPECT_EQ(read[0], 9);
  EXPECT_EQ(read[1], 8);
}

TEST(SimulatedDisplayDriver, WriteToAPresentChipIsAcknowledgedAndLogged) {
  VirtualCard card;
  int32_t result = 0;
  EXPECT_EQ(Send(card.DisplayDriver(), {0x88, 0x18, 0x24}, nullptr, 0, &result, 1), 1);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(card.Decoder().Register(0x18), 0x24);
  ASSERT_EQ(card.Bus().Log().size(), 1u);
  const BusTransaction &t = card.Bus().Log()[0];
  EXPECT_EQ(t.address, 0x88);
  EXPECT_EQ(t.written, (std::vector<uint8_t>{0x18, 0x24}));
  EXPECT_EQ(t.busFlag, 1u);
  EXPECT_TRUE(t.acknowledged);
}

TEST(SimulatedDisplayDriver, AbsentAddressIsRefusedWithResultZero) {
  VirtualCard card;
  int32_t result = 0;
  EXPECT_EQ(Send(card.DisplayDriver(), {0x42, 0x00}, nullptr, 0, &result), 1);
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(card.Bus().Log().back().acknowledged);
}

TEST(SimulatedDisplayDriver, ReadAddressFillsTheReadBuffer) {
  VirtualCard card;
  int32_t result = 0;
  ASSERT_EQ(Send(card.DisplayDriver(), {0x88, 0xFE}, nullptr, 0, &result), 1);
  uint8_t value = 0;
  ASSERT_EQ(Send(card.DisplayDriver(), {0x89}, &value, 1, &result), 1);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(value, 0xA1);
  EXPECT_EQ(card.Bus().Log().back().read, std::vector<uint8_t>{0xA1});
}

TEST(SimulatedDisplayDriver, MalformedRequestsAnswerMinusOne) {
  VirtualCard card;
  auto &d = card.DisplayDriver();
  uint8_t byte = 0x88;
  wire::WireLoan w(&byte, 1);
  BusTransactionBlock block{0, 0, w.value(), 1, 0, 0, 1, 1};
  int32_t out = 0;
  const int size = sizeof block;
  EXPECT_EQ(d.Escape(142, size - 1, &block, 4, &out), -1);  // short block
  EXPECT_EQ(d.Escape(142, size, &block, 3, &out), -1);      // short output
  EXPECT_EQ(d.Escape(142, size, nullptr, 4, &out), -1);
  block.writeLength = 2;                                   // past the lent buffer
  if (!wire::kFieldsHoldPointers) {
    EXPECT_EQ(d.Escape(142, size, &block, 4, &out), -1);
  }
  block.writeLength = 1;
  block.readLength = 1;                                    // read buffer missing
  EXPECT_EQ(d.Escape(142, size, &block, 4, &out), -1);
  block.readLength = 0;
  block.transactionCount = 2;
  EXPECT_EQ(d.Escape(142, size, &block, 4, &out), -1);
  EXPECT_TRUE(card.Bus().Log().empty());
}

TEST(SimulatedDisplayDriver, UnknownEscapeIsNotImplemented) {
  VirtualCard card;
  int32_t out = 0;
  EXPECT_EQ(card.DisplayDriver().Escape(99, 0, nullptr, 4, &out), 0);
  EXPECT_EQ(card.Driver().EscapeCount(99), 1u);
}

TEST(SimulatedDisplayDriver, ModeInformationCarriesTheDivisors) {
  VirtualCard card;
  card.Driver().SetModeDivisors(2, 3);
  uint32_t info[55] = {};
  EXPECT_EQ(card.DisplayDriver().Escape(128, 0, nullptr, 220, info), 1);
  EXPECT_EQ(info[1], 2u);
  EXPECT_EQ(info[2], 3u);
  EXPECT_EQ(card.DisplayDriver().Escape(128, 0, nullptr, 219, info), -1);
}

TEST(SimulatedDisplayDriver, VideoPortCommandsGoToTheAttachedModel) {
  struct Model : VideoPortModel {
    int32_t Command(uint32_t function, wire::Pointer block) override {
      lastFunction = function;
      lastBlock = block;
      return 1;
    }
    uint32_t lastFunction = 0;
    wire::Pointer lastBlock = 0;
  } model;
  CardConfig noPort;
  noPort.videoPort = false;
  VirtualCard card(noPort);
  display::VideoPortEnumBlock enumeration{};
  wire::WireLoan loan(&enumeration, sizeof enumeration);
  display::VideoPortCommand command{0, 6, loan.value()};
  int32_t result = 0;
  EXPECT_EQ(card.DisplayDriver().Escape(150, sizeof command, &command, 4, &result), 0);
  card.Driver().AttachVideoPort(&model);
  EXPECT_EQ(card.DisplayDriver().Escape(150, sizeof command - 1, &command, 4, &result), -1);
  EXPECT_EQ(card.DisplayDriver().Escape(150, sizeof command, &command, 4, &result), 1);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(model.lastFunction, 6u);
  EXPECT_EQ(model.lastBlock, loan.value());
}

TEST(VirtualCard, TunerModuleSitsAtItsTypesAddresses) {
  for (int type : {0, 1, 2}) {
    VirtualCard card(CardOptions{true, type, true, 0x0F0007});
    TunerAddresses a = TunerModuleAddresses(type);
    uint8_t status = 0;
    int32_t result = 0;
    Send(card.DisplayDriver(), {a.read}, &status, 1, &result);
    EXPECT_EQ(result, 1) << type;
    EXPECT_EQ(status, 0x04) << type;  // nothing tuned yet: the no-signal value
    EXPECT_EQ(card.Decoder().Register(0x21), type);
  }
  VirtualCard none(CardOptions{true, -1, true, 0});
  uint8_t status = 0;
  int32_t result = 0;
  Send(none.DisplayDriver(), {0xC3}, &status, 1, &result);
  EXPECT_EQ(result, 0);
}

TEST(VirtualCard, AudioVersionReadsThroughSubAddresses) {
  VirtualCard card(CardOptions{true, 0, true, 0x230007});
  int32_t result = 0;
  uint8_t word[2] = {};
  Send(card.DisplayDriver(), {0x80, 0x13, 0x00, 0x1F}, nullptr, 0, &result, 0);
  ASSERT_EQ(result, 1);
  Send(card.DisplayDriver(), {0x81}, word, 2, &result);
  EXPECT_EQ(word[0], 0x23);
  Send(card.DisplayDriver(), {0x80, 0x13, 0x00, 0x1E}, nullptr, 0, &result, 0);
  Send(card.DisplayDriver(), {0x81}, word, 2, &result);
  EXPECT_EQ(word[1], 0x07);
  // A sub-address the chip does not have is refused.
  Send(card.DisplayDriver(), {0x80, 0x15, 0x00, 0x1E}, nullptr, 0, &result, 0);
  EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace tolven::card
