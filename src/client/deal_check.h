#pragma once

#include "client/client_state.h"
#include "client/entry_watcher.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::client {

// A round's deck as the host showed it at the round's end.
struct RevealedDeal {
    std::string saltHex;
    std::vector<int> deck; // the cards at positions 1..52
};

// Reads a "CMD_dealreveal" payload, "SALT+C1+...+C52+": 32 hex digits, then 52 distinct
// cards 1..52. Anything else, shorter or longer, is no deal.
std::optional<RevealedDeal> parseReveal(std::string_view payload);

// The SHA-256 fingerprint of a deal, as the host seals it (protocol/deal_seal.h).
std::string dealFingerprint(const RevealedDeal& deal);

// Holds the host to the deal it sealed: at the round's end the shown deck must match the
// fingerprint from the deal, and every card this table saw (its own hand and draws, the trump,
// every card played, by whom) must have come from that deck where the rules put it.
class DealCheck : public EntryWatcher {
public:
    static constexpr const char* kWarning =
        "0+The host's deal for this round does not match what it promised.";
    using LineSink = std::function<void(const std::string& line)>;

    DealCheck(const ClientState& state, LineSink systemLine);

    void seen(std::string_view word, std::string_view payload) override;

private:
    enum class Kind { Dealt, Drawn, Played, Won };
    struct Step {
        Kind kind;
        int seat;
        int card;
    };
    static constexpr std::size_t kMaxSteps = 512; // a round has at most 60 cards played

    void sealed(std::string_view payload);
    void roundstart(std::string_view payload);
    void mycards(std::string_view payload);
    void note(Kind kind, int seat, int card);
    void revealed(std::string_view payload);
    bool matches(const RevealedDeal& deal) const;
    bool playsMatch(const std::vector<int>& deck) const;

    const ClientState& m_state;
    LineSink m_systemLine;
    std::string m_fingerprint; // of the round being played; empty when none is sealed
    int m_trump = 0;
    bool m_fromDeal = false; // this table saw the round from its deal on
    bool m_dealtSeen = false;
    std::vector<Step> m_steps;
};

} // namespace lastling::client
