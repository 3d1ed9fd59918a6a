#include "social/qt_colour.h"

namespace lastling::social {
namespace {

constexpr Colour kSystemColourFlag = 0x80000000;

QPalette::ColorRole systemRole(Colour index) {
    switch (index) {
    case 5:
        return QPalette::Base; // clWindow
    case 13:
        return QPalette::Highlight; // clHighlight
    case 14:
        return QPalette::HighlightedText; // clHighlightText
    case 15:
        return QPalette::Button; // clBtnFace
    case 16:
        return QPalette::Mid; // clBtnShadow
    case 17:
        return QPalette::PlaceholderText; // clGrayText
    case 18:
        return QPalette::ButtonText; // clBtnText
    case 20:
        return QPalette::Light; // clBtnHighlight
    case 21:
        return QPalette::Shadow; // cl3DDkShadow
    case 22:
        return QPalette::Midlight; // cl3DLight
    case 23:
        return QPalette::ToolTipText; // clInfoText
    case 24:
        return QPalette::ToolTipBase; // clInfoBk
    default:
        return QPalette::Text; // clWindowText and the rest
    }
}

} // namespace

QColor toQColor(Colour colour, const QPalette& palette) {
    if ((colour & 0xFF000000u) == kSystemColourFlag) {
        return palette.color(QPalette::Active, systemRole(colour & 0xFFu));
    }
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

Colour fromQColor(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<Colour>(rgb.red()) | static_cast<Colour>(rgb.green()) << 8 |
           static_cast<Colour>(rgb.blue()) << 16;
}

} // namespace lastling::social
