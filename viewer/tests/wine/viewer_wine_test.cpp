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

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/wine/beside.h"
#include "viewer/demo/viewer_session.h"

namespace {

using tolven::viewer::demo::Look;
using tolven::viewer::demo::Picture;
using tolven::viewer::demo::Pump;
using tolven::viewer::demo::ViewerSession;
using tolven::winetest::Beside;

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

// The frequency of the last tuner write in the card's bus log, or -1.
int64_t LastTunedFrequency(const std::wstring &log) {
  FILE *file = _wfopen(log.c_str(), L"rb");
  if (!file) return -1;
  std::string text;
  char buffer[4096];
  size_t got = 0;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  fclose(file);
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

}  // namespace
