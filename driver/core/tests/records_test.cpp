// The VfW records keep their 32-bit Windows layouts in every build.
#include <gtest/gtest.h>

#include <cstddef>

#include "driver/core/vfw_records.h"

namespace tolven::vfw {
namespace {

TEST(Records, VideoOpenParms) {
  EXPECT_EQ(sizeof(VideoOpenParms), 36u);
  EXPECT_EQ(offsetof(VideoOpenParms, fccType), 4u);
  EXPECT_EQ(offsetof(VideoOpenParms, dwFlags), 16u);
  EXPECT_EQ(offsetof(VideoOpenParms, dwError), 20u);
  EXPECT_EQ(offsetof(VideoOpenParms, dnDevNode), 32u);
}

TEST(Records, ChannelCapsIsNineDwords) {
  EXPECT_EQ(sizeof(ChannelCaps), 36u);
  EXPECT_EQ(offsetof(ChannelCaps, dwSrcRectXMod), 4u);
  EXPECT_EQ(offsetof(ChannelCaps, dwDstRectHeightMod), 32u);
}

TEST(Records, VideoConfigureParms) {
  EXPECT_EQ(sizeof(VideoConfigureParms), 20u);
  EXPECT_EQ(offsetof(VideoConfigureParms, lpData1), 4u);
  EXPECT_EQ(offsetof(VideoConfigureParms, dwSize1), 8u);
  EXPECT_EQ(offsetof(VideoConfigureParms, dwSize2), 16u);
}

TEST(Records, StreamInitAndErrorText) {
  EXPECT_EQ(sizeof(VideoStreamInitParms), 20u);
  EXPECT_EQ(offsetof(VideoStreamInitParms, dwFlags), 12u);
  EXPECT_EQ(sizeof(VideoGetErrorTextParms), 12u);
  EXPECT_EQ(offsetof(VideoGetErrorTextParms, lpText), 4u);
  EXPECT_EQ(offsetof(VideoGetErrorTextParms, dwLength), 8u);
}

TEST(Records, BitmapInfoHeader) {
  EXPECT_EQ(sizeof(BitmapInfoHeader), 40u);
  EXPECT_EQ(offsetof(BitmapInfoHeader, biWidth), 4u);
  EXPECT_EQ(offsetof(BitmapInfoHeader, biPlanes), 12u);
  EXPECT_EQ(offsetof(BitmapInfoHeader, biBitCount), 14u);
  EXPECT_EQ(offsetof(BitmapInfoHeader, biSizeImage), 20u);
  EXPECT_EQ(offsetof(BitmapInfoHeader, biClrImportant), 36u);
}

TEST(Records, MessageValues) {
  EXPECT_EQ(kDvmGetErrorText, 0x4000u);
  EXPECT_EQ(kDvmFrame, 0x40C8u);
  EXPECT_EQ(kDvmStreamUnprepareHeader, 0x4135u);
  EXPECT_EQ(kDvmStreamAllocBuffer, 0x4138u);
  EXPECT_EQ(kDrvPnpInstall, 0x80Bu);
}

}  // namespace
}  // namespace tolven::vfw
