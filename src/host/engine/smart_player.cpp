#include "host/engine/smart_player.h"

#include "host/engine/classic_player.h"

namespace lastling::host {

int SmartPlayer::chooseSlot(const SeatView& view) { return ClassicPlayer::chooseSlot(view); }

} // namespace lastling::host
