#pragma once

#include "client/ports.h"
#include "host/host_ports.h"
#include "settings/settings_store.h"
#include "shell/window_options.h"
#include "tally/tally_table.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <filesystem>
#include <memory>

class QAction;
class QActionGroup;
class QMenu;
class QMessageBox;

namespace lastling::client {
class TableClient;
class Tgamestart;
class Tspylist;
} // namespace lastling::client

namespace lastling::social {
class ChatModel;
class ChatPanel;
} // namespace lastling::social

namespace lastling::shell {

class Board;
class InProcessHost;

// The main window "Lastling by Korvel Software": the board, the chat column and the menus.
// It owns the table client and the in-process host, draws the client's table model and
// forwards the player's actions to it; it holds no game logic.
class Tchat : public QMainWindow,
              private client::SoundSink,
              private client::ChatLines,
              private client::TallySink,
              private client::Notices,
              private client::SettingsLoader,
              private client::WindowRequests,
              private client::HostStarter,
              public host::BotPreferences {
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 772;
    static constexpr int kDefaultHeight = 535;
    static constexpr int kDefaultLeft = 3;
    static constexpr int kDefaultTop = 3;

    explicit Tchat(WindowOptions options, QWidget* parent = nullptr);
    ~Tchat() override;

    // `processparams`: runs once, when the window is first shown.
    void startOnce();

    client::TableClient& client() { return *m_client; }
    Board& board() { return *m_board; }
    client::Tgamestart& gameStartDialog() { return *m_gamestart; }
    client::Tspylist& spyListDialog() { return *m_spylist; }
    social::ChatModel& chatModel();
    social::ChatPanel& chatPanel() { return *m_chat; }
    QAction* action(const QString& objectName) const; // menu items by their names
    const std::filesystem::path& settingsPath() const { return m_settings.path(); }
    const tally::TallyTable& tallyTable() const { return m_tally; }
    int hostPort() const;
    bool closeRequested() const { return m_closeRequested; }
    // The seat pop-up for the name label at a screen position (0 bottom .. 3 right).
    std::unique_ptr<QMenu> makeSeatMenu(int position);

    // host::BotPreferences, read by the host each time it arms its computer timer.
    int botSpeedMs() const override;
    host::BotSkill botSkill() const override { return m_botSkill; }

    // client::SettingsLoader
    void loadinifile() override;
    bool turnSoundNew() const override { return m_turnSound == 1; }
    // Writes the settings; a refused write reaches the error box.
    void saveinifile();

    // Modal notices are shown without blocking the caller; this hook sees each text first.
    void setNoticeObserver(std::function<void(const QString&)> observer) {
        m_noticeObserver = std::move(observer);
    }

signals:
    // The run is over (connection closed, "Game is full" dismissed, Exit).
    void runEnded();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // client ports
    void play(const std::string& name) override;
    void addSystemLine(const std::string& line) override;
    void addgame(const std::string& name) override;
    void notice(const std::string& text) override;
    void closeMainWindow() override;
    void showGameStartDialog() override;
    void showStartDialog() override;
    void startHost(bool loopbackOnly) override;

    void buildWindow();
    void buildChatColumn();
    void buildMenus();
    void buildFileMenu();
    void buildOptionsMenu();
    void buildViewAndHelpMenus();
    void buildKeyboardPlay();
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption);
    QActionGroup* addRadioItems(QMenu* menu, const QString& title, const QString& name,
                                const std::vector<std::tuple<QString, QString, int>>& items);
    void wireClient();
    void redraw();
    void alertOnOwnTurn();
    void openSeatMenu(int position, const QPoint& globalPos);
    void chooseBotSpeed(int speedMs);
    void chooseTurnSound(int tag);
    void chooseBotSkill(host::BotSkill skill);
    void resetScreenLocation();
    void saveBoundsIfMoved();
    void guarded(const std::function<void()>& work);
    void loadTally();
    std::vector<std::string> playersAtTable() const;

    WindowOptions m_options;
    settings::SettingsStore m_settings;
    std::filesystem::path m_tallyPath;
    tally::TallyTable m_tally;
    std::unique_ptr<client::TableClient> m_client;
    std::unique_ptr<InProcessHost> m_host;
    Board* m_board = nullptr;
    std::unique_ptr<social::ChatPanel> m_chat;
    client::Tgamestart* m_gamestart = nullptr;
    client::Tspylist* m_spylist = nullptr;
    QPointer<QMessageBox> m_openNotice;
    std::function<void(const QString&)> m_noticeObserver;

    int m_botSpeed = 500;
    int m_turnSound = 0;
    host::BotSkill m_botSkill = host::BotSkill::Classic;
    QRect m_remembered; // bounds last read from or written to the settings file
    bool m_started = false;
    bool m_closeRequested = false;
    bool m_alertedThisTurn = false;
};

} // namespace lastling::shell
