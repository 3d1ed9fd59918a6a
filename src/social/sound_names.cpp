#include "social/sound_names.h"

#include <cstddef>

namespace lastling::social {

std::string chatterSoundName(int number) {
    return "wave" + std::to_string(number);
}

int chatterSoundNumber(std::string_view name) {
    constexpr std::string_view prefix = "wave";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 2) {
        return 0;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if ((name[i] | 0x20) != prefix[i]) {
            return 0;
        }
    }
    const std::string_view digits = name.substr(prefix.size());
    if (digits.front() == '0') {
        return 0;
    }
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return 0;
        }
        number = number * 10 + (c - '0');
    }
    return number <= kChatterSoundCount ? number : 0;
}

std::string_view chatterCaption(int number) {
    if (number < 1 || number > kChatterSoundCount) {
        return {};
    }
    return kChatterCaptions[static_cast<std::size_t>(number - 1)];
}

} // namespace lastling::social
