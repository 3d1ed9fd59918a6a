#pragma once

#include "client/table_announcer.h"
#include "settings/settings_store.h"
#include "shell/menu_builder.h"
#include "shell/table_dialogs.h"
#include "shell/window_options.h"

#include <QMainWindow>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace lastling::client {
class SoundSink;
class TableClient;
} // namespace lastling::client

namespace lastling::social {
class ChatModel;
class ChatPanel;
} // namespace lastling::social

namespace lastling::social {
class PhraseEditor;
} // namespace lastling::social

namespace lastling::start {
class StartDialog;
} // namespace lastling::start

namespace lastling::tally {
class TallyKeeper;
class TallyTable;
class TallyWindow;
} // namespace lastling::tally

namespace lastling::help {
class AboutWindow;
class HelpWindow;
} // namespace lastling::help

namespace lastling::shell {

class Board;
class ClientBridge;
class DesktopNotifier;
class GameStartDialog;
class HistoryKeeper;
class SpyListDialog;
class InProcessHost;
class PlayerPreferences;

// The main window "Lastling by Korvel Software". It puts the parts together (board, chat
// column, menus, the table client with its bridge, the in-process host, the player's
// preferences, the tally) and connects them; it draws the client's table model and forwards
// the player's actions, and holds no game logic.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 772;
    static constexpr int kDefaultHeight = 535;
    static constexpr int kDefaultLeft = 3;
    static constexpr int kDefaultTop = 3;

    explicit MainWindow(WindowOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // `processparams`: runs once, when the window is first shown.
    void startOnce();

    // ---- parts ----
    client::TableClient& client() { return *m_client; }
    Board& board() { return *m_board; }
    GameStartDialog& gameStartDialog() { return *m_gameStart; }
    SpyListDialog& spyListDialog() { return *m_spyList; }
    social::ChatModel& chatModel();
    social::ChatPanel& chatPanel() { return *m_chat; }
    PlayerPreferences& preferences() { return *m_preferences; }
    settings::SettingsStore& settingsStore() { return m_settings; } // the phrase editor saves here
    tally::TallyKeeper& tallyKeeper() { return *m_tally; }          // saves at every change
    HistoryKeeper& historyKeeper() { return *m_history; }           // "View" > "Game History"
    TableChooser& tableChooser() { return *m_tableChooser; }        // "Host/Join a Table..."
    // Ends this run for a table chosen there; the window program starts the new copy.
    void setTableRestarter(TableChooser::Restarter restart);
    const tally::TallyTable& tallyTable() const;
    const std::filesystem::path& settingsPath() const { return m_settings.path(); }
    QAction* action(const QString& objectName) const; // menu items by their names
    int hostPort() const;
    // The names of seats 1..4 as the table shows them ("<Waiting>" for an empty one).
    std::vector<std::string> seatNames() const;
    bool closeRequested() const { return m_closeRequested; }
    // The desktop session ends (a signal): nobody is there to answer the leaving question.
    void closeWithoutAsking();
    // The seat pop-up for the name label at a screen position (0 bottom .. 3 right).
    std::unique_ptr<QMenu> makeSeatMenu(int position);

    // `loadinifile`: applies the settings file to every part; announced by settingsLoaded.
    void loadinifile();
    // `saveinifile`: a refused write throws; callers inside events go through guarded().
    void saveinifile();
    void setNoticeObserver(std::function<void(const QString&)> observer);
    // Who answers the window's Yes/No questions (leaving a table, removing a player); the
    // default asks with a message box whose default answer is No.
    using Question = std::function<bool(const QString& text)>;
    void setQuestion(Question question) { m_question = std::move(question); }
    bool confirm(const QString& text) { return ask(text); }

    // ---- the windows and rows that join later; each call wires one in ----
    void setSoundPlayer(client::SoundSink* player); // game and chatter sounds
    void setPhraseRow(QWidget* row); // replaces the phrase button places under the logo
    void setPhraseEditor(social::PhraseEditor* editor); // "View" > "Phrase List"
    void setTallyWindow(tally::TallyWindow* window);    // "View" > "View Tally"
    void setHelpWindow(help::HelpWindow* window);       // "Help" > "Content", F1
    void setAboutWindow(help::AboutWindow* window);     // "Help" > "About"
    void setStartDialog(start::StartDialog* dialog);    // shown by a start without parameters

signals:
    // The run is over (connection closed, "Game is full" dismissed, Exit).
    void runEnded();
    // After loadinifile: the phrase row takes its texts from here.
    void settingsLoaded(const settings::Settings& loaded);
    // The in-process host listens for others (not a solo table) on `port`.
    void tableHosted(int port);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void buildChatColumn();
    void connectMenus();
    void connectPreferenceMenus();
    void buildKeyboardPlay();
    void wireClient();
    void showPreferences();
    void connectViewMenus();
    void applyTableLook(bool fourColours, int cardSize);
    void attachWindow(QAction* item, QWidget* window, std::function<void()> open);
    void redraw();
    void announceChanges();
    void playSlot(int slot);
    void showStartDialogWhenOnScreen();
    void orderTabStops();
    void alertOnOwnTurn();
    void wireNotifications();
    QString tableName() const;
    void openSeatMenu(int position, const QPoint& globalPos);
    void resetScreenLocation();
    void resetScreenLocationChosen();
    static bool placeIsKnown();
    void saveBoundsIfMoved();
    QMargins frameMargins() const;
    QRect outerBounds() const;
    QRect knownBounds() const;
    void setOuterBounds(const QRect& outer);
    QRect startingBounds(const QRect& saved) const;
    void placeAsSaved();
    void guarded(const std::function<void()>& work);
    bool ask(const QString& text);
    bool mayLeave();
    void confirmRemoval(int seat, const std::string& name);
    void loadTally();

    WindowOptions m_options;
    settings::SettingsStore m_settings;
    std::unique_ptr<PlayerPreferences> m_preferences;
    std::unique_ptr<tally::TallyKeeper> m_tally;
    std::unique_ptr<client::TableClient> m_client;
    std::unique_ptr<InProcessHost> m_host;
    Board* m_board = nullptr;
    std::unique_ptr<social::ChatPanel> m_chat;
    GameStartDialog* m_gameStart = nullptr;
    SpyListDialog* m_spyList = nullptr;
    TableChooser* m_tableChooser = nullptr;
    MainMenus m_menus;
    std::unique_ptr<ClientBridge> m_bridge;
    DesktopNotifier* m_notifier = nullptr; // a child of the window
    QPointer<start::StartDialog> m_startDialog;
    QPointer<QWidget> m_tallyWindow;
    Question m_question;

    QRect m_remembered; // outer bounds last read from or written to the settings file
    bool m_rememberedMaximized = false;
    bool m_settingsRead = false;
    std::optional<QRect> m_pendingBounds; // waiting for the window manager's frame
    bool m_started = false;
    bool m_closeRequested = false;
    bool m_askBeforeLeaving = true;
    bool m_alertedThisTurn = false;
    client::TableMoment m_announced;          // the table as the screen reader last heard it
    bool m_startDialogWaiting = false;        // until the window is on the screen
    std::unique_ptr<HistoryKeeper> m_history; // last: it watches the client
};

} // namespace lastling::shell
