// Viewer.exe as a user starts it, on Windows or under Wine and Xvfb: the
// card installed by setup.exe (driver, kernel service, skin engine), the
// virtual card as the display stand-in, channels found beforehand through
// the control interface. The viewer must show its skinned window with the
// card's picture, change channel on a click of the channel-up button, show
// snow where no station sends, and store its settings when closed.
// Screenshots go beside this program as viewer-*.bmp.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>

#include "tests/wine/beside.h"
#include "tests/wine/screenshot.h"
#include "viewer/app/context_menu.h"
#include "viewer/core/layout_code.h"
#include "viewer/demo/viewer_session.h"

namespace {

using tolven::viewer::demo::Look;
using tolven::viewer::demo::Picture;
using tolven::viewer::demo::Pump;
using tolven::viewer::demo::ViewerSession;
using tolven::winetest::Beside;
using tolven::viewer::ContextMenu;
using tolven::viewer::LayoutCode;
using tolven::viewer::MenuState;

// Where `command` stands in the context menu of that state, counted without
// separators; -1 when the menu has no such item.
int MenuPosition(const MenuState &state, uint32_t command) {
  int position = 0;
  for (const tolven::viewer::MenuItem &item : ContextMenu::Build(state)) {
    if (item.command == 0) continue;
    if (item.command == command) return position;
    ++position;
  }
  return -1;
}

const wchar_t kViewerAppKey[] = L"Software\\Quillon\\Varn\\ViewerApp";

std::wstring InstallFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"Caldra One Viewer Test";
}

int64_t StoredDword(const wchar_t *name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kViewerAppKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  DWORD value = 0, size = sizeof value, type = 0;
  const bool ok = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&value), &size) ==
                      ERROR_SUCCESS && type == REG_DWORD;
  RegCloseKey(key);
  return ok ? value : -1;
}

// The default card's stations (virtualcard/default_card.json), in Hz.
const int64_t kStations[] = {487250000, 511250000, 543250000, 567250000, 631250000, 719250000};

bool NearAStation(int64_t hz) {
  for (int64_t station : kStations)
    if (hz > station - 1000000 && hz < station + 1000000) return true;
  return false;
}

std::string ReadLog(const std::wstring &log) {
  FILE *file = _wfopen(log.c_str(), L"rb");
  if (!file) return {};
  std::string text;
  char buffer[4096];
  size_t got = 0;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  fclose(file);
  return text;
}

// How many tuner writes the card's bus log holds.
int TunerWrites(const std::wstring &log) {
  const std::string text = ReadLog(log);
  int count = 0;
  for (size_t at = text.find("tune_hz="); at != std::string::npos; at = text.find("tune_hz=", at + 1)) ++count;
  return count;
}

// The frequency of the last tuner write in the card's bus log, or -1.
int64_t LastTunedFrequency(const std::wstring &log) {
  const std::string text = ReadLog(log);
  const size_t at = text.rfind("tune_hz=");
  return at == std::string::npos ? -1 : std::atoll(text.c_str() + at + 8);
}

// Enough samples differ for the picture to be another one.
void ExpectAnotherPicture(const Picture &a, const Picture &b, const char *what) {
  EXPECT_GT(a.Differences(b), static_cast<int>(a.samples.size() / 4)) << what;
}

class ViewerExe : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ViewerSession::ForgetViewerSettings();
    ASSERT_EQ(session_.Install(), 0u);
    ASSERT_TRUE(session_.UseStandIn(Beside(L"tolvencard.dll")));
  }
  void TearDown() override {
    session_.Uninstall();
    session_.ForgetStandIn();
    CoUninitialize();
  }
  // The overlay showing in the video area; when it never does, a picture
  // of the whole screen is left beside the program for the log's reader.
  bool VideoShows(const wchar_t *what) {
    if (session_.WaitForVideo(60000) >= 0) return true;
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    tolven::winetest::SaveScreenArea(screen, Beside((std::wstring(L"viewer-no-video-") + what + L".bmp").c_str()));
    return false;
  }
  ViewerSession session_{Beside(L""), InstallFolder()};
};

