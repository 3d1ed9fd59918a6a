#include "settings/ini_document.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace lastling::settings {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimmed(line);
    const auto close = line.find(']');
    if (line.empty() || line.front() != '[' || close == std::string_view::npos)
        return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const auto equals = line.find('=');
    const std::string_view key =
        trimmed(line.substr(0, equals == std::string_view::npos ? 0 : equals));
    if (equals == std::string_view::npos || key.empty() || key.front() == ';' || key.front() == '[')
        return std::nullopt;
    return KeyLine{key, trimmed(line.substr(equals + 1))};
}

unsigned char foldCase(unsigned char c) {
    // ASCII and the Latin-1 capitals, the letters a single-byte text can hold.
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    return c;
}

std::string withoutLineBreaks(std::string_view value) {
    std::string clean(value);
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return clean;
}

std::optional<std::uint64_t> parseDigits(std::string_view digits, int base) {
    std::uint64_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

} // namespace

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return foldCase(static_cast<unsigned char>(x)) == foldCase(static_cast<unsigned char>(y));
    });
}

std::optional<std::int32_t> parseIniInteger(std::string_view text) {
    text = trimmed(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    const bool hex = text.starts_with('$') || text.starts_with("0x") || text.starts_with("0X");
    if (hex) {
        // Up to eight hex digits, taken as the 32-bit pattern ("$FFFFFFFF" is -1).
        const auto digits = text.substr(text.front() == '$' ? 1 : 2);
        const auto value = digits.size() <= 8 ? parseDigits(digits, 16) : std::nullopt;
        if (!value)
            return std::nullopt;
        const auto pattern = static_cast<std::uint32_t>(*value);
        return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
    }
    const auto value = parseDigits(text, 10);
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    if (!value || *value > limit)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(*value)
                                              : static_cast<std::int64_t>(*value));
}

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument document;
    const auto firstBreak = text.find('\n');
    if (firstBreak != std::string_view::npos && (firstBreak == 0 || text[firstBreak - 1] != '\r'))
        document.m_lineEnd = "\n";
    while (!text.empty()) {
        const auto lineBreak = text.find('\n');
        std::string_view line = text.substr(0, lineBreak);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        document.m_lines.emplace_back(line);
        text.remove_prefix(lineBreak == std::string_view::npos ? text.size() : lineBreak + 1);
    }
    return document;
}

std::optional<IniDocument::SectionRange> IniDocument::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines[i]);
        if (!name || !equalIgnoringCase(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < m_lines.size() && !sectionName(m_lines[end]))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::findKey(const SectionRange& range,
                                                std::string_view key) const {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto line = keyLine(m_lines[i]);
        if (line && equalIgnoringCase(line->key, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const auto range = findSection(section);
    const auto at = range ? findKey(*range, key) : std::nullopt;
    if (!at)
        return std::nullopt;
    return std::string(keyLine(m_lines[*at])->value.substr(0, kMaxValueLength));
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string clean = withoutLineBreaks(value);
    auto range = findSection(section);
    if (!range) {
        if (!m_lines.empty() && !trimmed(m_lines.back()).empty())
            m_lines.emplace_back();
        m_lines.push_back("[" + std::string(section) + "]");
        range = SectionRange{m_lines.size() - 1, m_lines.size()};
    }
    if (const auto at = findKey(*range, key)) {
        // Keep the key as the file spells it.
        m_lines[*at] = std::string(keyLine(m_lines[*at])->key) + "=" + clean;
        return;
    }
    std::size_t insertAt = range->end;
    while (insertAt > range->header + 1 && trimmed(m_lines[insertAt - 1]).empty())
        --insertAt;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   std::string(key) + "=" + clean);
}

std::string IniDocument::text() const {
    std::string out;
    for (const auto& line : m_lines)
        out += line + m_lineEnd;
    return out;
}

} // namespace lastling::settings
