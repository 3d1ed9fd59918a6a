#include "social/chat_view.h"

#include "host/rate_limit.h"
#include "social/chat_entry.h"
#include "social/chat_pacer.h"
#include "social/chat_panel.h"

#include "qstring_print.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

#include <string>
#include <vector>

namespace lastling::social {
namespace {

struct RecordingOpener : LinkOpener {
    explicit RecordingOpener(std::vector<QUrl>& opened) : m_opened(opened) {}
    bool open(const QUrl& address) override {
        m_opened.push_back(address);
        return true;
    }
    std::vector<QUrl>& m_opened;
};

class ChatViewTest : public ::testing::Test {
protected:
    ChatViewTest() {
        m_panel = std::make_unique<ChatPanel>(&m_window, [this] { return m_now; });
        m_panel->view()->setGeometry(0, 0, 262, 440);
        m_panel->entry()->setGeometry(0, 446, 237, 22);
        m_panel->setLinkOpener(std::make_unique<RecordingOpener>(m_opened));
        m_panel->setMessageBox([this](const QString& text) { m_boxes.push_back(text); });
        m_panel->setSettingsSaver([this] { ++m_saves; });
        m_panel->setSender([this](const std::string& message) { m_sent.push_back(message); });
        m_window.resize(270, 480);
        m_window.show();
        QCoreApplication::processEvents();
    }

    ChatView& view() { return *m_panel->view(); }
    QTextDocument& document() { return *view().document(); }

    // The format of the first character of `text` in the view.
    QTextCharFormat formatOf(const QString& text) {
        const QTextCursor found = document().find(text);
        EXPECT_FALSE(found.isNull()) << text.toStdString();
        QTextCursor at(&document());
        at.setPosition(found.selectionStart() + 1);
        return at.charFormat();
    }

    void clickLink(int jump) {
        QCoreApplication::processEvents();
        const QRect rect = view().linkRect(jump);
        ASSERT_FALSE(rect.isNull()) << jump;
        QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, rect.center());
    }

    std::int64_t m_now = 0; // the chat pace's clock, in ms
    QWidget m_window;
    std::unique_ptr<ChatPanel> m_panel;
    std::vector<QUrl> m_opened;
    std::vector<QString> m_boxes;
    std::vector<std::string> m_sent;
    int m_saves = 0;
};

// Lines typed at seat 2 come back as the host relays them to everyone (its relay texts are
// pinned by the host's own tests).
TEST_F(ChatViewTest, TypedLinesShowAsTheHostRelaysThem) {
    m_panel->setSessionSource([] { return ChatSession{2, true, "Ann"}; });
    QTest::keyClicks(m_panel->entry(), QStringLiteral("hello there :)#12"));
    EXPECT_EQ(m_panel->entry()->text(),
              QStringLiteral("hello there :)#12")); // placeholder went first
    QTest::keyClick(m_panel->entry(), Qt::Key_Return);
    EXPECT_TRUE(m_panel->entry()->text().isEmpty());
    QTest::keyClicks(m_panel->entry(), QStringLiteral("/me waves"));
    QTest::keyClick(m_panel->entry(), Qt::Key_Enter);
    ASSERT_EQ(m_sent, (std::vector<std::string>{"CMD_chat+2+hello there :)#12|clBlack\xFF",
                                                "CMD_action+2+waves|clBlack\xFF"}));
    m_panel->showChatMessage("2+Ann chats: hello there :)#12|clBlack");
    m_panel->showChatMessage("2+Ann waves|clBlack");

    const QString shown = document().toPlainText();
    EXPECT_TRUE(shown.contains(QStringLiteral("Ann chats:  hello there "))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral(" Ann waves "))) << shown.toStdString();
    const QTextCharFormat format = formatOf(QStringLiteral("hello"));
    EXPECT_EQ(format.foreground().color(), QColor(Qt::black));
    EXPECT_EQ(format.fontWeight(), QFont::Bold);
    EXPECT_EQ(format.intProperty(ChatView::kStyleProperty), 7); // seat 2's style
}