TEST_F(ViewerExe, ShowsThePictureChangesChannelAndStoresItsSettings) {
  const ViewerSession::Channels channels = session_.FindChannels();
  ASSERT_GE(channels.count, 3) << "two stations and an empty channel, through the control interface";
  ASSERT_GE(channels.empty, 0);
  // The viewer's virtual card logs its bus to a file this test reads.
  const std::wstring busLog = Beside(L"viewer-bus.log");
  DeleteFileW(busLog.c_str());
  SetEnvironmentVariableW(L"TOLVEN_CARD_BUS_LOG", busLog.c_str());
  ASSERT_TRUE(session_.Start()) << "no main window with a skin form";
  SetEnvironmentVariableW(L"TOLVEN_CARD_BUS_LOG", nullptr);
  POINT channelUp;
  ASSERT_TRUE(session_.ElementCentre(L"maindocked.skn", L"chan-up", &channelUp));
  ASSERT_GE(session_.WaitForVideo(30000), 0) << "the overlay never showed";
  Pump(1000);  // the picture comes at the stand-in's rate
  const Picture first = Look(session_.VideoArea());
  EXPECT_TRUE(session_.Shot(Beside(L"viewer-station-1.bmp")));
  const int64_t firstHz = LastTunedFrequency(busLog);
  EXPECT_TRUE(NearAStation(firstHz)) << firstHz;

  // Up to the next station (past the empty channel when it comes next).
  int32_t at = channels.first;
  do {
    session_.Click(channelUp);
    at = (at + 1) % channels.count;
  } while (at == channels.empty);
  Pump(1000);
  const Picture second = Look(session_.VideoArea());
  EXPECT_TRUE(session_.Shot(Beside(L"viewer-station-2.bmp")));
  ExpectAnotherPicture(first, second, "the picture did not change with the channel");
  const int64_t secondHz = LastTunedFrequency(busLog);
  EXPECT_TRUE(NearAStation(secondHz)) << secondHz;
  EXPECT_NE(secondHz, firstHz) << "Channel-up wrote no new frequency to the tuner";
  // A test card stands still but for its moving element.
  Pump(300);
  EXPECT_LT(second.Differences(Look(session_.VideoArea())), static_cast<int>(second.samples.size() / 4));

  // Round to the channel where no station sends: snow.
  while (at != channels.empty) {
    session_.Click(channelUp);
    at = (at + 1) % channels.count;
    Pump(200);
  }
  Pump(1000);
  const Picture snow = Look(session_.VideoArea());
  EXPECT_TRUE(session_.Shot(Beside(L"viewer-no-station.bmp")));
  ExpectAnotherPicture(second, snow, "no snow where no station sends");
  const int64_t emptyHz = LastTunedFrequency(busLog);
  EXPECT_GT(emptyHz, 0);
  EXPECT_FALSE(NearAStation(emptyHz)) << emptyHz;
  // Snow changes from one picture to the next.
  Pump(300);
  ExpectAnotherPicture(snow, Look(session_.VideoArea()), "the snow stands still");

  RECT window;
  GetWindowRect(session_.Main(), &window);
  EXPECT_EQ(session_.Close(30000), 0u);
  EXPECT_EQ(StoredDword(L"Main Left"), window.left);
  EXPECT_EQ(StoredDword(L"Main Bottom"), window.bottom);
  EXPECT_EQ(StoredDword(L"Control Type"), 1);  // docked, standard, on the tuner
  EXPECT_EQ(StoredDword(L"Maximized"), 0);
  EXPECT_EQ(StoredDword(L"Animate"), 0);
}

