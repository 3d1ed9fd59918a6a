#pragma once

#include "protocol/fields.h"

#include <array>
#include <string_view>

namespace lastling::testing {

// Follows the table from the host's messages and picks a legal card for one seat:
// the led suit if the hand holds it, else the first card.
class TablePlayer {
public:
    explicit TablePlayer(int seat) : m_seat(seat) {}

    // Returns the hand slot to play when the message gives this seat the turn, else 0.
    int onMessage(std::string_view message) {
        const auto plus = message.find('+');
        const std::string_view word = message.substr(0, plus);
        protocol::Fields fields(plus == std::string_view::npos ? std::string_view()
                                                               : message.substr(plus + 1));
        if (word == "CMD_mycards" && fields.number() == m_seat) {
            while (!fields.atEnd()) {
                const int slot = fields.number();
                const int card = fields.number();
                if (slot >= 1 && slot <= 4) {
                    m_hand[slot - 1] = card;
                }
            }
        } else if (word == "CMD_heplayed") {
            fields.number();
            const int card = fields.number();
            if (m_ledsuit == 0) {
                m_ledsuit = suitOf(card);
            }
        } else if (word == "CMD_endhand" || word == "CMD_roundstart" || word == "CMD_starthand") {
            m_ledsuit = 0;
        } else if (word == "CMD_nextplayer" && fields.number() == m_seat) {
            return choose();
        }
        return 0;
    }

    const std::array<int, 4>& hand() const { return m_hand; }

private:
    static int suitOf(int card) { return (card - 1) / 13 + 1; }

    int choose() {
        int chosen = 0;
        for (int slot = 1; slot <= 4; ++slot) {
            const int card = m_hand[slot - 1];
            if (card != 0 && (chosen == 0 || (m_ledsuit != 0 && suitOf(card) == m_ledsuit &&
                                              suitOf(m_hand[chosen - 1]) != m_ledsuit))) {
                chosen = slot;
            }
        }
        if (chosen != 0) {
            m_hand[chosen - 1] = 0;
        }
        return chosen;
    }

    int m_seat;
    int m_ledsuit = 0;
    std::array<int, 4> m_hand{};
};

} // namespace lastling::testing
