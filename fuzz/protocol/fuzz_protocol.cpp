// Arbitrary bytes as one connection's stream, cut into reads at places the input chooses:
// framing must keep every byte that is not an end byte, in order, and never hand out an empty
// or unterminated piece; the queue must take sources in turn and account every entry; the
// dispatcher and the field reader must take any payload apart without harm.
#include "protocol/dispatcher.h"
#include "protocol/fields.h"
#include "protocol/framing.h"
#include "protocol/receive_queue.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::size_t step = data[0] % 64 + 1; // read size
    const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);

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
