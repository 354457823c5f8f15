// The device control interface that tolvenu hands out through
// GetVarnInterface: a factory, a hub and five component objects, each seen by
// its callers only through its table of virtual operations.
//
// The tables are a calling contract with separately built programs (the
// viewer, varnctl): each operation below is one slot, in declaration order,
// called with the member calling convention of 32-bit Windows (this in ECX,
// callee pops the arguments). The destructor's slot is a single slot taking
// the deleting flags (bit 0: free the object), as a compiler that keeps one
// deleting destructor per class lays it out; the interfaces therefore have no
// C++ virtual destructor of their own (that would take two slots with some
// compilers). Only 32-bit integers, pointers and UTF-16 buffers cross it.
#pragma once
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define TOLVEN_THISCALL __attribute__((thiscall))
#define TOLVEN_STDCALL __attribute__((stdcall))
#else
#define TOLVEN_THISCALL
#define TOLVEN_STDCALL
#endif

namespace tolven::control {

// Progress report of the tuner's searches: code 1 scan, 2 upwards, 3
// downwards; answers nonzero to go on, 0 to stop.
using ProgressCallback = int32_t(TOLVEN_STDCALL *)(int32_t code, int32_t percent);

// The string object the internal name lookups fill: the display name with
// its terminating zero, cut to the buffer.
struct ControlName {
  static constexpr uint32_t kCapacity = 128;
  uint32_t length;  // characters, without the terminator
  char16_t text[kCapacity];
};

// A picture control's range: minimum, maximum, step, default.
struct ProcAmpRange {
  int32_t minimum, maximum, step, defaultValue;
};

#define TOLVEN_OP virtual TOLVEN_THISCALL

class ITunerControl {
 public:
  TOLVEN_OP int32_t GetInputCount() = 0;                                      // 0
  TOLVEN_OP int32_t GetInput() = 0;                                           // 1
  TOLVEN_OP int32_t SetInput(int32_t index) = 0;                              // 2
  TOLVEN_OP int32_t GetInputType(int32_t index) = 0;                          // 3
  TOLVEN_OP int32_t GetInputTypeNameLength(int32_t index) = 0;                // 4
  TOLVEN_OP int32_t GetInputTypeName(int32_t index, char16_t *buffer) = 0;    // 5
  TOLVEN_OP int32_t GetStandardCount() = 0;                                   // 6
  TOLVEN_OP int32_t SetStandard(int32_t index) = 0;                           // 7
  TOLVEN_OP int32_t GetStandard() = 0;                                        // 8
  TOLVEN_OP int32_t GetStandardNameLength(int32_t index) = 0;                 // 9
  TOLVEN_OP int32_t GetStandardName(int32_t index, char16_t *buffer) = 0;     // 10
  TOLVEN_OP int32_t GetChannelCount() = 0;                                    // 11
  TOLVEN_OP int32_t TuneChannel(int32_t index) = 0;                           // 12
  TOLVEN_OP int32_t GetChannelNameLength(int32_t index) = 0;                  // 13
  TOLVEN_OP int32_t GetChannelName(int32_t index, char16_t *buffer) = 0;      // 14
  TOLVEN_OP int32_t GetChannelNumber(int32_t index) = 0;                      // 15
  TOLVEN_OP int32_t GetCurrentChannel() = 0;                                  // 16
  TOLVEN_OP int32_t GetChannelPosition(int32_t index) = 0;                    // 17
  TOLVEN_OP int32_t RenameChannel(int32_t index, const char16_t *name) = 0;   // 18
  TOLVEN_OP int32_t AddChannel(const char16_t *name, int32_t position) = 0;   // 19
  TOLVEN_OP int32_t MoveChannel(int32_t from, int32_t to) = 0;                // 20
  TOLVEN_OP int32_t DeleteChannel(int32_t index) = 0;                         // 21
  TOLVEN_OP int32_t DeleteAllChannels() = 0;                                  // 22
  TOLVEN_OP int32_t SetChannelNumber(int32_t index, int32_t number) = 0;      // 23
  TOLVEN_OP int32_t SetProfileLocation(const char16_t *directory,
                                       const char16_t *extension) = 0;        // 24
  TOLVEN_OP int32_t OpenSettingsKey(const char16_t *subkey) = 0;              // 25
  TOLVEN_OP int32_t SaveSettings() = 0;                                       // 26
  TOLVEN_OP int32_t LoadSettings() = 0;                                       // 27
  TOLVEN_OP int32_t AutoScan() = 0;                                           // 28
  TOLVEN_OP int32_t SeekUp(int32_t index) = 0;                                // 29
  TOLVEN_OP int32_t SeekDown(int32_t index) = 0;                              // 30
  TOLVEN_OP int32_t StepUp(int32_t index) = 0;                                // 31
  TOLVEN_OP int32_t StepDown(int32_t index) = 0;                              // 32
  TOLVEN_OP ProgressCallback SetProgressCallback(ProgressCallback callback) = 0;  // 33
  TOLVEN_OP int32_t MarkCurrentChannel() = 0;                                 // 34
  TOLVEN_OP int32_t RestoreMarkedChannel() = 0;                               // 35
  TOLVEN_OP void *DeletingDestructor(uint32_t flags) = 0;                     // 36