TEST_F(ChatViewTest, NothingGoesOutBeforeTheLoginAndOutsideLatin1GoesAsUtf8) {
    QTest::keyClicks(m_panel->entry(), QStringLiteral("early"));
    QTest::keyClick(m_panel->entry(), Qt::Key_Return);
    EXPECT_TRUE(m_sent.empty());
    EXPECT_EQ(m_panel->entry()->text(), QStringLiteral("early")); // nor is the field cleared
    m_panel->setSessionSource([] { return ChatSession{3, true, "Cy"}; });
    m_panel->entry()->setText(QStringLiteral("caf\u00E9 \u20AC"));
    m_panel->sendit();
    ASSERT_EQ(m_sent.size(), 1u);
    EXPECT_EQ(m_sent[0], std::string("CMD_chat+3+caf\xC3\xA9 \xE2\x82\xAC|clBlack\xFF"));
    m_panel->entry()->setText(QStringLiteral("caf\u00E9"));
    m_panel->sendit();
    ASSERT_EQ(m_sent.size(), 2u);
    EXPECT_EQ(m_sent[1], std::string("CMD_chat+3+caf\xE9|clBlack\xFF")); // as older peers read it
}

TEST_F(ChatViewTest, ClickingALinkOpensItsAddress) {
    m_panel->showChatMessage("2+Bob chats: go to www.example.com now|clBlack");
    m_panel->showChatMessage("3+Cy chats: or HTTP://Example.ORG/page|clRed");
    EXPECT_EQ(formatOf(QStringLiteral("www.example")).foreground().color(), QColor(0, 128, 0));
    EXPECT_TRUE(formatOf(QStringLiteral("www.example")).fontUnderline());

    clickLink(0);
    clickLink(1);
    ASSERT_EQ(m_opened.size(), 2u);
    EXPECT_EQ(m_opened[0], QUrl(QStringLiteral("http://www.example.com")));
    EXPECT_EQ(m_opened[1].host(), QStringLiteral("example.org"));
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(ChatViewTest, LinksBeyondTheTableAndAfterClearOpenTheirOwnAddress) {
    for (int i = 0; i < 103; ++i) {
        m_panel->showChatMessage("1+A: www.site" + std::to_string(i) + ".com|clBlack");
    }
    clickLink(102);
    m_panel->mainchatJump(1);          // its slot was taken by link 101 when the counter wrapped
    m_panel->clearAction()->trigger(); // empties the view and focuses the entry
    EXPECT_TRUE(document().isEmpty());
    EXPECT_EQ(m_panel->model().linkCounter(), -1);
    EXPECT_TRUE(m_panel->entry()->hasFocus() || QApplication::focusWidget() == nullptr);
    m_panel->showChatMessage("1+A: www.fresh.com|clBlack");
    clickLink(0);
    ASSERT_EQ(m_opened.size(), 3u);
    EXPECT_EQ(m_opened[0].host(), QStringLiteral("www.site102.com"));
    EXPECT_EQ(m_opened[1].host(), QStringLiteral("www.site1.com"));
    EXPECT_EQ(m_opened[2].host(), QStringLiteral("www.fresh.com"));
}

TEST_F(ChatViewTest, OnlyWebAddressesAreOpened) {
    for (const char* word : {"file:///etc/www.passwd", "javascript:www.x()", "ssh://www.host"}) {
        m_panel->clearMainChat();
        m_panel->showChatMessage(std::string("1+A: ") + word + "|clBlack");
        m_panel->mainchatJump(0);
    }
    m_panel->mainchatJump(-1);
    m_panel->mainchatJump(5000);
    EXPECT_TRUE(m_opened.empty());
    EXPECT_EQ(m_boxes, std::vector<QString>(5, QStringLiteral("Cannot open Webpage")));
}

TEST_F(ChatViewTest, SeatColourAndTextSizeRestyleEarlierLines) {
    m_panel->showChatMessage("3+Cy chats: first :)#11|clRed");
    m_panel->showChatMessage("4+Di chats: other|clGreen");
    m_panel->showChatMessage("3+Cy chats: second|clBlue");
    EXPECT_EQ(formatOf(QStringLiteral("first")).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatOf(QStringLiteral("second")).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatOf(QStringLiteral("other")).foreground().color(), QColor(0, 128, 0));

    m_panel->setTextSize(14);
    EXPECT_EQ(m_saves, 1);
    EXPECT_EQ(m_panel->textSize(), 14);
    for (const QString& text :
         {QStringLiteral("first"), QStringLiteral("other"), QStringLiteral("Cy chats")}) {
        EXPECT_EQ(formatOf(text).fontPointSize(), 14.0) << text.toStdString();
    }
    for (QAction* item : m_panel->textSizeActions()) {
        EXPECT_EQ(item->isChecked(), item->text() == QStringLiteral("14"));
    }
    m_panel->applyTextSize(11); // a size from the settings file that no item has
    EXPECT_EQ(m_saves, 1);
    EXPECT_EQ(formatOf(QStringLiteral("first")).fontPointSize(), 11.0);
    for (QAction* item : m_panel->textSizeActions()) {
        EXPECT_FALSE(item->isChecked());
    }
}

TEST_F(ChatViewTest, TextColourIsChosenSavedOrLeftAlone) {
    std::optional<QColor> answer = QColor(0xFF, 0x80, 0x40);
    QColor offered;
    m_panel->setColourPicker([&](const QColor& current) {
        offered = current;
        return answer;
    });
    m_panel->chooseTextColour();
    EXPECT_EQ(offered, QColor(Qt::black));
    EXPECT_EQ(m_panel->chatColour(), 0x4080FFu);
    EXPECT_EQ(m_panel->entry()->palette().color(QPalette::Text), QColor(0xFF, 0x80, 0x40));
    EXPECT_EQ(m_saves, 1);

    answer.reset(); // Cancel
    m_panel->chooseTextColour();
    EXPECT_EQ(m_panel->chatColour(), 0x4080FFu);
    EXPECT_EQ(m_saves, 1);
}

TEST_F(ChatViewTest, SmileyMenuAndPasteAddAtTheEnd) {
    const QList<QAction*> items = m_panel->smileyMenu()->actions();
    ASSERT_EQ(items.size(), 18);
    for (int i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->text(), QStringLiteral(":)#%1").arg(i + 10));
        EXPECT_FALSE(items[i]->icon().isNull());
    }
    items[2]->trigger(); // the field still holds the placeholder
    EXPECT_EQ(m_panel->entry()->text(), QStringLiteral(":)#12"));

    m_panel->entry()->setCursorPosition(0);
    QGuiApplication::clipboard()->setText(QStringLiteral("two\r\nlines"));
    QTest::keyClick(m_panel->entry(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_panel->entry()->text(), QStringLiteral(":)#12two  lines"));
    EXPECT_EQ(m_panel->entry()->cursorPosition(), m_panel->entry()->text().size());
    EXPECT_FALSE(m_panel->entry()->hasSelectedText());
}

TEST_F(ChatViewTest, SelectAllCopiesPlainTextWithSmileyCodes) {
    m_panel->selectAll(); // empty view: nothing to select
    m_panel->copy();
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    m_panel->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));

    m_panel->addSystemLine("0+You are Connected.");
    m_panel->showChatMessage("2+Al chats: hi:)#13 www.x.com|clBlack");
    m_panel->selectAll();
    m_panel->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral(" You are Connected. \nAl chats:  hi :)#13 www.x.com "));
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasHtml());
    EXPECT_EQ(formatOf(QStringLiteral("You are")).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatOf(QStringLiteral("You are")).fontWeight(), QFont::Bold);
}

