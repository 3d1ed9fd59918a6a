#pragma once

#include "protocol/receive_queue.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace lastling::protocol {

struct Command {
    std::string_view word;    // text before the first "+"; empty when there is none
    std::string_view payload; // text after the first "+"
};

Command splitCommand(std::string_view entry);

// Calls the handler registered for an entry's exact, case-sensitive command word.
// Unknown words and entries without "+" are dropped. A handler that throws stops where it
// stands; the error's text goes to the error sink and dispatching goes on.
class Dispatcher {
public:
    using Handler = std::function<void(std::string_view payload, int source)>;
    using ErrorSink = std::function<void(const std::string& text)>;

    void on(std::string word, Handler handler) { m_handlers[std::move(word)] = std::move(handler); }
    void setErrorSink(ErrorSink sink) { m_errorSink = std::move(sink); }

    // Returns true when a handler ran (whether or not it completed).
    bool dispatch(const Entry& entry) const;

private:
    std::unordered_map<std::string, Handler> m_handlers;
    ErrorSink m_errorSink;
};

} // namespace lastling::protocol