 protected:
  ~ITunerControl() = default;
};

class ICrossbarControl {
 public:
  TOLVEN_OP int32_t GetSourceCount() = 0;                                     // 0
  TOLVEN_OP int32_t GetSourceType(int32_t index) = 0;                         // 1
  TOLVEN_OP int32_t SetSource(int32_t index) = 0;                             // 2
  TOLVEN_OP int32_t GetSource() = 0;                                          // 3
  TOLVEN_OP int32_t GetSourceNameLength(int32_t index) = 0;                   // 4
  TOLVEN_OP int32_t GetSourceName(int32_t index, char16_t *buffer) = 0;       // 5
  TOLVEN_OP int32_t SourceHasAudio(int32_t index) = 0;                        // 6
  TOLVEN_OP int32_t SetMute(int32_t on) = 0;                                  // 7
  TOLVEN_OP int32_t GetMute() = 0;                                            // 8
  TOLVEN_OP int32_t SetVolume(int32_t percent) = 0;                           // 9
  TOLVEN_OP int32_t SetInternalVolume(int32_t percent) = 0;                   // 10
  TOLVEN_OP int32_t GetVolume() = 0;                                          // 11
  TOLVEN_OP int32_t GetInternalVolume() = 0;                                  // 12
  TOLVEN_OP int32_t SetStereo(int32_t on) = 0;                                // 13
  TOLVEN_OP int32_t GetStereo() = 0;                                          // 14
  TOLVEN_OP int32_t SetAudioMode(int32_t index) = 0;                          // 15
  TOLVEN_OP int32_t GetAudioMode() = 0;                                       // 16
  TOLVEN_OP int32_t GetAudioModeCode(int32_t index) = 0;                      // 17
  TOLVEN_OP int32_t GetAudioModeCount() = 0;                                  // 18
  TOLVEN_OP int32_t GetAudioModeNameLength(int32_t index) = 0;                // 19
  TOLVEN_OP int32_t GetAudioModeName(int32_t index, char16_t *buffer) = 0;    // 20
  TOLVEN_OP int32_t GetDetectedAudioMode() = 0;                               // 21
  TOLVEN_OP int32_t SetLanguage(int32_t index) = 0;                           // 22
  TOLVEN_OP int32_t GetLanguageCount() = 0;                                   // 23
  TOLVEN_OP int32_t GetLanguage() = 0;                                        // 24
  TOLVEN_OP int32_t OpenSettingsKey(const char16_t *subkey) = 0;              // 25
  TOLVEN_OP int32_t SaveSettings() = 0;                                       // 26
  TOLVEN_OP int32_t LoadSettings() = 0;                                       // 27
  TOLVEN_OP void *DeletingDestructor(uint32_t flags) = 0;                     // 28

