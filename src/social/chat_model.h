#pragma once

#include "social/colour_text.h"

#include <QObject>

#include <array>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::social {

inline constexpr int kStyleCount = 15;
inline constexpr int kSystemStyle = 0;
inline constexpr int kLinkStyle = 4;
inline constexpr int kSmileyCount = 18;
inline constexpr int kFirstSmileyCode = 10;
inline constexpr int kLinkSlots = 101;
inline constexpr std::string_view kPlaceholder = "<Enter Chat Here>";

struct TextStyle {
    std::string font = "Arial";
    int pointSize = 10;
    Colour colour = kBlack;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const TextStyle&) const = default;
};

// One piece of a chat line. Text is UTF-8, read from the wire's form (wire_text.h).
struct ChatRun {
    enum class Kind { Text, Link, Smiley };
    Kind kind = Kind::Text;
    int style = 0;    // Text and Link
    std::string text; // Text and Link (a link keeps its trailing blank)
    int jump = -1;    // Link: its number in the view, counted from 0 since the last clear
    int smiley = 0;   // Smiley: picture index 0..17

    bool operator==(const ChatRun&) const = default;
};

struct ChatLine {
    int style = 0;
    std::vector<ChatRun> runs;
    bool waiting = false; // sent by this window, not yet gone out: drawn greyed
};

// What the entry field's text turns into when the player presses Enter.
struct SendResult {
    bool clearField = false; // false only while not logged in: the field keeps its text
    std::string message;     // whole wire message, empty when nothing is sent
};

// The chat's content and text styles, free of widgets: turns relayed and system lines into
// runs a view can draw, keeps the link table and builds the messages the entry field sends.
class ChatModel : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kDefaultMaxLines = 5000;

    explicit ChatModel(QObject* parent = nullptr);

    // `line` is the seat number, "+", then the text in the wire's form (wire_text.h), as
    // are all texts given to the model. Returns false when the seat part is
    // no seat number 0..9; such a line is not shown.
    bool addlinetochat(std::string_view line, Colour colour);
    // A system line "0+text" in the system-line colour.
    void addSystemLine(std::string_view line) { addlinetochat(line, kSystemLineBlue); }
    // A received "CMD_chat" or "CMD_action" payload: seat, "+", text, "|", colour text.
    void showChatMessage(std::string_view payload);
    static SendResult sendit(std::string_view fieldText, int myseat, bool loggedin,
                             Colour chatColour);
    static bool islink(std::string_view word);
    // What the own chat shows for a chat, action or chatter-sound message of ours while it
    // waits to go out, as the host will relay it under `myname`.
    static std::string waitingText(std::string_view message, std::string_view myname);

    // This window's messages that wait to go out, as waitingText gave them (in the wire's
    // form); shown greyed
    // after every other line until they are sent.
    void setWaiting(const std::vector<std::string>& texts, int myseat);
    const std::vector<ChatLine>& waiting() const { return m_waiting; }

    // Address (UTF-8) to open for link number `jump`, trailing blanks removed; empty when no such
    // link is in the view any more.
    std::string linkAddress(int jump) const;

    void clear();
    void setAllPointSizes(int pointSize);
    int pointSize() const { return m_styles[0].pointSize; }
    void setMaxLines(std::size_t maxLines) { m_maxLines = maxLines; }

    const std::array<TextStyle, kStyleCount>& styles() const { return m_styles; }
    const std::deque<ChatLine>& lines() const { return m_lines; }
    int linkCounter() const { return m_linkCounter; }
    const std::string& linkSlot(int slot) const;

signals:
    void lineAdded(const lastling::social::ChatLine& line);
    void oldestLinesRemoved(int count);
    void cleared();
    void waitingChanged();
    // Bit n set: style n changed; lines already shown in it take the new look.
    void stylesChanged(unsigned styleMask);

private:
    void adoptLineColour(int style, Colour colour);
    void addPiece(std::string_view piece, ChatLine& line);
    void addWord(std::string_view word, ChatLine& line);
    void addSmileys(std::string_view rest, ChatLine& line);
    void dropOldestLines();

    std::array<TextStyle, kStyleCount> m_styles;
    std::array<std::string, kLinkSlots> m_linkTable;
    int m_linkCounter = -1;
    int m_nextJump = 0;
    int m_firstJump = 0;                     // jump number of m_linkAddresses.front()
    std::deque<std::string> m_linkAddresses; // by jump number, for the lines still held
    std::deque<ChatLine> m_lines;
    std::vector<ChatLine> m_waiting;
    std::size_t m_maxLines = kDefaultMaxLines;
};

} // namespace lastling::social
