#include "client/table_view.h"

#include <array>

namespace lastling::client {

namespace {

constexpr int kCardWidth = 71;
constexpr int kBackStep = 10;
constexpr int kFaceStep = 20;

int wrap(int value) {
    return ((value % 4) + 4) % 4;
}

} // namespace

int HandPicture::width() const {
    if (faceUp) {
        const int count = static_cast<int>(cards.size());
        return count >= 2 && count <= 4 ? kCardWidth + (count - 1) * kFaceStep : kCardWidth;
    }
    return backs >= 1 && backs <= 4 ? kCardWidth + (backs - 1) * kBackStep : 0;
}

std::vector<int> HandPicture::offsets() const {
    std::vector<int> result;
    const int count = faceUp ? static_cast<int>(cards.size()) : backs;
    if (count < 0 || count > 4) {
        return result; // drawn as an empty picture
    }
    const int step = faceUp ? kFaceStep : kBackStep;
    for (int i = 0; i < count; ++i) {
        result.push_back(i * step);
    }
    return result;
}

std::vector<int> HandPicture::pictures() const {
    if (faceUp) {
        return cards;
    }
    return std::vector<int>(static_cast<std::size_t>(backs >= 0 && backs <= 4 ? backs : 0), 0);
}

int screenPosition(int seat, int bottomSeat) {
    return wrap(seat - bottomSeat);
}

int seatAtPosition(int position, int bottomSeat) {
    return wrap(bottomSeat - 1 + position) + 1;
}

std::string placeholderName(int seat) {
    static const std::array<const char*, 5> names = {"", "Klang", "Klot", "Klick", "Kling"};
    return seat >= 1 && seat <= 4 ? names[static_cast<std::size_t>(seat)] : "";
}

} // namespace lastling::client
