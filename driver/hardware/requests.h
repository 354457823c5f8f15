// The request protocol between the device control model and the board's
// hardware components: for each component kind, the operations a Request
// record carries and the layout of its records. This is the one place the
// numbers are written; the chips (their Dispatch and FillDescription), the
// control components and the tests use these names.
//
// A record is a fixed-size array of 32-bit words. A Request record starts
// with its operation code; a Describe record is filled by the component with
// what it offers. An unknown operation answers 0 and leaves the record as it
// was; operations a card does not have answer 1 and change nothing (or write
// a fixed result), so that a client can tell "not on this card" from "no
// such request".
#pragma once
#include <cstdint>

namespace tolven::requests {

// Word 0 of every request record.
inline constexpr uint32_t kOperationWord = 0;

// --- Tuner module (kind 1): request and description records of 15 words.
namespace tuner {
inline constexpr uint32_t kRecordWords = 15;
enum Operation : uint32_t {
  kReadStatus = 0,         // result: the module's status byte (signal level, lock)
  kNoEffect = 1,
  kReadInputType = 2,      // result: the input's type
  kReadInputSecond = 3,    // result: the input's second type word
  kReadTuningSpace = 4,    // result: 0
  kReadCurrentInput = 5,   // result: the input selected (always 0)
  kSelectInput = 6,        // argument: input; result: 1 when it exists
  kReadStandards = 7,      // result: the standards the input receives
  kSelectStandard = 8,     // argument: standard bit; result: 0
  kReadFlags = 9,          // result: the description's flags word
  kReadCountry = 10,       // result: 0
  kReadFrequency = 11,     // result: the frequency last tuned, Hz
  kTune = 12,              // argument: frequency in Hz; answers 0 when out of range
  kReadVideoFormat = 13,   // result: 0
};
// Words of a request record.
inline constexpr uint32_t kArgumentWord = 1;
inline constexpr uint32_t kResultWord = 2;
// Words of the description record (all zero: no module, or one the driver
// cannot talk to).
enum DescriptionWord : uint32_t {
  kInputType = 0,
  kInputSecond = 1,
  kStandards = 2,         // standards received, one bit each
  kFlags = 3,             // bit kFineTuningFlag: fine tuning reads the status
  kSettleMs = 4,          // time the module needs after a tune before its status means anything
  kInputCount = 5,
  kMinimumHz = 7,         // tuning range
  kMaximumHz = 8,
  kLockTimeout = 10,      // status answered when the lock times out
  kNoSignalStatus = 11,   // status read with no usable signal
  kCentredStatus = 12,    // status read with the signal centred
  kFineStepHz = 14,       // the fine-tuning step
};
inline constexpr uint32_t kFineTuningFlag = 2;
}  // namespace tuner

// --- TV audio processor (kind 2): request records of 2 words, a description
// of 8.
namespace audio {
inline constexpr uint32_t kRequestWords = 2;
inline constexpr uint32_t kDescriptionWords = 8;
enum Operation : uint32_t {
  kReadMode = 0,            // value: the audio mode asked for (audio-mode bits)
  kSetMode = 1,             // value: audio mode; applies it
  kReadLanguage = 2,        // value: the language (program) asked for
  kSetLanguage = 3,         // value: language; applies it
  kReadDetectedModes = 4,   // value: the modes the signal offers (bit 0 always)
  kReadLanguageFlags = 5,   // value: the languages now playing (bit 0 always)
  kSetRawVolume = 6,        // value: the volume, in the processor's own units
  kReadRawVolume = 7,
  kReapply = 8,             // applies the mode and language again
};
// Word 1 of a request record carries the value both ways.
inline constexpr uint32_t kValueWord = 1;
enum DescriptionWord : uint32_t {
  kTunerModes = 0,          // audio modes on the tuner input
  kTunerLanguages = 1,
  kOtherModes = 2,          // audio modes on the other inputs
  kOtherLanguages = 3,
  kVolumeMinimum = 4,
  kVolumeMaximum = 5,
  kVolumeStep = 6,
  kVolumeDefault = 7,
};
}  // namespace audio

// --- Crossbar switch (kind 4): request records of 7 words.
namespace crossbar {
inline constexpr uint32_t kRecordWords = 7;
enum Operation : uint32_t {
  kPinInfo = 0,  // pin → direction, index, related pin, type
  kCanRoute = 1, // input, output → 1 when the route is possible
  kRoute = 2,    // input, output → 1 when routed
  kRouting = 3,  // pin → the input and output it is routed with
};
enum Word : uint32_t {
  kPinWord = 1,           // kPinInfo, kRouting: the pin asked about
  kInputWord = 1,         // kCanRoute, kRoute
  kOutputWord = 2,
  kAnswerWord = 3,        // kCanRoute, kRoute: 1 or 0
  kDirectionWord = 3,     // kPinInfo: 1 input, 2 output
  kIndexWord = 4,         //           the pin's index
  kRelatedWord = 5,       //           the related pin (-1: none)
  kTypeWord = 6,          //           the connector type code
  kRoutedInputWord = 3,   // kRouting
  kRoutedOutputWord = 4,
};
}  // namespace crossbar

// --- Video decoder (kind 8): request records of 3 words, a description of 9.
namespace decoder {
inline constexpr uint32_t kRequestWords = 3;
inline constexpr uint32_t kDescriptionWords = 9;
enum Operation : uint32_t {
  kSetVideoStandard = 0,
  kSetAspectRatio = 1,
  kSetScaleStrategy = 2,
  kSetInterlaceMode = 3,
  kSetColourDepth = 4,
  kSetReserved = 5,             // accepted, no effect
  kSetOutputEnable = 6,
  kSetVcrTiming = 7,
  kReadVideoStandard = 8,
  kReadAspectRatio = 9,
  kReadScaleStrategy = 10,
  kReadInterlaceMode = 11,
  kReadColourDepth = 12,
  kReadReserved = 13,
  kReadOutputEnable = 14,
  kReadVcrTiming = 15,
  kReadSignalLock = 16,         // result: 1 while the decoder is locked to a signal
  kReadDetectedStandard = 17,   // result: the standard received (detected when automatic)
};
inline constexpr uint32_t kArgumentWord = 1;
inline constexpr uint32_t kResultWord = 2;
enum DescriptionWord : uint32_t {
  kStandards = 0,       // video standards, one bit each
  kAspectRatios = 1,
  kScaleStrategies = 2,
  kInterlaceModes = 3,
  kColourDepths = 4,
  kVcrTimingCapable = 5,     // nonzero: kSetVcrTiming has an effect
  kOutputEnableCapable = 6,  // nonzero: kSetOutputEnable has an effect
};
}  // namespace decoder

// --- Picture controls (kind 16): request records of 2 words, a description
// of 38.
namespace procamp {
inline constexpr uint32_t kRequestWords = 2;
inline constexpr uint32_t kDescriptionWords = 38;
// The properties, as the hardware numbers them. Setting property p is
// operation p; reading it is operation kReadFirst + p.
enum Property : uint32_t {
  kBrightness = 0,
  kContrast = 1,
  kHue = 2,
  kSaturation = 3,
  kGammaCorrection = 4,
  kSharpness = 5,
  kColourBalance = 6,
  kWhiteBalance = 7,
  kBackLightCompensation = 8,
  kColourEnable = 9,   // on/off
  kInverseVideo = 10,  // on/off
};
inline constexpr uint32_t kPropertyCount = 11;
inline constexpr uint32_t kFirstOnOff = kColourEnable;
inline constexpr uint32_t kReadFirst = 11;
constexpr uint32_t SetOperation(uint32_t property) { return property; }
constexpr uint32_t ReadOperation(uint32_t property) { return kReadFirst + property; }
// Word 1 carries the value both ways.
inline constexpr uint32_t kValueWord = 1;
// Description: for each ranged property (0-8) four words, then one word
// per on/off property (nonzero: the card has it).
inline constexpr uint32_t kRangeWords = 4;
enum RangeWord : uint32_t { kMinimum = 0, kMaximum = 1, kStep = 2, kDefault = 3 };
constexpr uint32_t RangeWordOf(uint32_t property, RangeWord word) { return property * kRangeWords + word; }
inline constexpr uint32_t kOnOffFirstWord = 36;
constexpr uint32_t OnOffWordOf(uint32_t property) { return kOnOffFirstWord + (property - kFirstOnOff); }
}  // namespace procamp

// --- Video port (kind 64): request records of 3 words, a description of 4.
namespace videoport {
inline constexpr uint32_t kRequestWords = 3;
inline constexpr uint32_t kDescriptionWords = 4;
enum Operation : uint32_t {
  kReadAspect = 0,
  kSetAspect = 1,
  kReadVideoFormat = 2,   // the port's digital video standard
  kSetVideoFormat = 3,
  kReadConnection = 4,
  kSetConnection = 5,
  kReadColourFormat = 6,  // result: a four-character code
  kSetColourFormat = 7,
  kColourFormatAt = 8,    // argument: index; result: that format's code
};
inline constexpr uint32_t kArgumentWord = 1;
inline constexpr uint32_t kResultWord = 2;
enum DescriptionWord : uint32_t {
  kAspects = 0,         // one bit each
  kVideoFormats = 1,
  kConnections = 2,
  kColourFormatCount = 3,
};
}  // namespace videoport

}  // namespace tolven::requests
