#include "shell/main_window.h"

#include "client/table_client.h"
#include "net/event_errors.h"
#include "shell/board.h"
#include "shell/game_start_dialog.h"
#include "shell/player_preferences.h"
#include "shell/spy_list_dialog.h"
#include "shell/window_program.h"

#include "gui_app.h"
#include "window_fixture.h"

#include "settings/table_options.h"
#include "tally/tally_file.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTcpServer>
#include <QTest>

#include <fstream>
#include <functional>

namespace lastling::shell {
namespace {

using testing::readFile;
using testing::runUntil;

class WindowTest : public testing::WindowFixture {};

QString chatText(MainWindow& window) {
    return window.findChild<QPlainTextEdit*>(QStringLiteral("mainchat"))->toPlainText();
}

// ---- a whole solo game played with the mouse and the keyboard ----

// The own cards in slot order; a refused card sends the next try to the next of them.
std::vector<int> candidateSlots(const client::TableView& view) {
    std::vector<int> held;
    for (int slot = 1; slot <= 4; ++slot) {
        const client::HandSlot& hand = view.ownSlots[static_cast<std::size_t>(slot)];
        if (hand.shown && hand.card != 0) {
            held.push_back(slot);
        }
    }
    return held;
}

TEST_F(WindowTest, SoloGamePlaysToTheWinnerWithMouseAndKeys) {
    MainWindow window(options());
    window.show();
    ASSERT_TRUE(
        runUntil([&] { return state(window).loggedin && view(window).startButtonVisible; }));
    EXPECT_EQ(state(window).myname, "You");
    EXPECT_TRUE(state(window).ishost);
    EXPECT_GT(window.hostPort(), 0);

    QTest::mouseClick(window.board().startButton(), Qt::LeftButton);
    ASSERT_TRUE(window.gameStartDialog().isVisible());
    window.gameStartDialog().setTarget(10);
    auto* start = window.gameStartDialog().findChild<QLabel*>(QStringLiteral("button_start"));
    ASSERT_NE(start, nullptr);
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_FALSE(window.gameStartDialog().isVisible());
    ASSERT_TRUE(runUntil([&] { return view(window).playToScore == "Play to Score: 10"; }));
    EXPECT_FALSE(view(window).startButtonVisible);

    int plays = 0;
    int refusals = 0;
    int attempt = 0;
    const auto finished = [&] {
        return view(window).status.find("Won the Game!") != std::string::npos;
    };
    while (!finished()) {
        ASSERT_TRUE(runUntil(
            [&] { return finished() || state(window).whoseturn == state(window).myseat; }));
        if (finished()) {
            break;
        }
        const bool refused = view(window).status == "You must follow suit if able.";
        refusals += refused;
        attempt = refused ? attempt + 1 : 0;
        const std::vector<int> candidates = candidateSlots(view(window));
        ASSERT_FALSE(candidates.empty());
        const int slot = candidates[static_cast<std::size_t>(attempt) % candidates.size()];
        // Every other card goes by the keyboard's play action, the rest by a click.
        if (plays % 2 == 0) {
            QTest::mouseClick(window.board().handSlot(slot), Qt::LeftButton);
        } else {
            window.action(QStringLiteral("PlayCard%1").arg(slot))->trigger();
        }
        ++plays;
        EXPECT_FALSE(view(window).ownSlots[static_cast<std::size_t>(slot)].shown);
        EXPECT_EQ(state(window).whoseturn, 0);
        ASSERT_LT(plays, 2000);
    }
    EXPECT_GT(plays, 0);
    EXPECT_LE(refusals, plays);

    const client::TableView& end = view(window);
    int winners = 0;
    for (int seat = 1; seat <= 4; ++seat) {
        const client::SeatView& s = end.seats[static_cast<std::size_t>(seat)];
        if (!s.winner) {
            continue;
        }
        ++winners;
        EXPECT_GE(std::stoi(s.score), 10);
        const int position = window.client().model().screenPositionOf(seat);
        EXPECT_TRUE(window.board().winnerBadge(position)->isVisibleTo(&window.board()));
        const std::string expected =
            seat == state(window).myseat ? "You have Won the Game!" : s.name + " has Won the Game!";
        EXPECT_EQ(end.status, expected);
        EXPECT_EQ(window.board().status()->text().toStdString(), expected);
    }
    EXPECT_EQ(winners, 1);
    EXPECT_TRUE(window.board().startButton()->isVisibleTo(&window.board()));

    // The finished game is in the tally file at once, not only at exit.
    const bool iWon = end.seats[static_cast<std::size_t>(state(window).myseat)].winner;
    EXPECT_EQ(window.tallyTable().count(tally::kOwnGames, 0), 1);
    tally::TallyTable saved;
    ASSERT_TRUE(tally::loadTallyFile(saved, std::filesystem::path(m_dir.path().toStdString()) /
                                                "Lastlingtally.tld"));
    EXPECT_EQ(saved.count(tally::kOwnGames, 0), 1);
    EXPECT_EQ(saved.count(tally::kOwnWins, 0), iWon ? 1 : 0);
    EXPECT_TRUE(window.action(QStringLiteral("StartGame1"))->isEnabled());
}

// ---- two clients at one host ----

TEST_F(WindowTest, JoinedPlayerSitsAtTheBottomAndIsRemovedByTheHost) {
    MainWindow host(options({"Ann", "127.0.0.1", "true"}));
    host.show();
    ASSERT_TRUE(runUntil([&] { return state(host).loggedin; }));
    EXPECT_EQ(state(host).myseat, 1);

    MainWindow guest(guestOf(host, "Bob"));
    guest.show();
    ASSERT_TRUE(runUntil([&] {
        return state(guest).myseat == 2 && view(guest).seats[1].name == "Ann" &&
               view(host).seats[2].name == "Bob";
    }));
    EXPECT_FALSE(state(guest).ishost);
    EXPECT_FALSE(view(guest).startButtonVisible);
    EXPECT_EQ(guest.board().nameLabel(client::kBottom)->text(), "Bob");
    EXPECT_EQ(guest.board().nameLabel(client::kRight)->text(), "Ann");
    EXPECT_EQ(host.board().nameLabel(client::kLeft)->text(), "Bob");

    // The guest's seat menu offers none of the host's items; the host's offers removal of a
    // seated player.
    std::unique_ptr<QMenu> guestMenu = guest.makeSeatMenu(client::kRight);
    for (const char* name : {"RemoveFromGame1", "SettoJustWatch1", "UnsetJustWatch1"}) {
        EXPECT_FALSE(guestMenu->findChild<QAction*>(QString::fromLatin1(name))->isEnabled())
            << name;
    }
    // Nobody sits at an empty seat: nothing to remove or to set watching.
    std::unique_ptr<QMenu> empty = host.makeSeatMenu(client::kTop); // "<Waiting>"
    for (const char* name : {"RemoveFromGame1", "SettoJustWatch1", "UnsetJustWatch1"}) {
        EXPECT_FALSE(empty->findChild<QAction*>(QString::fromLatin1(name))->isEnabled()) << name;
    }

    std::unique_ptr<QMenu> menu = host.makeSeatMenu(client::kLeft);
    QAction* remove = menu->findChild<QAction*>(QStringLiteral("RemoveFromGame1"));
    ASSERT_NE(remove, nullptr);
    ASSERT_TRUE(remove->isEnabled());
    QStringList guestNotices;
    guest.setNoticeObserver([&guestNotices](const QString& text) { guestNotices << text; });
    QStringList asked;
    bool answer = false;
    host.setQuestion([&](const QString& text) {
        asked << text;
        return answer;
    });
    remove->trigger(); // answered No: Bob stays
    runUntil([] { return false; }, 1);
    EXPECT_EQ(view(host).seats[2].name, "Bob");
    EXPECT_TRUE(guestNotices.isEmpty());
    emit host.spyListDialog().removeRequested(0); // no spectator there: nothing to ask
    answer = true;
    remove->trigger();
    EXPECT_EQ(asked, QStringList(2, QStringLiteral("Remove Bob from the game?")));
    // The removed player is told before the window goes: it closes once the notice is read.
    ASSERT_TRUE(runUntil([&] { return !guestNotices.isEmpty(); }));
    EXPECT_EQ(guestNotices, QStringList{"You have been removed from the game."});
    EXPECT_FALSE(guest.closeRequested());
    guest.findChild<QMessageBox*>()->accept();
    ASSERT_TRUE(runUntil([&] { return guest.closeRequested(); }));
    ASSERT_TRUE(runUntil([&] { return view(host).seats[2].name == client::kWaiting; }));
    EXPECT_FALSE(host.closeRequested());
}

// ---- menus and the settings file ----

TEST_F(WindowTest, OptionMenusSaveAtOnceAndFeedTheHost) {
    MainWindow window(options());
    const std::vector<std::tuple<QString, int, const char*>> speeds = {
        {"Fast1", 250, "Botspeed=250"},
        {"Slow1", 1000, "Botspeed=1000"},
        {"Normal1", 500, "Botspeed=500"}};
    WindowOptions plain = options();
    plain.botSpeedMs.reset();
    MainWindow menus(plain);
    for (const auto& [item, speed, line] : speeds) {
        menus.action(item)->trigger();
        EXPECT_EQ(menus.preferences().botSpeedMs(), speed);
        EXPECT_TRUE(menus.action(item)->isChecked());
        EXPECT_NE(readFile(menus.settingsPath()).find(line), std::string::npos) << line;
    }
    menus.action(QStringLiteral("Smart1"))->trigger();
    EXPECT_EQ(menus.preferences().botSkill(), host::BotSkill::Smart);
    EXPECT_NE(readFile(menus.settingsPath()).find("Botskill=1"), std::string::npos);
    menus.action(QStringLiteral("ClassicSkill1"))->trigger();
    EXPECT_EQ(menus.preferences().botSkill(), host::BotSkill::Classic);
    menus.action(QStringLiteral("New1"))->trigger();
    EXPECT_TRUE(menus.preferences().turnSoundNew());
    EXPECT_NE(readFile(menus.settingsPath()).find("Turnsound=1"), std::string::npos);
    // The sound switches: off after one trigger, saved at once, on again after another.
    const std::vector<std::tuple<const char*, std::function<bool()>, const char*>> switches = {
        {"PlaySounds1", [&menus] { return menus.preferences().playSounds(); }, "Playsounds="},
        {"PlayerPhraseSounds1", [&menus] { return menus.preferences().playerPhraseSounds(); },
         "Playerphrasesounds="}};
    for (const auto& [item, isOn, key] : switches) {
        for (const bool on : {false, true}) {
            menus.action(QString::fromLatin1(item))->trigger();
            EXPECT_EQ(isOn(), on) << item;
            const std::string line = std::string(key) + (on ? "true" : "false");
            EXPECT_NE(readFile(menus.settingsPath()).find(line), std::string::npos) << line;
        }
    }
    // A test's own bot speed wins over the menu.
    window.action(QStringLiteral("Slow1"))->trigger();
    EXPECT_EQ(window.preferences().botSpeedMs(), 1);
}

struct LoadCase {
    std::string file;
    int botSpeed;
    const char* speedItem;
    host::BotSkill skill;
    bool turnNew;
    int target;
};

class LoadSettingsTest : public WindowTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadSettingsTest, ValuesChooseTheirMenuItems) {
    const LoadCase& given = GetParam();
    WindowOptions plain = options();
    plain.botSpeedMs.reset();
    { std::ofstream(plain.settingsPath.toStdString(), std::ios::binary) << given.file; }
    MainWindow window(plain);
    window.loadinifile();
    EXPECT_EQ(window.preferences().botSpeedMs(), given.botSpeed);
    EXPECT_TRUE(window.action(QString::fromLatin1(given.speedItem))->isChecked());
    EXPECT_EQ(window.preferences().botSkill(), given.skill);
    EXPECT_EQ(window.preferences().turnSoundNew(), given.turnNew);
    EXPECT_EQ(window.gameStartDialog().target(), given.target);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadSettingsTest,
    ::testing::Values(
        LoadCase{"[Lastling]\nBotspeed=250\nTurnsound=1\nBotskill=1\nPlaytoscore=70\n", 250,
                 "Fast1", host::BotSkill::Smart, true, 70},
        LoadCase{"[Lastling]\nBotspeed=1000\nBotskill=2\n", 1000, "Slow1", host::BotSkill::Classic,
                 false, 30},
        LoadCase{"[Lastling]\nBotspeed=fast\nTurnsound=yes\nPlaytoscore=abc\n", 500, "Normal1",
                 host::BotSkill::Classic, false, 30},
        LoadCase{"", 500, "Normal1", host::BotSkill::Classic, false, 30}, // missing
        LoadCase{"[Lastling\nBotspeed=250", 500, "Normal1", host::BotSkill::Classic, false,
                 30}, // corrupt
        LoadCase{"[Lastling]\nBotspeed=250", 250, "Fast1", host::BotSkill::Classic, false,
                 30}, // truncated
        LoadCase{"[Lastling]\nPlaytoscore=99999\nBotspeed=" + std::string(5000, '9') + "\n", 500,
                 "Normal1", host::BotSkill::Classic, false, 500}));

TEST_F(WindowTest, CloseSavesThePlaceOnlyWhenItChanged) {
    WindowOptions plain = options();
    {
        std::ofstream(plain.settingsPath.toStdString(), std::ios::binary)
            << "[Lastling]\r\nTop=40\r\nLeft=10\r\nWidth=790\r\nHeight=640\r\n";
    }
    const std::string before = readFile(plain.settingsPath.toStdString());
    {
        MainWindow unmoved(plain);
        unmoved.loadinifile();
        EXPECT_EQ(unmoved.pos(), QPoint(10, 40));
        unmoved.close();
    }
    EXPECT_EQ(readFile(plain.settingsPath.toStdString()), before);
    {
        MainWindow moved(plain);
        moved.loadinifile();
        moved.action(QStringLiteral("ResetScreenLocation1"))->trigger();
        moved.close();
    }
    const std::string after = readFile(plain.settingsPath.toStdString());
    EXPECT_NE(after.find("Top=3\r\n"), std::string::npos) << after;
    EXPECT_NE(after.find("Left=3\r\n"), std::string::npos) << after;

    // Larger than the work area: saved 15 px smaller in each dimension that exceeds it.
    const QSize work = QGuiApplication::primaryScreen()->availableGeometry().size();
    for (const auto& [size, saved] :
         {std::pair{QSize(work.width() + 1, work.height()),
                    QSize(work.width() - 14, work.height())},
          {QSize(work.width(), work.height() + 1), QSize(work.width(), work.height() - 14)}}) {
        {
            MainWindow large(plain);
            large.loadinifile();
            large.resize(size);
            large.close();
        }
        const std::string text = readFile(plain.settingsPath.toStdString());
        EXPECT_NE(text.find("Width=" + std::to_string(saved.width()) + "\r\n"), std::string::npos)
            << text;
        EXPECT_NE(text.find("Height=" + std::to_string(saved.height()) + "\r\n"), std::string::npos)
            << text;
    }
}

// View > Card Size and Four-Colour Deck change the table at once and are kept; a file from
// before they were there gives Normal cards in two colours.
TEST_F(WindowTest, ViewChoicesChangeTheTableAndAreKept) {
    WindowOptions plain = options();
    std::ofstream(plain.settingsPath.toStdString(), std::ios::binary) << "[Lastling]\r\nTop=40\r\n";
    {
        MainWindow window(plain);
        window.loadinifile();
        window.show();
        EXPECT_FALSE(window.action(QStringLiteral("FourColourDeck1"))->isChecked());
        EXPECT_TRUE(window.action(QStringLiteral("CardNormal1"))->isChecked());
        EXPECT_EQ(window.board().minimumSize(), QSize(764, 527));
        window.action(QStringLiteral("CardLargest1"))->trigger();
        window.action(QStringLiteral("FourColourDeck1"))->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(window.board().cardSize(), CardSize::Largest);
        EXPECT_EQ(window.board().deckColours(), DeckColours::Four);
        EXPECT_EQ(window.board().minimumSize(), QSize(872, 671));
        EXPECT_GE(window.centralWidget()->width(), 876);
        EXPECT_GE(window.centralWidget()->height(), 675);
        EXPECT_EQ(window.board().trump()->width(), 107); // at 1:1 on the smallest board
        window.close();
    }
    const std::string saved = readFile(plain.settingsPath.toStdString());
    EXPECT_NE(saved.find("Fourcolordeck=true\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Cardsize=2\r\n"), std::string::npos) << saved;
    MainWindow again(plain);
    again.loadinifile();
    EXPECT_TRUE(again.action(QStringLiteral("FourColourDeck1"))->isChecked());
    EXPECT_TRUE(again.action(QStringLiteral("CardLargest1"))->isChecked());
    EXPECT_EQ(again.board().cardSize(), CardSize::Largest);
    again.action(QStringLiteral("CardNormal1"))->trigger();
    EXPECT_EQ(again.board().minimumSize(), QSize(764, 527));
    EXPECT_EQ(again.centralWidget()->minimumSize(), QSize(768, 531));
}

TEST_F(WindowTest, NeverSmallerThanTheBoard) {
    MainWindow window(options());
    window.show();
    window.resize(200, 100);
    QCoreApplication::processEvents();
    EXPECT_GE(window.centralWidget()->width(), Board::kWidth + 4);
    EXPECT_GE(window.centralWidget()->height(), Board::kHeight + 4);
}

TEST_F(WindowTest, RefusedSettingsWriteReachesTheErrorReport) {
    std::vector<std::string> errors;
    setEventErrorSink([&errors](const std::string& message) { errors.push_back(message); });
    WindowOptions nowhere = options();
    nowhere.settingsPath = m_dir.filePath(QStringLiteral("missing/korvlobby.ini"));
    MainWindow window(nowhere);
    window.action(QStringLiteral("Fast1"))->trigger();
    setEventErrorSink(nullptr);
    ASSERT_EQ(errors.size(), 1U);
    EXPECT_EQ(errors[0], "Unable to write to " + nowhere.settingsPath.toStdString());
    EXPECT_EQ(window.preferences().botSpeedMs(), 1); // the choice itself stands
}

TEST_F(WindowTest, MenusCarryTheirCaptionsShortcutsAndStates) {
    MainWindow window(options());
    const std::vector<std::tuple<const char*, const char*, bool, bool>> items = {
        // name, caption, enabled, checked
        {"StartGame1", "&Start Game", false, false},
        {"Exit1", "E&xit", true, false},
        {"PlaySounds1", "Play &Sounds", true, true},
        {"PlayerPhraseSounds1", "Player &Phrase Sounds", true, true},
        {"Classic1", "&Classic", true, true},
        {"New1", "&New", true, false},
        {"Slow1", "&Slow", true, false},
        {"Normal1", "&Normal", true, true},
        {"Fast1", "&Fast", true, false},
        {"ClassicSkill1", "&Classic", true, true},
        {"Smart1", "S&mart", true, false},
        {"TextColor1", "Text C&olor", true, false},
        {"N8", "8", true, false},
        {"N10", "10", true, true},
        {"N14", "14", true, false},
        {"ScrollChatOff2", "Scroll Chat O&ff", true, false},
        {"ClearMainChat1", "Cl&ear Main Chat", true, false},
        {"ResetScreenLocation1", "&Reset Screen Location", true, false},
        {"JustWatch1", "&Just Watch", true, false},
        {"SpyList1", "&Spy List", true, false},
        {"Hint1", "&Hint", false, false}, // until the own turn
    };
    for (const auto& [name, caption, enabled, checked] : items) {
        QAction* item = window.action(QString::fromLatin1(name));
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->text(), QString::fromLatin1(caption)) << name;
        EXPECT_EQ(item->isEnabled(), enabled) << name;
        EXPECT_EQ(item->isChecked(), checked) << name;
    }
    EXPECT_EQ(window.action(QStringLiteral("ScrollChatOff2"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(window.action(QStringLiteral("Hint1"))->shortcut(), QKeySequence(Qt::Key_H));
    EXPECT_EQ(window.windowTitle(), "Lastling by Korvel Software");
    for (int slot = 1; slot <= 4; ++slot) {
        const QList<QKeySequence> keys =
            window.action(QStringLiteral("PlayCard%1").arg(slot))->shortcuts();
        ASSERT_EQ(keys.size(), 2);
        EXPECT_EQ(keys[0], QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + slot)));
        EXPECT_EQ(keys[1], QKeySequence(static_cast<Qt::Key>(Qt::Key_F4 + slot)));
    }
}

// Another program holds the game port: a solo game does not need it, while hosting says why it
// cannot go on and leaves the window usable.
TEST_F(WindowTest, BusyGamePortLeavesSoloAloneAndStopsHostingWithItsReason) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::AnyIPv4, 0));
    const std::string busy = std::to_string(other.serverPort());
    std::vector<std::string> errors;
    setEventErrorSink([&errors](const std::string& message) { errors.push_back(message); });

    WindowOptions solo = options();
    solo.gamePort = busy;
    MainWindow alone(solo);
    alone.show();
    ASSERT_TRUE(runUntil([&] { return state(alone).loggedin; }));
    EXPECT_TRUE(errors.empty());
    EXPECT_NE(alone.hostPort(), static_cast<int>(other.serverPort()));

    WindowOptions hosting = options({"Ann", "127.0.0.1", "true"});
    hosting.gamePort = busy;
    MainWindow host(hosting);
    host.show();
    setEventErrorSink(nullptr);
    const std::string reason =
        "Cannot host a table because port " + busy + " is in use by another program";
    EXPECT_EQ(errors, std::vector<std::string>{reason});
    EXPECT_TRUE(chatText(host).contains(QString::fromStdString(reason + ".")));
    EXPECT_FALSE(state(host).ishost);
    EXPECT_FALSE(view(host).startButtonVisible);
    EXPECT_FALSE(host.closeRequested());
    EXPECT_TRUE(host.action(QStringLiteral("JoinTable1"))->isEnabled());
    EXPECT_TRUE(host.action(QStringLiteral("Exit1"))->isEnabled());
}

