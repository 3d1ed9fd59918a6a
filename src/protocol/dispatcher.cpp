#include "protocol/dispatcher.h"

#include <exception>

namespace lastling::protocol {

Command splitCommand(std::string_view entry) {
    const auto plus = entry.find('+');
    if (plus == std::string_view::npos) {
        return {};
    }
    return {entry.substr(0, plus), entry.substr(plus + 1)};
}

bool Dispatcher::dispatch(const Entry& entry) const {
    const Command command = splitCommand(entry.text);
    if (command.word.empty()) {
        return false;
    }
    const auto found = m_handlers.find(std::string(command.word));
    if (found == m_handlers.end()) {
        return false;
    }
    try {
        found->second(command.payload, entry.source);
    } catch (const std::exception& error) {
        if (m_errorSink) {
            m_errorSink(error.what());
        }
    }
    return true;
}

} // namespace lastling::protocol
