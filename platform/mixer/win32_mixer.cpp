#include "platform/mixer/win32_mixer.h"

#include <windows.h>
#include <mmsystem.h>

namespace tolven::mix {

static_assert(sizeof(MIXERCONTROLW) == 228, "the control record the mixer fills");
static_assert(kComponentTypeDstSpeakers == MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
static_assert(kControlTypeVolume == MIXERCONTROL_CONTROLTYPE_VOLUME);
static_assert(kControlTypeMute == MIXERCONTROL_CONTROLTYPE_MUTE);

uint32_t Win32Mixer::DeviceCount() { return mixerGetNumDevs(); }

Handle Win32Mixer::Open(uint32_t device) {
  HMIXER mixer = nullptr;
  if (mixerOpen(&mixer, device, 0, 0, 0) != MMSYSERR_NOERROR) return 0;
  return reinterpret_cast<Handle>(mixer);
}

void Win32Mixer::Close(Handle mixer) {
  if (mixer) mixerClose(reinterpret_cast<HMIXER>(mixer));
}

bool Win32Mixer::FindLineControl(Handle mixer, uint32_t componentType, uint32_t controlType,
                                 ControlDescription *control) {
  HMIXEROBJ object = reinterpret_cast<HMIXEROBJ>(mixer);
  MIXERLINEW line{};
  line.cbStruct = sizeof(line);
  line.dwComponentType = componentType;
  if (mixerGetLineInfoW(object, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
      MMSYSERR_NOERROR)
    return false;
  MIXERCONTROLW record{};
  MIXERLINECONTROLSW controls{};
  controls.cbStruct = sizeof(controls);
  controls.dwLineID = line.dwLineID;
  controls.dwControlType = controlType;
  controls.cControls = 1;
  controls.cbmxctrl = sizeof(record);
  controls.pamxctrl = &record;
  if (mixerGetLineControlsW(object, &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
      MMSYSERR_NOERROR)
    return false;
  control->controlId = record.dwControlID;
  control->controlType = record.dwControlType;
  control->minimum = record.Bounds.lMinimum;
  control->maximum = record.Bounds.lMaximum;
  return true;
}

bool Win32Mixer::SetValue(Handle mixer, uint32_t controlId, int32_t value) {
  MIXERCONTROLDETAILS_SIGNED detail{value};
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof(details);
  details.dwControlID = controlId;
  details.cChannels = 1;
  details.cbDetails = sizeof(detail);
  details.paDetails = &detail;
  return mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(mixer), &details,
                                MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

}  // namespace tolven::mix
