// A ViewerShell that records each call by name and answers from its fields:
// the main window's rectangle, the skin's elements, maximized or not.
#pragma once
#include <functional>
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
  RemoteView *CreateRemote(int32_t x, int32_t y, WStringView skin) override {
    Log("remote " + std::to_string(x) + "," + std::to_string(y) + " " + Narrow(skin));
    remote = remoteLoads;
    return remoteLoads ? &remoteView : nullptr;
  }
  bool ReloadRemote(WStringView skin) override {
    Log("reload remote " + Narrow(skin));
    return remoteLoads;
  }
  void DestroyRemote() override {
    Log("destroy remote");
    remote = false;
  }
  void ShowRemote(bool show) override { Log(show ? "show remote" : "hide remote"); }
  void CreateDockedPanels(const ScreenRect &main) override { Log("docked " + Text(main)); }
  void DestroyDockedPanels() override { Log("destroy docked"); }
  void ShowDockedPanels(bool show) override { Log(show ? "show docked" : "hide docked"); }
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
  Point CursorPosition() override { return {}; }
  void PostRepaintVideo() override {}
  void PumpMessages() override {
    ++pumps;
    if (duringPump) {
      auto action = std::move(duringPump);
      duringPump = nullptr;
      action();
    }
  }
  ChannelPanelView *OpenPanelWindow(Panel panel, Point) override {
    Log("open panel " + std::to_string(static_cast<int>(panel)));
    return panelsOpen ? &panelView : nullptr;
  }
  void ClosePanelWindow(Panel panel) override { Log("close panel " + std::to_string(static_cast<int>(panel))); }
  int32_t WorkAreaHeight() override { return workArea; }
  void PlaceVideo(const ScreenRect &window, const ScreenRect &pane) override {
    Log("video at " + Text(window) + " pane " + Text(pane));
  }
  uint32_t TrackMenu(const std::vector<MenuItem> &items, bool skinned) override {
    menu = items;
    menuSkinned = skinned;
    return menuChoice;
  }
  void ShowHelp(uint32_t context) override { Log("help " + std::to_string(context)); }
  void ShowAbout() override { Log("about"); }
  void PostClose() override { Log("post close"); }

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
  // A remote window that records its labels and requests.
  struct Remote : RemoteView {
    bool HasLabel(RemoteLabel label) override { return label != RemoteLabel::kMute || hasMute; }
    void SetLabel(RemoteLabel label, const WString &text) override { labels[static_cast<int>(label)] = Narrow(text); }
    void SetScrollBars(int32_t position) override { scroll = position; }
    void ShowScrollBars(bool show) override { scrollShown = show; }
    void ShowSourceCombo(bool show) override { comboShown = show; }
    void RunSkinCommand(WStringView command) override { commands.push_back(Narrow(command)); }
    void PostToggleDock() override { ++toggles; }
    void CloseProgram() override { closed = true; }
    void ShowHelp(uint32_t context) override { help = context; }
    void ToggleVisible() override { visible = !visible; }
    bool MainMaximized() override { return maximized; }
    bool BordersHidden() override { return bordersHidden; }
    std::string Label(RemoteLabel label) { return labels[static_cast<int>(label)]; }
    std::map<int, std::string> labels;
    std::vector<std::string> commands;
    int32_t scroll = -1;
    bool scrollShown = true, comboShown = false, closed = false, visible = true;
    bool maximized = false, bordersHidden = false, hasMute = true;
    int toggles = 0;
    uint32_t help = 0;
  } remoteView;
  // A channel panel's window.
  struct PanelWindow : ChannelPanelView {
    void SetProgress(int32_t percent) override { progress.push_back(percent); }
    void SetFunctionText(const WString &text) override { function = Narrow(text); }
    void PostClose() override { ++closes; }
    ui::Window Window() override { return 0x99; }
    std::vector<int32_t> progress;
    std::string function;
    int closes = 0;
  } panelView;
  std::vector<MenuItem> menu;
  bool menuSkinned = false;
  uint32_t menuChoice = 0;
  int32_t workArea = 740;
  int pumps = 0;
  std::function<void()> duringPump;
  bool remoteLoads = true;
  bool panelsOpen = true;
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