TEST_F(ChatViewTest, EachLineStaysOneParagraphAndOldLinesLeave) {
    m_panel->model().setMaxLines(20);
    m_panel->showChatMessage(std::string("2+A: one\ntwo\rthree\x01\x85|clBlack"));
    EXPECT_EQ(document().blockCount(), 1);
    EXPECT_TRUE(document().toPlainText().contains(QStringLiteral("one?two?three??")));
    for (int i = 0; i < 100; ++i) {
        m_panel->showChatMessage("2+A: line " + std::to_string(i) + " www.l" + std::to_string(i) +
                                 ".com|clBlack");
        ASSERT_EQ(document().blockCount(), static_cast<int>(m_panel->model().lines().size()));
    }
    EXPECT_TRUE(document().lastBlock().text().contains(QStringLiteral("line 99")));
    clickLink(99);
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0].host(), QStringLiteral("www.l99.com"));
}

// Lines come in the wire's form; what the view draws is read from it, without overrides,
// and every character finds a glyph where the fonts the package recommends are installed.
TEST_F(ChatViewTest, AnyScriptShowsAsGlyphsAndOverridesGo) {
    m_panel->showChatMessage("2+\xC5\x81ukasz chats: \xE6\xBC\xA2\xE5\xAD\x97 "
                             "\xF0\x9F\x91\x8D\xE2\x80\xAE!\xE2\x81\xA6?\xE2\x80\xA9|clBlack");
    m_panel->showChatMessage("3+Jos\xE9 chats: ol\xE9|clBlack");
    ASSERT_EQ(document().blockCount(), 2);
    EXPECT_EQ(document().firstBlock().text(),
              QString::fromUtf8("\xC5\x81ukasz chats:  \xE6\xBC\xA2\xE5\xAD\x97 "
                                "\xF0\x9F\x91\x8D!?? "));
    EXPECT_EQ(document().lastBlock().text(), QString::fromUtf8("Jos\xC3\xA9 chats:  ol\xC3\xA9 "));
    const QStringList families = QFontDatabase::families();
    if (!families.contains(QStringLiteral("Noto Color Emoji")) ||
        !families.contains(QStringLiteral("Noto Sans CJK JP"))) {
        GTEST_SKIP() << "the recommended fonts are not installed";
    }
    // The document keeps no glyphs once laid out, so the line is laid out again in its font.
    const QString text = document().firstBlock().text();
    QTextLayout layout(text, formatOf(QStringLiteral("ukasz")).font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QString emojiFont;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (const quint32 glyph : run.glyphIndexes()) {
            EXPECT_NE(glyph, 0u) << "a character without a glyph in "
                                 << run.rawFont().familyName().toStdString();
        }
        if (run.glyphIndexes().size() == 1 && run.rawFont().familyName().contains(u"Emoji")) {
            emojiFont = run.rawFont().familyName();
        }
    }
    EXPECT_EQ(emojiFont, QStringLiteral("Noto Color Emoji")); // not a plain symbol font
}

