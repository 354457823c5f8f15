// viewer_demo.exe: the run command's demonstration on a machine without a
// desktop. Installs the card from the folder it lies in (setup.exe /S),
// points the driver at the virtual card, finds the stations, starts the
// viewer, and plays a short session (channel up twice, volume up), saving a
// screenshot after each step into the folder given. Prints the paths and
// how long the viewer took to show the first picture.
//
//   viewer_demo <screenshot folder> [install folder]
//   viewer_demo --prepare [install folder]
//     (only the installation, the stand-in and the stations: a person then
//     starts Viewer.exe on a desktop)
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "tests/wine/beside.h"
#include "viewer/demo/viewer_session.h"

namespace {

using tolven::viewer::demo::Pump;
using tolven::viewer::demo::ViewerSession;

std::string Narrow(const std::wstring &text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c < 128 ? static_cast<char>(c) : '?');
  return out;
}

int Fail(const char *what) {
  std::fprintf(stderr, "viewer_demo: %s\n", what);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: viewer_demo <screenshot folder> [install folder]\n"
                         "       viewer_demo --prepare [install folder]\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // each line as it happens: the caller times them
  const bool prepareOnly = std::wstring(argv[1]) == L"--prepare";
  const std::wstring shots = std::wstring(argv[1]) + L"\\";
  const std::wstring install = argc > 2 ? argv[2] : L"C:\\Program Files\\Caldra One";
  if (!prepareOnly) CreateDirectoryW(argv[1], nullptr);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ViewerSession session(tolven::winetest::Beside(L""), install);

  std::printf("installing with setup.exe /S into %s\n", Narrow(install).c_str());
  if (session.Install() != 0) return Fail("setup.exe failed");
  if (!session.UseStandIn(tolven::winetest::Beside(L"tolvencard.dll"))) return Fail("cannot point at the stand-in");
  ViewerSession::ForgetViewerSettings();
  std::printf("scanning the virtual card's tuner input...\n");
  const ViewerSession::Channels channels = session.FindChannels();
  if (channels.count < 2) return Fail("no stations found");
  std::printf("found %d stations\n", channels.count - 1);
  if (prepareOnly) return 0;

  if (!session.Start()) return Fail("Viewer.exe showed no window");
  POINT channelUp, volumeUp;
  if (!session.ElementCentre(L"maindocked.skn", L"chan-up", &channelUp) ||
      !session.ElementCentre(L"maindocked.skn", L"vol-up", &volumeUp))
    return Fail("the skin's buttons were not found");
  const int32_t firstPicture = session.WaitForVideo(30000);
  if (firstPicture < 0) return Fail("the picture never showed");
  std::printf("viewer start (process start to overlay on): %d ms\n", firstPicture);
  Pump(1000);

  int shot = 0;
  auto save = [&](const wchar_t *what) {
    const std::wstring file = shots + L"viewer-" + std::to_wstring(++shot) + L"-" + what + L".bmp";
    if (session.Shot(file)) std::printf("screenshot: %s\n", Narrow(file).c_str());
  };
  save(L"first-station");
  for (int i = 0; i < 2; ++i) {
    session.Click(channelUp);
    Pump(1000);
    save(L"channel-up");
  }
  session.Click(volumeUp);
  Pump(500);
  save(L"volume-up");
  // The dock toggle: the controls leave the window for the remote, and
  // come back from the remote's own dock button.
  POINT undock, dock;
  if (session.ElementCentre(L"maindocked.skn", L"undock", &undock)) {
    session.Click(undock);
    HWND remote = ViewerSession::WaitForWindow(L"VarnViewer_remote", 10000);
    HWND remoteForm = remote ? FindWindowExW(remote, nullptr, nullptr, L"SkinForm") : nullptr;
    Pump(800);
    const std::wstring file = shots + L"viewer-" + std::to_wstring(++shot) + L"-undocked.bmp";
    if (session.ShotAll(file)) std::printf("screenshot: %s\n", Narrow(file).c_str());
    if (remoteForm && session.ElementCentreIn(remoteForm, L"remotestdt.skn", L"dock", &dock)) {
      ViewerSession::ClickIn(remoteForm, dock);
      Pump(1000);
      save(L"docked-again");
    } else {
      std::printf("the remote's dock button was not found\n");
    }
  }
  const DWORD code = session.Close(30000);
  std::printf("Viewer.exe closed (exit code %lu)\n", static_cast<unsigned long>(code));
  CoUninitialize();
  return code == 0 ? 0 : 1;
}
