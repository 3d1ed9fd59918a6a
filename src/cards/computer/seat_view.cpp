#include "cards/computer/seat_view.h"

namespace lastling::computer {

void PlayLog::add(int seat, int card, bool leads) {
    if (count < kMaxPlays) {
        plays[static_cast<std::size_t>(count++)] = {static_cast<std::uint8_t>(seat),
                                                    static_cast<std::uint8_t>(card), leads};
    }
}

} // namespace lastling::computer
