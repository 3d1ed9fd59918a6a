#include "social/phrase_row.h"

#include "protocol/messages.h"
#include "social/chat_model.h"
#include "social/phrase_editor.h"

#include "qstring_print.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace lastling::social {
namespace {

using namespace std::chrono_literals;

// What the table shows for a client's "CMD_action" once the host has put `name` in front.
QString shownAction(const std::string& sent, const std::string& name) {
    const std::string prefix = "CMD_action+";
    if (!sent.starts_with(prefix) || sent.back() != '\xFF') {
        return QStringLiteral("<not an action>");
    }
    const std::string payload = sent.substr(prefix.size(), sent.size() - prefix.size() - 1);
    const auto plus = payload.find('+');
    const std::string relayed = protocol::actionRelay(
        payload.substr(0, plus), name, protocol::safeRelayedChat(payload.substr(plus + 1)));
    ChatModel chat;
    chat.showChatMessage(
        std::string_view(relayed).substr(prefix.size(), relayed.size() - prefix.size() - 1));
    QString shown;
    for (const ChatRun& run : chat.lines().back().runs) {
        shown += QString::fromLatin1(run.text.data(), static_cast<qsizetype>(run.text.size()));
    }
    return shown.simplified();
}

class PhraseViewTest : public ::testing::Test {
protected:
    PhraseViewTest()
        : m_row(&m_window, [this] { return m_now; }), m_editor(m_row.model(), &m_window) {
        m_row.move(10, 10);
        m_row.setSender([this](const std::string& message) { m_sent.push_back(message); });
        m_row.setSessionSource([] { return ChatSession{1, true, "Ann"}; });
        m_editor.setSaver([this](const PhraseTexts& texts) {
            m_saved.push_back(texts);
            return m_saveWorks;
        });
        m_window.resize(300, 60);
        m_window.show();
        QCoreApplication::processEvents();
    }

    QTimer* lockTimer() { return m_row.findChild<QTimer*>(QStringLiteral("phrase_lock")); }

