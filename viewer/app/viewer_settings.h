// The viewer's options and window geometry, kept as DWORD values of the
// ViewerApp key of the current user. Loaded at start-up and saved at exit;
// a value that cannot be read keeps its default, a failed write is ignored.
#pragma once
#include <cstdint>

#include "platform/registry/registry.h"
#include "platform/wide.h"
#include "viewer/app/power_management.h"

namespace tolven::viewer {

struct ScreenRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool operator==(const ScreenRect &o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

inline constexpr char16_t kViewerAppKey[] = u"Software\\Quillon\\Varn\\ViewerApp";

class CViewerSettings {
 public:
  // Opens (or creates) the key, sets the defaults and probes power
  // management (taking the values a crashed session switched off from the
  // record it left).
  explicit CViewerSettings(reg::Registry &registry);
  ~CViewerSettings();
  CViewerSettings(const CViewerSettings &) = delete;
  CViewerSettings &operator=(const CViewerSettings &) = delete;

  // Reads every value (each unreadable one keeps what it was), then looks
  // for the Quick Launch folder.
  void Load();
  // Writes every value of the table ("Fullscreen" as "Maximized",
  // "Animate" as 0).
  void Save();

  // The ratio kept while resizing, for "Aspect Ratio Type".
  static float AspectRatioOf(int32_t type);

  int32_t controlType = 2;
  ScreenRect main{200, 200, 600, 500};
  int32_t remoteX = 300, remoteY = 300;
  bool aspectRatio = false;
  int32_t aspectRatioType = 0;
  bool hideMax = false;
  bool hideBorders = false;
  bool launchBar = false;
  bool screensaver = false;
  bool masterVolume = false;
  bool enableHotkeys = false;
  bool maximized = false;

  // Not stored in the table: found at construction and start-up.
  PowerManagementState power;  // with the standby and shut-off values to restore
  bool quickLaunchAvailable = false;
  WString quickLaunchFolder;

  // One value of the key, written now (the preferences pages store theirs
  // when applied).
  void Store(const char16_t *name, uint32_t value) { Write(name, value); }

  // While the screensaver and power management are switched off, the key
  // records it with the values to restore, so that a start after a crash
  // restores them. Recorded before switching off, dropped after restoring.
  void RecordSwitchedOff();
  void DropSwitchedOffRecord();
  // A crashed session's record was found at construction.
  bool FoundSwitchedOffRecord() const { return foundRecord_; }

 private:
  bool Read(const char16_t *name, uint32_t *value);
  void Write(const char16_t *name, uint32_t value);

  reg::Registry &registry_;
  reg::Key key_ = 0;
  bool foundRecord_ = false;
};

// The record of a session that switched the screensaver off.
inline constexpr char16_t kRestoreScreensaver[] = u"Restore Screensaver";
inline constexpr char16_t kRestoreShutOff[] = u"Restore ShutOffEnabled";
inline constexpr char16_t kRestoreStandby[] = u"Restore StandbyEnabled";

}  // namespace tolven::viewer
