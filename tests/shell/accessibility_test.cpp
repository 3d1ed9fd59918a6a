#include "client/table_view.h"
#include "shell/accessible_table.h"
#include "shell/board.h"
#include "shell/game_start_dialog.h"
#include "shell/help/help_window.h"
#include "shell/window_program.h"
#include "social/chat_entry.h"
#include "social/chat_panel.h"
#include "social/chat_view.h"
#include "social/phrase_row.h"

#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <algorithm>
#include <array>

#include <string>
#include <vector>

namespace lastling::shell {
namespace {

int ownAtBottom(int seat) {
    return seat - 1; // seat 1 at the bottom, 2 left, 3 top, 4 right
}

client::TableView namedTable() {
    client::TableView view;
    view.seats[1].name = "Ann";
    view.seats[1].score = "1";
    view.seats[2].name = "Klot";
    view.seats[2].score = "12";
    view.seats[2].hand.backs = 3;
    view.seats[3].name = "Klick";
    view.seats[3].score = "0";
    view.seats[3].hand = client::HandPicture{0, true, {5, 6}};
    view.seats[4].name = "Kling";
    view.lastTrick.takerSeat = 4; // keeps the stack on show after the trick
    view.lastTrick.cards = {{4, "Kling", 52}};
    view.ownSlots[1] = {27, true};
    view.ownSlots[2] = {0, true};
    view.ownSlots[3] = {29, false};
    view.ownSlots[4] = {30, true};
    view.turnSeat = 2;
    view.status = "Klot's turn.";
    view.startButtonVisible = true;
    return view;
}

QString accessibleName(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face != nullptr ? face->text(QAccessible::Name) : QStringLiteral("<none>");
}

QAccessible::Role roleOf(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face != nullptr ? face->role() : QAccessible::NoRole;
}

TEST(TableNames, EachControlSaysWhoseItIs) {
    Board board;
    board.showTable(namedTable(), ownAtBottom);
    QWidget holder;
    social::PhraseRow row(&holder);
    social::ChatPanel chat(&holder);
    const std::vector<std::pair<QWidget*, QString>> names = {
        {board.scoreLabel(client::kLeft), "Klot: 12 points"},
        {board.scoreLabel(client::kBottom), "Ann: 1 point"},
        {board.scoreLabel(client::kTop), "Klick: 0 points"},
        {board.turnMarker(), "Klot's turn"},
        {board.seatMarker(client::kRight), "Kling's turn marker"},
        {board.handPicture(client::kBottom), "Your hand"},
        {board.handPicture(client::kLeft), "Klot's hand"},
        {board.handPicture(client::kTop), "Klick's remaining cards"},
        {board.handSlot(1), "Two of Hearts"},
        {board.handSlot(2), "Hand slot 2: empty"},
        {board.startButton(), "START GAME"},
        {board.status(), "Klot's turn."},
        {row.phraseButton(1), "Phrase 1: Way To Go!"},
        {row.phraseButton(9), "Phrase 9: Good Game Everyone!"},
        {row.chatterButton(), "Chatter sounds"},
        {chat.smileyButton(), "Smileys"},
        {chat.view(), "Chat"},
        {chat.entry(), "Chat message"},
    };
    for (const auto& [widget, name] : names) {
        EXPECT_EQ(accessibleName(widget), name) << widget->objectName().toStdString();
    }
    EXPECT_EQ(roleOf(board.status()), QAccessible::StatusBar);
    // A status cut short on the screen is read whole.
    client::TableView longer = namedTable();
    longer.status = std::string(60, 'W') + " has Won the Game!";
    board.showTable(longer, ownAtBottom);
    EXPECT_NE(board.status()->text().toStdString(), longer.status);
    EXPECT_EQ(accessibleName(board.status()).toStdString(), longer.status);
    EXPECT_EQ(roleOf(board.announcer()), QAccessible::Notification);
    EXPECT_EQ(roleOf(board.handSlot(1)), QAccessible::Button);
    EXPECT_EQ(roleOf(board.startButton()), QAccessible::Button);
}

// Counts the pictures that are hidden or shown: each one is an event for a screen reader.
class VisibilityCount : public QObject {
public:
    explicit VisibilityCount(QWidget* root) {
        for (QWidget* child : root->findChildren<QWidget*>()) {
            child->installEventFilter(this);
        }
    }
    int changes = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        changes += event->type() == QEvent::Show || event->type() == QEvent::Hide ? 1 : 0;
        return false;
    }
};

TEST(TableEvents, RedrawingTheSameTableHidesAndShowsNothing) {
    Board board;
    board.show();
    board.showTable(namedTable(), ownAtBottom);
    VisibilityCount count(&board);
    board.showTable(namedTable(), ownAtBottom);
    EXPECT_EQ(count.changes, 0);
    EXPECT_TRUE(board.tookTrick(client::kRight)->isVisible()); // the last trick's taker
    // One change, one event: the turn passes on, the marker moves and takes the new name.
    client::TableView next = namedTable();
    next.turnSeat = 3;
    board.showTable(next, ownAtBottom);
    EXPECT_EQ(count.changes, 0);
    EXPECT_EQ(board.turnMarker()->accessibleName(), "Klick's turn");
    next.turnSeat = 1;
    board.showTable(next, ownAtBottom);
    EXPECT_EQ(board.turnMarker()->accessibleName(), "Your turn");
}

TEST(TableEvents, AnnouncerSpeaksEachTextAndIgnoresNothing) {
    Announcer announcer;
    QSignalSpy spoken(&announcer, &Announcer::announced);
    announcer.announce(QStringLiteral("Klot played Two of Spades."));
    EXPECT_EQ(accessibleName(&announcer), "Klot played Two of Spades.");
    announcer.announce(QStringLiteral("Klot played Two of Spades.")); // said again when asked
    announcer.announce(QString());
    EXPECT_EQ(spoken.count(), 2);
    EXPECT_EQ(accessibleName(&announcer), "Klot played Two of Spades.");
    EXPECT_EQ(announcer.focusPolicy(), Qt::NoFocus);
}

// ---- keyboard and Press ----

TEST(TableKeys, HandSlotsPlayByKeyAndByPress) {
    Board board;
    board.showTable(namedTable(), ownAtBottom);
    board.show();
    board.activateWindow();
    QSignalSpy clicks(&board, &Board::cardClicked);
    board.handSlot(2)->setFocus();
    QTest::keyClick(board.handSlot(2), Qt::Key_Right); // slot 3 is hidden: on to 4
    EXPECT_EQ(board.focusWidget(), board.handSlot(4));
    QTest::keyClick(board.handSlot(4), Qt::Key_Right); // the last stays
    EXPECT_EQ(board.focusWidget(), board.handSlot(4));
    QTest::keyClick(board.handSlot(4), Qt::Key_Return);
    QTest::keyClick(board.handSlot(4), Qt::Key_Left);
    QTest::keyClick(board.handSlot(2), Qt::Key_Left);
    EXPECT_EQ(board.focusWidget(), board.handSlot(1));
    QTest::keyClick(board.handSlot(1), Qt::Key_Left); // the first stays
    QTest::keyClick(board.handSlot(1), Qt::Key_Space);
    QTest::keyClick(board.handSlot(1), Qt::Key_Space, Qt::ControlModifier); // not a press
    QAccessible::queryAccessibleInterface(board.handSlot(2))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QAccessible::queryAccessibleInterface(board.handSlot(3)) // hidden: nothing
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    std::vector<int> pressed;
    for (const QList<QVariant>& click : clicks) {
        pressed.push_back(click.at(0).toInt());
    }
    EXPECT_EQ(pressed, (std::vector<int>{4, 1, 2}));
    QSignalSpy starts(&board, &Board::startClicked);
    QAccessible::queryAccessibleInterface(board.startButton())
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(starts.count(), 1);
}

TEST(TableKeys, PictureButtonsPassOtherKeysOnAndTakeTheFocusWhenAsked) {
    QWidget main;
    GameStartDialog dialog(QPixmap(), QPixmap(), &main);
    dialog.show();
    auto* start = dialog.findChild<QLabel*>(QStringLiteral("button_start"));
    QAccessibleActionInterface* actions =
        QAccessible::queryAccessibleInterface(start)->actionInterface();
    EXPECT_EQ(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{"Space"});
    dialog.findChild<QSpinBox*>()->setFocus();
    actions->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_EQ(dialog.focusWidget(), start);
    QTest::keyClick(start, Qt::Key_Escape); // the dialog's key: it closes
    EXPECT_FALSE(dialog.isVisible());
}

TEST(TableKeys, SeatMenuOpensByMenuKeyAndShiftF10) {
    Board board;
    board.showTable(namedTable(), ownAtBottom);
    board.show();
    QSignalSpy menus(&board, &Board::seatMenuRequested);
    QLabel* left = board.nameLabel(client::kLeft);
    QLabel* top = board.nameLabel(client::kTop);
    QTest::keyClick(left, Qt::Key_Menu);
    QTest::keyClick(top, Qt::Key_F10, Qt::ShiftModifier);
    QTest::keyClick(top, Qt::Key_F10); // F10 alone is the menu bar's
    ASSERT_EQ(menus.count(), 2);
    EXPECT_EQ(menus.at(0).at(0).toInt(), client::kLeft);
    EXPECT_EQ(menus.at(1).at(0).toInt(), client::kTop);
    EXPECT_EQ(left->focusPolicy(), Qt::StrongFocus);
}

// Only a control that shows something takes the focus, and the focus shows where it is.
TEST(TableKeys, FocusMarksOnlyWhatIsThere) {
    Board board;
    client::TableView view = namedTable();
    view.ownSlots[1] = {0, true}; // a table before a game: empty slots, START GAME
    view.ownSlots[3] = {0, true};
    view.ownSlots[4] = {0, true};
    board.showTable(view, ownAtBottom);
    board.show();
    QApplication::setActiveWindow(&board);
    ASSERT_TRUE(testing::runUntil([&] { return board.isActiveWindow(); }));
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_EQ(board.handSlot(slot)->focusPolicy(), Qt::NoFocus) << slot;
    }
    // Every seat's name shows a frame while it has the focus.
    for (int position = 0; position < 4; ++position) {
        QLabel* name = board.nameLabel(position);
        board.startButton()->setFocus();
        const QImage unfocused = name->grab().toImage();
        name->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(name->hasFocus());
        EXPECT_NE(name->grab().toImage(), unfocused) << position;
    }

