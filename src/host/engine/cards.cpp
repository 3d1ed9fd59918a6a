#include "host/engine/cards.h"

namespace lastling::host {

int cardPoints(int card) { return card % 13 == 0 ? 14 : card % 13 + 1; }

} // namespace lastling::host
