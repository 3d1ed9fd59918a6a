// Arbitrary relayed chat lines and entry-field texts through the chat model: words, links,
// smileys and colours are taken apart without reading out of bounds, every run points into
// the line it came from, and every link jump a line carries leads to an address.
#include "social/chat_model.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace lastling::social;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ChatModel model;
    model.setMaxLines(8);
    std::size_t start = 0;
    int round = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        switch (round++ % 4) {
        case 0:
            model.showChatMessage(line);
            break;
        case 1:
            model.addlinetochat(line, static_cast<Colour>(line.size() * 2654435761u));
            break;
        case 2:
            (void)ChatModel::sendit(line, round % 10, round % 3 != 0, kBlack);
            break;
        case 3:
            (void)ChatModel::islink(line);
            break;
        }
        start = end + 1;
    }
    for (int jump = -2; jump <= model.linkCounter() + 2; ++jump) {
        (void)model.linkAddress(jump);
    }
    if (model.lines().size() > 8) {
        std::abort();
    }
    return 0;
}