// A scripted session (undock and dock again, channel change, volume,
// typed channel number, exit), then a fresh start comes back in the same
// layout, window rectangle, channel and volume.
TEST_F(ViewerExe, ASessionComesBackTheSameAfterARestart) {
  const ViewerSession::Channels channels = session_.FindChannels();
  ASSERT_GE(channels.count, 3);
  // The last index the list holds, typed as the user would.
  const int32_t typed = std::min<int32_t>(channels.count - 1, 9);
  ASSERT_TRUE(session_.Start());
  POINT undock, channelUp, volumeUp;
  ASSERT_TRUE(session_.ElementCentre(L"maindocked.skn", L"undock", &undock));
  ASSERT_TRUE(session_.ElementCentre(L"maindocked.skn", L"chan-up", &channelUp));
  ASSERT_TRUE(session_.ElementCentre(L"maindocked.skn", L"vol-up", &volumeUp));
  ASSERT_TRUE(VideoShows(L"restart"));

  // Undock: the remote appears; move it, then dock again from the remote.
  session_.Click(undock);
  HWND remote = ViewerSession::WaitForWindow(L"VarnViewer_remote", 10000);
  ASSERT_TRUE(remote) << "no remote after Undock-controls";
  SetWindowPos(remote, nullptr, 640, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump(300);
  EXPECT_TRUE(session_.ShotAll(Beside(L"viewer-undocked.bmp")));
  HWND remoteForm = FindWindowExW(remote, nullptr, nullptr, L"SkinForm");
  ASSERT_TRUE(remoteForm);
  POINT dock;
  ASSERT_TRUE(session_.ElementCentreIn(remoteForm, L"remotestdt.skn", L"dock", &dock));
  ViewerSession::ClickIn(remoteForm, dock);
  Pump(500);
  EXPECT_FALSE(IsWindow(remote)) << "the remote stayed after Dock-controls";
  // Docked again: the main skin's elements are where they were.
  ASSERT_TRUE(session_.ElementCentre(L"maindocked.skn", L"chan-up", &channelUp));

  // A typed digit and Enter: the channel with that index.
  PostMessageW(session_.Main(), WM_KEYDOWN, '0' + typed, 0);
  PostMessageW(session_.Main(), WM_KEYDOWN, VK_RETURN, 0);
  Pump(800);
  session_.Click(volumeUp);
  Pump(300);
  RECT window;
  GetWindowRect(session_.Main(), &window);
  ASSERT_EQ(session_.Close(30000), 0u);
  EXPECT_EQ(session_.StoredChannel(), typed);
  EXPECT_EQ(StoredDword(L"Remote X"), 640);  // kept from the undocked remote
  EXPECT_EQ(StoredDword(L"Remote Y"), 420);
  EXPECT_EQ(StoredDword(L"Control Type"), 1);

  // A fresh start: the same window, layout and channel; the volume it left.
  ASSERT_TRUE(session_.Start());
  RECT again;
  GetWindowRect(session_.Main(), &again);
  EXPECT_TRUE(EqualRect(&window, &again));
  Pump(500);
  EXPECT_EQ(session_.Close(30000), 0u);
  EXPECT_EQ(session_.StoredChannel(), typed);
  EXPECT_EQ(StoredDword(L"Control Type"), 1);
}


// The user's session through the context menu and the channel panels:
// each driver dialog opened and closed, an automatic tuning from the Auto
// Tune panel, a channel added with the New Channel panel, the controller
// style switched on the remote, and a typed channel number; each step
// checked through the control interface and the ViewerApp key.
TEST_F(ViewerExe, MenuDialogsPanelsAndControllerStyle) {
  const std::wstring scanLog = Beside(L"viewer-scan-bus.log");
  DeleteFileW(scanLog.c_str());
  SetEnvironmentVariableW(L"TOLVEN_CARD_BUS_LOG", scanLog.c_str());
  const ViewerSession::Channels channels = session_.FindChannels();
  ASSERT_GE(channels.count, 3);
  ASSERT_TRUE(session_.Start());
  POINT button;
  ASSERT_TRUE(session_.ElementCentre(L"maindocked.skn", L"scan", &button));
  ASSERT_TRUE(VideoShows(L"menu"));

  // The three driver dialogs, each from the menu, each closed with Cancel.
  MenuState docked;
  docked.videoSource = docked.videoFormat = docked.videoDisplay = true;
  for (uint32_t command : {tolven::viewer::kMenuVideoSource, tolven::viewer::kMenuVideoFormat,
                           tolven::viewer::kMenuVideoDisplay}) {
    SCOPED_TRACE(command);
    ASSERT_TRUE(session_.ChooseFromMenu(static_cast<uint32_t>(MenuPosition(docked, command))));
    HWND sheet = session_.WaitForDialog(15000);
    ASSERT_TRUE(sheet) << "no dialog came";
    Pump(300);
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    for (int i = 0; i < 100 && IsWindow(sheet); ++i) Pump(100);
    EXPECT_FALSE(IsWindow(sheet)) << "the dialog stayed open";
    EXPECT_TRUE(IsWindow(session_.Main()));
  }

  // Auto Tune: the panel scans at once (the tuner steps through the plan)
  // and closes when the scan is done. The stations it finds are already in
  // the list, which keeps its channels.
  const std::wstring busLog = Beside(L"viewer-scan-bus.log");
  const int writesBefore = TunerWrites(busLog);
  session_.Click(button);
  HWND panel = ViewerSession::WaitForWindow(L"VarnViewer_channel_panel", 10000);
  ASSERT_TRUE(panel) << "no Auto Tune panel";
  for (int i = 0; i < 1800 && IsWindow(panel); ++i) Pump(100);
  ASSERT_FALSE(IsWindow(panel)) << "the automatic tuning did not end";
  EXPECT_GE(TunerWrites(busLog) - writesBefore, 40) << "the scan did not step through the plan";

  // New Channel: the panel adds a channel; Okay keeps it.
  ASSERT_TRUE(session_.ElementCentre(L"maindocked.skn", L"new", &button));
  session_.Click(button);
  panel = ViewerSession::WaitForWindow(L"VarnViewer_channel_panel", 10000);
  ASSERT_TRUE(panel) << "no New Channel panel";
  HWND form = FindWindowExW(panel, nullptr, nullptr, L"SkinForm");
  POINT okay;
  ASSERT_TRUE(session_.ElementCentreIn(form, L"new.skn", L"okay", &okay));
  Pump(500);
  ViewerSession::ClickIn(form, okay);
  for (int i = 0; i < 100 && IsWindow(panel); ++i) Pump(100);
  ASSERT_FALSE(IsWindow(panel)) << "Okay did not close the New Channel panel";

  // Undocked, the menu switches the remote to the advanced controller.
  ASSERT_TRUE(session_.ElementCentre(L"maindocked.skn", L"undock", &button));
  session_.Click(button);
  ASSERT_TRUE(ViewerSession::WaitForWindow(L"VarnViewer_remote", 10000));
  Pump(500);
  MenuState undocked = docked;
  undocked.undocked = true;
  undocked.standard = true;
  ASSERT_TRUE(session_.ChooseFromMenu(
      static_cast<uint32_t>(MenuPosition(undocked, tolven::viewer::kMenuAdvanced))));
  Pump(1000);
  HWND remote = FindWindowW(L"VarnViewer_remote", nullptr);
  ASSERT_TRUE(remote && IsWindowVisible(remote)) << "no remote after the style change";
  EXPECT_TRUE(session_.ShotAll(Beside(L"viewer-advanced-remote.bmp")));

  // "3" and Enter: the channel with that index.
  PostMessageW(session_.Main(), WM_KEYDOWN, '3', 0);
  PostMessageW(session_.Main(), WM_KEYDOWN, VK_RETURN, 0);
  Pump(800);
  ASSERT_EQ(session_.Close(30000), 0u);

  EXPECT_EQ(session_.StoredChannelCount(), channels.count + 1) << "the channel the New Channel panel added";
  EXPECT_EQ(session_.StoredChannel(), 3);
  EXPECT_EQ(StoredDword(L"Control Type"), LayoutCode::ToAdvanced(LayoutCode::ToggleDock(1)));
}

// Pictures for the eye: every layout code, maximized without borders, and
// each channel panel open.
TEST_F(ViewerExe, PicturesOfEveryLayoutTheFullScreenAndThePanels) {
  const ViewerSession::Channels channels = session_.FindChannels();
  ASSERT_GE(channels.count, 2);
  for (DWORD code = 1; code <= 8; ++code) {
    SCOPED_TRACE(code);
    const bool tuner = code == 1 || code == 3 || code == 5 || code == 6;
    ASSERT_TRUE(session_.SelectSource(tuner));
    ViewerSession::StoreViewerValue(L"Control Type", code);
    ViewerSession::StoreViewerValue(L"Remote X", 620);
    ViewerSession::StoreViewerValue(L"Remote Y", 200);
    ASSERT_TRUE(session_.Start());
    POINT centre;
    session_.ElementCentre(code == 3 || code == 4 || code == 6 || code == 8 ? L"mainundocked.skn" : L"maindocked.skn",
                           L"client", &centre);
    EXPECT_GE(session_.WaitForVideo(30000), 0);
    const bool undocked = code == 3 || code == 4 || code == 6 || code == 8;
    if (undocked) {
      EXPECT_TRUE(ViewerSession::WaitForWindow(L"VarnViewer_remote", 10000));
    }
    Pump(800);
    EXPECT_TRUE(session_.ShotAll(Beside((L"viewer-layout-" + std::to_wstring(code) + L".bmp").c_str())));
    EXPECT_EQ(session_.Close(30000), 0u);
    EXPECT_EQ(StoredDword(L"Control Type"), static_cast<int64_t>(code));
  }

  // Full screen without borders, then back.
  ASSERT_TRUE(session_.SelectSource(true));
  ViewerSession::StoreViewerValue(L"Control Type", 1);
  ViewerSession::StoreViewerValue(L"Hide Borders", 1);
  ASSERT_TRUE(session_.Start());
  POINT centre;
  ASSERT_TRUE(session_.ElementCentre(L"maindocked.skn", L"client", &centre));
  ASSERT_TRUE(VideoShows(L"maximized"));
  PostMessageW(session_.Main(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  Pump(1500);
  EXPECT_TRUE(IsZoomed(session_.Main()));
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_TRUE(tolven::winetest::SaveScreenArea(screen, Beside(L"viewer-maximized.bmp")));
  PostMessageW(session_.Main(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump(1000);
  EXPECT_FALSE(IsZoomed(session_.Main()));

  // Each channel panel, opened from its button and closed with Cancel.
  const struct {
    const wchar_t *button, *skin, *file;
  } panels[] = {{L"new", L"new.skn", L"viewer-panel-new.bmp"},
                {L"edit", L"edit.skn", L"viewer-panel-edit.bmp"},
                {L"scan", L"scan.skn", L"viewer-panel-scan.bmp"}};
  ASSERT_TRUE(session_.ElementCentre(L"maindocked.skn", L"chan-up", &centre));
  for (const auto &p : panels) {
    SCOPED_TRACE(std::string(p.file, p.file + wcslen(p.file)));
    POINT button;
    ASSERT_TRUE(session_.ElementCentre(L"maindocked.skn", p.button, &button));
    session_.Click(button);
    HWND panel = ViewerSession::WaitForWindow(L"VarnViewer_channel_panel", 10000);
    ASSERT_TRUE(panel);
    Pump(700);
    EXPECT_TRUE(session_.ShotAll(Beside(p.file)));
    HWND form = FindWindowExW(panel, nullptr, nullptr, L"SkinForm");
    POINT cancel;
    ASSERT_TRUE(session_.ElementCentreIn(form, p.skin, L"cancel", &cancel));
    ViewerSession::ClickIn(form, cancel);
    for (int i = 0; i < 100 && IsWindow(panel); ++i) Pump(100);
    EXPECT_FALSE(IsWindow(panel)) << "Cancel did not close the panel";
    Pump(500);
    // The docked panels stay above the main window once the panel is gone.
    for (HWND d = FindWindowW(L"VarnViewer_docked_panel", nullptr); d;
         d = FindWindowExW(nullptr, d, L"VarnViewer_docked_panel", nullptr)) {
      RECT r;
      GetWindowRect(d, &r);
      EXPECT_EQ(GetAncestor(WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}), GA_ROOT), d)
          << "the main window covers a docked panel";
    }
    EXPECT_TRUE(session_.ShotAll(Beside((std::wstring(L"viewer-after-") + p.file).c_str())));
  }
  EXPECT_EQ(session_.Close(30000), 0u);
}

}  // namespace
