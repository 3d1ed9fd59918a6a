#include "social/phrase_model.h"

#include "protocol/messages.h"
#include "protocol/wire_text.h"

#include <algorithm>
#include <string_view>

namespace lastling::social {
namespace {

constexpr std::string_view kMeForm = "/me ";

// A phrase is one line of at most 50 characters, whatever a hand-edited file holds.
std::string cleaned(std::string_view text) {
    std::string out = protocol::cutText(text, kMaxPhraseLength); // control bytes are ASCII
    std::replace_if(
        out.begin(), out.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return out;
}

} // namespace

const PhraseTexts& builtInPhrases() {
    static const PhraseTexts phrases = {"Way To Go!", "Good One!",         "Nice Try!",
                                        "Excellent!", "Brilliant!",        "Wow, WTG!",
                                        "Thanks!",    "Way To Go Teamie!", "Good Game Everyone!"};
    return phrases;
}

PhraseModel::PhraseModel(Clock clock, QObject* parent)
    : QObject(parent), m_clock(std::move(clock)), m_phrases(builtInPhrases()) {
    if (!m_clock) {
        m_clock = [] { return std::chrono::steady_clock::now(); };
    }
}

void PhraseModel::applySettings(const PhraseTexts& saved) {
    take(saved, true);
}

void PhraseModel::setPhrases(const PhraseTexts& texts) {
    take(texts, false);
}

void PhraseModel::take(const PhraseTexts& texts, bool keepOnEmpty) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!keepOnEmpty || !texts[i].empty()) {
            m_phrases[i] = cleaned(texts[i]);
        }
    }
    emit phrasesChanged();
}

std::string PhraseModel::click(int number, int myseat, bool loggedin, Colour colour) {
    if (number < 1 || number > kPhraseCount || !loggedin || !ready()) {
        return {};
    }
    std::string_view phrase = m_phrases[static_cast<std::size_t>(number - 1)];
    std::string text;
    if (phrase.starts_with(kMeForm)) {
        text = protocol::safeChatText(phrase.substr(kMeForm.size()));
    } else {
        text = "says: " + protocol::safeChatText(phrase);
    }
    takeLock();
    return protocol::action(myseat, text + "|" + colourText(colour));
}

bool PhraseModel::takeLock() {
    if (!ready()) {
        return false;
    }
    m_lockedUntil = m_clock() + kPhraseLockTime;
    emit lockClosed();
    return true;
}

std::chrono::milliseconds PhraseModel::lockRemaining() const {
    const auto left = m_lockedUntil - m_clock();
    // Rounded up, so a caller that waits this long finds the lock open.
    return std::max(std::chrono::ceil<std::chrono::milliseconds>(left),
                    std::chrono::milliseconds(0));
}

} // namespace lastling::social
