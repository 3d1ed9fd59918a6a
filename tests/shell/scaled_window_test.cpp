// The main window maximised under a real window manager (run through openbox_run.sh, at 1:1
// and at QT_SCALE_FACTOR=2): the table grows with it as one picture, nothing on it overlaps,
// and a click where a scaled card is drawn plays that card. The places are read as a screen
// reader reads them, through the accessibility interfaces.
#include "shell/board.h"
#include "shell/game_start_dialog.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <string>
#include <utility>
#include <vector>

namespace lastling::shell {
namespace {

using testing::runUntil;

QRect accessibleRect(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->rect() : QRect();
}

// A left click at a point of the screen, delivered to the window as the platform would: the
// window finds the control under it.
void clickAt(QWidget& window, const QPoint& global) {
    const QPoint local = window.mapFromGlobal(global);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, local);
}

struct Shown {
    std::string name;
    QRect place;
    int seat = -1;
};

// Every card, name, score, marker and badge the table shows, by its accessible place.
std::vector<Shown> shownParts(Board& board) {
    std::vector<Shown> parts;
    const auto add = [&parts, &board](QWidget* widget, const std::string& name, int seat) {
        if (widget->isVisibleTo(&board)) {
            parts.push_back({name, accessibleRect(widget), seat});
        }
    };
    for (int at = 0; at < 4; ++at) {
        const std::string seat = " " + std::to_string(at);
        add(board.nameLabel(at), "name" + seat, at);
        add(board.scoreLabel(at), "score" + seat, at);
        add(board.seatMarker(at), "marker" + seat, at);
        add(board.outBadge(at), "out" + seat, at);
        add(board.winnerBadge(at), "winner" + seat, at);
        if (!board.playedCard(at)->pixmap().isNull()) {
            add(board.playedCard(at), "played" + seat, at);
        }
        add(board.handPicture(at), "hand" + seat, at);
    }
    for (int slot = 1; slot <= 4; ++slot) {
        add(board.handSlot(slot), "slot " + std::to_string(slot), 0);
    }
    add(board.trump(), "trump", -1);
    return parts;
}

// No two of cards, names, scores, markers and badges overlap; the turn marker covers the grey
// marker of the seat on turn (the same place), and nothing else.
void expectClear(Board& board, const std::string& look) {
    const std::vector<Shown> parts = shownParts(board);
    EXPECT_GE(parts.size(), 12U) << look;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        for (std::size_t j = i + 1; j < parts.size(); ++j) {
            EXPECT_FALSE(parts[i].place.intersects(parts[j].place))
                << look << ": " << parts[i].name << " meets " << parts[j].name;
        }
    }
    const QRect turn = accessibleRect(board.turnMarker());
    for (const Shown& part : parts) {
        if (board.turnMarker()->isVisible() && part.place != turn) {
            EXPECT_FALSE(turn.intersects(part.place)) << look << ": " << part.name;
        }
    }
}

class ScaledWindowTest : public testing::WindowFixture {};

TEST_F(ScaledWindowTest, MaximisedTableFillsTheHeightKeepsClearAndPlaysAClickedCard) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        GTEST_SKIP() << "needs a window manager: run through openbox_run.sh";
    }
    const WindowOptions kept = options();
    MainWindow window(kept);
    window.setQuestion([](const QString&) { return true; });
    window.showMaximized();
    ASSERT_TRUE(runUntil([&] { return window.windowHandle()->isExposed(); }));
    ASSERT_TRUE(
        runUntil([&] { return state(window).loggedin && view(window).startButtonVisible; }));
    const QRect screen = window.screen()->availableGeometry();
    ASSERT_TRUE(runUntil(
        [&] { return window.isMaximized() && window.height() > screen.height() * 9 / 10; }));
    QCoreApplication::processEvents();
    Board& board = window.board();

    // START GAME at its scaled place, then the game start dialog's own button.
    clickAt(window, accessibleRect(board.startButton()).center());
    ASSERT_TRUE(runUntil([&] { return window.gameStartDialog().isVisible(); }));
    window.gameStartDialog().setTarget(10);
    auto* start = window.gameStartDialog().findChild<QLabel*>(QStringLiteral("button_start"));
    ASSERT_NE(start, nullptr);
    QTest::mouseClick(start, Qt::LeftButton);
    ASSERT_TRUE(runUntil([&] { return state(window).whoseturn == state(window).myseat; }));
    QCoreApplication::processEvents();

    // The table picture, from the top seat's marker to the status line, fills the window's
    // height within a tenth, and keeps its proportions.
    const QRect top = accessibleRect(board.seatMarker(2));
    const QRect status = accessibleRect(board.status());
    const int pictureHeight = status.bottom() - top.top();
    EXPECT_GE(pictureHeight, window.height() * 9 / 10 - 20)
        << pictureHeight << " of " << window.height();
    EXPECT_GE(board.tableFit().table.height(), window.height() * 9 / 10);
    const double across = board.tableFit().table.width() / double(board.tableLayout().size.width());
    const double down = board.tableFit().table.height() / double(board.tableLayout().size.height());
    EXPECT_NEAR(across, down, 0.01);
    EXPECT_GT(down, 1.5);

    expectClear(board, "Normal");
    // The cards are drawn for their place on this screen, never stretched.
    const qreal ratio = window.devicePixelRatioF();
    QLabel* first = nullptr;
    for (int slot = 1; slot <= 4 && first == nullptr; ++slot) {
        QLabel* card = board.handSlot(slot);
        if (card->isVisible() && !card->pixmap().isNull()) {
            first = card;
        }
    }
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->pixmap().devicePixelRatio(), ratio);
    EXPECT_NEAR(first->pixmap().width(), first->width() * ratio, 1.0);

    // A click where a card is drawn plays it: the card leaves the hand and the turn passes;
    // a card that may not be played now sends the click on to the next one.
    int played = 0;
    for (int slot = 1; slot <= 4 && played == 0; ++slot) {
        const client::HandSlot held = view(window).ownSlots[static_cast<std::size_t>(slot)];
        if (!held.shown || held.card == 0) {
            continue;
        }
        clickAt(window, accessibleRect(board.handSlot(slot)).center());
        if (!view(window).ownSlots[static_cast<std::size_t>(slot)].shown) {
            played = held.card;
            EXPECT_EQ(state(window).whoseturn, 0);
        }
    }
    EXPECT_NE(played, 0);

    // Screenshots when asked for: the table as it is, then with the largest four-colour cards.
    const QString shot = qEnvironmentVariable("LASTLING_SHOT");
    const auto saveShot = [&window, &shot](const QString& suffix) {
        if (!shot.isEmpty()) {
            QString path = shot;
            path.insert(path.lastIndexOf(QLatin1Char('.')), suffix);
            EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
        }
    };
    runUntil([&] { return view(window).seats[1].played + view(window).seats[2].played > 0; }, 2);
    saveShot(QString());

    // The largest cards in four colours still leave everything clear of everything else.
    window.action(QStringLiteral("CardLargest1"))->trigger();
    window.action(QStringLiteral("FourColourDeck1"))->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isMaximized());
    expectClear(board, "Largest");

    saveShot(QStringLiteral("-largest-four-colour"));

    // The maximised state is kept for the next start.
    window.close();
    const std::string saved = testing::readFile(window.settingsPath());
    EXPECT_NE(saved.find("Maximized=true"), std::string::npos) << saved;
    MainWindow again(kept);
    again.show();
    EXPECT_TRUE(runUntil([&] { return again.isMaximized(); }))
        << again.windowState() << " " << again.width() << "x" << again.height();
}

} // namespace
} // namespace lastling::shell
