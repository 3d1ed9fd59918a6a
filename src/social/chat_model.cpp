#include "social/chat_model.h"

#include "protocol/framing.h"
#include "protocol/messages.h"
#include "protocol/wire_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace lastling::social {
namespace {

constexpr std::string_view kSmileyCode = ":)#";
constexpr int kHighestSeat = 9;
constexpr int kSmallestPointSize = 6;
constexpr int kLargestPointSize = 72;

// Decimal digits only, as typed; nothing for anything else.
std::optional<int> parseNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text.front() == '-' || error != std::errc() ||
        end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::array<TextStyle, kStyleCount> designStyles() {
    std::array<TextStyle, kStyleCount> styles;
    const auto set = [&styles](int n, Colour colour, bool bold, bool italic, bool underline) {
        styles[n].colour = colour;
        styles[n].bold = bold;
        styles[n].italic = italic;
        styles[n].underline = underline;
    };
    set(0, 0xFF0000, false, false, false);
    set(1, 0xFF0000, true, false, false);
    set(2, 0x800000, true, false, false);
    set(3, 0x000080, false, true, false);
    set(4, 0x008000, false, false, true);
    set(5, 0x008000, false, false, true);
    set(6, 0xC0C0C0, false, false, false);
    set(7, 0xC0C0C0, false, false, false);
    for (int n = 8; n < kStyleCount; ++n) {
        set(n, kWindowText, false, false, false);
    }
    return styles;
}

} // namespace

ChatModel::ChatModel(QObject* parent) : QObject(parent), m_styles(designStyles()) {}

bool ChatModel::addlinetochat(std::string_view line, Colour colour) {
    const auto plus = line.find('+');
    if (plus == std::string_view::npos) {
        return false;
    }
    const auto seat = parseNumber(line.substr(0, plus));
    if (!seat || *seat > kHighestSeat) {
        return false;
    }
    const int style = *seat == 0 ? kSystemStyle : *seat + 5;
    // Read as one text: the name and the line behind it came in one form.
    const std::string text = protocol::textToUtf8(line.substr(plus + 1));
    std::string_view rest = text;
    const auto colon = rest.find(':');
    const std::string_view name =
        colon == std::string_view::npos ? std::string_view() : rest.substr(0, colon + 1);
    rest.remove_prefix(name.size());

    adoptLineColour(style, colour);
    ChatLine added{style, {}};
    added.runs.push_back({ChatRun::Kind::Text, style, std::string(name) + " ", -1, 0});
    addSmileys(rest, added);
    m_lines.push_back(std::move(added));
    emit lineAdded(m_lines.back());
    dropOldestLines();
    return true;
}

void ChatModel::showChatMessage(std::string_view payload) {
    const auto bar = payload.find('|');
    if (bar == std::string_view::npos) {
        addlinetochat(payload, kRed);
        return;
    }
    addlinetochat(payload.substr(0, bar), colourFromText(payload.substr(bar + 1)).value_or(kRed));
}

SendResult ChatModel::sendit(std::string_view fieldText, int myseat, bool loggedin,
                             Colour chatColour) {
    if (!loggedin) {
        return {};
    }
    SendResult result{true, {}};
    const std::string colourTail = "|" + colourText(chatColour);
    if (fieldText.empty()) {
        return result;
    }
    if (fieldText.front() != '/') {
        result.message = protocol::chat(myseat, protocol::safeChatText(fieldText) + colourTail);
    } else if (fieldText.starts_with("/me")) {
        const auto text = fieldText.substr(std::min<std::size_t>(4, fieldText.size()));
        result.message = protocol::action(myseat, protocol::safeChatText(text) + colourTail);
    }
    return result;
}

std::string ChatModel::waitingText(std::string_view message, std::string_view myname) {
    if (!message.empty() && message.back() == protocol::kEnd) {
        message.remove_suffix(1);
    }
    const auto plus = message.find('+');
    const std::string_view word = message.substr(0, plus);
    std::string_view rest =
        plus == std::string_view::npos ? std::string_view() : message.substr(plus + 1);
    rest = rest.substr(rest.find('+') == std::string_view::npos ? rest.size() : rest.find('+') + 1);
    const std::string_view text = rest.substr(0, rest.find('|'));
    if (word == "CMD_chat") {
        return protocol::joinTexts(myname, " chats: ", text);
    }
    if (word == "CMD_action") {
        return protocol::joinTexts(myname, " ", text);
    }
    return std::string(myname) + " plays a sound";
}

void ChatModel::setWaiting(const std::vector<std::string>& texts, int myseat) {
    const int style = myseat >= 1 && myseat <= kHighestSeat ? myseat + 5 : kSystemStyle;
    m_waiting.clear();
    for (const std::string& text : texts) {
        m_waiting.push_back(
            {style, {{ChatRun::Kind::Text, style, protocol::textToUtf8(text), -1, 0}}, true});
    }
    emit waitingChanged();
}

