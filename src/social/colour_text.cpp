#include "social/colour_text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <limits>

namespace lastling::social {
namespace {

// Stand-in for the settings layer's colour conversion, kept to one place so it can be
// swapped for the shared one.
struct NamedColour {
    std::string_view name;
    Colour value;
};

constexpr std::array<NamedColour, 16> kNamed{{
    {"clBlack", 0x000000},  {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080}, {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},    {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
}};

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (std::tolower(ca) != std::tolower(cb)) {
            return false;
        }
    }
    return true;
}

std::optional<Colour> parseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    Colour value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<Colour> parseDecimal(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<Colour>(value);
}

} // namespace

std::string colourText(Colour colour) {
    for (const auto& named : kNamed) {
        if (named.value == colour) {
            return std::string(named.name);
        }
    }
    char buffer[10];
    std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(colour));
    return buffer;
}

std::optional<Colour> colourFromText(std::string_view text) {
    for (const auto& named : kNamed) {
        if (sameIgnoringCase(named.name, text)) {
            return named.value;
        }
    }
    if (sameIgnoringCase(text, "clWindowText")) {
        return kWindowText;
    }
    if (text.starts_with('$')) {
        return parseHex(text.substr(1));
    }
    if (text.starts_with("0x") || text.starts_with("0X")) {
        return parseHex(text.substr(2));
    }
    return parseDecimal(text);
}

} // namespace lastling::social
