#include "virtualcard/assembly/native_card.h"

namespace tolven::card {

NativeCard::NativeCard(const CardConfig &config, Clock &clock)
    : card(config, &clock), board(display, clock, gdi) {}

}  // namespace tolven::card
