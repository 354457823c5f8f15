#include "viewer/app/channel_panel.h"

#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

namespace {
struct HintEvent {
  const char16_t *show;
  const char16_t *hide;
  uint32_t id;
};
constexpr HintEvent kHints[] = {
    {u"Show-scan-up-label", u"Hide-scan-up-label", 137},
    {u"Show-scan-down-label", u"Hide-scan-down-label", 138},
    {u"Show-fine-up-label", u"Hide-fine-up-label", 136},
    {u"Show-fine-down-label", u"Hide-fine-down-label", 135},
    {u"Show-okay-label", u"Hide-okay-label", 139},
    {u"Show-cancel-label", u"Hide-cancel-label", 140},
    {u"Show-remove-channel-label", u"Hide-remove-channel-label", 141},
};
constexpr uint32_t kAskDelete = 102, kAskDeleteCaption = 103;
}  // namespace

void CChannelPanel::Open() {
  if (kind_ == Kind::kNew) {
    before_ = controller_.CachedChannel();
    controller_.NewChannel();
    index_ = controller_.ChannelCount() - 1;
  } else {
    index_ = controller_.CachedChannel();
    controller_.Commit();
  }
  view_.SetProgress(controller_.ChannelPosition(index_));
}

WString CChannelPanel::OwnName() { return controller_.ChannelName(index_); }

bool CChannelPanel::Event(WStringView name) {
  if (name == u"Scan-up" || name == u"Scan-down") {
    Seek(name == u"Scan-up");
  } else if (name == u"Fine-tune-up" || name == u"Fine-tune-down") {
    stop_ = true;
    if (!seeking_) Step(name == u"Fine-tune-up");
  } else if (name == u"Okay") {
    Okay();
  } else if (name == u"Cancel") {
    Cancel();
  } else if (name == u"Remove-channel" && kind_ == Kind::kEdit) {
    Remove();
  } else {
    for (const HintEvent &h : kHints) {
      if (name == h.show) {
        view_.SetFunctionText(hint_.Show(h.id));
        return true;
      }
      if (name == h.hide) {
        if (hint_.Hide(h.id)) view_.SetFunctionText(WString());
        return true;
      }
    }
    return false;
  }
  return true;
}

bool CChannelPanel::Char(char16_t c) {
  switch (c) {
    case u'+': Seek(true); return true;
    case u'-': Seek(false); return true;
    case u'>': Step(true); return true;
    case u'<': Step(false); return true;
    default: return false;
  }
}

bool CChannelPanel::Progress(int32_t code, int32_t percent) {
  if (code >= 2 && code <= 5) view_.SetProgress(percent);
  return !stop_ && seeking_;
}

void CChannelPanel::Seek(bool up) {
  if (seeking_) return;  // one seek at a time: the events come from inside it
  seeking_ = true;
  stop_ = false;
  WString message;
  controller_.SeekChannel(up, &message);
  seeking_ = false;
  stop_ = false;
  view_.SetProgress(controller_.ChannelPosition(index_));
  if (!message.empty()) view_.SetFunctionText(hint_.Show(up ? kStrSeekUpNothing : kStrSeekDownNothing));
}

void CChannelPanel::Step(bool up) {
  if (seeking_) return;
  controller_.StepChannel(up);
  view_.SetProgress(controller_.ChannelPosition(index_));
}

void CChannelPanel::Okay() {
  stop_ = true;
  if (kind_ == Kind::kNew) {
    if (seeking_) return;
    controller_.RenameChannel(index_, OwnName());
    controller_.MarkCurrentChannel();
    controller_.SaveTunerSettings();
    view_.PostClose();
    return;
  }
  controller_.RenameChannel(index_, OwnName());
  controller_.SaveTunerSettings();
  if (!seeking_) view_.PostClose();
}

void CChannelPanel::Cancel() {
  stop_ = true;
  if (kind_ == Kind::kEdit) {
    view_.PostClose();
    return;
  }
  if (seeking_) return;
  controller_.DeleteChannel(index_);
  if (before_ >= 0) controller_.GoToChannel(before_);
  controller_.SaveTunerSettings();
  view_.PostClose();
}

void CChannelPanel::Remove() {
  const int answer = messages_.Show(view_.Window(), ViewerStrings::Text(kAskDelete),
                                    ViewerStrings::Text(kAskDeleteCaption),
                                    ui::kMbYesNo | ui::kMbIconQuestion | ui::kMbDefButton2);
  if (answer != ui::kIdYes) return;
  controller_.DeleteChannel(index_);
  controller_.SaveTunerSettings();
  view_.PostClose();
}

}  // namespace tolven::viewer
