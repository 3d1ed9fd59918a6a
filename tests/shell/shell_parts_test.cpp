#include "client/table_view.h"
#include "settings/settings_store.h"
#include "settings/table_options.h"
#include "shell/board.h"
#include "shell/cursor_blink_limit.h"
#include "shell/error_box.h"
#include "shell/game_start_dialog.h"
#include "shell/single_instance.h"
#include "shell/spy_list_dialog.h"
#include "shell/table_dialogs.h"
#include "shell/turn_countdown.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace lastling::shell {
namespace {

// ---- error box ----

TEST(ErrorBox, FullStopOnlyAfterCharactersBeyondThePeriod) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"Listen - Error Binding Socket", "Listen - Error Binding Socket."},
        {"Unable to write to /x/korvlobby.ini", "Unable to write to /x/korvlobby.ini."},
        {"Error 5", "Error 5."},
        {"Why?", "Why?."},
        {"Done.", "Done."},
        {"(x)", "(x)"},
        {"a,", "a,"},
        {"", ""},
    };
    for (const auto& [message, shown] : cases) {
        EXPECT_EQ(errorBoxText(message), shown) << message.toStdString();
    }
}

// ---- single instance ----

QString uniqueName(const char* tag) {
    return QStringLiteral("lastling-test-%1-%2")
        .arg(QLatin1String(tag))
        .arg(QCoreApplication::applicationPid());
}

template <typename Condition> bool waitFor(Condition condition) {
    for (int turn = 0; turn < 2000 && !condition(); ++turn) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return condition();
}

// Only a copy of the same user may raise the first copy, or make a second copy back off.
TEST(SingleInstance, RaiseOnlyBetweenCopiesOfTheSameUser) {
    const unsigned me = ::geteuid();
    const struct {
        const char* what;
        unsigned firstTrusts;
        unsigned secondTrusts;
        bool secondRuns;
        int raised;
    } cases[] = {
        {"same user: the second copy raises the first and ends", me, me, false, 1},
        {"the name held by another user: the second copy runs", me, me + 1, true, 0},
        {"a raise from another user is ignored", me + 1, me, false, 0},
    };
    for (const auto& given : cases) {
        const QString name = uniqueName("raise");
        SingleInstance first(name);
        first.setTrustedUser(given.firstTrusts);
        ASSERT_TRUE(first.claim()) << given.what;
        QSignalSpy raised(&first, &SingleInstance::raiseRequested);
        SingleInstance second(name);
        second.setTrustedUser(given.secondTrusts);
        EXPECT_EQ(second.claim(), given.secondRuns) << given.what;
        EXPECT_EQ(second.holdsName(), given.secondRuns) << given.what;
        waitFor([&] { return raised.count() > 0; });
        EXPECT_EQ(raised.count(), given.raised) << given.what;
    }
}

TEST(SingleInstance, StaleNameLeftByACrashIsTakenOver) {
    const QString name = uniqueName("stale");
    // A socket file that nobody listens on any more.
    const QString path = QDir::tempPath() + QLatin1Char('/') + name;
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    SingleInstance copy(name);
    EXPECT_TRUE(copy.claim());
    EXPECT_TRUE(copy.holdsName());
}

TEST(SingleInstance, RequestsOtherThanRaiseAreIgnored) {
    const QString name = uniqueName("junk");
    SingleInstance first(name);
    ASSERT_TRUE(first.claim());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);
    for (const QByteArray& junk : {QByteArray("rais"), QByteArray("RAISE\n"),
                                   QByteArray(70000, 'r'), QByteArray("\xFF\x00raise\n", 8)}) {
        QLocalSocket socket;
        socket.connectToServer(name);
        ASSERT_TRUE(waitFor([&] { return socket.state() == QLocalSocket::ConnectedState; }));
        socket.write(junk);
        socket.flush();
        waitFor([&] { return socket.state() == QLocalSocket::UnconnectedState; });
        socket.abort();
    }
    for (int turn = 0; turn < 50; ++turn) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(raised.count(), 0);
}

// ---- cursor blinking ----

