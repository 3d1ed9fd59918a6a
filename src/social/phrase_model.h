#pragma once

#include "social/colour_text.h"

#include <QObject>

#include <array>
#include <chrono>
#include <functional>
#include <string>

namespace lastling::social {

inline constexpr int kPhraseCount = 9;
inline constexpr int kMaxPhraseLength = 50;
// The editor's note promises one phrase per two seconds; the clock keeps that promise on
// every machine, whatever its timer resolution.
inline constexpr std::chrono::milliseconds kPhraseLockTime{2000};

// Phrase texts of buttons 1..9 in the wire's form (wire_text.h), as the settings file holds them.
using PhraseTexts = std::array<std::string, kPhraseCount>;

const PhraseTexts& builtInPhrases();

// The nine phrase buttons without their widgets: their texts, the action a click sends, and
// the lock that lets the row send only once per two seconds.
class PhraseModel : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // An empty clock reads std::chrono::steady_clock.
    explicit PhraseModel(Clock clock = {}, QObject* parent = nullptr);

    const PhraseTexts& phrases() const { return m_phrases; }
    // Texts from the settings file: only non-empty ones replace a button's text.
    void applySettings(const PhraseTexts& saved);
    // Texts from the editor, empty ones included.
    void setPhrases(const PhraseTexts& texts);

    // A click on button `number` (1..9): the whole "CMD_action" message, or an empty string
    // when nothing goes out (lock closed, not logged in, no such button). Sending closes the lock.
    std::string click(int number, int myseat, bool loggedin, Colour colour);

    // The chatter sounds share the lock with the phrases: false while it is closed, else
    // closes it.
    bool takeLock();

    bool ready() const { return lockRemaining().count() == 0; }
    std::chrono::milliseconds lockRemaining() const;

signals:
    void phrasesChanged();
    void lockClosed();

private:
    void take(const PhraseTexts& texts, bool keepOnEmpty);

    Clock m_clock;
    PhraseTexts m_phrases;
    std::chrono::steady_clock::time_point m_lockedUntil{}; // open from the clock's epoch on
};

} // namespace lastling::social
