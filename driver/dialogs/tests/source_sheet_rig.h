// The module's application object on the virtual card: the emulated
// machine, the card behind the board, a control environment over them, the
// driver object (for the per-user values), and fake runners that play the
// user at the sheets and dialogs.
#pragma once
#include <memory>

#include "driver/control/tests/control_rig.h"
#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/resource_ids.h"
#include "driver/dialogs/source_prop_sheet.h"
#include "driver/dialogs/tests/fake_dialog_view.h"
#include "driver/tuning/channel_list.h"

namespace tolven::dialogs::testing {

struct NoDriverHost : DriverHost {
  intptr_t DefDriverProc(uintptr_t, uintptr_t, uint32_t, intptr_t, intptr_t) override { return 0; }
  bool StringResource(uint32_t, WString *) override { return false; }
};

struct SourceSheetRig : tolven::testing::CardRig {
  explicit SourceSheetRig(card::CardConfig config = card::DefaultCardConfig(), bool withHub = true)
      : CardRig(config),
        app(DriverAppEnvironment{dialogs, sheets, strings, m.resources, locale, withHub ? &env : nullptr}) {
    app.CreateDriver(m.ports(), gdi, host, requests);
    app.EnsureSettingsApplied();
  }

  // The channels in the file the tuner stores, as (name, number).
  std::vector<std::pair<WString, uint32_t>> StoredChannels() {
    tuning::CVarnTunerChannelList list;
    list.Load(m.files, kChannelFile);
    std::vector<std::pair<WString, uint32_t>> out;
    for (int32_t i = 0; i < list.GetCount(); ++i) {
      tuning::CVarnTunerChannel c;
      list.GetAt(i, &c);
      out.emplace_back(c.name, c.channelNumber);
    }
    return out;
  }
  std::optional<uint32_t> UserValue(WStringView name) {
    uint32_t value = 0;
    if (!app.ReadUserDword(name, &value)) return std::nullopt;
    return value;
  }
  // Runs a tuner scan through the module's hub.
  void Scan() {
    control::ITunerControl *tuner = app.GetTuner();
    tuner->SetProgressCallback(nullptr);
    tuner->AutoScan();
    tuner->SaveSettings();  // the next hub loads the channels from the file
  }

  static constexpr char16_t kChannelFile[] = u"C:\\Users\\viewer\\TOLVEN0.dat";
  NoDriverHost host;
  FakeDialogRunner dialogs;
  FakeSheetRunner sheets;
  CDriverApp app;
};

}  // namespace tolven::dialogs::testing