TEST(CursorBlinkLimit, InputStartsBlinkingAgainAndTheEndRestoresIt) {
    const int usual = QApplication::cursorFlashTime();
    QLineEdit field;
    {
        CursorBlinkLimit limit;
        EXPECT_TRUE(limit.blinking());
        limit.stopBlinking();
        EXPECT_FALSE(limit.blinking());
        EXPECT_EQ(QApplication::cursorFlashTime(), 0);
        QTest::mouseMove(&field); // moving is no input
        EXPECT_FALSE(limit.blinking());
        QTest::keyClick(&field, Qt::Key_A);
        EXPECT_TRUE(limit.blinking());
        EXPECT_EQ(QApplication::cursorFlashTime(), usual);
        limit.stopBlinking();
        QTest::mouseClick(&field, Qt::LeftButton);
        EXPECT_TRUE(limit.blinking());
        limit.stopBlinking();
    }
    EXPECT_EQ(QApplication::cursorFlashTime(), usual);
}

// ---- board ----

client::TableView sampleView() {
    client::TableView view;
    view.seats[1].name = "Ann";
    view.seats[2].name = "Klot";
    view.seats[2].hand.backs = 3;
    view.seats[3].hand.faceUp = true;
    view.seats[3].hand.cards = {37, 1};
    view.seats[4].played = 52;
    view.seats[4].winner = true;
    view.seats[2].out = true;
    view.seats[1].scoreFollowsName = true;
    view.seats[1].score = "17";
    view.ownSlots[1] = {37, true};
    view.ownSlots[2] = {0, true};
    view.ownSlots[3] = {5, false};
    view.trump = 1;
    view.turnSeat = 2;
    view.status = "Your Turn.";
    view.startButtonVisible = true;
    return view;
}

TEST(Board, DrawsEachSeatAtItsScreenPosition) {
    Board board;
    // Own seat 3 at the bottom: seat s at (s - 3) mod 4.
    board.showTable(sampleView(), [](int seat) { return ((seat - 3) % 4 + 4) % 4; });
    EXPECT_EQ(board.nameLabel(client::kTop)->text(), "Ann");
    EXPECT_EQ(board.nameLabel(client::kRight)->text(), "Klot");
    EXPECT_EQ(board.handPicture(client::kRight)->pixmap().width(), 91);        // three backs
    EXPECT_EQ(board.handPicture(client::kBottom)->isVisibleTo(&board), false); // never shown
    EXPECT_FALSE(board.handPicture(client::kLeft)->isVisibleTo(&board));       // holds no card
    for (int at : {client::kLeft, client::kTop, client::kRight}) { // badges lie on the hand
        EXPECT_EQ(board.outBadge(at)->pos(), board.handPicture(at)->pos()) << at;
        EXPECT_EQ(board.winnerBadge(at)->pos(), board.handPicture(at)->pos()) << at;
    }
    EXPECT_TRUE(board.outBadge(client::kRight)->isVisibleTo(&board));
    EXPECT_TRUE(board.winnerBadge(client::kLeft)->isVisibleTo(&board));
    EXPECT_EQ(board.playedCard(client::kLeft)->accessibleName(),
              "Ace of Spades, played by <Waiting>");
    EXPECT_EQ(board.trump()->accessibleName(), "Trump: Two of Clubs");
    EXPECT_EQ(board.status()->text(), "Your Turn.");
    EXPECT_TRUE(board.startButton()->isVisibleTo(&board));
    // The turn marker covers the grey marker beside the name of the seat on turn.
    const QLabel* name = board.nameLabel(client::kRight);
    EXPECT_EQ(board.turnMarker()->pos(), name->pos() - QPoint(13, 5));
    EXPECT_EQ(board.turnMarker()->pos(), QPoint(336, 193));
    // Score just right of the name label in a running game.
    const QLabel* top = board.nameLabel(client::kTop);
    EXPECT_EQ(board.scoreLabel(client::kTop)->x(), top->x() + top->width() + 4);
}

