// A ViewerShell that records each call by name and answers from its fields:
// the main window's rectangle, the skin's elements, maximized or not.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "viewer/app/viewer_shell.h"

namespace tolven::viewer::testing {

inline std::string Narrow(WStringView text) { return std::string(text.begin(), text.end()); }

class RecordingShell : public ViewerShell {
 public:
  void EnableControlHosting() override { Log("hosting"); }
  ScreenRect MaximizedSize() override { return maximizedSize; }
  bool CreateMainWindow(const ScreenRect &rect, WStringView caption) override {
    Log("main " + Text(rect) + " " + Narrow(caption));
    window = rect;
    return canCreate;
  }
  void CreateSkinForm() override { Log("form"); }
  bool LoadMainSkin(WStringView file) override {
    Log("skin " + Narrow(file));
    return skinLoads;
  }
  bool ElementRect(WStringView name, ScreenRect *rect) override {
    auto it = elements.find(Narrow(name));
    if (!skinLoads || it == elements.end()) return false;
    *rect = it->second;
    return true;
  }
  void RunSkinCommand(WStringView command) override { Log(Narrow(command)); }
  void TrimSystemMenu() override { Log("trim"); }
  ScreenRect MainWindowRect() override { return window; }
  void CreateVideoWindows(const ScreenRect &client) override { Log("video " + Text(client)); }
  void PlaceMainWindow(const ScreenRect &rect) override {
    Log("place " + Text(rect));
    window = rect;
  }
  void FillVideoWindow() override { Log("fill"); }
  void CreateRemote(int32_t x, int32_t y, WStringView skin) override {
    Log("remote " + std::to_string(x) + "," + std::to_string(y) + " " + Narrow(skin));
    remote = true;
  }
  void CreateDockedPanels(const ScreenRect &main) override { Log("docked " + Text(main)); }
  bool RemotePosition(int32_t *x, int32_t *y) override {
    if (!remote) return false;
    *x = remoteX;
    *y = remoteY;
    return true;
  }
  void DestroyPanels() override { Log("destroy panels"); }
  cap::Window VideoPane() override { return 0x77; }
  Rect VideoPaneClient() override { return Rect{0, 0, 320, 240}; }
  ui::Window MainWindow() override { return 0x55; }
  void FillSources(const std::vector<WString> &names, int32_t current) override {
    sources = names;
    Log("sources " + std::to_string(names.size()) + " " + std::to_string(current));
  }
  void ShowTexts(const WString &volume, const WString &channel, const WString &source, const WString &mute,
                 const WString &stereo) override {
    texts = {Narrow(volume), Narrow(channel), Narrow(source), Narrow(mute), Narrow(stereo)};
  }
  void SetArrowCursor() override { Log("arrow"); }
  bool IsMaximized() override { return maximized; }
  ScreenRect RestoredRect() override { return restored; }
  void PostRestore() override { Log("post restore"); }
  void DestroyMainWindow() override { Log("destroy main"); }
  void PostToggleDock() override { Log("post toggle dock"); }
  void PostSysCommand(uint32_t command) override { Log("syscommand " + std::to_string(command)); }
  void ShowSourceCombo(bool show, const ScreenRect &element) override {
    Log(std::string(show ? "show" : "hide") + " combo " + Text(element));
  }
  void ShowHint(const WString &text) override { hint = Narrow(text); }
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  void OpenPanel(Panel panel, Point) override { Log("panel " + std::to_string(static_cast<int>(panel))); }
  bool PanelOpen(Panel) override { return false; }
  Point CursorPosition() override { return {}; }
  bool ReportProgress(int32_t, int32_t) override { return true; }
  void PostRepaintVideo() override {}

  static std::string Text(const ScreenRect &r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
  }
  void Log(std::string call) { calls.push_back(std::move(call)); }

  std::vector<std::string> calls;
  ScreenRect maximizedSize{0, 0, 1032, 776};
  ScreenRect window;
  ScreenRect restored{10, 20, 410, 320};
  std::map<std::string, ScreenRect> elements{{"client", {4, 28, 244, 208}}, {"Source-combo", {27, 4, 95, 24}}};
  std::vector<WString> sources;
  std::vector<std::string> texts;
  std::string hint;
  bool canCreate = true;
  bool skinLoads = true;
  bool maximized = false;
  bool remote = false;
  int32_t remoteX = 0, remoteY = 0;
};

}  // namespace tolven::viewer::testing
