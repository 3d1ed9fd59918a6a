#include "protocol/fields.h"

#include <charconv>

namespace lastling::protocol {

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid integer value") {}

bool tryParseInt(std::string_view text, int& value) {
    if (text.empty() || text.front() == '+') {
        return false;
    }
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value, 10);
    return error == std::errc() && end == last;
}

int parseInt(std::string_view text) {
    int value = 0;
    if (!tryParseInt(text, value)) {
        throw ConversionError(text);
    }
    return value;
}

std::string Fields::text() {
    const auto plus = m_rest.find('+');
    std::string field(m_rest.substr(0, plus));
    m_rest = plus == std::string_view::npos ? std::string_view() : m_rest.substr(plus + 1);
    return field;
}

int Fields::number() { return parseInt(text()); }

} // namespace lastling::protocol
