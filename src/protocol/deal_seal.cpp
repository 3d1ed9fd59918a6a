#include "protocol/deal_seal.h"

namespace lastling::protocol {

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

int hexValue(char digit) {
    const auto found = kHexDigits.find(digit);
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

} // namespace

std::string sealedBytes(const std::vector<int>& deck, std::string_view salt) {
    if (deck.size() != kDealCards || salt.size() != kDealSaltBytes) {
        return {};
    }
    std::string bytes;
    bytes.reserve(kDealCards + kDealSaltBytes);
    for (int card : deck) {
        if (card < 1 || card > static_cast<int>(kDealCards)) {
            return {};
        }
        bytes.push_back(static_cast<char>(card));
    }
    bytes.append(salt);
    return bytes;
}

std::string toHex(std::string_view bytes) {
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        hex.push_back(kHexDigits[value >> 4]);
        hex.push_back(kHexDigits[value & 0x0F]);
    }
    return hex;
}

bool fromHex(std::string_view hex, std::string& bytes) {
    if (hex.size() % 2 != 0) {
        return false;
    }
    std::string out;
    out.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = hexValue(hex[i]);
        const int low = hexValue(hex[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        out.push_back(static_cast<char>(high * 16 + low));
    }
    bytes = std::move(out);
    return true;
}

} // namespace lastling::protocol