TEST_F(ChatViewTest, ScrollChatOffKeepsThePlaceAndMirrorsOneAction) {
    QAction* scrollOff = m_panel->scrollChatOffAction();
    EXPECT_TRUE(view().actions().contains(scrollOff));
    EXPECT_EQ(scrollOff->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    scrollOff->trigger();
    EXPECT_TRUE(view().scrollChatOff());
    for (int i = 0; i < 200; ++i) {
        m_panel->addSystemLine("0+line " + std::to_string(i));
    }
    EXPECT_EQ(view().verticalScrollBar()->value(), 0);
    m_panel->setScrollChatOff(false);
    EXPECT_FALSE(scrollOff->isChecked());
    m_panel->addSystemLine("0+last");
    EXPECT_EQ(view().verticalScrollBar()->value(), view().verticalScrollBar()->maximum());
    EXPECT_GT(view().verticalScrollBar()->maximum(), 0);
}

// ---- the chat's pace ----

// Twenty-five lines typed at once all reach the host's relay limit in order and within it:
// five at once, then the pace; the twenty-sixth finds the queue full.
TEST(ChatPacerTest, ABurstGoesOutWithinTheHostsLimitAndInOrder) {
    std::int64_t now = 0;
    std::vector<std::int64_t> sentAt;
    std::vector<std::string> sent;
    ChatPacer pacer([&now] { return now; });
    pacer.setSender([&](const std::string& message) {
        sentAt.push_back(now);
        sent.push_back(message);
    });
    std::vector<ChatPacer::Outcome> outcomes;
    for (int i = 1; i <= 26; ++i) {
        outcomes.push_back(pacer.submit("m" + std::to_string(i), "line " + std::to_string(i)));
    }
    using O = ChatPacer::Outcome;
    EXPECT_EQ(std::count(outcomes.begin(), outcomes.begin() + 5, O::Sent), 5);
    EXPECT_EQ(std::count(outcomes.begin() + 5, outcomes.begin() + 25, O::Waiting), 20);
    EXPECT_EQ(outcomes[25], O::Refused);
    ASSERT_EQ(pacer.waiting().size(), 20u);
    EXPECT_EQ(pacer.waiting().front().shown, "line 6");

    // Its own timer waits for the next one; a turn with nothing due changes nothing.
    const QTimer* timer = pacer.findChild<QTimer*>(QStringLiteral("chat_pace"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_EQ(timer->interval(), 1050);
    QSignalSpy changes(&pacer, &ChatPacer::waitingChanged);
    now = 1049;
    EXPECT_EQ(pacer.sendDue(), 1);
    EXPECT_EQ(timer->interval(), 1);
    EXPECT_EQ(sent.size(), 5u);
    EXPECT_EQ(changes.count(), 0);
    now = 1050;
    EXPECT_EQ(pacer.sendDue(), 1050);
    EXPECT_EQ(timer->interval(), 1050);
    EXPECT_EQ(sent.size(), 6u);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(pacer.submit("m27", "line 27"), O::Waiting) << "room again for one";
    EXPECT_EQ(pacer.submit("m28", "line 28"), O::Refused);

    // Sends as the pace allows until nothing waits, stepping the clock to each due time.
    for (std::int64_t left = pacer.sendDue(); left >= 0; left = pacer.sendDue()) {
        now += left;
    }
    EXPECT_FALSE(timer->isActive()) << "an idle pacer wakes nobody";
    ASSERT_EQ(sent.size(), 26u);
    for (int i = 1; i <= 25; ++i) {
        EXPECT_EQ(sent[static_cast<std::size_t>(i - 1)], "m" + std::to_string(i));
    }
    EXPECT_EQ(sent.back(), "m27");
    EXPECT_EQ(sentAt[4], 0);
    EXPECT_EQ(sentAt[9], 5250);
    EXPECT_EQ(sentAt[10], 10100); // the eleventh waits for the ten-second window
    host::RelayLimiter limiter;
    for (const std::int64_t at : sentAt) {
        EXPECT_EQ(limiter.note(at), host::RelayLimiter::Verdict::Relay) << at;
    }
}

TEST_F(ChatViewTest, FastLinesWaitGreyedBelowTheOthersAndAFullQueueKeepsTheField) {
    m_panel->setSessionSource([] { return ChatSession{3, true, "Ann"}; });
    for (int i = 1; i <= 26; ++i) {
        QTest::keyClicks(m_panel->entry(), QStringLiteral("line %1").arg(i));
        QTest::keyClick(m_panel->entry(), Qt::Key_Return);
    }
    ASSERT_EQ(m_sent.size(), 5u);
    EXPECT_EQ(m_sent[4], std::string("CMD_chat+3+line 5|clBlack\xFF"));
    EXPECT_EQ(m_panel->entry()->text(), QStringLiteral("line 26"));
    const QTextCharFormat waiting = formatOf(QStringLiteral("Ann chats: line 6"));
    EXPECT_EQ(waiting.foreground().color(), QColor(0x80, 0x80, 0x80));
    EXPECT_TRUE(waiting.fontItalic());

    m_panel->showChatMessage("2+Bob chats: hi|clBlack");
    const QString shown = document().toPlainText();
    EXPECT_LT(shown.indexOf(QStringLiteral("Bob chats:")), shown.indexOf(QStringLiteral("line 6")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("Ann chats: line 25"))) << shown.toStdString();
    EXPECT_EQ(shown.count(QStringLiteral("Line not sent.")), 1) << "only the refused line";
    EXPECT_TRUE(
        shown.contains(QStringLiteral("Line not sent. 20 lines are already waiting to go out, "
                                      "and the table takes one a second.")));

    m_now = 1050;
    m_panel->pacer().sendDue();
    ASSERT_EQ(m_sent.size(), 6u);
    EXPECT_EQ(m_sent[5], std::string("CMD_chat+3+line 6|clBlack\xFF"));
    EXPECT_FALSE(document().toPlainText().contains(QStringLiteral("Ann chats: line 6")));
    EXPECT_TRUE(document().toPlainText().contains(QStringLiteral("Ann chats: line 7")));
}

} // namespace
} // namespace lastling::social
