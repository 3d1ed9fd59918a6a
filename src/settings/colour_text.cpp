#include "settings/colour_text.h"

#include "settings/ini_document.h"

#include <array>
#include <cstdio>

namespace lastling::settings {
namespace {

struct NamedColour {
    std::string_view name;
    Colour value;
};

constexpr Colour kSystem = 0x80000000;

// In this order, so that a value with two names is written with the first.
constexpr std::array<NamedColour, 42> kNames{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", kSystem + 0},
    {"clBackground", kSystem + 1},
    {"clActiveCaption", kSystem + 2},
    {"clInactiveCaption", kSystem + 3},
    {"clMenu", kSystem + 4},
    {"clWindow", kSystem + 5},
    {"clWindowFrame", kSystem + 6},
    {"clMenuText", kSystem + 7},
    {"clWindowText", kSystem + 8},
    {"clCaptionText", kSystem + 9},
    {"clActiveBorder", kSystem + 10},
    {"clInactiveBorder", kSystem + 11},
    {"clAppWorkSpace", kSystem + 12},
    {"clHighlight", kSystem + 13},
    {"clHighlightText", kSystem + 14},
    {"clBtnFace", kSystem + 15},
    {"clBtnShadow", kSystem + 16},
    {"clGrayText", kSystem + 17},
    {"clBtnText", kSystem + 18},
    {"clInactiveCaptionText", kSystem + 19},
    {"clBtnHighlight", kSystem + 20},
    {"cl3DDkShadow", kSystem + 21},
    {"cl3DLight", kSystem + 22},
    {"clInfoText", kSystem + 23},
    {"clInfoBk", kSystem + 24},
    {"clNone", kNoColour},
}};

} // namespace

std::string colourText(Colour colour) {
    for (const auto& named : kNames) {
        if (named.value == colour)
            return std::string(named.name);
    }
    std::array<char, 10> text{};
    std::snprintf(text.data(), text.size(), "$%08X", static_cast<unsigned>(colour));
    return text.data();
}

std::optional<Colour> colourFromText(std::string_view text) {
    for (const auto& named : kNames) {
        if (equalIgnoringCase(named.name, text))
            return named.value;
    }
    if (const auto value = parseIniInteger(text))
        return static_cast<Colour>(*value);
    return std::nullopt;
}

} // namespace lastling::settings
