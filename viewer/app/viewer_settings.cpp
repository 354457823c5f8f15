#include "viewer/app/viewer_settings.h"

#include "viewer/app/quick_launch.h"

namespace tolven::viewer {

CViewerSettings::CViewerSettings(reg::Registry &registry) : registry_(registry) {
  if (registry_.CreateKey(reg::kCurrentUser, kViewerAppKey, reg::kAllAccess, &key_) != 0) key_ = 0;
  power = CPowerManagement(registry_).Probe();
  // A session that crashed with the power-management switches at 0 left the
  // values it read before; the keys now hold its zeros, not the user's.
  uint32_t recorded = 0, shutOff = 0, standby = 0;
  if (Read(kRestoreScreensaver, &recorded) && recorded != 0) {
    foundRecord_ = true;
    if (Read(kRestoreShutOff, &shutOff)) power.shutOffEnabled = shutOff;
    if (Read(kRestoreStandby, &standby)) power.standbyEnabled = standby;
  }
}

void CViewerSettings::RecordSwitchedOff() {
  Write(kRestoreShutOff, power.shutOffEnabled);
  Write(kRestoreStandby, power.standbyEnabled);
  Write(kRestoreScreensaver, 1);
  if (key_) registry_.FlushKey(key_);
}

void CViewerSettings::DropSwitchedOffRecord() {
  if (!key_) return;
  registry_.DeleteValue(key_, kRestoreScreensaver);
  registry_.DeleteValue(key_, kRestoreShutOff);
  registry_.DeleteValue(key_, kRestoreStandby);
  registry_.FlushKey(key_);
  foundRecord_ = false;
}

CViewerSettings::~CViewerSettings() {
  if (key_) registry_.CloseKey(key_);
}

bool CViewerSettings::Read(const char16_t *name, uint32_t *value) {
  if (!key_) return false;
  uint32_t type = 0, data = 0, size = sizeof(data);
  if (registry_.QueryValue(key_, name, &type, &data, &size) != 0 || type != reg::kDword || size != sizeof(data))
    return false;
  *value = data;
  return true;
}

void CViewerSettings::Write(const char16_t *name, uint32_t value) {
  if (key_) registry_.SetValue(key_, name, reg::kDword, &value, sizeof(value));
}

namespace {
// Reads into an int or a flag, leaving it alone when the value is missing.
template <typename T>
void Into(uint32_t raw, T *out) {
  if constexpr (sizeof(T) == 1)
    *out = raw != 0;
  else
    *out = static_cast<T>(raw);
}
}  // namespace

void CViewerSettings::Load() {
  struct Field {
    const char16_t *name;
    int32_t *number;
    bool *flag;
  };
  const Field fields[] = {
      {u"Control Type", &controlType, nullptr},   {u"Main Left", &main.left, nullptr},
      {u"Main Top", &main.top, nullptr},          {u"Main Right", &main.right, nullptr},
      {u"Main Bottom", &main.bottom, nullptr},    {u"Remote X", &remoteX, nullptr},
      {u"Remote Y", &remoteY, nullptr},           {u"Aspect Ratio", nullptr, &aspectRatio},
      {u"Aspect Ratio Type", &aspectRatioType, nullptr}, {u"Hide Max", nullptr, &hideMax},
      {u"Hide Borders", nullptr, &hideBorders},   {u"Launch Bar", nullptr, &launchBar},
      {u"Screensaver", nullptr, &screensaver},    {u"Master Volume", nullptr, &masterVolume},
      {u"Enable hotkeys", nullptr, &enableHotkeys}, {u"Maximized", nullptr, &maximized},
  };
  for (const Field &f : fields) {
    uint32_t raw = 0;
    if (!Read(f.name, &raw)) continue;
    if (f.number) Into(raw, f.number);
    if (f.flag) Into(raw, f.flag);
  }
  quickLaunchAvailable = CQuickLaunch::Probe(registry_, &quickLaunchFolder);
}

void CViewerSettings::Save() {
  Write(u"Control Type", static_cast<uint32_t>(controlType));
  Write(u"Main Left", static_cast<uint32_t>(main.left));
  Write(u"Main Top", static_cast<uint32_t>(main.top));
  Write(u"Main Right", static_cast<uint32_t>(main.right));
  Write(u"Main Bottom", static_cast<uint32_t>(main.bottom));
  Write(u"Remote X", static_cast<uint32_t>(remoteX));
  Write(u"Remote Y", static_cast<uint32_t>(remoteY));
  Write(u"Aspect Ratio", aspectRatio);
  Write(u"Aspect Ratio Type", static_cast<uint32_t>(aspectRatioType));
  Write(u"Hide Max", hideMax);
  Write(u"Hide Borders", hideBorders);
  Write(u"Launch Bar", launchBar);
  Write(u"Screensaver", screensaver);
  Write(u"Master Volume", masterVolume);
  Write(u"Enable hotkeys", enableHotkeys);
  Write(u"Maximized", maximized);
  Write(u"Fullscreen", maximized);
  Write(u"Animate", 0);
  if (key_) registry_.FlushKey(key_);
}

float CViewerSettings::AspectRatioOf(int32_t type) {
  switch (type) {
    case 1: return 1.7777f;
    case 2: return 1.333f;
    case 3: return 1.85f;
    case 4: return 2.35f;
    default: return 1.3333f;
  }
}

}  // namespace tolven::viewer
