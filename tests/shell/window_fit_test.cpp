// The window as a player meets it: long names and large targets fit their places, a title bar
// stays reachable, a failed join leaves the window usable, and the chat view shows no caret.
#include "client/table_view.h"
#include "shell/board.h"
#include "shell/main_window.h"
#include "shell/spy_list_dialog.h"
#include "shell/window_place.h"
#include "shell/window_program.h"
#include "social/chat_panel.h"
#include "social/chat_view.h"

#include "gui_app.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QImage>
#include <QMessageBox>
#include <QScreen>
#include <QTcpServer>

#include <fstream>
#include <string>

namespace lastling::shell {
namespace {

using testing::chatHolds;
using testing::runUntil;

int seatPosition(int seat) {
    return seat - 1; // seat 1 at the bottom, then left, top, right
}

// ---- names, scores and the target on the table ----

struct NamesCase {
    const char* what;
    bool inGame; // score follows the name, a round's bonus follows the score
    std::string score;
    std::string bonus;
};

void PrintTo(const NamesCase& given, std::ostream* out) {
    *out << given.what;
}

class SeatLineTest : public ::testing::TestWithParam<NamesCase> {};

TEST_P(SeatLineTest, LongNamesAreCutAndScoresStayInSight) {
    const NamesCase& given = GetParam();
    const std::string longName = "Bartholomew-Maximilian-Long-xx"; // 30 characters
    Board board;
    for (const std::string& name : {longName, std::string("Ann")}) {
        client::TableView view;
        for (int seat = 1; seat <= 4; ++seat) {
            client::SeatView& s = view.seats[static_cast<std::size_t>(seat)];
            s.name = name;
            s.score = given.score;
            s.bonus = given.bonus;
            s.scoreFollowsName = given.inGame;
            s.bonusFollowsScore = given.inGame && !given.bonus.empty();
        }
        board.showTable(view, seatPosition);
        for (int position = 0; position < 4; ++position) {
            const std::string where =
                std::string(given.what) + ", " + name + ", position " + std::to_string(position);
            const QLabel* label = board.nameLabel(position);
            const QLabel* score = board.scoreLabel(position);
            const QLabel* bonus = board.bonusLabel(position);
            EXPECT_EQ(label->toolTip().toStdString(), name) << where;
            EXPECT_EQ(label->accessibleName().toStdString(), name) << where;
            // Cut with "…" where the seat's line has no room for the whole name: the right
            // seat's line is the shortest, the bottom seat's the longest.
            const QString shown = label->text();
            const bool cut = shown.endsWith(QChar(0x2026));
            if (position == client::kRight || position == client::kBottom) {
                EXPECT_EQ(cut, name == longName && position == client::kRight) << where;
            }
            EXPECT_TRUE(QString::fromStdString(name).startsWith(cut ? shown.chopped(1) : shown))
                << where;
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << where;
            EXPECT_GE(score->x(), label->geometry().right() + 1) << where; // never over the name
            EXPECT_GE(score->width(), score->fontMetrics().horizontalAdvance(score->text()))
                << where;
            const QRect line = score->geometry().united(label->geometry());
            const QRect all = given.bonus.empty() ? line : line.united(bonus->geometry());
            EXPECT_LE(all.right(), 492) << where; // before the chat column
            if (!given.bonus.empty()) {
                EXPECT_GE(bonus->x(), score->geometry().right() + 1) << where;
            }
        }
        // A short name before a game leaves the score at its own place.
        if (name == "Ann" && !given.inGame) {
            EXPECT_EQ(board.scoreLabel(client::kBottom)->pos(), QPoint(194, 380));
            EXPECT_EQ(board.scoreLabel(client::kRight)->pos(), QPoint(439, 198));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SeatLineTest,
                         ::testing::Values(NamesCase{"before a game", false, "0", ""},
                                           NamesCase{"in a game", true, "488", ""},
                                           NamesCase{"after a round", true, "488", "+50"}));

TEST(TableTexts, TargetsUpToFiveHundredFitTheirLabel) {
    Board board;
    const int centre = board.playToScore()->geometry().center().x();
    for (const char* target : {"10", "100", "500"}) {
        client::TableView view;
        view.playToScore = std::string("Play to Score: ") + target;
        board.showTable(view, seatPosition);
        const QLabel* label = board.playToScore();
        EXPECT_EQ(label->text().toStdString(), view.playToScore);
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()) + 2)
            << target;
        EXPECT_NEAR(label->geometry().center().x(), centre, 1) << target;
        EXPECT_GE(label->x(), 0) << target;
    }
}

TEST(TableTexts, SpyListTitleIsWhole) {
    SpyListDialog spies(QPixmap{});
    const auto* title = spies.findChild<QLabel*>(QStringLiteral("label_title"));
    const auto* done = spies.findChild<QWidget*>(QStringLiteral("button_done"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Spy List");
    EXPECT_GE(title->width(), title->fontMetrics().horizontalAdvance(title->text()));
    EXPECT_LE(title->geometry().right(), done->x());
    EXPECT_GE(title->height(), title->fontMetrics().height());
}

// ---- where the frame goes at start ----

struct PlaceCase {
    const char* what;
    QRect saved;
    QList<QRect> screens;
    QPoint expected;
    QSize expectedSize{}; // none: the saved size
};

void PrintTo(const PlaceCase& given, std::ostream* out) {
    *out << given.what;
}

class TitleBarTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(TitleBarTest, StaysWithinReach) {
    const PlaceCase& given = GetParam();
    const QRect placed = keepTitleBarOnScreen(given.saved, 24, given.screens);
    EXPECT_EQ(placed.topLeft(), given.expected) << given.what;
    EXPECT_EQ(placed.size(), given.expectedSize.isValid() ? given.expectedSize : given.saved.size())
        << given.what;
}

const QList<QRect> kOneScreen = {QRect(0, 0, 1280, 1024)};
const QList<QRect> kTwoScreens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};

INSTANTIATE_TEST_SUITE_P(
    Places, TitleBarTest,
    ::testing::Values(
        PlaceCase{"on the screen", {3, 3, 772, 577}, kOneScreen, {3, 3}},
        PlaceCase{
            "partly off to the left, title in reach", {-700, 40, 772, 577}, kOneScreen, {-700, 40}},
        PlaceCase{"crept above the top", {2, -20, 772, 577}, kOneScreen, {2, 0}},
        PlaceCase{"far below", {100, 5000, 772, 577}, kOneScreen, {100, 447}},
        PlaceCase{"title 40 px in reach across", {1240, 10, 772, 577}, kOneScreen, {1240, 10}},
        PlaceCase{"title 39 px in reach across", {1241, 10, 772, 577}, kOneScreen, {508, 10}},
        PlaceCase{"a screen that is gone", {3500, 100, 772, 577}, kTwoScreens, {2428, 100}},
        PlaceCase{"on the second screen", {1400, 100, 772, 577}, kTwoScreens, {1400, 100}},
        PlaceCase{
            "larger than the screen", {-50, -50, 2000, 1500}, kOneScreen, {0, 0}, {1280, 1024}},
        PlaceCase{"a damaged file: Width=100000 Left=99999 Top=-40000",
                  savedFrame(99999, -40000, 100000, 535),
                  kOneScreen,
                  {0, 0},
                  {1280, 535}},
        PlaceCase{"as wide as the screen", {0, 10, 1280, 577}, kOneScreen, {0, 10}},
        PlaceCase{"one pixel wider, title in reach",
                  {100, 10, 1281, 577},
                  kOneScreen,
                  {0, 10},
                  {1280, 577}},
        PlaceCase{"as tall as the screen", {100, 0, 772, 1024}, kOneScreen, {100, 0}},
        PlaceCase{"one pixel taller, title in reach",
                  {100, 200, 772, 1025},
                  kOneScreen,
                  {100, 0},
                  {772, 1024}},
        PlaceCase{"wider than the second screen it is on",
                  {1400, 100, 2500, 577},
                  kTwoScreens,
                  {1280, 100},
                  {1920, 577}},
        PlaceCase{"no screens known", {2, -20, 772, 577}, {}, {2, -20}}));

TEST(SavedFrame, HostileNumbersStayInRange) {
    const QRect frame = savedFrame(2147483647, -2147483647 - 1, 0, 2147483647);
    EXPECT_EQ(frame, QRect(kMaxPlace, -kMaxPlace, 1, kMaxPlace));
    EXPECT_EQ(savedFrame(3, 3, 772, 535), QRect(3, 3, 772, 535));
}

// ---- the window around a failed join, and its chat view ----

class WindowFitTest : public testing::WindowFixture {};

// A port nobody listens on: taken for a moment, then given back.
std::string closedPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return std::to_string(server.serverPort());
}

TEST_F(WindowFitTest, RefusedJoinShowsItsErrorAndExitStillWorks) {
    WindowOptions given = options({"Bob", "127.0.0.1", "false"});
    given.gamePort = closedPort();
    std::ofstream(given.settingsPath.toStdString(), std::ios::binary)
        << "[Lastling]\r\nTop=40\r\nLeft=10\r\nWidth=790\r\nHeight=640\r\n";
    WindowProgram program(given);
    ASSERT_TRUE(program.start());
    MainWindow& window = *program.window();
    // Placed as the settings file says, though the table never answered.
    EXPECT_TRUE(runUntil([&] { return window.frameGeometry() == QRect(10, 40, 790, 640); }))
        << window.frameGeometry().x() << "," << window.frameGeometry().y() << " "
        << window.frameGeometry().width() << "x" << window.frameGeometry().height();
    QMessageBox* box = nullptr;
    ASSERT_TRUE(runUntil([&] {
        box = window.findChild<QMessageBox*>(QStringLiteral("errorBox"));
        return box != nullptr && box->isVisible();
    }));
    EXPECT_NE(box->text().indexOf(QStringLiteral(": connection refused (error 111)")), -1)
        << box->text().toStdString();
    EXPECT_TRUE(chatHolds(window, "Could not connect to 127.0.0.1"));
    // The box leaves the window to the player: nothing modal stands in the way of Exit.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(box->isModal());
    EXPECT_FALSE(window.closeRequested());
    window.action(QStringLiteral("Exit1"))->trigger();
    EXPECT_TRUE(window.closeRequested());
}

// Before the window manager names its title height, a 24 px title bar must fit on the screen.
TEST_F(WindowFitTest, SavedPlaceKeepsATitleBarThatJustFits) {
    const int bottom = QGuiApplication::primaryScreen()->availableGeometry().bottom();
    for (const auto& [top, kept] :
         {std::pair{bottom - 23, bottom - 23}, {bottom - 22, bottom - 399}}) {
        const WindowOptions given = options();
        std::ofstream(given.settingsPath.toStdString(), std::ios::binary)
            << "[Lastling]\r\nTop=" << top << "\r\nLeft=50\r\nWidth=600\r\nHeight=400\r\n";
        MainWindow window(given);
        window.loadinifile();
        EXPECT_EQ(window.pos(), QPoint(50, kept)) << top;
    }
}

TEST_F(WindowFitTest, ChatViewDrawsNoCaret) {
    MainWindow window(options());
    window.show();
    social::ChatView& view = *window.chatPanel().view();
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    ASSERT_TRUE(runUntil([&] { return window.isActiveWindow(); }));
    view.clearFocus();
    QCoreApplication::processEvents();
    const QImage unfocused = view.viewport()->grab().toImage();
    view.setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(runUntil([&] { return view.hasFocus(); }));
    EXPECT_EQ(view.viewport()->grab().toImage(), unfocused);
}

TEST_F(WindowFitTest, TextSizesAreRadioItemsLikeTheOtherChoices) {
    MainWindow window(options());
    for (const char* item : {"N8", "N10", "N12", "N14", "Classic1", "Slow1", "Fast1"}) {
        const QActionGroup* group = window.action(QString::fromLatin1(item))->actionGroup();
        ASSERT_NE(group, nullptr) << item;
        EXPECT_TRUE(group->isExclusive()) << item;
    }
    window.action(QStringLiteral("N14"))->trigger();
    window.action(QStringLiteral("N14"))->trigger(); // a radio item stays chosen
    EXPECT_TRUE(window.action(QStringLiteral("N14"))->isChecked());
    EXPECT_FALSE(window.action(QStringLiteral("N10"))->isChecked());
    EXPECT_EQ(window.chatPanel().textSize(), 14);
}

} // namespace
} // namespace lastling::shell
