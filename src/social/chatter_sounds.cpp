#include "social/chatter_sounds.h"

#include "protocol/messages.h"

namespace lastling::social {

std::string chatterSoundMessage(int tag, int myseat, bool loggedin) {
    if (!loggedin || tag < 1 || tag > kChatterSoundCount) {
        return {};
    }
    return protocol::playasound(myseat, tag);
}

} // namespace lastling::social
