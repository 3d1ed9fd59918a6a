#include "protocol/wire_text.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

namespace lastling::protocol {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kBrokenBar = 0xA6;  // looks like "|" but separates nothing
constexpr char32_t kLastLatin1 = 0xFE; // 0xFF is the end byte

struct Decoded {
    char32_t code = 0;
    std::size_t length = 0; // 0: no valid UTF-8 sequence starts here
};

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Sequence length announced by a lead byte; 0 for a byte no valid sequence starts with.
std::size_t announcedLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead < 0xE0) {
        return 2;
    }
    if (lead >= 0xE0 && lead < 0xF0) {
        return 3;
    }
    return lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
}

// The UTF-8 sequence at `at`: overlong forms, surrogates and values beyond U+10FFFF are
// not valid.
Decoded decodeAt(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const std::size_t length = announcedLength(lead);
    if (length == 0 || at + length > bytes.size()) {
        return {};
    }
    static constexpr std::uint8_t kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    char32_t code = lead & kLeadBits[length];
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[at + i]);
        if (!isContinuation(byte)) {
            return {};
        }
        code = (code << 6) | (byte & 0x3F);
    }
    const bool valid =
        code >= kSmallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    return valid ? Decoded{code, length} : Decoded{};
}

// Every sequence read, an invalid one as U+FFFD for its first byte.
std::u32string decodeUtf8(std::string_view bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const Decoded decoded = decodeAt(bytes, at);
        text.push_back(decoded.length == 0 ? kReplacement : decoded.code);
        at += std::max<std::size_t>(decoded.length, 1);
    }
    return text;
}

std::string encodeUtf8(std::u32string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (char32_t c : text) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            c = kReplacement;
        }
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return bytes;
}

bool inRanges(char32_t c, const std::pair<char32_t, char32_t>* first,
              const std::pair<char32_t, char32_t>* last) {
    return std::any_of(first, last,
                       [c](const auto& range) { return c >= range.first && c <= range.second; });
}

// Embeddings, overrides and isolates: they reorder everything after them up to the end of
// the paragraph. The marks U+200E and U+200F stay: right-to-left writers need them, and
// they move no more than a letter of their direction would.
bool isBidiControl(char32_t c) {
    static constexpr std::pair<char32_t, char32_t> kControls[] = {{0x202A, 0x202E},
                                                                  {0x2066, 0x2069}};
    return inRanges(c, std::begin(kControls), std::end(kControls));
}

} // namespace

bool isHiddenCharacter(char32_t c) {
    static constexpr std::pair<char32_t, char32_t> kHidden[] = {
        {0x0000, 0x001F},   {0x007F, 0x009F},   {0x00AD, 0x00AD},  {0x034F, 0x034F},
        {0x061C, 0x061C},   {0x115F, 0x1160},   {0x17B4, 0x17B5},  {0x180B, 0x180F},
        {0x200B, 0x200F},   {0x2028, 0x202E},   {0x2060, 0x206F},  {0x3164, 0x3164},
        {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0},  {0xFFF0, 0xFFFB},
        {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF}};
    return inRanges(c, std::begin(kHidden), std::end(kHidden));
}

bool readsAsUtf8(std::string_view bytes) {
    bool high = false;
    for (std::size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const Decoded decoded = decodeAt(bytes, at);
        if (decoded.length == 0) {
            return false;
        }
        high = true;
        at += decoded.length;
    }
    return high;
}

std::u32string decodeText(std::string_view bytes) {
    if (readsAsUtf8(bytes)) {
        return decodeUtf8(bytes);
    }
    std::u32string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        text.push_back(static_cast<unsigned char>(byte));
    }
    return text;
}

std::string encodeText(std::u32string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char32_t c) { return c <= kLastLatin1; })) {
        std::string bytes;
        bytes.reserve(text.size());
        for (const char32_t c : text) {
            bytes.push_back(static_cast<char>(c));
        }
        if (!readsAsUtf8(bytes)) {
            return bytes;
        }
    }
    return encodeUtf8(text);
}

std::string textFromUtf8(std::string_view utf8) {
    return encodeText(decodeUtf8(utf8));
}

std::string textToUtf8(std::string_view bytes) {
    return encodeUtf8(decodeText(bytes));
}

std::size_t textLength(std::string_view bytes) {
    return decodeText(bytes).size();
}

std::string cutText(std::string_view bytes, std::size_t maxLength) {
    std::u32string text = decodeText(bytes);
    if (text.size() <= maxLength) {
        return std::string(bytes);
    }
    text.resize(maxLength);
    return encodeText(text);
}

std::size_t cutPoint(std::string_view bytes, std::size_t maxBytes) {
    if (maxBytes >= bytes.size()) {
        return bytes.size();
    }
    // Back to the lead byte of a sequence the cut would split, if there is one.
    for (std::size_t back = 1; back <= 3 && back <= maxBytes; ++back) {
        const std::size_t lead = maxBytes - back;
        if (!isContinuation(static_cast<unsigned char>(bytes[lead]))) {
            const Decoded decoded = decodeAt(bytes, lead);
            return decoded.length > back ? lead : maxBytes;
        }
    }
    return maxBytes;
}

std::string joinTexts(std::string_view first, std::string_view second, std::string_view third) {
    return encodeText(decodeText(first) + decodeText(second) + decodeText(third));
}

std::string cleanName(std::string_view bytes) {
    std::u32string name;
    for (char32_t c : decodeText(bytes)) {
        if (name.size() == kMaxNameLength) {
            break;
        }
        if (isHiddenCharacter(c)) {
            continue;
        }
        name.push_back(c == U'+' || c == U'|' ? U'_' : c);
    }
    return encodeText(name);
}

std::string cleanChatText(std::string_view bytes) {
    std::u32string text;
    for (const char32_t c : decodeText(bytes)) {
        if (!isBidiControl(c)) {
            text.push_back(c == U'|' ? kBrokenBar : c);
        }
    }
    return encodeText(text);
}

} // namespace lastling::protocol
