// Behaviour of the emulated registry that the contract cases cannot reach
// on a real machine: write denial and handles to deleted keys.
#include <gtest/gtest.h>

#include "platform/registry/emulated_registry.h"
#include "platform/win_errors.h"

namespace tolven::reg {
namespace {

TEST(EmulatedRegistry, DeniedSubtreeRefusesWritesButAllowsReads) {
  EmulatedRegistry r;
  Key key = 0;
  ASSERT_EQ(r.CreateKey(kLocalMachine, u"SOFTWARE\\Locked\\Inner", kAllAccess, &key), 0u);
  ASSERT_EQ(SetDword(r, key, u"V", 3), 0u);
  r.CloseKey(key);
  r.DenyWrites(kLocalMachine, u"software\\locked");

  EXPECT_EQ(r.OpenKey(kLocalMachine, u"SOFTWARE\\Locked\\Inner", kAllAccess, &key),
            win::kErrorAccessDenied);
  EXPECT_EQ(r.CreateKey(kLocalMachine, u"SOFTWARE\\Locked\\New", kWrite, &key),
            win::kErrorAccessDenied);
  EXPECT_EQ(r.DeleteKey(kLocalMachine, u"SOFTWARE\\Locked\\Inner"), win::kErrorAccessDenied);
  ASSERT_EQ(r.OpenKey(kLocalMachine, u"SOFTWARE\\Locked\\Inner", kQueryValue, &key), 0u);
  uint32_t value = 0, size = 4;
  EXPECT_EQ(r.QueryValue(key, u"V", nullptr, &value, &size), 0u);
  EXPECT_EQ(value, 3u);
  r.CloseKey(key);
  // A sibling whose name merely starts the same is not denied.
  EXPECT_EQ(r.CreateKey(kLocalMachine, u"SOFTWARE\\LockedNot", kAllAccess, &key), 0u);
  r.CloseKey(key);
}

TEST(EmulatedRegistry, HandleToADeletedKeyAnswersKeyDeleted) {
  EmulatedRegistry r;
  Key key = 0;
  ASSERT_EQ(r.CreateKey(kCurrentUser, u"A\\B", kAllAccess, &key), 0u);
  ASSERT_EQ(r.DeleteKey(kCurrentUser, u"A\\B"), 0u);
  EXPECT_EQ(SetDword(r, key, u"V", 1), win::kErrorKeyDeleted);
  EXPECT_EQ(r.CloseKey(key), 0u);
  EXPECT_EQ(r.CloseKey(key), win::kErrorInvalidHandle);
  EXPECT_EQ(r.OpenHandleCount(), 0u);
}

TEST(EmulatedRegistry, RootsAreSeparate) {
  EmulatedRegistry r;
  Key key = 0;
  ASSERT_EQ(r.CreateKey(kCurrentUser, u"Same", kAllAccess, &key), 0u);
  r.CloseKey(key);
  EXPECT_EQ(r.OpenKey(kLocalMachine, u"Same", kRead, &key), win::kErrorFileNotFound);
}

TEST(EmulatedRegistry, AllValuesListsEveryValueWithItsKeyAsWritten) {
  EmulatedRegistry r;
  Key key = 0;
  ASSERT_EQ(r.CreateKey(kCurrentUser, u"Software\\Video Capture", kAllAccess, &key), 0u);
  ASSERT_EQ(SetDword(r, key, u"vDec_AspectRatio", 3), 0u);
  ASSERT_EQ(SetDword(r, key, u"VDEC_ASPECTRATIO", 4), 0u);  // the same value, respelt
  r.CloseKey(key);
  ASSERT_EQ(r.CreateKey(kLocalMachine, u"SYSTEM\\Params", kAllAccess, &key), 0u);
  ASSERT_EQ(SetString(r, key, u"DeviceName", u"\\Device\\VidCap0"), 0u);
  r.CloseKey(key);

  const auto values = r.AllValues();
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].root, kLocalMachine);
  EXPECT_EQ(values[0].keyPath, u"SYSTEM\\Params");
  EXPECT_EQ(values[0].name, u"DeviceName");
  EXPECT_EQ(values[0].type, static_cast<uint32_t>(kSz));
  EXPECT_EQ(values[1].root, kCurrentUser);
  EXPECT_EQ(values[1].keyPath, u"Software\\Video Capture");
  EXPECT_EQ(values[1].name, u"VDEC_ASPECTRATIO");
  EXPECT_EQ(values[1].data, (std::vector<uint8_t>{4, 0, 0, 0}));
}

}  // namespace
}  // namespace tolven::reg
