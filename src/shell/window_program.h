#pragma once

#include "shell/window_options.h"
#include "start/lobby_installer.h"

#include <QByteArray>
#include <QIcon>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lastling::social {
class PhraseEditor;
class PhraseRow;
} // namespace lastling::social

namespace lastling::tally {
class TallyWindow;
} // namespace lastling::tally

namespace lastling::help {
class AboutWindow;
class HelpWindow;
} // namespace lastling::help

namespace lastling::start {
class StartDialog;
} // namespace lastling::start

namespace lastling::shell {

class CursorBlinkLimit;
class FriendInvitations;
class SingleInstance;
class MainWindow;
class TableSounds;

// The windows beside the main one. They are made hidden right after it, as its children, and
// live until it goes; the main window's menus and the table client reach them.
struct SideWindows {
    social::PhraseRow* phraseRow = nullptr;
    social::PhraseEditor* phraseEditor = nullptr;
    tally::TallyWindow* tally = nullptr;
    help::AboutWindow* about = nullptr;
    start::StartDialog* start = nullptr;
    help::HelpWindow* help = nullptr;
    FriendInvitations* invitations = nullptr; // "Invite Friends...", the router's port
};

// Makes the side windows and wires each to its menu item, the table client, the settings
// file and the error box.
SideWindows addSideWindows(MainWindow& window);

// The start dialog's view of the outside: its two keys come from `settingsFile` at the moment
// they are needed; files and the desktop keep their defaults.
start::InstallerEnvironment installerEnvironment(std::filesystem::path settingsFile);

// The program's icon: the desktop theme's, else the one drawn here.
QIcon programIcon();

// One run of the window program inside an existing QApplication: the single-instance claim,
// the main window with its side windows, the error box for failures raised inside events.
class WindowProgram {
public:
    explicit WindowProgram(WindowOptions options);
    ~WindowProgram();

    // Starts a copy of the program with the given parameters, not waiting for it.
    using CopyStarter = std::function<bool(const QStringList& params)>;

    // Shows what stops a start (a link that cannot be used); a message box unless a test says.
    using Notice = std::function<void(const QString& text)>;
    void setNotice(Notice notice) { m_notice = std::move(notice); }

    // False when another copy runs (it has been asked to raise its window, or to take the
    // invitation link given) or when the start cannot be made: nothing was made.
    bool start();
    int exitCode() const { return m_exitCode; } // after start() returned false
    // A link passed on by a later copy: the player may leave this table for that one.
    void offerInvitation(const QByteArray& link);
    MainWindow* window() const { return m_window.get(); }
    const SideWindows& sideWindows() const { return m_sides; }

    void setCopyStarter(CopyStarter starter) { m_startCopy = std::move(starter); }
    // After the event loop: a table chosen in the window starts in a new copy, once this one
    // has let go of its connections, its host port and the single-instance name. Returns
    // false only when that copy could not be started.
    bool finish();

private:
    bool takeInvitationLink(QByteArray& link);

    WindowOptions m_options;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<MainWindow> m_window;
    SideWindows m_sides;
    std::unique_ptr<TableSounds> m_sounds;
    std::unique_ptr<CursorBlinkLimit> m_blinkLimit;
    CopyStarter m_startCopy;
    Notice m_notice;
    int m_exitCode = 0;
    QStringList m_restartParams;
    bool m_restart = false;
};

// Command-line parameters after the program name, in the form the wire carries text
// (wire_text.h): single bytes where they hold it, else UTF-8.
std::vector<std::string> wireParams(int argc, char** argv);

} // namespace lastling::shell