bool ChatModel::islink(std::string_view word) {
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) {
        return c < 0x80 ? static_cast<char>(std::tolower(c)) : static_cast<char>(c);
    });
    return lower.find("http://") != std::string::npos || lower.find("www.") != std::string::npos;
}

std::string ChatModel::linkAddress(int jump) const {
    if (jump < m_firstJump || jump - m_firstJump >= static_cast<int>(m_linkAddresses.size())) {
        return {};
    }
    std::string address = m_linkAddresses[static_cast<std::size_t>(jump - m_firstJump)];
    const auto last = address.find_last_not_of(' ');
    address.erase(last == std::string::npos ? 0 : last + 1);
    return address;
}

void ChatModel::clear() {
    m_lines.clear();
    m_linkAddresses.clear();
    m_linkCounter = -1;
    m_nextJump = 0;
    m_firstJump = 0;
    emit cleared();
}

void ChatModel::setAllPointSizes(int pointSize) {
    // A damaged settings file must not give unreadable or absurdly large text.
    pointSize = std::clamp(pointSize, kSmallestPointSize, kLargestPointSize);
    for (auto& style : m_styles) {
        style.pointSize = pointSize;
    }
    emit stylesChanged((1u << kStyleCount) - 1);
}

const std::string& ChatModel::linkSlot(int slot) const {
    static const std::string none;
    return slot >= 0 && slot < kLinkSlots ? m_linkTable[static_cast<std::size_t>(slot)] : none;
}

void ChatModel::adoptLineColour(int style, Colour colour) {
    auto& target = m_styles[static_cast<std::size_t>(style)];
    if (target.colour == colour && target.bold) {
        return;
    }
    target.colour = colour;
    target.bold = true;
    emit stylesChanged(1u << style);
}

void ChatModel::addSmileys(std::string_view rest, ChatLine& line) {
    for (auto pos = rest.find(kSmileyCode); pos != std::string_view::npos;
         pos = rest.find(kSmileyCode)) {
        addPiece(rest.substr(0, pos), line);
        rest.remove_prefix(pos + kSmileyCode.size());
        const auto code = rest.substr(0, std::min<std::size_t>(2, rest.size()));
        rest.remove_prefix(code.size());
        int number = parseNumber(code).value_or(kFirstSmileyCode);
        if (number < kFirstSmileyCode || number >= kFirstSmileyCode + kSmileyCount) {
            number = kFirstSmileyCode;
        }
        line.runs.push_back({ChatRun::Kind::Smiley, line.style, {}, -1, number - kFirstSmileyCode});
    }
    if (!rest.empty()) {
        addPiece(rest, line);
    }
}

void ChatModel::addPiece(std::string_view piece, ChatLine& line) {
    std::string words(piece);
    words += ' ';
    std::string_view remaining = words;
    while (!remaining.empty()) {
        const auto blank = remaining.find(' ');
        addWord(remaining.substr(0, blank + 1), line);
        remaining.remove_prefix(blank + 1);
    }
}

void ChatModel::addWord(std::string_view word, ChatLine& line) {
    if (islink(word)) {
        m_linkCounter = m_linkCounter + 1 > kLinkSlots - 1 ? 1 : m_linkCounter + 1;
        m_linkTable[static_cast<std::size_t>(m_linkCounter)] = std::string(word);
        m_linkAddresses.emplace_back(word);
        line.runs.push_back({ChatRun::Kind::Link, kLinkStyle, std::string(word), m_nextJump++, 0});
        return;
    }
    // Neighbouring words of one style draw the same as one run, and keep long lines cheap.
    if (!line.runs.empty() && line.runs.back().kind == ChatRun::Kind::Text &&
        line.runs.back().style == line.style) {
        line.runs.back().text += word;
        return;
    }
    line.runs.push_back({ChatRun::Kind::Text, line.style, std::string(word), -1, 0});
}

void ChatModel::dropOldestLines() {
    // Lines leave in batches so a view does not shift its whole content on every new line.
    const std::size_t slack = std::max<std::size_t>(1, m_maxLines / 10);
    if (m_lines.size() < m_maxLines + slack) {
        return;
    }
    const std::size_t count = m_lines.size() - m_maxLines;
    std::size_t links = 0;
    for (std::size_t i = 0; i < count; ++i) {
        links += static_cast<std::size_t>(
            std::count_if(m_lines[i].runs.begin(), m_lines[i].runs.end(),
                          [](const ChatRun& run) { return run.kind == ChatRun::Kind::Link; }));
    }
    m_lines.erase(m_lines.begin(), m_lines.begin() + static_cast<std::ptrdiff_t>(count));
    links = std::min(links, m_linkAddresses.size());
    m_linkAddresses.erase(m_linkAddresses.begin(),
                          m_linkAddresses.begin() + static_cast<std::ptrdiff_t>(links));
    m_firstJump += static_cast<int>(links);
    emit oldestLinesRemoved(static_cast<int>(count));
}

} // namespace lastling::social
