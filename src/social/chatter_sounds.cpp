#include "social/chatter_sounds.h"

#include "protocol/messages.h"

#include <array>
#include <cctype>
#include <charconv>

namespace lastling::social {
namespace {

constexpr std::array<std::string_view, kChatterSoundCount> kCaptions = {
    "Doh",       "Cough",    "Hello",          "Thank You",    "Where have you been?",
    "Snoring",   "Sneezing", "Sorry",          "Welcome",      "Yeehaa",
    "Yippee",    "Oh No",    "Applause",       "Honk",         "Oooh",
    "Razzberry", "Cheer",    "Woman Laughing", "Man Laughing", "Crying"};

constexpr std::string_view kWave = "wave";

bool startsWithWave(std::string_view name) {
    if (name.size() < kWave.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kWave.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != kWave[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string_view chatterCaption(int number) {
    if (number < 1 || number > kChatterSoundCount) {
        return {};
    }
    return kCaptions[static_cast<std::size_t>(number - 1)];
}

std::optional<int> chatterSoundNumber(std::string_view name) {
    if (!startsWithWave(name)) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(kWave.size());
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    // "wave02" names no menu item, just as "wave+2" does not.
    if (digits.empty() || digits.front() < '1' || digits.front() > '9' || error != std::errc() ||
        end != digits.data() + digits.size() || number > kChatterSoundCount) {
        return std::nullopt;
    }
    return number;
}

std::string chatterSoundMessage(int tag, int myseat, bool loggedin) {
    if (!loggedin || tag < 1 || tag > kChatterSoundCount) {
        return {};
    }
    return protocol::playasound(myseat, tag);
}

} // namespace lastling::social
