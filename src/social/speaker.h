#pragma once

#include <string>

namespace lastling::social {

// Anything that plays a sound by its name: the real player, the rules in front of it, or a
// test's recorder.
class Speaker {
public:
    virtual ~Speaker() = default;
    virtual void play(const std::string& name) = 0;
};

} // namespace lastling::social