// The seconds stand where a watching seat's eyes would, only on the seat on turn; our own
// last ten are red.
TEST(Board, TheTurnTimeShowsOnTheSeatOnTurnAndOurLastSecondsInRed) {
    Board board;
    const auto positionOf = [](int seat) { return ((seat - 3) % 4 + 4) % 4; };
    client::TableView view = sampleView(); // seat 2 on turn, at the right
    auto* countdown = board.findChild<TurnCountdown*>(QStringLiteral("label_turntime"));
    ASSERT_NE(countdown, nullptr);
    board.showTable(view, positionOf);
    EXPECT_FALSE(countdown->isVisibleTo(&board)); // not timed

    view.timedSeat = 2;
    view.secondsLeft = 11;
    board.showTable(view, positionOf);
    EXPECT_TRUE(countdown->isVisibleTo(&board));
    EXPECT_EQ(countdown->text(), "11 s");
    EXPECT_EQ(countdown->accessibleName(), "11 seconds left");
    EXPECT_EQ(countdown->pos(), board.eyes(client::kRight)->pos());
    EXPECT_FALSE(countdown->styleSheet().contains("#D00000"));

    view.turnSeat = 3;
    view.timedSeat = 3;
    view.secondsLeft = 10;
    view.timeRunningOut = true;
    board.showTable(view, positionOf);
    EXPECT_EQ(countdown->text(), "10 s");
    EXPECT_EQ(countdown->pos(), board.eyes(client::kBottom)->pos());
    EXPECT_TRUE(countdown->styleSheet().contains("#D00000"));

    view.turnSeat = 0; // the card is down: the seconds go with the marker
    board.showTable(view, positionOf);
    EXPECT_FALSE(countdown->isVisibleTo(&board));
}

TEST(Board, OwnHandSlotsShowTheirCardsAndNames) {
    Board board;
    board.showTable(sampleView(), [](int seat) { return seat - 1; });
    EXPECT_EQ(board.handSlot(1)->accessibleName(), "Queen of Hearts");
    EXPECT_TRUE(board.handSlot(1)->toolTip().contains("Alt+1"));
    EXPECT_TRUE(board.handSlot(2)->isVisibleTo(&board)); // shown, but empty
    EXPECT_TRUE(board.handSlot(2)->pixmap().isNull());
    EXPECT_FALSE(board.handSlot(3)->isVisibleTo(&board));
    EXPECT_EQ(board.handSlot(0), nullptr);
    EXPECT_EQ(board.handSlot(5), nullptr);
    QSignalSpy clicks(&board, &Board::cardClicked);
    QTest::mouseClick(board.handSlot(1), Qt::LeftButton);
    QTest::mouseClick(board.handSlot(1), Qt::RightButton);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 1);
}

TEST(Board, SeatsOrCardsOutOfRangeAddressNothing) {
    Board board;
    client::TableView view = sampleView();
    view.turnSeat = 9;
    view.trump = 77;
    view.seats[1].played = -3;
    view.ownSlots[4] = {1000, true};
    view.seats[2].hand.backs = 12;
    view.seats[3].hand.cards = {1, 2, 3, 4, 5, 6, -9, 999};
    view.seats[1].name = std::string(5000, 'N'); // oversized: cut short on the table, kept whole
    // A position function that goes wrong for every seat but one.
    board.showTable(view, [](int seat) { return seat == 1 ? 0 : (seat == 2 ? -1 : 4 + seat); });
    EXPECT_FALSE(board.turnMarker()->isVisibleTo(&board));
    EXPECT_TRUE(board.trump()->pixmap().isNull());
    EXPECT_TRUE(board.playedCard(0)->pixmap().isNull());
    EXPECT_TRUE(board.handSlot(4)->pixmap().isNull());
    EXPECT_EQ(board.nameLabel(0)->accessibleName().size(), 5000);
    EXPECT_LT(board.nameLabel(0)->width(), Board::kWidth);
    EXPECT_EQ(board.nameLabel(-1), nullptr);
    EXPECT_EQ(board.nameLabel(4), nullptr);
}

TEST(Board, HandPictureWidthsFollowTheCardCount) {
    const std::vector<std::pair<client::HandPicture, int>> cases = {
        {{0, false, {}}, 0},       {{1, false, {}}, 71},           {{4, false, {}}, 101},
        {{5, false, {}}, 0},       {{-1, false, {}}, 0},           {{0, true, {9}}, 71},
        {{0, true, {9, 10}}, 91},  {{0, true, {1, 2, 3, 4}}, 131}, {{0, true, {}}, 71},
        {{0, true, {60, -5}}, 91}, // faulty card numbers leave gaps, never read past the pictures
    };
    for (const auto& [hand, width] : cases) {
        EXPECT_EQ(composeHand(hand).width(), width) << hand.backs << " " << hand.cards.size();
    }
    // Drawn for a screen at 200% with its cards 1.5 times as large: every card shows, the last
    // one whole, at twice the pixels.
    const QPixmap large = composeHand({4, false, {}}, CardLook{{107, 144}, 2.0});
    EXPECT_EQ(large.size(), QSize(2 * 152, 2 * 144));
    EXPECT_EQ(large.devicePixelRatio(), 2.0);
    const QImage drawn = large.toImage();
    for (const int x : {10, 40, 70, 300}) { // the first three backs' edges, the last card
        EXPECT_EQ(qAlpha(drawn.pixel(x, 144)), 255) << x;
    }
}

