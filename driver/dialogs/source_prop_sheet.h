// CUserSourcePropSheet: "Video Source Properties". It always holds the
// crossbar page, the tuner page while the current input is the tuner, and
// the TV audio page while the current input carries TV audio; it opens on
// "TV Tuner" when it has that page. A change of source closes it and opens
// a fresh one whose pages match the new input.
#pragma once
#include <cstdint>
#include <vector>

#include "driver/dialogs/crossbar_page.h"
#include "driver/dialogs/property_sheet.h"
#include "driver/dialogs/tuner_page.h"
#include "driver/dialogs/tv_audio_page.h"

namespace tolven::dialogs {

class CDriverApp;

// The caption and the message of the source change.
inline constexpr uint32_t kSourceSheetCaption = 102;
inline constexpr uint32_t kSaveBeforeSwitchString = 107;
// The reopen request: the sheet is to be replaced by a fresh one.
inline constexpr int kReopenRequest = 0x4C8;
// The crossbar's type of a tuner input.
inline constexpr int32_t kTunerInputType = 2;

class CUserSourcePropSheet : public PropertySheetPresenter {
 public:
  // Decides the pages from the hub's crossbar as it stands.
  explicit CUserSourcePropSheet(CDriverApp &app);

  uint32_t CaptionString() const override { return kSourceSheetCaption; }
  std::vector<SheetPage> Pages() override;
  void OnInitSheet(SheetControl &sheet) override;
  void OnRequest(SheetControl &sheet, int code) override;

  // The source change the crossbar page runs when the user picks `source`:
  // false when the user cancelled it.
  bool ChangeSource(DialogView &page, int32_t source);

  bool HasTunerPage() const { return hasTunerPage_; }
  bool HasTvAudioPage() const { return hasTvAudioPage_; }
  CUserCrossbarPage &CrossbarPage() { return crossbarPage_; }
  CUserTunerPage &TunerPage() { return tunerPage_; }
  CUserTvAudioPage &TvAudioPage() { return tvAudioPage_; }

 private:
  CDriverApp &app_;
  CUserCrossbarPage crossbarPage_;
  CUserTunerPage tunerPage_;
  CUserTvAudioPage tvAudioPage_;
  bool hasTunerPage_ = false;
  bool hasTvAudioPage_ = false;
  SheetControl *control_ = nullptr;
};

}  // namespace tolven::dialogs