// The hosting player's window takes the table with it: with a guest at the table it asks
// first (a solo window never does), and the guest learns that the host closed the table.
// The turn time chosen in Host a Table reaches the hosted table's host and comes back to the
// window as the seconds on our seat, before our card; a solo game is never timed.
TEST_F(WindowTest, AHostedTableTimesTurnsFromTheSettingsAndASoloGameNever) {
    for (const bool hosted : {true, false}) {
        SCOPED_TRACE(hosted ? "hosted" : "solo");
        const WindowOptions chosen = hosted ? options({"Ann", "127.0.0.1", "true"}) : options();
        ASSERT_TRUE(settings::saveTurnSeconds(30, chosen.settingsPath.toStdString()));
        MainWindow window(chosen);
        std::pair<int, int> firstTime{0, 0}; // seat, seconds
        bool played = false;                 // our card is down: every turn time came before
        QObject::connect(&window.client().model(), &client::TableModel::changed, &window, [&] {
            if (firstTime.first == 0 && !played) {
                firstTime = {view(window).timedSeat, view(window).secondsLeft};
            }
            played = played || view(window).status.rfind("You played", 0) == 0;
        });
        window.show();
        ASSERT_TRUE(
            runUntil([&] { return state(window).loggedin && view(window).startButtonVisible; }));
        window.client().model().gameStartChosen("10");
        ASSERT_TRUE(runUntil([&] {
            return state(window).myseat != 0 && state(window).whoseturn == state(window).myseat;
        }));
        window.client().model().showHint(); // a card that may be played
        ASSERT_NE(view(window).hintSlot, 0);
        window.client().model().cardClicked(view(window).hintSlot);
        ASSERT_TRUE(runUntil([&] { return played; }));
        EXPECT_EQ(firstTime, hosted ? std::make_pair(1, 30) : std::make_pair(0, 0));
    }
}

