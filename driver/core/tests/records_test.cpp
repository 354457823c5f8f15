// The VfW records in both of the system's layouts, field by field: the
// 32-bit one and the x64 one (pointer-sized fields 8 bytes, naturally
// aligned).
#include <gtest/gtest.h>

#include <cstddef>

#include "driver/core/vfw_records.h"

namespace tolven::vfw {
namespace {

TEST(Records, VideoOpenParms32) {
  using R = VideoOpenParms32;
  EXPECT_EQ(sizeof(R), 36u);
  EXPECT_EQ(offsetof(R, fccType), 4u);
  EXPECT_EQ(offsetof(R, fccComp), 8u);
  EXPECT_EQ(offsetof(R, dwVersion), 12u);
  EXPECT_EQ(offsetof(R, dwFlags), 16u);
  EXPECT_EQ(offsetof(R, dwError), 20u);
  EXPECT_EQ(offsetof(R, pV1Reserved), 24u);
  EXPECT_EQ(offsetof(R, pV2Reserved), 28u);
  EXPECT_EQ(offsetof(R, dnDevNode), 32u);
}

TEST(Records, VideoOpenParmsX64) {
  using R = VideoOpenParmsX64;
  EXPECT_EQ(sizeof(R), 48u);
  EXPECT_EQ(offsetof(R, fccType), 4u);
  EXPECT_EQ(offsetof(R, fccComp), 8u);
  EXPECT_EQ(offsetof(R, dwVersion), 12u);
  EXPECT_EQ(offsetof(R, dwFlags), 16u);
  EXPECT_EQ(offsetof(R, dwError), 20u);
  EXPECT_EQ(offsetof(R, pV1Reserved), 24u);
  EXPECT_EQ(sizeof(R::pV1Reserved), 8u);
  EXPECT_EQ(offsetof(R, pV2Reserved), 32u);
  EXPECT_EQ(offsetof(R, dnDevNode), 40u);
}

TEST(Records, ChannelCapsIsNineDwords) {
  EXPECT_EQ(sizeof(ChannelCaps), 36u);
  EXPECT_EQ(offsetof(ChannelCaps, dwSrcRectXMod), 4u);
  EXPECT_EQ(offsetof(ChannelCaps, dwDstRectXMod), 20u);
  EXPECT_EQ(offsetof(ChannelCaps, dwDstRectHeightMod), 32u);
}

TEST(Records, VideoConfigureParms32) {
  using R = VideoConfigureParms32;
  EXPECT_EQ(sizeof(R), 20u);
  EXPECT_EQ(offsetof(R, lpdwReturn), 0u);
  EXPECT_EQ(offsetof(R, lpData1), 4u);
  EXPECT_EQ(offsetof(R, dwSize1), 8u);
  EXPECT_EQ(offsetof(R, lpData2), 12u);
  EXPECT_EQ(offsetof(R, dwSize2), 16u);
}

TEST(Records, VideoConfigureParmsX64) {
  using R = VideoConfigureParmsX64;
  EXPECT_EQ(sizeof(R), 40u);
  EXPECT_EQ(offsetof(R, lpdwReturn), 0u);
  EXPECT_EQ(sizeof(R::lpdwReturn), 8u);
  EXPECT_EQ(offsetof(R, lpData1), 8u);
  EXPECT_EQ(offsetof(R, dwSize1), 16u);
  EXPECT_EQ(offsetof(R, lpData2), 24u);
  EXPECT_EQ(offsetof(R, dwSize2), 32u);
}

TEST(Records, StreamInit32) {
  using R = VideoStreamInitParms32;
  EXPECT_EQ(sizeof(R), 20u);
  EXPECT_EQ(offsetof(R, dwCallback), 4u);
  EXPECT_EQ(offsetof(R, dwCallbackInst), 8u);
  EXPECT_EQ(offsetof(R, dwFlags), 12u);
  EXPECT_EQ(offsetof(R, hVideo), 16u);
}

TEST(Records, StreamInitX64) {
  using R = VideoStreamInitParmsX64;
  EXPECT_EQ(sizeof(R), 40u);
  EXPECT_EQ(offsetof(R, dwCallback), 8u);
  EXPECT_EQ(sizeof(R::dwCallback), 8u);
  EXPECT_EQ(offsetof(R, dwCallbackInst), 16u);
  EXPECT_EQ(offsetof(R, dwFlags), 24u);
  EXPECT_EQ(offsetof(R, hVideo), 32u);
  EXPECT_EQ(sizeof(R::hVideo), 8u);
}

TEST(Records, ErrorTextBothLayouts) {
  EXPECT_EQ(sizeof(VideoGetErrorTextParms32), 12u);
  EXPECT_EQ(offsetof(VideoGetErrorTextParms32, lpText), 4u);
  EXPECT_EQ(offsetof(VideoGetErrorTextParms32, dwLength), 8u);
  EXPECT_EQ(sizeof(VideoGetErrorTextParmsX64), 24u);
  EXPECT_EQ(offsetof(VideoGetErrorTextParmsX64, lpText), 8u);
  EXPECT_EQ(sizeof(VideoGetErrorTextParmsX64::lpText), 8u);
  EXPECT_EQ(offsetof(VideoGetErrorTextParmsX64, dwLength), 16u);
}

// The native build speaks the 32-bit layout (with tokens).
TEST(Records, TheNativeBuildUsesTheThirtyTwoBitLayout) {
  EXPECT_EQ(sizeof(VideoOpenParms), sizeof(VideoOpenParms32));
  EXPECT_EQ(sizeof(VideoConfigureParms), sizeof(VideoConfigureParms32));
  EXPECT_EQ(sizeof(VideoStreamInitParms), sizeof(VideoStreamInitParms32));
  EXPECT_EQ(sizeof(VideoGetErrorTextParms), sizeof(VideoGetErrorTextParms32));
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