// Everything a seat can show at once, at every seat: played cards never cover each other nor
// anything else, and the eyes never cover the turn marker or the name.
TEST(Board, NothingOnTheTableCoversAnother) {
    client::TableView view;
    for (int seat = 1; seat <= 4; ++seat) {
        client::SeatView& shown = view.seats[static_cast<std::size_t>(seat)];
        shown.name = "Klingeling";
        shown.score = "123";
        shown.bonus = "+56";
        shown.scoreFollowsName = shown.bonusFollowsScore = true;
        shown.hand = {0, true, {49, 50, 51, 52}};
        shown.played = seat;
        shown.took = shown.out = shown.winner = shown.eyes = true;
    }
    for (int turn = 1; turn <= 4; ++turn) {
        view.turnSeat = turn;
        Board board;
        board.showTable(view, [](int seat) { return seat - 1; });
        const int turnAt = turn - 1;
        const QRect marker = board.turnMarker()->geometry();
        EXPECT_FALSE(board.eyes(turnAt)->geometry().intersects(marker)) << turnAt;
        EXPECT_FALSE(board.eyes(turnAt)->geometry().intersects(board.nameLabel(turnAt)->geometry()))
            << turnAt;
        for (int at = 0; at < 4; ++at) {
            const QRect card = board.playedCard(at)->geometry();
            std::vector<QLabel*> others = {board.nameLabel(at),  board.eyes(at),
                                           board.outBadge(at),   board.winnerBadge(at),
                                           board.scoreLabel(at), board.tookTrick(at)};
            if (at != 0) {
                others.push_back(board.handPicture(at));
            }
            for (int other = 0; other < 4; ++other) {
                if (other != at) {
                    others.push_back(board.playedCard(other));
                    others.push_back(board.tookTrick(other));
                }
            }
            for (const QLabel* label : others) {
                EXPECT_FALSE(card.intersects(label->geometry()))
                    << "card at " << at << " covers " << label->geometry().x() << ","
                    << label->geometry().y();
            }
            EXPECT_FALSE(card.intersects(marker)) << at;
        }
    }
}

TEST(Board, AClickOnANameOpensItsMenu) {
    Board board;
    board.showTable(client::TableView{}, [](int seat) { return seat - 1; });
    QSignalSpy menus(&board, &Board::seatMenuRequested);
    QTest::mouseClick(board.nameLabel(client::kRight), Qt::LeftButton);
    QTest::mouseClick(board.nameLabel(client::kLeft), Qt::MiddleButton);
    ASSERT_EQ(menus.count(), 1);
    EXPECT_EQ(menus.at(0).at(0).toInt(), client::kRight);
}

// ---- dialogs ----

TEST(GameStartDialog, TargetStaysInRangeAndStartHidesTheDialog) {
    GameStartDialog dialog{QPixmap(), QPixmap()};
    EXPECT_EQ(dialog.targetText(), "30");
    const std::vector<std::pair<int, int>> cases = {
        {5, 10}, {10, 10}, {70, 70}, {500, 500}, {501, 500}, {-2147483647, 10}, {2147483647, 500}};
    for (const auto& [given, kept] : cases) {
        dialog.setTarget(given);
        EXPECT_EQ(dialog.target(), kept) << given;
    }
    dialog.setTarget(40);
    dialog.show();
    QSignalSpy chosen(&dialog, &GameStartDialog::startChosen);
    auto* start = dialog.findChild<QLabel*>(QStringLiteral("button_start"));
    ASSERT_NE(start, nullptr);
    QTest::mouseClick(start, Qt::LeftButton);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), "40");
    EXPECT_FALSE(dialog.isVisible());
}

// A typed target counts, brought into range as it is taken; Enter in the box starts the game.
TEST(GameStartDialog, TypedTargetAndEnterStartTheGame) {
    const std::pair<const char*, const char*> cases[] = {
        {"45", "45"}, {"10", "10"}, {"9", "10"}, {"500", "500"}, {"501", "50"}};
    for (const auto& [typed, sent] : cases) {
        GameStartDialog dialog{QPixmap(), QPixmap()};
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        auto* box = dialog.findChild<QSpinBox*>(QStringLiteral("edit_playtoscore"));
        ASSERT_NE(box, nullptr);
        box->setFocus();
        box->selectAll();
        QSignalSpy chosen(&dialog, &GameStartDialog::startChosen);
        QTest::keyClicks(box, QString::fromLatin1(typed));
        QTest::keyClick(box, Qt::Key_Return);
        ASSERT_EQ(chosen.count(), 1) << typed;
        EXPECT_EQ(chosen.at(0).at(0).toString().toStdString(), sent) << typed;
        EXPECT_EQ(dialog.target(), QString::fromLatin1(sent).toInt()) << typed;
        EXPECT_FALSE(dialog.isVisible()) << typed;
    }
}

