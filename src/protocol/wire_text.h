#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Names and chat lines on the wire. A text goes out as single bytes (Latin-1) when they hold
// it, so peers of older versions read it as before, and as UTF-8 otherwise. Framing is the
// same for both: UTF-8 never holds the end byte 0xFF, and "+" and "|" are ASCII, which never
// occur inside a UTF-8 sequence.
namespace lastling::protocol {

// The longest name, in characters, that a table keeps.
inline constexpr std::size_t kMaxNameLength = 30;

// True when `bytes` are valid UTF-8 and hold a byte above 0x7F: such a text is read as UTF-8,
// any other as Latin-1. (Plain ASCII reads the same either way.)
bool readsAsUtf8(std::string_view bytes);

std::u32string decodeText(std::string_view bytes);
// Latin-1 when every character fits a byte other than the end byte and those bytes would not
// read back as UTF-8 ("Ã©" would come back as "é"); UTF-8 otherwise. So
// decodeText(encodeText(t)) == t for every text; a surrogate or a value beyond U+10FFFF
// becomes U+FFFD.
std::string encodeText(std::u32string_view text);

// Bridges to UTF-8, the form QString::toStdString and QString::fromStdString use. An invalid
// UTF-8 sequence becomes U+FFFD.
std::string textFromUtf8(std::string_view utf8);
std::string textToUtf8(std::string_view bytes);

// Length in characters, and the text cut to at most `maxLength` characters; never half of a
// character. A text that is short enough comes back as it was.
std::size_t textLength(std::string_view bytes);
std::string cutText(std::string_view bytes, std::size_t maxLength);

// The longest prefix, at most `maxBytes` long, of bytes that may mix texts of both forms,
// such as a whole message: it never ends inside a UTF-8 sequence. (A Latin-1 text that looks
// like one may lose up to three bytes more than it had to.)
std::size_t cutPoint(std::string_view bytes, std::size_t maxBytes);

// The texts read one by one and sent on as one text, as a relayed chat line is a name and
// the line behind it.
std::string joinTexts(std::string_view first, std::string_view second, std::string_view third);

// Characters that draw nothing, or reorder or join what is around them: no name shows them.
bool isHiddenCharacter(char32_t c);

// A name as a table shows it: control, bidi-control, zero-width and other invisible
// characters removed, so one name cannot pose as another; "+" and "|", which would split
// the lists that carry it, become "_"; at most kMaxNameLength characters.
std::string cleanName(std::string_view bytes);

// A chat text as a table shows it: "|", which would cut off the colour behind it, becomes
// the broken bar; bidi embeddings, overrides and isolates are removed, so no line is drawn
// in an order its sender forced on it.
std::string cleanChatText(std::string_view bytes);

} // namespace lastling::protocol
