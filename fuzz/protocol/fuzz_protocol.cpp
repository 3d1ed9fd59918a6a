// Arbitrary bytes as one connection's stream, cut into reads at places the input chooses:
// framing must keep every byte that is not an end byte, in order, and never hand out an empty
// or unterminated piece; the queue must take sources in turn and account every entry; the
// dispatcher and the field reader must take any payload apart without harm. Any bytes as a
// text field: read and sent again they keep their characters and never hold the end byte;
// a cleaned name is short and shows nothing hidden; a cut never splits a UTF-8 sequence.
#include "protocol/dispatcher.h"
#include "protocol/fields.h"
#include "protocol/framing.h"
#include "protocol/receive_queue.h"
#include "protocol/wire_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace lastling::protocol;

namespace {

void readFields(std::string_view payload) {
    Fields fields(payload);
    for (int i = 0; i < 64 && !fields.atEnd(); ++i) {
        int value = 0;
        const std::string text = fields.text();
        const bool leadingZero = text.rfind('0', 0) == 0 || text.rfind("-0", 0) == 0;
        if (tryParseInt(text, value) && !leadingZero && std::to_string(value) != text) {
            std::abort(); // a strict decimal reads back as itself
        }
    }
    (void)fields.rest();
}

bool holds(std::u32string_view text, char32_t first, char32_t last) {
    for (const char32_t c : text) {
        if (c >= first && c <= last) {
            return true;
        }
    }
    return false;
}

void checkText(std::string_view bytes, std::size_t cut) {
    const std::u32string text = decodeText(bytes);
    const std::string sent = encodeText(text);
    if (decodeText(sent) != text || sent.find(kEnd) != std::string::npos ||
        textLength(bytes) != text.size()) {
        std::abort();
    }
    const std::string name = cleanName(bytes);
    const std::u32string shown = decodeText(name);
    if (shown.size() > kMaxNameLength || name.find_first_of("+|\xFF") != std::string::npos ||
        holds(shown, 0, 0x1F) || holds(shown, 0x200B, 0x200F) || holds(shown, 0x202A, 0x202E) ||
        holds(shown, 0x2066, 0x2069) || holds(shown, 0xFEFF, 0xFEFF)) {
        std::abort();
    }
    const std::size_t at = cutPoint(bytes, cut);
    if (at > cut || at > bytes.size() ||
        (readsAsUtf8(bytes) &&
         decodeText(bytes.substr(0, at)) != text.substr(0, textLength(bytes.substr(0, at))))) {
        std::abort(); // the prefix of a UTF-8 text reads as the text's first characters
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::size_t step = data[0] % 64 + 1; // read size
    const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
    checkText(stream, data[0]);

    Framer framer;
    ReceiveQueue queue;
    std::vector<std::string> pieces;
    std::string kept;
    for (std::size_t at = 0; at < stream.size(); at += step) {
        pieces.clear();
        framer.feed(stream.substr(at, step), pieces);
        for (std::string& piece : pieces) {
            if (piece.empty() || piece.find(kEnd) != std::string::npos) {
                std::abort();
            }
            kept += piece;
            queue.push(std::move(piece), static_cast<int>(kept.size() % 3));
        }
    }
    std::string expected;
    for (const char c : stream) {
        if (c != kEnd) {
            expected.push_back(c);
        }
    }
    if (expected.size() != kept.size() + framer.pendingBytes() ||
        expected.compare(0, kept.size(), kept) != 0) {
        std::abort();
    }

    Dispatcher dispatcher;
    for (const char* word : {"CMD_chat", "CMD_logininfo", "CMD_playcard", "CMD_mycards"}) {
        dispatcher.on(word, [](std::string_view payload, int) {
            readFields(payload);
            Fields strict(payload);
            strict.number(); // throws on a bad number; the dispatcher reports it
        });
    }
    dispatcher.setErrorSink([](const std::string&) {});
    const std::size_t entries = queue.size();
    std::size_t taken = 0;
    while (!queue.empty()) {
        dispatcher.dispatch(queue.take());
        ++taken;
    }
    if (taken != entries || queue.costFrom(0) != 0 || queue.costFrom(1) != 0 ||
        queue.costFrom(2) != 0) {
        std::abort();
    }
    return 0;
}