TEST_F(WindowTest, HostLeavingAsksFirstAndTellsTheGuestWhy) {
    MainWindow host(options({"Ann", "127.0.0.1", "true"}));
    host.show();
    ASSERT_TRUE(runUntil([&] { return state(host).loggedin; }));
    QStringList asked;
    host.setQuestion([&](const QString& text) {
        asked << text;
        return false;
    });
    MainWindow guest(guestOf(host, "Bob"));
    guest.show();
    ASSERT_TRUE(runUntil([&] { return view(host).seats[2].name == "Bob"; }));
    QStringList guestNotices;
    guest.setNoticeObserver([&guestNotices](const QString& text) { guestNotices << text; });

    host.close(); // No: nothing happens
    EXPECT_EQ(asked, QStringList{QStringLiteral("Leave the table? The game ends for everybody.")});
    EXPECT_FALSE(host.closeRequested());
    EXPECT_TRUE(host.isVisible());
    host.closeWithoutAsking(); // a signal at logout: nobody to answer
    EXPECT_EQ(asked.size(), 1);
    EXPECT_TRUE(host.closeRequested());
    ASSERT_TRUE(runUntil([&] { return !guestNotices.isEmpty(); }));
    EXPECT_EQ(guestNotices, QStringList{"The host has closed the table."});
    EXPECT_TRUE(chatText(guest).contains(QStringLiteral("Ann disconnected.")));

    MainWindow solo(options());
    solo.setQuestion([&](const QString& text) {
        asked << text;
        return false;
    });
    solo.show();
    ASSERT_TRUE(runUntil([&] { return state(solo).loggedin; }));
    solo.close();
    EXPECT_TRUE(solo.closeRequested());
    EXPECT_EQ(asked.size(), 1);
}