 protected:
  ~ICrossbarControl() = default;
};

// The decoder's five enumerated groups share one pattern of six operations.
#define TOLVEN_DECODER_GROUP(G)                                        \
  TOLVEN_OP int32_t Set##G(int32_t index) = 0;                         \
  TOLVEN_OP int32_t Get##G() = 0;                                      \
  TOLVEN_OP int32_t Get##G##Count() = 0;                               \
  TOLVEN_OP int32_t Get##G##Code(int32_t index) = 0;                   \
  TOLVEN_OP int32_t Get##G##NameLength(int32_t index) = 0;             \
  TOLVEN_OP int32_t Get##G##Name(int32_t index, char16_t *buffer) = 0;

class IVideoDecoderControl {
 public:
  TOLVEN_DECODER_GROUP(AspectRatio)    // 0-5
  TOLVEN_DECODER_GROUP(VideoStandard)  // 6-11
  TOLVEN_DECODER_GROUP(ScaleStrategy)  // 12-17
  TOLVEN_DECODER_GROUP(InterlaceMode)  // 18-23
  TOLVEN_DECODER_GROUP(ColourDepth)    // 24-29
  TOLVEN_OP int32_t SetOutputEnable(int32_t value) = 0;                       // 30
  TOLVEN_OP int32_t GetOutputEnable() = 0;                                    // 31
  TOLVEN_OP int32_t SetVcrTiming(int32_t value) = 0;                          // 32
  TOLVEN_OP int32_t GetVcrTiming() = 0;                                       // 33
  TOLVEN_OP int32_t IsSignalLocked() = 0;                                     // 34
  TOLVEN_OP int32_t GetDetectedVideoStandard() = 0;                           // 35
  TOLVEN_OP int32_t OpenSettingsKey(const char16_t *subkey) = 0;              // 36
  TOLVEN_OP int32_t SaveSettings() = 0;                                       // 37
  TOLVEN_OP int32_t LoadSettings() = 0;                                       // 38
  TOLVEN_OP void *DeletingDestructor(uint32_t flags) = 0;                     // 39
  // Display names into a string object (nonzero when there is one).
  TOLVEN_OP int32_t LookupAspectRatioName(int32_t index, ControlName *name) = 0;    // 40
  TOLVEN_OP int32_t LookupVideoStandardName(int32_t index, ControlName *name) = 0;  // 41
  TOLVEN_OP int32_t LookupScaleStrategyName(int32_t index, ControlName *name) = 0;  // 42
  TOLVEN_OP int32_t LookupInterlaceModeName(int32_t index, ControlName *name) = 0;  // 43
  TOLVEN_OP int32_t LookupColourDepthName(int32_t index, ControlName *name) = 0;    // 44
  // A value (bit) to its code.
  TOLVEN_OP int32_t VideoStandardCodeOf(uint32_t bit) = 0;                    // 45
  TOLVEN_OP int32_t AspectRatioCodeOf(uint32_t bit) = 0;                      // 46
  TOLVEN_OP int32_t ScaleStrategyCodeOf(uint32_t bit) = 0;                    // 47
  TOLVEN_OP int32_t InterlaceModeCodeOf(uint32_t bit) = 0;                    // 48
  TOLVEN_OP int32_t ColourDepthCodeOf(uint32_t bit) = 0;                      // 49
  // A code to its value (bit).
  TOLVEN_OP uint32_t VideoStandardOfCode(int32_t code) = 0;                   // 50
  TOLVEN_OP uint32_t AspectRatioOfCode(int32_t code) = 0;                     // 51
  TOLVEN_OP uint32_t ScaleStrategyOfCode(int32_t code) = 0;                   // 52
  TOLVEN_OP uint32_t InterlaceModeOfCode(int32_t code) = 0;                   // 53
  TOLVEN_OP uint32_t ColourDepthOfCode(int32_t code) = 0;                     // 54

