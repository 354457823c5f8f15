// The video port component: the port's configuration (aspect, video
// format, connection, colour format) and the overlay colour key. It keeps no
// current values; every reading asks the hardware.
#pragma once
#include "driver/control/component_base.h"

namespace tolven::control {

class CVideoPortControl final : public IVideoPortControl, private ComponentBase {
 public:
  explicit CVideoPortControl(ControlEnvironment &environment);
  ~CVideoPortControl() = default;

  struct Group {
    const ValueGroup &values;
    int capabilityWord;
    uint32_t readRequest, setRequest, readFallback;
  };

#define PORT_GROUP_OPS(G)                                                          \
  TOLVEN_THISCALL int32_t Set##G(int32_t index) override;                          \
  TOLVEN_THISCALL int32_t Get##G() override;                                       \
  TOLVEN_THISCALL int32_t Get##G##Code(int32_t index) override;                    \
  TOLVEN_THISCALL int32_t Get##G##Count() override;                                \
  TOLVEN_THISCALL int32_t Get##G##NameLength(int32_t index) override;              \
  TOLVEN_THISCALL int32_t Get##G##Name(int32_t index, char16_t *buffer) override;  \
  TOLVEN_THISCALL int32_t Lookup##G##Name(int32_t index, ControlName *name) override;
  PORT_GROUP_OPS(Aspect)
  PORT_GROUP_OPS(VideoFormat)
  PORT_GROUP_OPS(Connection)
#undef PORT_GROUP_OPS
  TOLVEN_THISCALL int32_t SetColourFormat(int32_t index) override;
  TOLVEN_THISCALL int32_t GetColourFormat() override;
  TOLVEN_THISCALL int32_t GetColourFormatCode(int32_t index) override;
  TOLVEN_THISCALL int32_t GetColourFormatCount() override;
  TOLVEN_THISCALL int32_t GetOverlayColourKey() override;
  TOLVEN_THISCALL int32_t OpenSettingsKey(const char16_t *subkey) override;
  TOLVEN_THISCALL int32_t SaveSettings() override;
  TOLVEN_THISCALL int32_t LoadSettings() override;
  TOLVEN_THISCALL void *DeletingDestructor(uint32_t flags) override;
  TOLVEN_THISCALL int32_t InitialiseVideoPort() override;

 private:
  int32_t Set(const Group &g, int32_t index);
  int32_t Get(const Group &g);
  int32_t Count(const Group &g) const;
  WString IndexName(const Group &g, int32_t index) const;
  uint32_t Request(uint32_t number, uint32_t value, uint32_t fallback, bool *ok = nullptr);

  uint32_t caps_[requests::videoport::kDescriptionWords] = {};
};

}  // namespace tolven::control