// A seated guest leaving a game under way is asked first, as the host is; a guest at a table
// with no game is not. When the host closes the table on the guest's turn, the guest's window
// shows no turn behind the notice.
TEST_F(WindowTest, GuestInAGameIsAskedBeforeLeavingAndLosesItsTurnWithTheTable) {
    MainWindow host(options({"Ann", "127.0.0.1", "true"}));
    host.show();
    ASSERT_TRUE(runUntil([&] { return state(host).loggedin; }));
    host.setQuestion([](const QString&) { return true; });
    QStringList asked;
    const auto recordNo = [&asked](const QString& text) {
        asked << text;
        return false;
    };
    {
        MainWindow early(guestOf(host, "Cy"));
        early.setQuestion(recordNo);
        early.show();
        ASSERT_TRUE(runUntil([&] { return state(early).myseat == 2; }));
        early.close(); // no game yet: it just goes
        EXPECT_TRUE(early.closeRequested());
        EXPECT_TRUE(asked.isEmpty());
    }

    MainWindow guest(guestOf(host, "Bob"));
    guest.setQuestion(recordNo);
    guest.show();
    ASSERT_TRUE(runUntil([&] {
        const int seat = state(guest).myseat;
        return seat >= 2 && seat <= 4 &&
               view(host).seats[static_cast<std::size_t>(seat)].name == "Bob";
    }));
    const int seat = state(guest).myseat;
    QStringList guestNotices;
    guest.setNoticeObserver([&guestNotices](const QString& text) { guestNotices << text; });
    ASSERT_TRUE(host.client().send("CMD_startgame+Ann+30+\xFF"));
    std::size_t attempt = 0; // a refused card comes back with the turn: the next try differs
    ASSERT_TRUE(runUntil([&] {
        const std::vector<int> held = candidateSlots(view(host));
        if (state(host).whoseturn == 1 && !held.empty()) {
            host.client().model().cardClicked(held[attempt++ % held.size()]);
        }
        return state(guest).whoseturn == seat;
    }));
    EXPECT_EQ(view(guest).status, "Your Turn.");

    guest.close(); // No: the guest stays
    EXPECT_EQ(asked, QStringList{QStringLiteral(
                         "Leave the game? The computer plays your seat from now on.")});
    EXPECT_FALSE(guest.closeRequested());
    EXPECT_TRUE(guest.isVisible());

    host.closeWithoutAsking();
    ASSERT_TRUE(runUntil([&] { return !guestNotices.isEmpty(); }));
    EXPECT_EQ(guestNotices, QStringList{"The host has closed the table."});
    EXPECT_EQ(state(guest).whoseturn, 0);
    EXPECT_EQ(view(guest).turnSeat, 0);
    EXPECT_EQ(guest.board().status()->text(), "You are no longer at the table.");
    EXPECT_FALSE(guest.board().turnMarker()->isVisible());
    // The notice read, the window goes without asking: there is no game left to leave.
    for (QMessageBox* box : guest.findChildren<QMessageBox*>()) {
        box->accept();
    }
    EXPECT_TRUE(runUntil([&] { return guest.closeRequested(); }));
    EXPECT_EQ(asked.size(), 1);
}

TEST(WindowParams, CommandLineBecomesWireText) {
    char program[] = "lastling";
    char name[] = "J\xC3\xB6rg"; // UTF-8 for a name with an umlaut
    char address[] = "\xE2\x82\xAC"
                     "1"; // the euro sign has no single-byte form: it stays UTF-8
    char mode[] = "true";
    char* argv[] = {program, name, address, mode, nullptr};
    const std::vector<std::string> params = wireParams(4, argv);
    ASSERT_EQ(params.size(), 3U);
    EXPECT_EQ(params[0], "J\xF6rg");
    EXPECT_EQ(params[1], "\xE2\x82\xAC"
                         "1");
    EXPECT_EQ(params[2], "true");
    EXPECT_TRUE(wireParams(1, argv).empty());
    EXPECT_TRUE(wireParams(0, argv).empty());
}

} // namespace
} // namespace lastling::shell
