// The configuration store's keys, types, defaults and answers.
#include <gtest/gtest.h>

#include "driver/link/config_store.h"
#include "driver/link/kernel_link.h"
#include "platform/registry/emulated_registry.h"
#include "platform/win_errors.h"

namespace tolven {
namespace {

const WString kUserKey = u"Software\\Microsoft\\Multimedia\\Video Capture\\tolvenk";
const WString kServiceKey = u"SYSTEM\\CurrentControlSet\\Services\\tolvenk";

class ConfigStoreTest : public ::testing::Test {
 protected:
  void Put(reg::Key root, const WString &path, WStringView name, uint32_t type, const void *data,
           uint32_t size) {
    reg::Key key = 0;
    ASSERT_EQ(registry_.CreateKey(root, path, reg::kAllAccess, &key), 0u);
    ASSERT_EQ(registry_.SetValue(key, name, type, data, size), 0u);
    registry_.CloseKey(key);
  }
  bool KeyExists(reg::Key root, const WString &path) {
    reg::Key key = 0;
    if (registry_.OpenKey(root, path, reg::kRead, &key) != 0) return false;
    registry_.CloseKey(key);
    return true;
  }
  reg::EmulatedRegistry registry_;
  ConfigStore store_{registry_, kKernelServiceName};
};

TEST_F(ConfigStoreTest, UserDwordRoundTripsUnderTheVideoCaptureKey) {
  uint32_t value = 1;
  EXPECT_FALSE(store_.ReadUserDword(u"xbar_Source", &value));
  EXPECT_EQ(value, kMissingDword);
  ASSERT_TRUE(store_.WriteUserDword(u"xbar_Source", 42));
  EXPECT_TRUE(KeyExists(reg::kCurrentUser, kUserKey));
  EXPECT_TRUE(store_.ReadUserDword(u"xbar_Source", &value));
  EXPECT_EQ(value, 42u);
  EXPECT_EQ(registry_.OpenHandleCount(), 0u);  // every key closed again
}

TEST_F(ConfigStoreTest, UserDwordThatCannotBeADwordReadsAsMissing) {
  uint32_t value = 0;
  ASSERT_TRUE(store_.WriteUserDword(u"All", 0xFFFFFFFFu));
  EXPECT_FALSE(store_.ReadUserDword(u"All", &value));
  EXPECT_EQ(value, kMissingDword);

  const uint8_t qword[8] = {5, 0, 0, 0, 0, 0, 0, 0};
  Put(reg::kCurrentUser, kUserKey, u"Wide", reg::kQword, qword, 8);
  EXPECT_FALSE(store_.ReadUserDword(u"Wide", &value));

  const uint8_t four[4] = {5, 0, 0, 0};
  Put(reg::kCurrentUser, kUserKey, u"Blob", reg::kBinary, four, 4);
  EXPECT_FALSE(store_.ReadUserDword(u"Blob", &value));
  EXPECT_EQ(value, kMissingDword);
}

TEST_F(ConfigStoreTest, UserWriteFailsWhenTheKeyCannotBeCreated) {
  registry_.DenyWrites(reg::kCurrentUser, u"Software\\Microsoft");
  EXPECT_FALSE(store_.WriteUserDword(u"X", 1));
}

TEST_F(ConfigStoreTest, MachineBinaryNeedsRoomAndTheBinaryType) {
  const uint8_t data[6] = {9, 8, 7, 6, 5, 4};
  ASSERT_TRUE(store_.WriteMachineBinary(u"Blob", data, 6));
  EXPECT_TRUE(KeyExists(reg::kLocalMachine, kUserKey));
  uint8_t buffer[8] = {};
  EXPECT_TRUE(store_.ReadMachineBinary(u"Blob", buffer, 8));
  EXPECT_EQ(buffer[5], 4);
  EXPECT_FALSE(store_.ReadMachineBinary(u"Blob", buffer, 5));  // too small
  EXPECT_FALSE(store_.ReadMachineBinary(u"Absent", buffer, 8));
  uint32_t dword = 3;
  Put(reg::kLocalMachine, kUserKey, u"Dword", reg::kDword, &dword, 4);
  EXPECT_FALSE(store_.ReadMachineBinary(u"Dword", buffer, 8));
  registry_.DenyWrites(reg::kLocalMachine, kUserKey);
  EXPECT_FALSE(store_.WriteMachineBinary(u"Blob", data, 6));
}

TEST_F(ConfigStoreTest, ParameterWriteNeedsAnInstalledService) {
  EXPECT_FALSE(store_.WriteParameterDword(u"tune_Type", 2));
  EXPECT_FALSE(KeyExists(reg::kLocalMachine, kServiceKey));
  reg::Key key = 0;
  ASSERT_EQ(registry_.CreateKey(reg::kLocalMachine, kServiceKey, reg::kAllAccess, &key), 0u);
  registry_.CloseKey(key);
  ASSERT_TRUE(store_.WriteParameterDword(u"tune_Type", 2));
  uint32_t value = 0;
  EXPECT_TRUE(store_.ReadParameterDword(u"tune_Type", &value));
  EXPECT_EQ(value, 2u);
  EXPECT_TRUE(KeyExists(reg::kLocalMachine, kServiceKey + u"\\Parameters"));
}

TEST_F(ConfigStoreTest, ParameterStringHoldsAtMost255Characters) {
  const WString params = kServiceKey + u"\\Parameters";
  reg::Key key = 0;
  ASSERT_EQ(registry_.CreateKey(reg::kLocalMachine, params, reg::kAllAccess, &key), 0u);
  ASSERT_EQ(reg::SetString(registry_, key, u"Fits", WString(255, u'x')), 0u);
  ASSERT_EQ(reg::SetString(registry_, key, u"TooLong", WString(256, u'y')), 0u);
  ASSERT_EQ(reg::SetString(registry_, key, u"Expand", u"%x%", reg::kExpandSz), 0u);
  // Stored without a terminator, filling the whole buffer.
  WString unterminated(256, u'z');
  ASSERT_EQ(registry_.SetValue(key, u"Raw", reg::kSz, unterminated.data(), 512), 0u);
  registry_.CloseKey(key);

  WString value = u"unchanged";
  EXPECT_TRUE(store_.ReadParameterString(u"Fits", &value));
  EXPECT_EQ(value, WString(255, u'x'));
  value = u"unchanged";
  EXPECT_FALSE(store_.ReadParameterString(u"TooLong", &value));
  EXPECT_FALSE(store_.ReadParameterString(u"Expand", &value));
  EXPECT_FALSE(store_.ReadParameterString(u"Absent", &value));
  EXPECT_EQ(value, u"unchanged");
  EXPECT_TRUE(store_.ReadParameterString(u"Raw", &value));
  EXPECT_EQ(value, WString(255, u'z'));
}

}  // namespace
}  // namespace tolven