    // Where the player put the focus it stays while START GAME stays and cards show.
    view.ownSlots[4] = {30, true};
    for (QWidget* chosen : {static_cast<QWidget*>(board.startButton()),
                            static_cast<QWidget*>(board.nameLabel(client::kBottom))}) {
        chosen->setFocus();
        board.showTable(view, ownAtBottom);
        EXPECT_EQ(board.focusWidget(), chosen) << chosen->objectName().toStdString();
    }
    view.ownSlots[4] = {0, true};

    // START GAME leaves: the own name holds the focus until the first card is dealt, which
    // then takes it; slot 1 is dealt last and the first card in slot order wins.
    board.startButton()->setFocus();
    view.startButtonVisible = false;
    board.showTable(view, ownAtBottom);
    EXPECT_EQ(board.focusWidget(), board.nameLabel(client::kBottom));
    view.ownSlots[3] = {29, true};
    view.ownSlots[4] = {30, true};
    board.showTable(view, ownAtBottom);
    EXPECT_EQ(board.focusWidget(), board.handSlot(3));
    EXPECT_EQ(board.handSlot(3)->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(board.handSlot(2)->focusPolicy(), Qt::NoFocus);
    view.ownSlots[1] = {27, true};
    board.showTable(view, ownAtBottom); // later cards leave the focus where it is
    EXPECT_EQ(board.focusWidget(), board.handSlot(3));

    // A slot that empties passes the focus to the first card there is; with none, to START
    // GAME, else to the own name.
    const struct {
        std::array<int, 4> cards;
        bool start;
        QWidget* expected;
    } emptied[] = {
        {{27, 0, 0, 30}, false, board.handSlot(1)},
        {{0, 0, 0, 0}, true, board.startButton()},
        {{0, 0, 0, 0}, false, board.nameLabel(client::kBottom)},
    };
    for (const auto& [cards, start, expected] : emptied) {
        view.ownSlots = {};
        view.ownSlots[3] = {29, true};
        view.startButtonVisible = false;
        board.showTable(view, ownAtBottom);
        board.handSlot(3)->setFocus();
        for (int slot = 1; slot <= 4; ++slot) {
            view.ownSlots[static_cast<std::size_t>(slot)] = {
                cards[static_cast<std::size_t>(slot - 1)], true};
        }
        view.startButtonVisible = start;
        board.showTable(view, ownAtBottom);
        EXPECT_EQ(board.focusWidget(), expected) << expected->objectName().toStdString();
    }
}

// The keys that play a card say why nothing happens, and a game's events are spoken.
class WindowAnnouncements : public testing::WindowFixture {};

TEST_F(WindowAnnouncements, KeysOnEmptySlotsAndGameEventsAreSpoken) {
    MainWindow window(options());
    Announcer* announcer = window.board().announcer();
    QSignalSpy spoken(announcer, &Announcer::announced);
    window.action(QStringLiteral("PlayCard1"))->trigger(); // slot 1 starts hidden
    window.action(QStringLiteral("PlayCard4"))->trigger(); // shown, but empty
    client::TableModel& model = window.client().model();
    model.state().myseat = 1;
    model.roundstart("14");
    model.mycards("1+1+27");
    model.getnextplayer("1");
    model.notifyChanged();
    std::vector<QString> texts;
    for (const QList<QVariant>& said : spoken) {
        texts.push_back(said.at(0).toString());
    }
    EXPECT_EQ(texts,
              (std::vector<QString>{"Hand slot 1 is empty.", "Hand slot 4 is empty.",
                                    "Your Turn. Trump: Two of Diamonds. You drew Two of Hearts."}));
    model.notifyChanged(); // nothing new: nothing said
    EXPECT_EQ(spoken.count(), 3);
}

TEST_F(WindowAnnouncements, TabGoesFromTheHandToStartThePhrasesAndTheChat) {
    MainWindow window(options());
    const SideWindows sides = addSideWindows(window);
    std::vector<QWidget*> chain;
    QWidget* at = window.board().handSlot(1);
    for (int guard = 0; guard < 200 && (chain.empty() || at != chain.front()); ++guard) {
        chain.push_back(at);
        at = at->nextInFocusChain();
    }
    const auto place = [&chain](QWidget* widget) {
        return std::find(chain.begin(), chain.end(), widget) - chain.begin();
    };
    const std::vector<QWidget*> order = {window.board().handSlot(1),
                                         window.board().handSlot(4),
                                         window.board().startButton(),
                                         window.board().nameLabel(client::kBottom),
                                         window.board().nameLabel(client::kRight),
                                         sides.phraseRow->phraseButton(1),
                                         sides.phraseRow->phraseButton(9),
                                         sides.phraseRow->chatterButton(),
                                         window.chatPanel().view(),
                                         window.chatPanel().entry(),
                                         window.chatPanel().smileyButton()};
    for (std::size_t i = 1; i < order.size(); ++i) {
        EXPECT_LT(place(order[i]), static_cast<std::ptrdiff_t>(chain.size()));
        EXPECT_GT(place(order[i]), place(order[i - 1])) << order[i]->objectName().toStdString();
    }
}

TEST(HelpWindowAccess, IsADialogThatEscapeHides) {
    QWidget main;
    help::HelpWindow help(&main);
    EXPECT_EQ(roleOf(&help), QAccessible::Dialog);
    help.show();
    ASSERT_TRUE(help.isVisible());
    QTest::keyClick(&help, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

} // namespace
} // namespace lastling::shell
