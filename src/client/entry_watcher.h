#pragma once

#include <string_view>

namespace lastling::client {

// Sees every host message after the table has handled it, known to the table or not: for
// what follows the game as a whole (the deal's check, the history). Must not throw.
class EntryWatcher {
public:
    virtual ~EntryWatcher() = default;
    virtual void seen(std::string_view word, std::string_view payload) = 0;
};

} // namespace lastling::client
