// The default skin set: every file parses, every element, state and event
// the viewer relies on is where the viewer looks for it, every image it
// names was drawn at the element's size, and nothing sticks out of its
// parent or lies on another button.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "skin_parser.h"

namespace tolven::skin {
namespace {

const std::string kSources = TOLVEN_SKIN_SOURCES;
const std::string kOutput = TOLVEN_SKIN_OUTPUT;

const std::vector<std::string> kFiles = {
    "maindocked.skn", "mainundocked.skn", "bare.skn",     "remotestdt.skn",
    "remotestdb.skn", "remoteadvt.skn",   "remoteadvb.skn", "panel.skn",
    "new.skn",        "edit.skn",         "scan.skn"};

std::unique_ptr<SkinDocument> Load(const std::string &file) {
  SkinError error;
  auto doc = SkinParser::ParseFile(kSources + "/" + file, error);
  EXPECT_TRUE(doc) << error.Text();
  return doc;
}

void Walk(const SkinElement &e, const std::function<void(const SkinElement &)> &visit) {
  visit(e);
  for (const auto &child : e.Children()) Walk(*child, visit);
}

std::set<std::string> Events(const SkinDocument &doc) {
  std::set<std::string> events(doc.loadEvents.begin(), doc.loadEvents.end());
  Walk(doc.Root(), [&](const SkinElement &e) {
    for (const std::string *n : {&e.onEnter, &e.onLeave, &e.onClick})
      if (!n->empty()) events.insert(*n);
  });
  return events;
}

// Which element fires `event` on click, or nullptr.
const SkinElement *Clicker(const SkinDocument &doc, const std::string &event) {
  const SkinElement *found = nullptr;
  Walk(doc.Root(), [&](const SkinElement &e) { if (e.onClick == event) found = &e; });
  return found;
}

void ExpectEvents(const std::string &file, const std::vector<std::string> &wanted) {
  auto doc = Load(file);
  ASSERT_TRUE(doc);
  std::set<std::string> have = Events(*doc);
  for (const std::string &event : wanted) EXPECT_TRUE(have.count(event)) << file << " lacks the event " << event;
}

void ExpectElements(const std::string &file, const std::vector<std::string> &wanted) {
  auto doc = Load(file);
  ASSERT_TRUE(doc);
  for (const std::string &name : wanted) EXPECT_TRUE(doc->Find(name)) << file << " lacks the element " << name;
}

// The hint events of a button: its show event on enter, its hide event on leave.
std::vector<std::string> Hints(std::initializer_list<const char *> names) {
  std::vector<std::string> events;
  for (const char *n : names) {
    events.push_back(std::string("Show-") + n + "-label");
    events.push_back(std::string("Hide-") + n + "-label");
  }
  return events;
}

TEST(DefaultSkins, EveryFileParses) {
  for (const std::string &file : kFiles) EXPECT_TRUE(Load(file)) << file;
}

TEST(DefaultSkins, MainSkinsHaveTheClientAndTheLayoutStates) {
  for (const char *file : {"maindocked.skn", "mainundocked.skn", "bare.skn"}) {
    auto doc = Load(file);
    ASSERT_TRUE(doc);
    const SkinElement *client = doc->Find("client");
    ASSERT_TRUE(client) << file;
    EXPECT_GE(client->Absolute().width, 200) << file;
    // The viewer sends these to the root after every layout change.
    for (const char *state : {"Enable-Tuner", "Disable-Tuner", "Enable-Audio", "Disable-Audio"})
      EXPECT_EQ(doc->Run(std::string("goto top-edge ") + state), "") << file;
  }
  ExpectElements("maindocked.skn", {"Source-combo"});
  ExpectElements("mainundocked.skn", {"Source-combo"});
}

TEST(DefaultSkins, MainDockedHasEveryControlOfTheMainWindow) {
  std::vector<std::string> events = {
      "Next-source", "Prev-source", "Channel-up", "Channel-down", "Edit-channel", "Scan-channels",
      "New-channel", "Volume-up", "Volume-down", "Mute", "Stereo", "Show-source-combo",
      "Hide-source-combo", "Undock-controls", "Enable-min-size", "Enable-menu-popup", "Maximize",
      "Hide-function-label"};
  for (auto &h : Hints({"channel-up", "channel-down", "edit", "scan", "new", "mute", "stereo",
                        "volume-up", "volume-down", "next-source", "prev-source", "undock"}))
    events.push_back(h);
  ExpectEvents("maindocked.skn", events);
}

TEST(DefaultSkins, MainUndockedSteppingAndWindowButtons) {
  ExpectEvents("mainundocked.skn",
               {"Next-source", "Prev-source", "Channel-up", "Channel-down", "Volume-up", "Volume-down",
                "Show-source-combo", "Hide-source-combo", "Undock-controls", "Show-dock-label",
                "Enable-min-size", "Enable-menu-popup", "Minimize", "Maximize", "Hide-function-label"});
}

TEST(DefaultSkins, DisableTunerHidesEveryTunerButton) {
  for (const char *file : {"maindocked.skn", "mainundocked.skn"}) {
    auto doc = Load(file);
    ASSERT_TRUE(doc);
    const SkinElement *up = Clicker(*doc, "Channel-up");
    ASSERT_TRUE(up) << file;
    EXPECT_EQ(doc->Run("goto top-edge Disable-Tuner"), "");
    for (const char *e : {"Channel-up", "Channel-down", "New-channel", "Edit-channel", "Scan-channels"})
      if (const SkinElement *b = Clicker(*doc, e)) {
        EXPECT_FALSE(b->Shown()) << file << " " << e;
      }
    EXPECT_TRUE(Clicker(*doc, "Next-source")->Shown()) << file;
    EXPECT_EQ(doc->Run("goto top-edge Disable-Audio"), "");
    for (const char *e : {"Volume-up", "Volume-down", "Mute", "Stereo"})
      if (const SkinElement *b = Clicker(*doc, e)) {
        EXPECT_FALSE(b->Usable()) << file << " " << e;
      }
    EXPECT_EQ(doc->Run("goto top-edge Enable-Tuner"), "");
    EXPECT_TRUE(up->Shown()) << file;
  }
}

struct Remote {
  const char *file;
  bool tuner, advanced;
};

TEST(DefaultSkins, RemotesHaveTheirLabelsBarsAndEvents) {
  for (Remote r : {Remote{"remotestdt.skn", true, false}, Remote{"remotestdb.skn", false, false},
                   Remote{"remoteadvt.skn", true, true}, Remote{"remoteadvb.skn", false, true}}) {
    SCOPED_TRACE(r.file);
    auto doc = Load(r.file);
    ASSERT_TRUE(doc);
    for (const char *n : {"Label.Volume", "Label.Source", "Label.Function", "Label.Stereo", "Source-combo"})
      EXPECT_TRUE(doc->Find(n)) << n;
    EXPECT_EQ(doc->Find("Label.Channel") != nullptr, r.tuner);
    EXPECT_EQ(doc->Find("Label.Mute") != nullptr, r.advanced);
    // Exactly one volume bar, so the viewer's choice between them is plain.
    EXPECT_TRUE((doc->Find("HScroll.Volume") != nullptr) != (doc->Find("VScroll.Volume") != nullptr));
    for (const char *state : {"Enable-Audio", "Disable-Audio"})
      EXPECT_EQ(doc->Run(std::string("goto body ") + state), "");
    EXPECT_FALSE(Clicker(*doc, "Volume-up")->Usable());  // after Disable-Audio
    std::vector<std::string> events = {"Next-source", "Prev-source", "Volume-up", "Volume-down", "Mute",
                                       "Show-source-combo", "Hide-source-combo", "Dock-controls", "Close",
                                       "Help", "Hide-remote"};
    for (auto &h : Hints({"next-source", "prev-source", "close", "dock", "help", "mute", "hide"})) events.push_back(h);
    if (r.tuner)
      for (const char *e : {"Channel-up", "Channel-down", "Show-channel-up-label", "Hide-channel-up-label",
                            "Show-channel-down-label", "Hide-channel-down-label"})
        events.push_back(e);
    if (r.advanced)
      for (const char *e : {"Stereo", "Show-stereo-label", "Hide-stereo-label", "Show-volume-scroll", "Hide-volume-scroll"})
        events.push_back(e);
    if (r.tuner && r.advanced)
      for (const char *e : {"Edit-channel", "Scan-channels", "New-channel"}) events.push_back(e);
    std::set<std::string> have = Events(*doc);
    for (const std::string &e : events) EXPECT_TRUE(have.count(e)) << "lacks " << e;
    if (!r.tuner) {
      EXPECT_FALSE(have.count("Channel-up"));
    }
  }
  ExpectEvents("remoteadvt.skn", Hints({"edit", "scan", "new"}));
}

TEST(DefaultSkins, PanelElementsLieWhereTheViewerPutsItsPanels) {
  auto doc = Load("panel.skn");
  ASSERT_TRUE(doc);
  std::map<std::string, Rect> expected = {
      {"Window", {0, 0, 61, 46}}, {"Volume", {1, 3, 57, 11}},  {"Channel", {1, 16, 57, 11}},
      {"Source", {1, 29, 57, 11}}, {"Mute", {1, 3, 57, 11}},   {"Function", {1, 16, 57, 11}},
      {"Stereo", {1, 29, 57, 11}}};
  for (const auto &[name, rect] : expected) {
    ASSERT_TRUE(doc->Find(name)) << name;
    EXPECT_EQ(doc->Find(name)->Absolute(), rect) << name;
  }
}

TEST(DefaultSkins, ChannelPanels) {
  for (const char *file : {"new.skn", "edit.skn", "scan.skn"}) ExpectElements(file, {"Panel", "Slider-frequency"});
  std::vector<std::string> tuning = {"Scan-up", "Scan-down", "Fine-tune-up", "Fine-tune-down", "Okay", "Cancel"};
  for (auto &h : Hints({"scan-up", "scan-down", "fine-up", "fine-down", "okay", "cancel"})) tuning.push_back(h);
  ExpectEvents("new.skn", tuning);
  tuning.push_back("Remove-channel");
  for (auto &h : Hints({"remove-channel"})) tuning.push_back(h);
  ExpectEvents("edit.skn", tuning);
  ExpectEvents("scan.skn", {"Cancel", "Show-cancel-label", "Hide-cancel-label"});
}

// Width and height from a PNG's header; false when the file is no PNG.
bool PngSize(const std::string &path, int &width, int &height) {
  std::ifstream in(path, std::ios::binary);
  unsigned char h[24] = {};
  if (!in.read(reinterpret_cast<char *>(h), sizeof h)) return false;
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (!std::equal(kSignature, kSignature + 8, h) || std::string(reinterpret_cast<char *>(h + 12), 4) != "IHDR")
    return false;
  width = (h[16] << 24) | (h[17] << 16) | (h[18] << 8) | h[19];
  height = (h[20] << 24) | (h[21] << 16) | (h[22] << 8) | h[23];
  return true;
}

TEST(DefaultSkins, EveryImageWasDrawnAtItsElementsSize) {
  int images = 0;
  for (const std::string &file : kFiles) {
    auto doc = Load(file);
    ASSERT_TRUE(doc);
    Walk(doc->Root(), [&](const SkinElement &e) {
      for (const Appearance &look : e.looks) {
        if (look.image.empty()) continue;
        ++images;
        int w = 0, h = 0;
        ASSERT_TRUE(PngSize(kOutput + "/" + look.image, w, h)) << file << ": " << look.image;
        EXPECT_EQ(w, e.Relative().width) << file << ": " << look.image << " on " << e.Name();
        EXPECT_EQ(h, e.Relative().height) << file << ": " << look.image << " on " << e.Name();
      }
    });
  }
  EXPECT_GT(images, 100);
}

TEST(DefaultSkins, NothingSticksOutOrCoversAnotherControl) {
  for (const std::string &file : kFiles) {
    auto doc = Load(file);
    ASSERT_TRUE(doc);
    Walk(doc->Root(), [&](const SkinElement &e) {
      if (!e.Parent()) return;
      const Rect &r = e.Relative(), &p = e.Parent()->Relative();
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.Right() <= p.width && r.Bottom() <= p.height)
          << file << ": " << e.Name() << " sticks out of " << e.Parent()->Name();
    });
    std::vector<const SkinElement *> controls;
    Walk(doc->Root(), [&](const SkinElement &e) {
      if (e.Parent() && !e.onClick.empty()) controls.push_back(&e);
    });
    for (size_t i = 0; i < controls.size(); ++i)
      for (size_t j = i + 1; j < controls.size(); ++j) {
        Rect a = controls[i]->Absolute(), b = controls[j]->Absolute();
        bool overlap = a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
        EXPECT_FALSE(overlap) << file << ": " << controls[i]->Name() << " and " << controls[j]->Name() << " overlap";
      }
  }
}

}  // namespace
}  // namespace tolven::skin
