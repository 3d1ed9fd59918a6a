#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace lastling::protocol {

// A numeric field that is not a strict decimal integer. Handlers let it propagate:
// the handler stops where it stands and the dispatcher reports the text.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(std::string_view text);
};

// Strict decimal conversion: an optional "-" and digits, nothing else, within 32 bits.
bool tryParseInt(std::string_view text, int& value);
int parseInt(std::string_view text); // throws ConversionError

// Reads a payload field by field from the front: each field is the text before the next
// "+"; the last field of a message without a closing "+" is the whole rest.
class Fields {
public:
    explicit Fields(std::string_view payload) : m_rest(payload) {}

    std::string text();              // next field as text
    int number();                    // next field as a strict decimal integer
    std::string rest() const { return std::string(m_rest); } // everything not read yet
    bool atEnd() const { return m_rest.empty(); }

private:
    std::string_view m_rest;
};

} // namespace lastling::protocol
