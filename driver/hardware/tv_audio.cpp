#include "driver/hardware/tv_audio.h"

#include <cstddef>

#include "driver/hardware/requests.h"
#include "driver/hardware/tuner_module.h"

namespace tolven {

namespace {

constexpr int32_t kSupported[] = {0x0F0007, 0x0F0004, 0x230007, 0x2D0007, 0x370007};
// Recognised but unsupported: the code is kept for the user to see.
constexpr int32_t kKnown[] = {0x080007, 0x000003, 0x000004, 0x050004, 0x0A0003,
                              0x0A0004, 0x120007, 0x260007, 0x300007, 0x3A0007};

template <typename T, size_t N>
bool Contains(const T (&list)[N], T value) {
  for (T v : list)
    if (v == value) return true;
  return false;
}

// Tuner regions by module type.
constexpr int32_t kRegionM[] = {0, 4, 12};     // FM M (two-carrier)
constexpr int32_t kRegionI[] = {1, 5, 13};     // NICAM I
constexpr int32_t kRegionBG[] = {2, 6, 14};    // FM or NICAM B/G
constexpr int32_t kRegionDK[] = {3, 9};        // FM or NICAM D/K
constexpr int32_t kNoRegion[] = {7, 8};        // behave as source 2

// Audio-processing registers.
constexpr uint16_t kLoudspeakerVolume = 0x00;
constexpr uint16_t kSecondOutputVolume = 0x07;
constexpr uint16_t kMutedVolume = 4094;
constexpr uint16_t kFmStereoDetector = 0x18;
// Demodulator registers.
constexpr uint16_t kDemodStandard = 0x20;
constexpr uint16_t kNicamStatusRegister = 0x23;

// clang-format off
struct Step {
  uint16_t standard;       // demodulator 0x20
  uint16_t prescaleReg;    // audio register
  uint16_t prescale;
  int32_t fmMatrix;        // audio 0x15, -1: not written
  uint32_t waitMs;
  bool nicam;              // reads the NICAM status, else the FM detector
};
constexpr Step kSteps[] = {
  /* NicamI  */ {10, 0x10, 0x5A00, -1,  500, true},
  /* NicamBG */ { 8, 0x10, 0x5A00, -1, 1000, true},
  /* NicamDK */ {11, 0x10, 0x5A00, -1,  500, true},
  /* FmM     */ { 2, 0x0E, 0x2402,  1, 1000, false},
  /* FmBG    */ { 3, 0x0E, 0x2401,  0, 1000, false},
  /* FmDK1   */ { 4, 0x0E, 0x2401,  0, 1000, false},
  /* FmDK2   */ { 5, 0x0E, 0x2401, -1, 1000, false},
  /* FmMMono */ { 2, 0x0E, 0x2400,  0, 1000, false},
};

// Output programs: loudspeaker and second-output source and matrix (audio
// 0x08 and 0x0A = source * 256 + matrix, 0x0C = source * 256 + 0x20), the
// switch register 0x13 and a prescale.
struct Program {
  uint16_t source, matrix, switchValue, prescaleReg, prescale;
};
constexpr Program kPrograms[15] = {
  /*  0 */ {1, 0x20, 800 | 3072, 0x10, 0x5A00},
  /*  1 */ {1, 0x00, 800 | 3072, 0x10, 0x5A00},
  /*  2 */ {1, 0x10, 800 | 3072, 0x10, 0x5A00},
  /*  3 */ {0, 0x20, 800 | 3072, 0x0E, 0x2401},
  /*  4 */ {0, 0x00, 800 | 3072, 0x0E, 0x2401},
  /*  5 */ {0, 0x10, 800 | 3072, 0x0E, 0x2401},
  /*  6 */ {0, 0x00, 800 | 3072, 0x0E, 0x2401},  // tuner types 0, 4, 12; see below
  /*  7 */ {2, 0x20,   0 | 3072, 0x0D, 0x1900},
  /*  8 */ {2, 0x00,   0 | 3072, 0x0D, 0x1900},
  /*  9 */ {2, 0x10,   0 | 3072, 0x0D, 0x1900},
  /* 10 */ {2, 0x00,   0 | 3072, 0x0D, 0x1900},
  /* 11 */ {2, 0x20, 512 | 3072, 0x0D, 0x1900},
  /* 12 */ {2, 0x00, 512 | 3072, 0x0D, 0x1900},
  /* 13 */ {2, 0x10, 512 | 3072, 0x0D, 0x1900},
  /* 14 */ {2, 0x00, 512 | 3072, 0x0D, 0x1900},
};
// Program 6 for every other tuner type.
constexpr Program kProgram6Other{2, 0x00, 256 | 3072, 0x0E, 0x2400};

// Mode masks (available, current) by result code; 0/0 leaves them unchanged.
struct Masks {
  int32_t code;
  uint32_t available[3], current[3];  // tables 1, 2, 3
};
constexpr Masks kMasks[] = {
  { 1, {0, 3, 3}, {0, 3, 3}}, { 3, {0, 3, 3}, {0, 3, 3}}, {21, {0, 3, 3}, {0, 3, 3}},
  { 5, {0, 3, 3}, {0, 7, 7}},
  { 7, {0, 3, 3}, {0, 1, 1}}, {17, {0, 3, 3}, {0, 1, 1}}, {19, {0, 3, 3}, {0, 1, 1}}, {23, {0, 3, 3}, {0, 1, 1}},
  {24, {65, 0, 9}, {1, 0, 1}},
  {25, { 5, 0, 9}, {1, 0, 1}},
  {26, { 5, 0, 9}, {3, 0, 3}},
  {30, { 1, 1, 1}, {1, 1, 1}},
};

// AudioDescribe masks (standards, modes) by chip version for tuner types
// 0, 4 and 12.
struct VersionMasks {
  int32_t version;
  uint32_t standards, modes;
  bool keepCallers;
};
constexpr VersionMasks kVersionMasks[] = {
  {0x230007, 0x80000005, 3, false}, {0x260007, 0x80000005, 3, false},
  {0x2D0007, 0x80000055, 3, false}, {0x300007, 0x80000055, 3, false},
  {0x370007, 0x80000055, 3, false}, {0x3A0007, 0x80000055, 3, false},
  {0x120007, 0x80000041, 3, false}, {0x0F0004, 0x80000041, 3, false},
  {0x0F0007, 0x80000041, 3, false}, {0x080007, 0x80000041, 3, false},
  {0x050004, 0x80000041, 3, false},
  {0x0A0003, 0, 0, true}, {0x0A0004, 0, 0, true}, {3, 0, 0, true}, {4, 0, 0, true},
};
// clang-format on

constexpr uint32_t kDescribeTail[6] = {0x30001, 3, 0, 32512, 256, 16384};

bool IsNicamCode(int32_t code) {
  return code == 1 || code == 3 || code == 5 || code == 7 || code == 17 || code == 19 ||
         code == 21 || code == 23;
}
// Results that a forced FM standard turns into FM stereo.
bool NotFmResult(int32_t code) {
  return IsNicamCode(code) || (code >= kAudioAltLine && code <= kAudioNone);
}

}  // namespace

bool CTvAudioChip::WriteControl(uint16_t value) {
  const uint8_t bytes[] = {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
  return bus_.WriteRegisterBlock(kAudioBusAddress, kSubControl, 2, bytes, 1) != 0;
}

bool CTvAudioChip::WriteRegister(uint8_t sub, uint16_t reg, uint16_t value) {
  if (sub != kSubDemodWrite && sub != kSubAudioWrite) return false;
  const uint8_t bytes[] = {static_cast<uint8_t>(reg >> 8), static_cast<uint8_t>(reg),
                           static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
  return bus_.WriteRegisterBlock(kAudioBusAddress, sub, 4, bytes, 1) != 0;
}

bool CTvAudioChip::ReadRegister(uint8_t sub, uint16_t reg, uint16_t *value) {
  if (sub != kSubDemodRead && sub != kSubAudioRead) return false;
  const uint8_t bytes[] = {static_cast<uint8_t>(reg >> 8), static_cast<uint8_t>(reg)};
  if (!bus_.WriteRegisterBlock(kAudioBusAddress, sub, 2, bytes, 0)) return false;
  uint8_t word[2] = {};
  if (!bus_.ReadBytes(kAudioBusAddress, 2, word, 1)) return false;
  *value = static_cast<uint16_t>(word[0] << 8 | word[1]);
  return true;
}

void CTvAudioChip::Reset() {
  WriteControl(0x8000);
  clock_.Sleep(10);
  WriteControl(0);
}

bool CTvAudioChip::Detect() {
  Reset();
  clock_.Sleep(10);
  uint16_t high = 0, low = 0;
  if (!ReadAudio(0x1F, &high) || !ReadAudio(0x1E, &low)) return false;
  version_ = (high >> 8) * 65536 + (low & 0xFF);
  if (Contains(kSupported, version_)) return true;
  if (!Contains(kKnown, version_)) version_ = -1;
  return false;
}

bool CTvAudioChip::Initialise() {
  Reset();
  WriteDemod(0x20, 1);
  WriteDemod(0x21, 1);
  WriteAudio(0x00, 0);
  WriteAudio(0x07, 4094);
  for (uint16_t reg = 0x01; reg <= 0x05; ++reg) WriteAudio(reg, 0);
  WriteAudio(0x0D, 0x1900);
  return true;
}

uint32_t CTvAudioChip::SetOwner(uint32_t value) {
  if (value == 0 || value == 2) Mute(true);
  else if (value == 1) Mute(false);
  return CComponentFamily::SetOwner(value);
}

void CTvAudioChip::Mute(bool on) {
  if (on == muted_) return;
  muted_ = on;
  if (on) {
    WriteAudio(kLoudspeakerVolume, kMutedVolume);
    WriteAudio(kSecondOutputVolume, 0);
  } else {
    WriteAudio(kLoudspeakerVolume, loudspeaker_);
    WriteAudio(kSecondOutputVolume, secondOutput_);
  }
}

void CTvAudioChip::SetVolume(uint32_t value) {
  secondOutput_ = static_cast<uint16_t>(value);
  if (!muted_) WriteAudio(kSecondOutputVolume, secondOutput_);
}

int32_t CTvAudioChip::TunerType() const { return tuner_ ? tuner_->Type() : CTunerModule::kNoTuner; }

int32_t CTvAudioChip::NicamStatus() {
  uint16_t status = 0;
  ReadRegister(kSubDemodRead, kNicamStatusRegister, &status);
  if (!(status & 0x01) || (status & 0x08)) return kAudioNone;
  return status & 0x17;
}

int32_t CTvAudioChip::FmStereo() {
  uint16_t raw = 0;
  if (!ReadAudio(kFmStereoDetector, &raw)) return kAudioNone;
  const int16_t level = static_cast<int16_t>(raw);
  if (level >= 15) return kAudioFmStereo;
  if (level <= -15) return kAudioFmDual;
  return kAudioNone;
}

int32_t CTvAudioChip::RunStep(AudioStep step) {
  const Step &s = kSteps[static_cast<int>(step)];
  WriteDemod(kDemodStandard, s.standard);
  WriteAudio(s.prescaleReg, s.prescale);
  if (s.fmMatrix >= 0) WriteAudio(0x15, static_cast<uint16_t>(s.fmMatrix));
  clock_.Sleep(s.waitMs);
  return s.nicam ? NicamStatus() : FmStereo();
}

// FM D/K: the preferred of D/K1 and D/K2 first; only a result other than
// none runs the other, whose result is the answer and which becomes the
// preferred when it finds something.
int32_t CTvAudioChip::FmDK() {
  int32_t result = RunStep(preferDK2_ ? AudioStep::FmDK2 : AudioStep::FmDK1);
  if (result == kAudioNone) return result;
  int32_t other = RunStep(preferDK2_ ? AudioStep::FmDK1 : AudioStep::FmDK2);
  if (other != kAudioNone) preferDK2_ = !preferDK2_;
  return other;
}

void CTvAudioChip::MasksFromTable(int table, int32_t code) {
  for (const Masks &m : kMasks) {
    if (m.code != code) continue;
    if (m.available[table - 1] == 0 && m.current[table - 1] == 0) return;
    SetMasks(m.available[table - 1], m.current[table - 1]);
    return;
  }
}

int32_t CTvAudioChip::AutoDetect() {
  const int32_t type = TunerType();
  int32_t result = kAudioNone;
  if (Contains(kRegionM, type)) {
    result = RunStep(AudioStep::FmM);
    MasksFromTable(1, result);
  } else if (Contains(kRegionI, type)) {
    result = RunStep(AudioStep::NicamI);
    MasksFromTable(2, result);
  } else if (Contains(kRegionBG, type)) {
    result = RunStep(preferNicamBG_ ? AudioStep::NicamBG : AudioStep::FmBG);
    if (result == kAudioNone) {
      result = RunStep(preferNicamBG_ ? AudioStep::FmBG : AudioStep::NicamBG);
      if (result != kAudioNone) preferNicamBG_ = !preferNicamBG_;
    }
    MasksFromTable(3, result);
  } else if (Contains(kRegionDK, type)) {
    result = preferNicamDK_ ? RunStep(AudioStep::NicamDK) : FmDK();
    if (result != kAudioNone) {
      result = preferNicamDK_ ? FmDK() : RunStep(AudioStep::NicamDK);
      if (result != kAudioNone) preferNicamDK_ = !preferNicamDK_;
    }
    MasksFromTable(3, result);
  }
  return result;
}

int32_t CTvAudioChip::ProgramFor(int32_t code, uint32_t mode) {
  switch (code) {
    case 1: return mode == 1 ? 0 : 6;
    case 3: return mode == 1 ? 1 : 6;
    case 5: return mode == 1 ? 1 : mode == 2 ? 2 : mode == 4 ? 6 : -1;
    case 7: case 23: case 25: case kAudioNone: return 6;
    case 17: return 0;
    case 19: return 1;
    case 21: return mode == 1 ? 1 : 2;
    case kAudioFmStereo: return 3;
    case kAudioFmDual: return mode == 1 ? 4 : 5;
    case kAudioAltLine: return 11;
    case kAudioAltMono: return 14;
    case kAudioAltDual: return mode == 1 ? 12 : 13;
    default: return -1;
  }
}

void CTvAudioChip::SelectProgram(int32_t program) {
  if (program < 0 || program >= 15) return;
  const int32_t type = TunerType();
  const Program &p = (program == 6 && !Contains(kRegionM, type)) ? kProgram6Other : kPrograms[program];
  const uint16_t route = static_cast<uint16_t>(p.source * 256 + p.matrix);
  WriteAudio(0x08, route);
  WriteAudio(0x0A, route);
  WriteAudio(0x0C, static_cast<uint16_t>(p.source * 256 + 0x20));
  WriteAudio(0x13, p.switchValue);
  WriteAudio(p.prescaleReg, p.prescale);
  program_ = program;
}

// Sources 1 and 2 (the alternative inputs): mono, line stereo or dual.
bool CTvAudioChip::ApplyAlternative(uint32_t source) {
  const bool first = source == 1;
  int32_t result, program;
  switch (standard_) {
    case 1:
      result = kAudioAltMono, program = first ? 10 : 14;
      SetMasks(0, 1);
      break;
    case 65536:
      result = kAudioAltLine, program = first ? 7 : 11;
      SetMasks(0, 1);
      break;
    case 131072:
      if (mode_ == 1) program = first ? 8 : 12;
      else if (mode_ == 2) program = first ? 9 : 13;
      else return false;
      result = kAudioAltDual;
      SetMasks(0, 3);
      break;
    default:
      return false;
  }
  SelectProgram(program);
  result_ = result;
  return true;
}

bool CTvAudioChip::Apply() {
  const int32_t type = TunerType();
  if (source_ == 1 || source_ == 2) return ApplyAlternative(source_);
  if (Contains(kNoRegion, type)) return ApplyAlternative(2);

  const uint32_t s = standard_;
  int32_t result;
  if (s == 0x80000000u) {
    result = AutoDetect();
  } else if (Contains(kRegionI, type) && (s == 1 || s == 2)) {
    if (s == 1) {
      WriteAudio(0x0E, 0x2401);
      WriteAudio(0x15, 0);
      result = kAudioNone;
      SetMasks(1, 1);
    } else {
      result = RunStep(AudioStep::NicamI);
      if (result >= kAudioFmStereo && result <= kAudioNone) {
        RunStep(AudioStep::NicamI);
        result = 17;
      }
      MasksFromTable(2, result);
    }
  } else if (Contains(kRegionBG, type) && (s == 1 || s == 2 || s == 8)) {
    if (s == 1) {
      RunStep(AudioStep::FmBG);
      result = kAudioNone;
      SetMasks(1, 1);
    } else if (s == 2) {
      result = RunStep(AudioStep::NicamBG);
      if (result >= kAudioFmStereo && result <= kAudioNone) {
        RunStep(AudioStep::NicamBG);
        result = 17;
      }
      MasksFromTable(3, result);
    } else {
      result = RunStep(AudioStep::FmBG);
      if (NotFmResult(result)) {
        RunStep(AudioStep::FmBG);
        result = kAudioFmStereo;
      }
      MasksFromTable(3, result);
    }
  } else if (Contains(kRegionDK, type) && (s == 1 || s == 2 || s == 8)) {
    if (s == 1) {
      result = kAudioNone;
      SetMasks(1, 1);
    } else if (s == 2) {
      result = RunStep(AudioStep::NicamDK);
      if (result >= kAudioFmStereo && result <= kAudioNone) {
        RunStep(AudioStep::NicamDK);
        result = 17;
      }
      MasksFromTable(3, result);
    } else {
      result = FmDK();
      if (NotFmResult(result)) {
        RunStep(AudioStep::FmDK1);
        result = kAudioFmStereo;
      }
      MasksFromTable(3, result);
    }
  } else if (Contains(kRegionM, type) && (s == 1 || s == 4 || s == 64)) {
    if (s == 1) {
      RunStep(AudioStep::FmMMono);
      result = kAudioNone;
    } else {
      result = RunStep(AudioStep::FmM);
      if (NotFmResult(result)) {
        if (s == 4) FmStereo();
        else RunStep(AudioStep::FmM);
        result = kAudioFmStereo;
      }
      MasksFromTable(1, result);
    }
  } else {
    return true;  // only the mode is stored
  }
  SelectProgram(ProgramFor(result, mode_));
  result_ = result;
  return true;
}

uint32_t CTvAudioChip::Dispatch(uint32_t *record) {
  using namespace requests::audio;
  // The chip's "standard" is the audio mode of the request protocol, its
  // "mode" the language.
  uint32_t &value = record[kValueWord];
  switch (record[requests::kOperationWord]) {
    case kReadMode: value = standard_; break;
    case kSetMode: standard_ = value; Apply(); break;
    case kReadLanguage: value = mode_; break;
    case kSetLanguage: mode_ = value; Apply(); break;
    case kReadDetectedModes: value = available_ | 1; break;
    case kReadLanguageFlags: value = current_ | 1; break;
    case kSetRawVolume: SetVolume(value); break;
    case kReadRawVolume: value = secondOutput_; break;
    case kReapply: Apply(); break;
    default: return 0;
  }
  return 1;
}

void CTvAudioChip::FillDescription(uint32_t *record) {
  const int32_t type = TunerType();
  if (type == CTunerModule::kNoTuner) {
    const uint32_t none[requests::audio::kDescriptionWords] = {1, 0, 1, 0, 0, 0, 0, 0};
    for (uint32_t i = 0; i < requests::audio::kDescriptionWords; ++i) record[i] = none[i];
    return;
  }
  uint32_t standards = 1, modes = 1;
  bool keep = false;
  if (Contains(kNoRegion, type)) {
    standards = 1, modes = 0;
  } else if (Contains(kRegionI, type)) {
    standards = 0x80000003, modes = 7;
  } else if (type == 2 || type == 3 || type == 6 || type == 9 || type == 10 || type == 14) {
    standards = 0x8000000B, modes = 7;
  } else if (type == 11 || type == 15) {
    standards = 0x80000003, modes = 3;
  } else if (Contains(kRegionM, type)) {
    for (const VersionMasks &v : kVersionMasks) {
      if (v.version != version_) continue;
      standards = v.standards, modes = v.modes, keep = v.keepCallers;
    }
  }
  if (!keep) {
    record[requests::audio::kTunerModes] = standards;
    record[requests::audio::kTunerLanguages] = modes;
  }
  for (uint32_t i = 0; i < 6; ++i) record[requests::audio::kOtherModes + i] = kDescribeTail[i];
}

}  // namespace tolven