 protected:
  ~IVideoDecoderControl() = default;
};
#undef TOLVEN_DECODER_GROUP

class IVideoPortControl {
 public:
  TOLVEN_OP int32_t SetAspect(int32_t index) = 0;                             // 0
  TOLVEN_OP int32_t GetAspect() = 0;                                          // 1
  TOLVEN_OP int32_t GetAspectCode(int32_t index) = 0;                         // 2
  TOLVEN_OP int32_t GetAspectCount() = 0;                                     // 3
  TOLVEN_OP int32_t GetAspectNameLength(int32_t index) = 0;                   // 4
  TOLVEN_OP int32_t GetAspectName(int32_t index, char16_t *buffer) = 0;       // 5
  TOLVEN_OP int32_t SetVideoFormat(int32_t index) = 0;                        // 6
  TOLVEN_OP int32_t GetVideoFormat() = 0;                                     // 7
  TOLVEN_OP int32_t GetVideoFormatCode(int32_t index) = 0;                    // 8
  TOLVEN_OP int32_t GetVideoFormatCount() = 0;                                // 9
  TOLVEN_OP int32_t GetVideoFormatNameLength(int32_t index) = 0;              // 10
  TOLVEN_OP int32_t GetVideoFormatName(int32_t index, char16_t *buffer) = 0;  // 11
  TOLVEN_OP int32_t SetConnection(int32_t index) = 0;                         // 12
  TOLVEN_OP int32_t GetConnection() = 0;                                      // 13
  TOLVEN_OP int32_t GetConnectionCode(int32_t index) = 0;                     // 14
  TOLVEN_OP int32_t GetConnectionCount() = 0;                                 // 15
  TOLVEN_OP int32_t GetConnectionNameLength(int32_t index) = 0;               // 16
  TOLVEN_OP int32_t GetConnectionName(int32_t index, char16_t *buffer) = 0;   // 17
  TOLVEN_OP int32_t SetColourFormat(int32_t index) = 0;                       // 18
  TOLVEN_OP int32_t GetColourFormat() = 0;                                    // 19
  TOLVEN_OP int32_t GetColourFormatCode(int32_t index) = 0;                   // 20
  TOLVEN_OP int32_t GetColourFormatCount() = 0;                               // 21
  TOLVEN_OP int32_t GetOverlayColourKey() = 0;                                // 22
  TOLVEN_OP int32_t OpenSettingsKey(const char16_t *subkey) = 0;              // 23
  TOLVEN_OP int32_t SaveSettings() = 0;                                       // 24
  TOLVEN_OP int32_t LoadSettings() = 0;                                       // 25
  TOLVEN_OP void *DeletingDestructor(uint32_t flags) = 0;                     // 26
  TOLVEN_OP int32_t LookupAspectName(int32_t index, ControlName *name) = 0;       // 27
  TOLVEN_OP int32_t LookupVideoFormatName(int32_t index, ControlName *name) = 0;  // 28
  TOLVEN_OP int32_t LookupConnectionName(int32_t index, ControlName *name) = 0;   // 29
  TOLVEN_OP int32_t InitialiseVideoPort() = 0;                                // 30

 protected:
  ~IVideoPortControl() = default;
};

class IProcAmpControl {
 public:
  TOLVEN_OP int32_t GetRange(int32_t property, ProcAmpRange *range) = 0;      // 0
  TOLVEN_OP int32_t GetValue(int32_t property, int32_t *value) = 0;           // 1
  TOLVEN_OP int32_t SetValue(int32_t property, int32_t value) = 0;            // 2
  TOLVEN_OP int32_t OpenSettingsKey(const char16_t *subkey) = 0;              // 3
  TOLVEN_OP int32_t SaveSettings() = 0;                                       // 4
  TOLVEN_OP int32_t LoadSettings() = 0;                                       // 5
  TOLVEN_OP void *DeletingDestructor(uint32_t flags) = 0;                     // 6

 protected:
  ~IProcAmpControl() = default;
};

class IControlHub {
 public:
  TOLVEN_OP ITunerControl *GetTuner() = 0;                                    // 0
  TOLVEN_OP ICrossbarControl *GetCrossbar() = 0;                              // 1
  TOLVEN_OP IVideoDecoderControl *GetVideoDecoder() = 0;                      // 2
  TOLVEN_OP IProcAmpControl *GetProcAmp() = 0;                                // 3
  TOLVEN_OP IVideoPortControl *GetVideoPort() = 0;                            // 4
  TOLVEN_OP void Release() = 0;                                               // 5
  TOLVEN_OP void *DeletingDestructor(uint32_t flags) = 0;                     // 6

 protected:
  ~IControlHub() = default;
};

class IControlFactory {
 public:
  TOLVEN_OP int32_t GetInterfaceVersion() = 0;                                // 0
  TOLVEN_OP int32_t GetInterfaceRevision() = 0;                               // 1
  TOLVEN_OP IControlHub *CreateInterface(int32_t version) = 0;                // 2
  TOLVEN_OP void Release() = 0;                                               // 3
  TOLVEN_OP void *DeletingDestructor(uint32_t flags) = 0;                     // 4

 protected:
  ~IControlFactory() = default;
};

#undef TOLVEN_OP

// Picture-control property numbers of the interface.
enum ProcAmpProperty : int32_t {
  kBackLightComp = 0,
  kBrightness = 1,
  kColourBalance = 2,
  kColourEnable = 3,
  kContrast = 4,
  kGammaCorrection = 5,
  kHue = 6,
  kInverseVideo = 7,
  kSaturation = 8,
  kSharpness = 9,
  kWhiteBalance = 10,
  kProcAmpPropertyCount = 11,
};

}  // namespace tolven::control