    std::chrono::steady_clock::time_point m_now{std::chrono::hours(1)};
    QWidget m_window;
    PhraseRow m_row;
    PhraseEditor m_editor;
    std::vector<std::string> m_sent;
    std::vector<PhraseTexts> m_saved;
    bool m_saveWorks = true;
};

TEST_F(PhraseViewTest, FirstButtonSaysWayToGoAsTheSender) {
    QAbstractButton* first = m_window.findChild<QAbstractButton*>(QStringLiteral("b_phrase1"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->toolTip(), QStringLiteral("Way To Go!"));
    EXPECT_EQ(first->size(), QSize(25, 19));
    QTest::mouseClick(first, Qt::LeftButton);
    ASSERT_EQ(m_sent.size(), 1u);
    EXPECT_EQ(shownAction(m_sent[0], "Ann"), QStringLiteral("Ann says: Way To Go!"));
}

TEST_F(PhraseViewTest, LockGreysAllTenButtonsUntilTheClockOpensIt) {
    EXPECT_FALSE(lockTimer()->isActive()) << "an idle row runs no timer";
    QTest::mouseClick(m_row.phraseButton(2), Qt::LeftButton);
    QTest::mouseClick(m_row.phraseButton(3), Qt::LeftButton);
    EXPECT_EQ(m_sent.size(), 1u);
    EXPECT_FALSE(m_row.phraseButton(9)->isEnabled());
    EXPECT_FALSE(m_row.chatterButton()->isEnabled());
    EXPECT_TRUE(lockTimer()->isActive());
    EXPECT_TRUE(lockTimer()->isSingleShot());

    m_now += 1999ms; // a timer that fires early finds the lock still closed and waits on
    m_row.reopenIfDue();
    EXPECT_FALSE(m_row.phraseButton(3)->isEnabled());
    EXPECT_EQ(lockTimer()->interval(), 1);
    m_now += 1ms;
    m_row.reopenIfDue();
    EXPECT_TRUE(m_row.phraseButton(3)->isEnabled());
    EXPECT_TRUE(m_row.chatterButton()->isEnabled());
    EXPECT_FALSE(lockTimer()->isActive());
    QTest::mouseClick(m_row.phraseButton(3), Qt::LeftButton);
    EXPECT_EQ(m_sent.size(), 2u);
}

TEST_F(PhraseViewTest, ChatterMenuOpensOnReleaseOfAnyButtonAtTheBottomRightCorner) {
    QAbstractButton* note = m_row.chatterButton();
    EXPECT_EQ(note->objectName(), QStringLiteral("b_phrase10"));
    EXPECT_EQ(note->toolTip(), QStringLiteral("Chatter Sounds"));
    const QList<QAction*> items = m_row.chatterMenu()->actions();
    ASSERT_EQ(items.size(), 21);
    EXPECT_EQ(items.front()->text(), QStringLiteral("<Cancel>"));
    EXPECT_EQ(items[2]->text(), QStringLiteral("Cough"));
    EXPECT_EQ(items.back()->text(), QStringLiteral("Crying"));

    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(note, button);
        EXPECT_TRUE(m_row.chatterMenu()->isVisible()) << button;
        EXPECT_EQ(m_row.chatterMenu()->pos(), note->mapToGlobal(QPoint(25, 19))) << button;
        m_row.chatterMenu()->hide();
    }
    EXPECT_TRUE(m_sent.empty()) << "opening the menu sends nothing";
}

TEST_F(PhraseViewTest, ChatterChoiceSendsItsSoundAndCancelNothing) {
    QMenu* menu = m_row.chatterMenu();
    const auto choose = [&](const QString& name) {
        QTest::mouseClick(m_row.chatterButton(), Qt::LeftButton);
        QAction* item = menu->findChild<QAction*>(name);
        ASSERT_NE(item, nullptr) << name.toStdString();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    };
    choose(QStringLiteral("Cancel1"));
    EXPECT_TRUE(m_sent.empty());
    EXPECT_TRUE(m_row.phraseButton(1)->isEnabled()) << "a cancel takes no turn";
    m_row.setSessionSource([] { return ChatSession{1, false, "Ann"}; });
    choose(QStringLiteral("wave3"));
    EXPECT_TRUE(m_sent.empty()) << "nothing goes out before the login";
    EXPECT_TRUE(m_row.phraseButton(1)->isEnabled());
    m_row.setSessionSource([] { return ChatSession{1, true, "Ann"}; });
    choose(QStringLiteral("wave2"));
    EXPECT_EQ(m_sent, std::vector<std::string>{"CMD_playasound+1+wave2+\xFF"});
}

// Phrases and chatter sounds share one lock: whichever goes first, the other waits 2 s.
TEST_F(PhraseViewTest, OneLockForPhrasesAndChatterSounds) {
    const auto phrase = [this] { m_row.sendPhrase(4); };
    const auto sound = [this] { m_row.sendChatterSound(5); };
    const std::function<void()> actions[] = {phrase, sound};
    int sent = 0;
    for (const auto& first : actions) {
        for (const auto& second : actions) {
            first();
            m_now += 1999ms;
            second();
            EXPECT_EQ(m_sent.size(), static_cast<std::size_t>(++sent)) << "the lock held";
            m_now += 1ms;
            second();
            EXPECT_EQ(m_sent.size(), static_cast<std::size_t>(++sent)) << "the lock opened";
            m_now += 2000ms;
        }
    }
}

TEST_F(PhraseViewTest, EditorFieldsTabOrderLengthAndCloseBox) {
    m_editor.openEditor();
    EXPECT_TRUE(m_editor.isVisible());
    EXPECT_FALSE(m_editor.isModal());
    EXPECT_EQ(m_editor.windowTitle(), QStringLiteral("Lastling - Phrase Buttons "));
    EXPECT_EQ(m_editor.field(8)->text(), QStringLiteral("Way To Go Teamie!"));

    QStringList path;
    QWidget* at = m_editor.field(1);
    do {
        if (at->focusPolicy() & Qt::TabFocus) {
            path << at->objectName();
        }
        at = at->nextInFocusChain();
    } while (at != m_editor.field(1));
    EXPECT_EQ(
        path.join(QLatin1Char(' ')),
        QStringLiteral(
            "phrase1 phrase2 phrase3 phrase4 phrase5 phrase9 phrase8 phrase7 phrase6 button_done"));

    m_editor.field(4)->clear();
    QTest::keyClicks(m_editor.field(4), QString(60, QLatin1Char('x')));
    EXPECT_EQ(m_editor.field(4)->text(), QString(50, QLatin1Char('x')));

    // The close box changes nothing, and the next opening fills the fields again.
    m_editor.field(1)->setText(QStringLiteral("changed"));
    m_editor.close();
    EXPECT_FALSE(m_editor.isVisible());
    EXPECT_TRUE(m_saved.empty());
    EXPECT_EQ(m_row.phraseButton(1)->toolTip(), QStringLiteral("Way To Go!"));
    m_editor.openEditor();
    EXPECT_EQ(m_editor.field(1)->text(), QStringLiteral("Way To Go!"));
}

TEST_F(PhraseViewTest, DoneGivesTheButtonsTheTextsAndSavesAllNine) {
    m_editor.openEditor();
    m_editor.field(1)->setText(QStringLiteral("/me cheers"));
    m_editor.field(6)->clear();
    m_editor.field(9)->setText(QStringLiteral("<b>gg</b>"));
    m_saveWorks = false; // the saver reports the error; the editor stays for another try
    QTest::mouseClick(m_editor.doneButton(), Qt::LeftButton);
    EXPECT_TRUE(m_editor.isVisible());
    m_saveWorks = true;
    QTest::mouseClick(m_editor.doneButton(), Qt::LeftButton);
    EXPECT_FALSE(m_editor.isVisible());

    ASSERT_EQ(m_saved.size(), 2u);
    PhraseTexts expected = builtInPhrases();
    expected[0] = "/me cheers";
    expected[5] = "";
    expected[8] = "<b>gg</b>";
    EXPECT_EQ(m_saved.back(), expected);
    EXPECT_EQ(m_row.phraseButton(6)->toolTip(), QString());
    EXPECT_TRUE(m_row.phraseButton(9)->toolTip().contains(QStringLiteral("&lt;b&gt;gg")));
    QTest::mouseClick(m_row.phraseButton(1), Qt::LeftButton);
    ASSERT_EQ(m_sent.size(), 1u);
    EXPECT_EQ(shownAction(m_sent[0], "Ann"), QStringLiteral("Ann cheers"));
}

} // namespace
} // namespace lastling::social
