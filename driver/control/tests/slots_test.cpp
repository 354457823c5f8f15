// The operation tables as slot positions: every operation of every object is
// pinned to its position in the published order. A virtual member function
// pointer of this compiler family holds 1 + the slot's byte offset in its
// first word, which is what separately built clients index by.
#include <gtest/gtest.h>

#include <cstring>

#include "driver/control/control_interface.h"

namespace tolven::control {
namespace {

template <class Member>
size_t SlotOf(Member member) {
  static_assert(sizeof member >= sizeof(uintptr_t));
  uintptr_t word = 0;
  std::memcpy(&word, &member, sizeof word);
  EXPECT_EQ(word % sizeof(void *), 1u) << "not a virtual operation";
  return (word - 1) / sizeof(void *);
}

template <class... Members>
void ExpectInOrder(const char *object, Members... members) {
  const size_t slots[] = {SlotOf(members)...};
  for (size_t expected = 0; expected < sizeof...(members); ++expected)
    EXPECT_EQ(slots[expected], expected) << object << " operation " << expected;
}

TEST(OperationTables, FactoryAndHub) {
  using F = IControlFactory;
  ExpectInOrder("factory", &F::GetInterfaceVersion, &F::GetInterfaceRevision, &F::CreateInterface,
                &F::Release, &F::DeletingDestructor);
  using H = IControlHub;
  ExpectInOrder("hub", &H::GetTuner, &H::GetCrossbar, &H::GetVideoDecoder, &H::GetProcAmp,
                &H::GetVideoPort, &H::Release, &H::DeletingDestructor);
}

TEST(OperationTables, Tuner) {
  using T = ITunerControl;
  ExpectInOrder("tuner", &T::GetInputCount, &T::GetInput, &T::SetInput, &T::GetInputType,
                &T::GetInputTypeNameLength, &T::GetInputTypeName, &T::GetStandardCount,
                &T::SetStandard, &T::GetStandard, &T::GetStandardNameLength, &T::GetStandardName,
                &T::GetChannelCount, &T::TuneChannel, &T::GetChannelNameLength, &T::GetChannelName,
                &T::GetChannelNumber, &T::GetCurrentChannel, &T::GetChannelPosition,
                &T::RenameChannel, &T::AddChannel, &T::MoveChannel, &T::DeleteChannel,
                &T::DeleteAllChannels, &T::SetChannelNumber, &T::SetProfileLocation,
                &T::OpenSettingsKey, &T::SaveSettings, &T::LoadSettings, &T::AutoScan, &T::SeekUp,
                &T::SeekDown, &T::StepUp, &T::StepDown, &T::SetProgressCallback,
                &T::MarkCurrentChannel, &T::RestoreMarkedChannel, &T::DeletingDestructor);
}

TEST(OperationTables, Crossbar) {
  using X = ICrossbarControl;
  ExpectInOrder("crossbar", &X::GetSourceCount, &X::GetSourceType, &X::SetSource, &X::GetSource,
                &X::GetSourceNameLength, &X::GetSourceName, &X::SourceHasAudio, &X::SetMute,
                &X::GetMute, &X::SetVolume, &X::SetInternalVolume, &X::GetVolume,
                &X::GetInternalVolume, &X::SetStereo, &X::GetStereo, &X::SetAudioMode,
                &X::GetAudioMode, &X::GetAudioModeCode, &X::GetAudioModeCount,
                &X::GetAudioModeNameLength, &X::GetAudioModeName, &X::GetDetectedAudioMode,
                &X::SetLanguage, &X::GetLanguageCount, &X::GetLanguage, &X::OpenSettingsKey,
                &X::SaveSettings, &X::LoadSettings, &X::DeletingDestructor);
}

TEST(OperationTables, VideoDecoder) {
  using D = IVideoDecoderControl;
  ExpectInOrder("decoder",
                &D::SetAspectRatio, &D::GetAspectRatio, &D::GetAspectRatioCount,
                &D::GetAspectRatioCode, &D::GetAspectRatioNameLength, &D::GetAspectRatioName,
                &D::SetVideoStandard, &D::GetVideoStandard, &D::GetVideoStandardCount,
                &D::GetVideoStandardCode, &D::GetVideoStandardNameLength, &D::GetVideoStandardName,
                &D::SetScaleStrategy, &D::GetScaleStrategy, &D::GetScaleStrategyCount,
                &D::GetScaleStrategyCode, &D::GetScaleStrategyNameLength, &D::GetScaleStrategyName,
                &D::SetInterlaceMode, &D::GetInterlaceMode, &D::GetInterlaceModeCount,
                &D::GetInterlaceModeCode, &D::GetInterlaceModeNameLength, &D::GetInterlaceModeName,
                &D::SetColourDepth, &D::GetColourDepth, &D::GetColourDepthCount,
                &D::GetColourDepthCode, &D::GetColourDepthNameLength, &D::GetColourDepthName,
                &D::SetOutputEnable, &D::GetOutputEnable, &D::SetVcrTiming, &D::GetVcrTiming,
                &D::IsSignalLocked, &D::GetDetectedVideoStandard, &D::OpenSettingsKey,
                &D::SaveSettings, &D::LoadSettings, &D::DeletingDestructor,
                &D::LookupAspectRatioName, &D::LookupVideoStandardName,
                &D::LookupScaleStrategyName, &D::LookupInterlaceModeName,
                &D::LookupColourDepthName, &D::VideoStandardCodeOf, &D::AspectRatioCodeOf,
                &D::ScaleStrategyCodeOf, &D::InterlaceModeCodeOf, &D::ColourDepthCodeOf,
                &D::VideoStandardOfCode, &D::AspectRatioOfCode, &D::ScaleStrategyOfCode,
                &D::InterlaceModeOfCode, &D::ColourDepthOfCode);
}

TEST(OperationTables, VideoPortAndPictureControls) {
  using P = IVideoPortControl;
  ExpectInOrder("video port", &P::SetAspect, &P::GetAspect, &P::GetAspectCode, &P::GetAspectCount,
                &P::GetAspectNameLength, &P::GetAspectName, &P::SetVideoFormat, &P::GetVideoFormat,
                &P::GetVideoFormatCode, &P::GetVideoFormatCount, &P::GetVideoFormatNameLength,
                &P::GetVideoFormatName, &P::SetConnection, &P::GetConnection,
                &P::GetConnectionCode, &P::GetConnectionCount, &P::GetConnectionNameLength,
                &P::GetConnectionName, &P::SetColourFormat, &P::GetColourFormat,
                &P::GetColourFormatCode, &P::GetColourFormatCount, &P::GetOverlayColourKey,
                &P::OpenSettingsKey, &P::SaveSettings, &P::LoadSettings, &P::DeletingDestructor,
                &P::LookupAspectName, &P::LookupVideoFormatName, &P::LookupConnectionName,
                &P::InitialiseVideoPort);
  using A = IProcAmpControl;
  ExpectInOrder("picture controls", &A::GetRange, &A::GetValue, &A::SetValue, &A::OpenSettingsKey,
                &A::SaveSettings, &A::LoadSettings, &A::DeletingDestructor);
}

// The records that cross the interface keep their sizes on every build.
TEST(OperationTables, RecordsCrossingTheInterface) {
  EXPECT_EQ(sizeof(ProcAmpRange), 16u);
  EXPECT_EQ(sizeof(ControlName), 4u + 2u * ControlName::kCapacity);
}

}  // namespace
}  // namespace tolven::control