// The name field takes no more than a name may have, and says so where the name is typed.
TEST(TableDialog, NamesBeyondThirtyCharactersAreToldAtTheField) {
    const QString thirty(30, u'n');
    const struct {
        const char* what;
        QString remembered;
        QString typed;
        QString kept;
        bool told;
    } cases[] = {
        {"thirty typed", "", thirty, thirty, false},
        {"thirty-one typed", "", thirty + "x", thirty, true},
        {"forty pasted", "", QString(40, u'p'), QString(30, u'p'), true},
        {"thirty-five remembered", QString(35, u'r'), "", QString(30, u'r'), true},
        {"a short name", "Ann", "", "Ann", false},
    };
    for (const auto& given : cases) {
        TableDialog dialog(TableDialog::Kind::Host, given.remembered, "");
        dialog.show();
        QLineEdit* field = dialog.nameField();
        if (given.typed.size() > 35) {
            field->insert(given.typed); // as a paste puts it in
        } else {
            QTest::keyClicks(field, given.typed);
        }
        EXPECT_EQ(field->text(), given.kept) << given.what;
        EXPECT_EQ(dialog.problem(), given.told ? "A name can have at most 30 characters." : "")
            << given.what;
        EXPECT_EQ(field->toolTip(), "A name can have at most 30 characters.") << given.what;
    }
}

// Host a Table offers the saved turn time and keeps the new choice for the run it starts;
// joining has no turn time to choose.
TEST(TableDialog, HostingOffersTheTurnTimesAndKeepsTheChoice) {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath(QStringLiteral("korvlobby.ini")).toStdString();
    ASSERT_TRUE(settings::saveTurnSeconds(60, file));
    settings::SettingsStore store(file);
    QWidget window;
    TableChooser chooser(window, store);
    QStringList restarted;
    chooser.setRestarter([&restarted](const QStringList& params) { restarted = params; });
    chooser.open(TableDialog::Kind::Host);
    TableDialog* dialog = chooser.dialog();
    ASSERT_NE(dialog, nullptr);
    QComboBox* field = dialog->turnTimeField();
    ASSERT_NE(field, nullptr);
    QStringList offered;
    for (int i = 0; i < field->count(); ++i) {
        offered << field->itemText(i);
    }
    EXPECT_EQ(offered, (QStringList{"None", "30 seconds", "60 seconds", "120 seconds"}));
    EXPECT_EQ(dialog->turnSeconds(), 60);
    field->setCurrentIndex(3);
    dialog->nameField()->setText(QStringLiteral("Ann"));
    dialog->accept();
    EXPECT_EQ(restarted, (QStringList{"Ann", "127.0.0.1", "true"}));
    EXPECT_EQ(settings::readTurnSeconds(file), 120);

    TableDialog joining(TableDialog::Kind::Join, "Ann", "");
    EXPECT_EQ(joining.turnTimeField(), nullptr);
    EXPECT_EQ(joining.turnSeconds(), 0);
}

TEST(SpyListDialog, RemoveOnlyWhenEnabledAndOnAnEntry) {
    SpyListDialog dialog{QPixmap()};
    dialog.setEntries({"6: Bo", "7: Cy"});
    ASSERT_EQ(dialog.list()->count(), 2);
    QSignalSpy removed(&dialog, &SpyListDialog::removeRequested);
    dialog.removeEntryAt(0);
    EXPECT_EQ(removed.count(), 0); // disabled until hosting enables it
    dialog.setKickEnabled(true);
    for (int index : {-1, 2, 99, 1}) {
        dialog.removeEntryAt(index);
    }
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(0).toInt(), 1);
    dialog.setEntries({});
    EXPECT_EQ(dialog.list()->count(), 0);
    EXPECT_EQ(dialog.windowTitle(), "Lastling - Spys");
}

} // namespace
} // namespace lastling::shell
