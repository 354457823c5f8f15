// CControlBus against the simulated bus, byte for byte.
#include <gtest/gtest.h>

#include "driver/hardware/control_bus.h"
#include "platform/display/emulated_display_escape.h"
#include "platform/display/wire_pointer.h"
#include "virtualcard/virtual_card.h"

namespace tolven {
namespace {

using Bytes = std::vector<uint8_t>;

class ControlBusTest : public ::testing::Test {
 protected:
  const card::BusTransaction &Last() { return card_.Bus().Log().back(); }
  const std::vector<card::BusTransaction> &Log() { return card_.Bus().Log(); }

  card::VirtualCard card_;
  display::EmulatedDisplayEscape display_{&card_.DisplayDriver()};
  CControlBus bus_{display_};
};

TEST_F(ControlBusTest, WriteRegisterSendsAddressRegisterValue) {
  EXPECT_EQ(bus_.WriteRegister(0x89, 0x18, 0x24, 1), 1);  // read bit is cleared
  ASSERT_EQ(Log().size(), 1u);
  EXPECT_EQ(Last().address, 0x88);
  EXPECT_EQ(Last().written, (Bytes{0x18, 0x24}));
  EXPECT_EQ(Last().readLength, 0u);
  EXPECT_EQ(Last().busFlag, 1u);
  EXPECT_EQ(card_.Decoder().Register(0x18), 0x24);
}

TEST_F(ControlBusTest, BusFlagTravelsUnchanged) {
  bus_.WriteRegister(0x88, 0x01, 0x02, 0);
  EXPECT_EQ(Last().busFlag, 0u);
  bus_.WriteRegister(0x88, 0x01, 0x02, 7);
  EXPECT_EQ(Last().busFlag, 7u);
}

TEST_F(ControlBusTest, ReadRegisterWritesTheRegisterThenReadsOneByte) {
  uint8_t value = 0;
  EXPECT_EQ(bus_.ReadRegister(0x88, 0xFE, &value, 0), 1);
  EXPECT_EQ(value, 0xA1);
  ASSERT_EQ(Log().size(), 2u);
  EXPECT_EQ(Log()[0].address, 0x88);
  EXPECT_EQ(Log()[0].written, Bytes{0xFE});
  EXPECT_EQ(Log()[0].busFlag, 1u);  // the register write always carries flag 1
  EXPECT_EQ(Log()[1].address, 0x89);
  EXPECT_TRUE(Log()[1].written.empty());
  EXPECT_EQ(Log()[1].readLength, 1u);
  EXPECT_EQ(Log()[1].busFlag, 0u);
}

TEST_F(ControlBusTest, ReadRegisterDoesNotReadAfterARefusedWrite) {
  card_.Decoder().SetAcknowledge(false);
  uint8_t value = 0x33;
  EXPECT_EQ(bus_.ReadRegister(0x88, 0xFE, &value, 1), 0);
  EXPECT_EQ(value, 0x33);
  ASSERT_EQ(Log().size(), 1u);
  EXPECT_EQ(Log()[0].address, 0x88);
}

TEST_F(ControlBusTest, AbsentDeviceAnswersZero) {
  EXPECT_EQ(bus_.WriteRegister(0x50, 1, 2, 1), 0);
  uint8_t value = 0;
  EXPECT_EQ(bus_.ReadByte(0x50, &value, 1), 0);
}

TEST_F(ControlBusTest, WriteBlockSendsAddressAndData) {
  const uint8_t data[] = {0x40, 1, 2, 3};
  EXPECT_EQ(bus_.WriteBlock(0x88, 4, data, 1), 1);
  EXPECT_EQ(Last().address, 0x88);
  EXPECT_EQ(Last().written, (Bytes{0x40, 1, 2, 3}));
  EXPECT_EQ(card_.Decoder().Register(0x42), 3);
}

TEST_F(ControlBusTest, WriteRegisterBlockOfFiftyOneBytes) {
  uint8_t data[51];
  for (int i = 0; i < 51; ++i) data[i] = static_cast<uint8_t>(i + 1);
  EXPECT_EQ(bus_.WriteRegisterBlock(0x88, 0x40, 51, data, 1), 1);
  ASSERT_EQ(Last().written.size(), 52u);
  EXPECT_EQ(Last().written[0], 0x40);
  EXPECT_EQ(Last().written[51], 51);
  EXPECT_EQ(card_.Decoder().Register(0x40 + 50), 51);
}

TEST_F(ControlBusTest, OverlongBlocksAreRefusedWithoutATransaction) {
  uint8_t data[80] = {};
  EXPECT_EQ(bus_.WriteBlock(0x88, 64, data, 1), 0);
  EXPECT_EQ(bus_.WriteRegisterBlock(0x88, 0x40, 63, data, 1), 0);
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(bus_.WriteBlock(0x88, 63, data, 1), 1);
  EXPECT_EQ(bus_.WriteRegisterBlock(0x88, 0x40, 62, data, 1), 1);
}

TEST_F(ControlBusTest, ReadBytesSetsTheReadBit) {
  uint8_t status[2] = {};
  EXPECT_EQ(bus_.ReadBytes(0xC2, 2, status, 1), 1);
  EXPECT_EQ(Last().address, 0xC3);
  EXPECT_EQ(Last().readLength, 2u);
  EXPECT_EQ(status[0], 0x04);  // the module's no-signal status
  uint8_t one = 0;
  EXPECT_EQ(bus_.ReadByte(0xC3, &one, 1), 1);
  EXPECT_EQ(Last().address, 0xC3);
}

TEST_F(ControlBusTest, NoDisplayDriverMeansEveryTransactionFails) {
  display::EmulatedDisplayEscape none;
  CControlBus bus(none);
  uint8_t value = 0;
  EXPECT_EQ(bus.WriteRegister(0x88, 0x18, 0x24, 1), 0);
  EXPECT_EQ(bus.ReadRegister(0x88, 0xFE, &value, 1), 0);
  EXPECT_EQ(none.Calls(), 2u);
}

#if UINTPTR_MAX != 0xFFFFFFFFu
TEST_F(ControlBusTest, NoWireLoanOutlivesATransaction) {
  uint8_t value = 0;
  bus_.ReadRegister(0x88, 0xFE, &value, 1);
  EXPECT_EQ(wire::OutstandingLoans(), 0u);
}
#endif

}  // namespace
}  // namespace tolven
