#pragma once

#include "social/chat_panel.h"
#include "social/phrase_model.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QAbstractButton;
class QMenu;
class QTimer;

namespace lastling::social {

class PhrasePictureButton;

// The row of nine phrase buttons `b_phrase1`..`b_phrase9` and the chatter-sound button
// `b_phrase10`. It sends through the window's sender and owns no connection. While the
// phrase lock is closed all ten buttons are greyed; one single-shot timer, armed only then,
// brings them back, so an idle row wakes nobody up.
class PhraseRow : public QWidget {
    Q_OBJECT
public:
    using Sender = std::function<void(const std::string& message)>;

    static constexpr int kWidth = 266;
    static constexpr int kHeight = 19;

    // An empty clock reads std::chrono::steady_clock.
    explicit PhraseRow(QWidget* parent = nullptr, PhraseModel::Clock clock = {});

    // ---- wiring ----
    void setSender(Sender sender) { m_sender = std::move(sender); }
    void setSessionSource(std::function<ChatSession()> source) { m_session = std::move(source); }
    void setColourSource(std::function<Colour()> source) { m_colour = std::move(source); }

    // ---- parts ----
    PhraseModel& model() { return m_model; }
    QAbstractButton* phraseButton(int number) const; // 1..9, else null
    QAbstractButton* chatterButton() const;
    QMenu* chatterMenu() const { return m_chatterMenu; }

    // ---- commands ----
    void sendPhrase(int number);
    void sendChatterSound(int tag); // the chatter menu's items: 0 "<Cancel>", 1..20 the sounds
    void showChatterMenu();
    // The lock timer's work: ungrey the buttons once the clock says the lock is open.
    void reopenIfDue();

private:
    void buildChatterMenu();
    void showPhrases();
    void greyPhraseButtons(bool grey);

    PhraseModel m_model;
    std::array<PhrasePictureButton*, kPhraseCount> m_phraseButtons{};
    PhrasePictureButton* m_chatterButton = nullptr;
    QMenu* m_chatterMenu = nullptr;
    QTimer* m_lockTimer = nullptr; // a child, so a test can see that an idle row has none running

    Sender m_sender;
    std::function<ChatSession()> m_session;
    std::function<Colour()> m_colour;
};

} // namespace lastling::social
