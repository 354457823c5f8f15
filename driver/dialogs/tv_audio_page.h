// CUserTvAudioPage: the "TV Audio" page of the Video Source sheet: the
// stereo audio mode, the language channel, mute and the external audio
// volume, each applied to the crossbar at once.
#pragma once
#include "driver/dialogs/property_sheet.h"

namespace tolven::dialogs {

class CDriverApp;

class CUserTvAudioPage : public PagePresenter {
 public:
  explicit CUserTvAudioPage(CDriverApp &app) : app_(app) {}

  void OnInitDialog(DialogView &view) override;
  void OnCommand(DialogView &view, int control, int notification) override;
  void OnHScroll(DialogView &view, int control) override;

  int Language() const { return language_; }
  int Volume() const { return volume_; }
  bool Mute() const { return mute_; }

 private:
  // Enables the language buttons the crossbar's language count allows and
  // falls back to the primary language when the chosen one is gone.
  void UpdateLanguageButtons(DialogView &view);
  void FillControls(DialogView &view);
  void ReadControls(DialogView &view);

  CDriverApp &app_;
  int language_ = 0;
  int volume_ = 0;
  bool mute_ = false;
  int modeSelection_ = -1;
};

}  // namespace tolven::dialogs
