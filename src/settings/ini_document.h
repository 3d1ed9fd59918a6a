#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::settings {

inline constexpr std::size_t kMaxValueLength = 2047;

// One INI file held as its lines, so that a write changes only the keys it sets and keeps
// every other section, key, comment and blank line as it was. Sections and keys match
// without regard to case; the first of several equal sections or keys is the one used.
class IniDocument {
public:
    static IniDocument parse(std::string_view text);

    // The value as the reader gives it: trimmed and cut to kMaxValueLength characters.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Adds the section and the key when missing. Line breaks in the value become spaces.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;

private:
    struct SectionRange {
        std::size_t header;
        std::size_t end; // one past the last line of the section
    };
    std::optional<SectionRange> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const SectionRange& range, std::string_view key) const;

    std::vector<std::string> m_lines;
    std::string m_lineEnd = "\r\n";
};

// An integer as the INI reader takes it: decimal, "$" hexadecimal, or "0x"/"0X" hexadecimal,
// with an optional sign; nothing for any other text or a value outside 32 bits.
std::optional<std::int32_t> parseIniInteger(std::string_view text);

bool equalIgnoringCase(std::string_view a, std::string_view b);

} // namespace lastling::settings
