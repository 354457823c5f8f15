#include "driver/dialogs/video_decoder_page.h"

#include "driver/dialogs/component_names.h"
#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

namespace {

using control::IVideoDecoderControl;

// CBN_SELCHANGE: the selection moved, also by the arrow keys in a closed list.
constexpr int kComboSelChange = 1;

// One enumerated setting of the decoder and the list that shows it.
struct DecoderList {
  int control;
  int32_t (*count)(IVideoDecoderControl &);
  int32_t (*nameLength)(IVideoDecoderControl &, int32_t);
  int32_t (*name)(IVideoDecoderControl &, int32_t, char16_t *);
  int32_t (*get)(IVideoDecoderControl &);
  int32_t (*set)(IVideoDecoderControl &, int32_t);
};

#define DECODER_LIST(id, G)                                                                 \
  DecoderList {                                                                             \
    id, [](IVideoDecoderControl &d) { return d.Get##G##Count(); },                          \
        [](IVideoDecoderControl &d, int32_t i) { return d.Get##G##NameLength(i); },         \
        [](IVideoDecoderControl &d, int32_t i, char16_t *b) { return d.Get##G##Name(i, b); }, \
        [](IVideoDecoderControl &d) { return d.Get##G(); },                                 \
        [](IVideoDecoderControl &d, int32_t i) { return d.Set##G(i); }                      \
  }

const DecoderList kStandard = DECODER_LIST(IDC_DEC_VIDEO_STANDARD, VideoStandard);
const DecoderList kInterlace = DECODER_LIST(IDC_DEC_INTERLACE_MODE, InterlaceMode);
const DecoderList kScaling = DECODER_LIST(IDC_DEC_SCALING, ScaleStrategy);
const DecoderList kAspect = DECODER_LIST(IDC_DEC_ASPECT_RATIO, AspectRatio);
const DecoderList kDepth = DECODER_LIST(IDC_DEC_COLOUR_DEPTH, ColourDepth);
#undef DECODER_LIST

// The order the lists are filled in, and the order their selections are made.
const DecoderList *const kFillOrder[] = {&kStandard, &kInterlace, &kScaling, &kAspect, &kDepth};
const DecoderList *const kSelectOrder[] = {&kAspect, &kDepth, &kInterlace, &kScaling, &kStandard};

const DecoderList *ListOf(int control) {
  for (const DecoderList *list : kFillOrder)
    if (list->control == control) return list;
  return nullptr;
}

void FillList(DialogView &view, IVideoDecoderControl &decoder, const DecoderList &list) {
  const int32_t count = list.count(decoder);
  for (int32_t i = 0; i < count; ++i) {
    WString name;
    if (!ReadComponentName([&] { return list.nameLength(decoder, i); },
                           [&](char16_t *buffer) { return list.name(decoder, i, buffer); }, &name))
      continue;
    view.AddListItem(list.control, name, static_cast<uintptr_t>(i));
  }
  if (view.ListCount(list.control) < 2) view.EnableControl(list.control, false);
}

void SelectCurrent(DialogView &view, IVideoDecoderControl &decoder, const DecoderList &list) {
  const int32_t current = list.get(decoder);
  const int count = view.ListCount(list.control);
  for (int i = 0; i < count; ++i) {
    if (static_cast<intptr_t>(view.ListItemData(list.control, i)) == current) {
      view.SelectListItem(list.control, i);
      return;
    }
  }
  view.SelectListItem(list.control, -1);
}

}  // namespace

void CUserVideoDecoderPage::ReadControls(DialogView &view) {
  outputEnable_ = view.IsChecked(IDC_DEC_OUTPUT_ENABLE) ? 1 : 0;
  vcrTiming_ = view.IsChecked(IDC_DEC_VCR_TIMING) ? 1 : 0;
}

void CUserVideoDecoderPage::FillControls(DialogView &view) {
  view.SetChecked(IDC_DEC_OUTPUT_ENABLE, outputEnable_ != 0);
  view.SetChecked(IDC_DEC_VCR_TIMING, vcrTiming_ != 0);
}

void CUserVideoDecoderPage::OnInitDialog(DialogView &view) {
  IVideoDecoderControl *decoder = app_.GetVideoDecoder();
  if (!decoder) {
    FillControls(view);
    return;
  }
  for (const DecoderList *list : kFillOrder) FillList(view, *decoder, *list);

  // Writing a flag back is how the page learns whether the decoder lets it
  // be changed at all.
  outputEnable_ = decoder->GetOutputEnable();
  if (!decoder->SetOutputEnable(outputEnable_)) view.EnableControl(IDC_DEC_OUTPUT_ENABLE, false);
  vcrTiming_ = decoder->GetVcrTiming();
  if (!decoder->SetVcrTiming(vcrTiming_)) view.EnableControl(IDC_DEC_VCR_TIMING, false);

  for (const DecoderList *list : kSelectOrder) SelectCurrent(view, *decoder, *list);
  outputEnable_ = decoder->GetOutputEnable();
  vcrTiming_ = decoder->GetVcrTiming();
  FillControls(view);
}

void CUserVideoDecoderPage::OnCommand(DialogView &view, int control, int notification) {
  IVideoDecoderControl *decoder = app_.GetVideoDecoder();
  if (!decoder) return;
  if (const DecoderList *list = ListOf(control)) {
    // Every change of the selection applies, also one made with the arrow
    // keys while the list is closed.
    if (notification != kComboSelChange) return;
    const int selection = view.ListSelection(control);
    if (selection < 0) return;
    const auto index = static_cast<int32_t>(view.ListItemData(control, selection));
    if (list->set(*decoder, index)) SetModified(true);
    return;
  }
  if (notification != kButtonClicked) return;
  if (control == IDC_DEC_OUTPUT_ENABLE) {
    ReadControls(view);
    if (decoder->SetOutputEnable(outputEnable_)) SetModified(true);
  } else if (control == IDC_DEC_VCR_TIMING) {
    ReadControls(view);
    if (decoder->SetVcrTiming(vcrTiming_)) SetModified(true);
  }
}

void CUserVideoDecoderPage::OnSetActive(DialogView &view) {
  SetModified(false);
  ReadControls(view);
  // What is stored now is what Cancel goes back to.
  if (IVideoDecoderControl *decoder = app_.GetVideoDecoder()) decoder->SaveSettings();
}

bool CUserVideoDecoderPage::OnApply(DialogView &) {
  if (IVideoDecoderControl *decoder = app_.GetVideoDecoder()) decoder->SaveSettings();
  SetModified(false);
  return true;
}

void CUserVideoDecoderPage::OnCancel(DialogView &) {
  if (IVideoDecoderControl *decoder = app_.GetVideoDecoder()) decoder->LoadSettings();
}

}  // namespace tolven::dialogs
