// The New Channel and Edit Channel panels: a channel being set up with
// seeks and fine-tuning steps, kept with Okay, given up with Cancel (the New
// panel then removes the channel it added and tunes the one from before),
// removed from the Edit panel after a question. A seek runs inside an event;
// the progress it reports moves the bar and a stop flag ends it.
#pragma once
#include <cstdint>

#include "platform/messagebox/message_box.h"
#include "platform/wide.h"
#include "viewer/app/hint_line.h"
#include "viewer/core/viewer_controller.h"

namespace tolven::viewer {

// The window of a channel panel.
class ChannelPanelView {
 public:
  virtual ~ChannelPanelView() = default;
  virtual void SetProgress(int32_t percent) = 0;
  // The "Function" panel's text.
  virtual void SetFunctionText(const WString &text) = 0;
  // Posts the panel's closing message to the main window.
  virtual void PostClose() = 0;
  virtual ui::Window Window() = 0;
};

class CChannelPanel {
 public:
  enum class Kind { kNew, kEdit };

  CChannelPanel(Kind kind, CViewerController &controller, ChannelPanelView &view, ui::MessageBoxes &messages)
      : kind_(kind), controller_(controller), view_(view), messages_(messages) {}

  // New: adds a channel and tunes it; Edit: takes the current channel.
  void Open();
  // A skin event; false when it is not one of the panel's.
  bool Event(WStringView name);
  // A character typed: '+' seek up, '-' seek down, '>' step up, '<' step down.
  bool Char(char16_t c);
  // The tuner's progress during a seek or step: true to go on.
  bool Progress(int32_t code, int32_t percent);

  Kind PanelKind() const { return kind_; }
  int32_t Index() const { return index_; }
  bool Seeking() const { return seeking_; }

 private:
  void Seek(bool up);
  void Step(bool up);
  void Okay();
  void Cancel();
  void Remove();
  WString OwnName();

  Kind kind_;
  CViewerController &controller_;
  ChannelPanelView &view_;
  ui::MessageBoxes &messages_;
  HintLine hint_;
  int32_t index_ = -1;
  int32_t before_ = -1;  // the channel tuned before the New panel opened
  bool seeking_ = false;
  bool stop_ = false;
};

}  // namespace tolven::viewer
