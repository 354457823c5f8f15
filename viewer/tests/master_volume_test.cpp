// The master volume over an emulated mixer.
#include <gtest/gtest.h>

#include "platform/mixer/emulated_mixer.h"
#include "viewer/core/master_volume.h"

namespace tolven::viewer {
namespace {

using mix::EmulatedMixer;

struct WithMixer : ::testing::Test {
  void SetUp() override {
    mixer.SetDeviceCount(1);
    volumeId = mixer.AddControl(mix::kComponentTypeDstSpeakers, mix::kControlTypeVolume, 0, 65535);
    muteId = mixer.AddControl(mix::kComponentTypeDstSpeakers, mix::kControlTypeMute, 0, 1);
  }
  EmulatedMixer mixer;
  uint32_t volumeId = 0, muteId = 0;
};

TEST_F(WithMixer, TheScaleIsTheRangeOverAHundred) {
  CMasterVolume master(mixer);
  master.Open();
  ASSERT_TRUE(master.Available());
  EXPECT_EQ(master.Scale(), 655);
  EXPECT_TRUE(master.SetVolume(50));
  EXPECT_EQ(mixer.Value(volumeId), 50 * 655);
  // A hundred percent stays below the maximum: 65535 is not a multiple of 100.
  EXPECT_TRUE(master.SetVolume(100));
  EXPECT_EQ(mixer.Value(volumeId), 65500);
  EXPECT_TRUE(master.SetVolume(0));
  EXPECT_EQ(mixer.Value(volumeId), 0);
}

TEST_F(WithMixer, ValuesOutsideZeroToAHundredAreNotSent) {
  CMasterVolume master(mixer);
  master.Open();
  EXPECT_FALSE(master.SetVolume(101));
  EXPECT_FALSE(master.SetVolume(-1));
  EXPECT_TRUE(mixer.Writes().empty());
}

TEST_F(WithMixer, MuteWritesOneOrZero) {
  CMasterVolume master(mixer);
  master.Open();
  EXPECT_TRUE(master.SetMute(true));
  EXPECT_EQ(mixer.Value(muteId), 1);
  EXPECT_TRUE(master.SetMute(false));
  ASSERT_EQ(mixer.Writes().size(), 2u);
  EXPECT_EQ(mixer.Writes()[1].controlId, muteId);
  EXPECT_EQ(mixer.Writes()[1].value, 0);
}

TEST(MasterVolume, AMinimumAboveZeroIsTheStartOfTheScale) {
  EmulatedMixer mixer;
  mixer.SetDeviceCount(1);
  const uint32_t id = mixer.AddControl(mix::kComponentTypeDstSpeakers, mix::kControlTypeVolume, 1000, 2050);
  CMasterVolume master(mixer);
  master.Open();
  EXPECT_EQ(master.Scale(), 10);
  master.SetVolume(0);
  EXPECT_EQ(mixer.Value(id), 1000);
  master.SetVolume(100);
  EXPECT_EQ(mixer.Value(id), 2000);
}

TEST(MasterVolume, NoMixerLeavesItSilentlyInactive) {
  EmulatedMixer mixer;  // no devices, as under Wine
  CMasterVolume master(mixer);
  master.Open();
  EXPECT_FALSE(master.Available());
  EXPECT_FALSE(mixer.IsOpen());
  EXPECT_FALSE(master.SetVolume(50));
  EXPECT_TRUE(master.SetMute(true));  // nothing to mirror is no failure
  EXPECT_TRUE(mixer.Writes().empty());
}

TEST(MasterVolume, AMixerThatWillNotOpenIsInactive) {
  EmulatedMixer mixer;
  mixer.SetDeviceCount(1);
  mixer.FailOpen(true);
  CMasterVolume master(mixer);
  master.Open();
  EXPECT_FALSE(master.Available());
  EXPECT_FALSE(master.SetVolume(10));
}

TEST(MasterVolume, AMissingControlIsSkippedButTheOtherWorks) {
  EmulatedMixer mixer;
  mixer.SetDeviceCount(1);
  const uint32_t mute = mixer.AddControl(mix::kComponentTypeDstSpeakers, mix::kControlTypeMute, 0, 1);
  // A volume control on another line is not the speakers'.
  mixer.AddControl(5, mix::kControlTypeVolume, 0, 100);
  CMasterVolume master(mixer);
  master.Open();
  EXPECT_TRUE(master.Available());
  EXPECT_FALSE(master.SetVolume(40));
  EXPECT_TRUE(master.SetMute(true));
  EXPECT_EQ(mixer.Value(mute), 1);
  ASSERT_EQ(mixer.Writes().size(), 1u);
}

TEST_F(WithMixer, TheMixerIsOpenedOnceAndClosedAtTheEnd) {
  {
    CMasterVolume master(mixer);
    master.Open();
    master.Open();
    EXPECT_TRUE(mixer.IsOpen());
  }
  EXPECT_FALSE(mixer.IsOpen());
}

}  // namespace
}  // namespace tolven::viewer
