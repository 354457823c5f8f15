// A person's session with the installed viewer, played by a program: the
// card installed by setup.exe, the virtual card as display stand-in,
// channels found through the control interface, Viewer.exe started,
// watched, clicked and closed. Used by the viewer's Windows test and by the
// demonstration the run command shows.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tolven::viewer::demo {

// Pixels sampled over a screen area, and their average luma.
struct Picture {
  double luma = 0;
  std::vector<COLORREF> samples;
  // How many samples differ from another picture's.
  int Differences(const Picture &other) const;
};

// Runs a program and waits for it (at most three minutes); its exit code.
DWORD RunProgram(const std::wstring &command, const std::wstring &folder);
void Pump(DWORD milliseconds);
Picture Look(const RECT &area);

class ViewerSession {
 public:
  // `package`: the folder holding setup.exe and what it installs (with a
  // trailing backslash); `installFolder`: where the program goes.
  ViewerSession(std::wstring package, std::wstring installFolder)
      : package_(std::move(package)), folder_(std::move(installFolder)) {}
  ~ViewerSession();

  // setup.exe /S into the folder; its exit code.
  DWORD Install();
  DWORD Uninstall();
  // Points the driver at the virtual card's stand-in DLL.
  bool UseStandIn(const std::wstring &standIn);
  void ForgetStandIn();
  // A first run: no stored viewer settings.
  static void ForgetViewerSettings();
  // The channel list FindChannels leaves: the stations found, and one
  // channel where no station sends.
  struct Channels {
    int32_t count = 0;     // every channel, the empty one included; 0: none found
    int32_t empty = -1;    // the index of the channel without a station
    int32_t first = -1;    // the first index with a station, tuned
  };
  // Finds the card's stations on its tuner input, adds the first free
  // channel of the plan (no station sends there) and tunes the first station.
  Channels FindChannels();

  // The card's source before the viewer starts: the tuner input, or the
  // first other one (the composite input's colour bars).
  bool SelectSource(bool tuner);
  // The tuner's current channel as stored (read with the viewer closed).
  int32_t StoredChannel();
  // How many channels the tuner holds as stored (read with the viewer closed).
  int32_t StoredChannelCount();
  // A value of the viewer's settings, stored before it starts.
  static void StoreViewerValue(const wchar_t *name, DWORD value);

  // Starts Viewer.exe and waits for its main window; false without one.
  bool Start();
  // Waits for a top-level window of `windowClass`; null when none came.
  static HWND WaitForWindow(const wchar_t *windowClass, DWORD timeout);
  // Waits for a dialog (a property sheet, a message box) of the viewer.
  HWND WaitForDialog(DWORD timeout);
  // Opens the context menu over the video and picks the item at `position`
  // (counted without separators, from 0); false when no menu showed or it
  // stayed open.
  bool ChooseFromMenu(uint32_t position);
  // An element's centre in `form` (a skin form window showing `skin`).
  bool ElementCentreIn(HWND form, const std::wstring &skin, const std::wstring &element, POINT *centre);
  static void ClickIn(HWND form, POINT formPoint);
  // The screen area covering the main window and every other window of
  // the viewer (remote, panels), saved as a BMP file.
  bool ShotAll(const std::wstring &file);
  // Milliseconds from the process start to the video area showing the
  // overlay (its key colour or the picture), or -1.
  int32_t WaitForVideo(DWORD timeout);
  // Centre of a skin element of the main window's skin, in the form's
  // coordinates (the same skin loaded in a form of the same size).
  bool ElementCentre(const std::wstring &skin, const std::wstring &element, POINT *centre);
  void Click(POINT formPoint);
  // The video area on the screen.
  RECT VideoArea() const { return video_; }
  // The main window with the panels below it, saved as a BMP file.
  bool Shot(const std::wstring &file);
  // WM_CLOSE and the wait for the process; its exit code.
  DWORD Close(DWORD timeout);

  HWND Main() const { return main_; }
  const std::wstring &Folder() const { return folder_; }

 private:
  // Ends a viewer still running (a test that failed half-way).
  void EndViewer();

  std::wstring package_, folder_;
  PROCESS_INFORMATION viewer_{};
  DWORD started_ = 0;
  HWND main_ = nullptr;
  HWND form_ = nullptr;
  RECT video_{};
};

}  // namespace tolven::viewer::demo
