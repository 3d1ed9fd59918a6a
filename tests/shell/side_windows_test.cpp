#include "shell/window_program.h"

#include "client/table_client.h"
#include "shell/board.h"
#include "shell/game_start_dialog.h"
#include "shell/help/about_window.h"
#include "shell/help/help_window.h"
#include "shell/main_window.h"
#include "shell/table_dialogs.h"
#include "social/chat_model.h"
#include "social/phrase_editor.h"
#include "social/phrase_row.h"
#include "start/start_dialog.h"
#include "tally/ui/tally_window.h"

#include "gui_app.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <fstream>
#include <functional>

namespace lastling::shell {
namespace {

using testing::chatHolds;
using testing::readFile;
using testing::runUntil;

void writeFile(const QString& path, const std::string& text) {
    std::ofstream(path.toStdString(), std::ios::binary) << text;
}

QString labelText(QWidget& window, const QString& name) {
    auto* label = window.findChild<QLabel*>(name);
    return label != nullptr ? label->text() : QStringLiteral("<none>");
}

class SideWindowsTest : public testing::WindowFixture {};

// ---- each window is made hidden at start and opened from its item, key or button ----

TEST_F(SideWindowsTest, EachWindowOpensFromItsItemOrKey) {
    WindowProgram program(options());
    ASSERT_TRUE(program.start());
    MainWindow& window = *program.window();
    const SideWindows& sides = program.sideWindows();
    EXPECT_EQ(QGuiApplication::desktopFileName(), "com.korvelsoftware.Lastling");
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_EQ(sides.phraseRow->parentWidget(), &window.board());
    EXPECT_EQ(sides.phraseRow->geometry(), window.board().phraseRowPlace());

    // A start without parameters shows the start dialog over the solo game that runs behind:
    // not before the window is on the screen, and then at once.
    EXPECT_FALSE(sides.start->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    ASSERT_TRUE(sides.start->isVisible());
    EXPECT_TRUE(runUntil([&] { return state(window).loggedin; }));
    const std::vector<QWidget*> hidden = {sides.phraseEditor, sides.tally, sides.help, sides.about};
    for (QWidget* side : hidden) {
        EXPECT_FALSE(side->isVisible()) << side->windowTitle().toStdString();
    }
    sides.start->findChild<QPushButton*>(QStringLiteral("Button1"))->click(); // "Play Solo Game"
    window.hide(); // once dismissed, the dialog stays away when the window comes back
    ASSERT_TRUE(runUntil([&] { return !window.windowHandle()->isExposed(); }));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    EXPECT_FALSE(sides.start->isVisible());

    const std::vector<std::tuple<const char*, std::function<void()>, QWidget*>> openers = {
        {"View Tally", [&] { window.action(QStringLiteral("ViewTally1"))->trigger(); },
         sides.tally},
        {"Phrase List", [&] { window.action(QStringLiteral("PrhaseList1"))->trigger(); },
         sides.phraseEditor},
        {"Content", [&] { window.action(QStringLiteral("Help2"))->trigger(); }, sides.help},
        {"F1", [&] { QTest::keyClick(&window, Qt::Key_F1); }, sides.help},
        {"About", [&] { window.action(QStringLiteral("About1"))->trigger(); }, sides.about},
        {"the help's About",
         [&] { sides.help->findChild<QPushButton*>(QStringLiteral("button_about"))->click(); },
         sides.about},
    };
    for (const auto& [name, open, shown] : openers) {
        shown->hide();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << name;
        open();
        EXPECT_TRUE(shown->isVisible()) << name;
        EXPECT_EQ(shown->parentWidget(), &window) << name; // lives as long as the main window
    }
}

// ---- the start dialog's keys come from the settings file ----

TEST_F(SideWindowsTest, StartDialogReadsItsKeysFromTheSettingsFile) {
    const QString file = m_dir.filePath(QStringLiteral("keys.ini"));
    const std::vector<std::tuple<const char*, std::string, const char*>> cases = {
        // file, Lobbyprogram as read (fallback "fb")
        {"given", "[Lastling]\r\nLobbyprogram=mylobby\r\n", "mylobby"},
        {"any case", "[lastling]\nLOBBYPROGRAM = mylobby \n", "mylobby"},
        {"empty value", "[Lastling]\nLobbyprogram=\n", "fb"},
        {"other section", "[Other]\nLobbyprogram=mylobby\n[Lastling]\nTop=3\n", "fb"},
        {"no file", "", "fb"},
        {"too large", "[Lastling]\nLobbyprogram=mylobby\n;" + std::string(2 << 20, 'x'), "fb"},
    };
    const start::InstallerEnvironment environment = installerEnvironment(file.toStdString());
    for (const auto& [name, text, expected] : cases) {
        QFile::remove(file);
        if (!text.empty()) {
            writeFile(file, text);
        }
        EXPECT_EQ(environment.setting(QStringLiteral("Lobbyprogram"), QStringLiteral("fb")),
                  QString::fromLatin1(expected))
            << name;
    }
}

// The start dialog writes its one choice to the settings file, and a download that ends behind
// the game speaks in the chat.
TEST_F(SideWindowsTest, StartDialogSavesItsChoiceAndReportsInTheChat) {
    WindowOptions given = options();
    writeFile(given.settingsPath, "[Lastling]\r\nTop=7\r\n");
    const start::InstallerEnvironment environment =
        installerEnvironment(given.settingsPath.toStdString());
    EXPECT_EQ(environment.saveSetting(QStringLiteral("Showstartwindow"), QStringLiteral("0")), "");
    EXPECT_EQ(readFile(given.settingsPath.toStdString()),
              "[Lastling]\r\nTop=7\r\nShowstartwindow=0\r\n");

    MainWindow window(given);
    const SideWindows sides = addSideWindows(window);
    emit sides.start->backgroundReport(
        QStringLiteral("The Korvel Lobby was not downloaded (stopped)."));
    std::string last;
    for (const social::ChatRun& run : window.chatModel().lines().back().runs) {
        last += run.text;
    }
    EXPECT_EQ(last, " The Korvel Lobby was not downloaded (stopped). ");
}

// A lobby program that starts ends the game exactly as "File" > "Exit" does; without one, the
// tables on the network are the way to company.
TEST_F(SideWindowsTest, PlayWithOthersEndsTheProgramOrOpensJoinATable) {
    for (const std::string lobby : {"true", "no-such-korvel-lobby"}) { // "true" is on PATH
        const bool starts = lobby == "true";
        WindowOptions given = options();
        writeFile(given.settingsPath, "[Lastling]\nLobbyprogram=" + lobby + "\n");
        MainWindow window(given);
        const SideWindows sides = addSideWindows(window);
        window.show();
        ASSERT_TRUE(runUntil([&] { return sides.start->isVisible(); })) << lobby;
        sides.start->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
        EXPECT_EQ(window.closeRequested(), starts) << lobby;
        EXPECT_EQ(window.isVisible(), !starts) << lobby;
        if (!starts) {
            EXPECT_FALSE(sides.start->isVisible());
        }
        const TableDialog* join = window.tableChooser().dialog();
        EXPECT_EQ(join != nullptr && join->kind() == TableDialog::Kind::Join, !starts) << lobby;
    }
}

// ---- phrases and chatter sounds travel through the real client and host ----

TEST_F(SideWindowsTest, PhrasesAndChatterSoundsReachTheTable) {
    WindowOptions given = options({"Ann", "127.0.0.1", "true"});
    writeFile(given.settingsPath, "[Lastling]\r\nPhrase2=Hi all\r\nPhrase3=\r\n");
    MainWindow window(given);
    const SideWindows sides = addSideWindows(window);
    std::vector<std::string> sounds;
    window.client().session().on("CMD_playasound", [&sounds](std::string_view payload, int) {
        sounds.emplace_back(payload);
    });
    window.show();
    // The settings are read at the own roster entry, which comes after the login.
    ASSERT_TRUE(
        runUntil([&] { return state(window).loggedin && view(window).seats[1].name == "Ann"; }));

    // The settings' phrases replace the built-in ones, empty ones excepted.
    EXPECT_EQ(sides.phraseRow->phraseButton(2)->toolTip(), "Hi all");
    EXPECT_EQ(sides.phraseRow->phraseButton(3)->toolTip(), "Nice Try!");

    QTest::mouseClick(sides.phraseRow->phraseButton(1), Qt::LeftButton);
    EXPECT_TRUE(runUntil([&] { return chatHolds(window, "Ann says: Way To Go!"); }));

    // A chatter sound waits for the same lock as the phrases.
    QAction* cough = sides.phraseRow->chatterMenu()->findChild<QAction*>(QStringLiteral("wave2"));
    ASSERT_EQ(cough->text(), "Cough");
    EXPECT_FALSE(sides.phraseRow->chatterButton()->isEnabled());
    cough->trigger();
    ASSERT_TRUE(runUntil([&] { return sides.phraseRow->chatterButton()->isEnabled(); }, 10));
    EXPECT_TRUE(sounds.empty());
    cough->trigger();
    ASSERT_TRUE(runUntil([&] { return !sounds.empty(); }));
    EXPECT_EQ(sounds.size(), 1u);
    EXPECT_NE(sounds.front().find("wave2"), std::string::npos) << sounds.front();

    // The editor's "Done" gives the row the new text and writes it to the settings file.
    window.action(QStringLiteral("PrhaseList1"))->trigger();
    sides.phraseEditor->field(9)->setText(QStringLiteral("Good night"));
    QTest::mouseClick(sides.phraseEditor->doneButton(), Qt::LeftButton);
    EXPECT_FALSE(sides.phraseEditor->isVisible());
    EXPECT_EQ(sides.phraseRow->phraseButton(9)->toolTip(), "Good night");
    const std::string saved = readFile(window.settingsPath());
    EXPECT_NE(saved.find("Phrase9=Good night"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Phrase2=Hi all"), std::string::npos) << saved;
}

// ---- the tally over a real table, and after a restart ----

// Ann hosts and Bob joins; both watch while the computer plays their seats to the end.
TEST_F(SideWindowsTest, FollowedOpponentIsCountedAndKeptAcrossARestart) {
    const WindowOptions annOptions = options({"Ann", "127.0.0.1", "true"});
    QString counted;
    {
        MainWindow ann(annOptions);
        const SideWindows annSides = addSideWindows(ann);
        ann.show();
        ASSERT_TRUE(runUntil([&] { return state(ann).loggedin; }));
        WindowOptions bobOptions = guestOf(ann, "Bob");
        bobOptions.tallyPath = m_dir.filePath(QStringLiteral("bob.tld")); // a tally of his own
        MainWindow bob(bobOptions);
        bob.show();
        ASSERT_TRUE(runUntil([&] { return view(ann).seats[2].name == "Bob"; }));

        // Ann follows Bob from "Players In Current Game".
        ann.action(QStringLiteral("ViewTally1"))->trigger();
        auto* atTable = annSides.tally->findChild<QListWidget*>(QStringLiteral("checklist"));
        ASSERT_EQ(atTable->count(), 1);
        EXPECT_EQ(atTable->item(0)->text(), "Bob");
        EXPECT_EQ(atTable->item(0)->checkState(), Qt::Unchecked);
        atTable->item(0)->setCheckState(Qt::Checked);
        auto* tallied = annSides.tally->findChild<QListWidget*>(QStringLiteral("listbox_tally"));
        ASSERT_TRUE(runUntil([&] { return tallied->count() == 1; }));

        // Watching is for a game in progress: the computer then plays both seats.
        ann.client().model().startButtonClicked();
        ASSERT_TRUE(ann.gameStartDialog().isVisible());
        ann.gameStartDialog().setTarget(10);
        QTest::mouseClick(ann.gameStartDialog().findChild<QLabel*>(QStringLiteral("button_start")),
                          Qt::LeftButton);
        ASSERT_TRUE(runUntil([&] { return view(bob).playToScore == "Play to Score: 10"; }));
        ann.action(QStringLiteral("JustWatch1"))->trigger();
        bob.action(QStringLiteral("JustWatch1"))->trigger();
        ASSERT_TRUE(
            runUntil([&] { return view(ann).status.find("Won the Game!") != std::string::npos; }));

        tallied->setCurrentRow(0);
        EXPECT_EQ(labelText(*annSides.tally, QStringLiteral("mylabel_1")), "1");
        EXPECT_EQ(labelText(*annSides.tally, QStringLiteral("label_hisnametop")), "Bob's Tally");
        EXPECT_EQ(labelText(*annSides.tally, QStringLiteral("label_1")), "1"); // games together
        EXPECT_EQ(labelText(*annSides.tally, QStringLiteral("label_5")), "1"); // this session
        for (int column = 2; column <= 4; ++column) { // Bob, Ann or a computer player won
            const QString count =
                labelText(*annSides.tally, QStringLiteral("label_%1").arg(column));
            if (count == "1") {
                counted = QStringLiteral("label_%1").arg(column);
            }
        }
        ASSERT_FALSE(counted.isEmpty());
    }

    // A new program on the same files: the totals are there, the session starts at zero.
    MainWindow ann(annOptions);
    const SideWindows annSides = addSideWindows(ann);
    ann.action(QStringLiteral("ViewTally1"))->trigger();
    auto* tallied = annSides.tally->findChild<QListWidget*>(QStringLiteral("listbox_tally"));
    ASSERT_EQ(tallied->count(), 1);
    EXPECT_EQ(tallied->item(0)->text(), "Bob");
    EXPECT_EQ(tallied->item(0)->checkState(), Qt::Checked);
    tallied->setCurrentRow(0);
    EXPECT_EQ(labelText(*annSides.tally, QStringLiteral("mylabel_1")), "1");
    EXPECT_EQ(labelText(*annSides.tally, QStringLiteral("label_1")), "1");
    EXPECT_EQ(labelText(*annSides.tally, counted), "1");
    EXPECT_EQ(labelText(*annSides.tally, QStringLiteral("label_5")), "0");
}

} // namespace
} // namespace lastling::shell
