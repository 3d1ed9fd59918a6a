#include "shell/main_window.h"

#include "client/table_client.h"
#include "net/event_errors.h"
#include "protocol/wire_text.h"
#include "settings/table_options.h"
#include "shell/board.h"
#include "shell/client_bridge.h"
#include "shell/desktop_notifier.h"
#include "shell/error_box.h"
#include "shell/game_start_dialog.h"
#include "shell/help/about_window.h"
#include "shell/help/help_window.h"
#include "shell/history_keeper.h"
#include "shell/history_window.h"
#include "shell/in_process_host.h"
#include "shell/pictures.h"
#include "shell/player_preferences.h"
#include "shell/spy_list_dialog.h"
#include "shell/window_place.h"
#include "social/chat_entry.h"
#include "social/chat_model.h"
#include "social/chat_panel.h"
#include "social/chat_view.h"
#include "social/phrase_editor.h"
#include "start/start_dialog.h"
#include "tally/tally_keeper.h"
#include "tally/ui/tally_window.h"
#include "ui_language.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QWindow>

#include <exception>
#include <stdexcept>

namespace lastling::shell {

namespace {

const QColor kWindowColour(0xF7, 0xF5, 0xD2);
constexpr int kBoardMargin = 4; // the client area keeps the board plus this much

// The client area: window colour with the background tile over it, and the board filling it
// but for a thin margin.
class TiledBackground : public QWidget {
public:
    using QWidget::QWidget;

    void holdBoard(Board* board) {
        m_board = board;
        fitBoard();
    }
    // The board's smallest size decides the window's.
    void fitBoard() {
        if (m_board == nullptr) {
            return;
        }
        setMinimumSize(m_board->minimumSize() + QSize(kBoardMargin, kBoardMargin));
        m_board->setGeometry(1, 1, std::max(width() - kBoardMargin, m_board->minimumWidth()),
                             std::max(height() - kBoardMargin, m_board->minimumHeight()));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), kWindowColour);
        painter.drawTiledPixmap(rect(), Pictures::instance().backgroundTile());
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        fitBoard();
    }

private:
    Board* m_board = nullptr;
};

std::string toWire(const QString& text) {
    return protocol::textFromUtf8(text.toStdString());
}

QString fromWire(const std::string& text) {
    return QString::fromStdString(protocol::textToUtf8(text));
}

std::filesystem::path settingsPathFor(const WindowOptions& options) {
    return options.settingsPath.isEmpty()
               ? settings::settingsFilePath()
               : std::filesystem::path(options.settingsPath.toStdString());
}

// Tests give their own settings file; the tally then stays beside it, never in the real place.
std::filesystem::path tallyPathFor(const WindowOptions& options) {
    if (!options.tallyPath.isEmpty()) {
        return std::filesystem::path(options.tallyPath.toStdString());
    }
    if (!options.settingsPath.isEmpty()) {
        return std::filesystem::path(options.settingsPath.toStdString()).parent_path() /
               tally::tallyFilePath().filename();
    }
    return tally::tallyFilePath();
}

// The game history goes where the tally goes when a test gives its own files.
QString historyPathFor(const WindowOptions& options) {
    if (!options.historyPath.isEmpty()) {
        return options.historyPath;
    }
    if (!options.tallyPath.isEmpty() || !options.settingsPath.isEmpty()) {
        return QString::fromStdString(
            (tallyPathFor(options).parent_path() / "history.sqlite").string());
    }
    return history::HistoryStore::defaultPath();
}

void showModeless(QWidget* window) {
    window->show();
    window->raise();
}

} // namespace

MainWindow::MainWindow(WindowOptions options, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)), m_settings(settingsPathFor(m_options)),
      m_preferences(std::make_unique<PlayerPreferences>(m_options.botSpeedMs)),
      m_tally(std::make_unique<tally::TallyKeeper>(tallyPathFor(m_options))),
      m_client(std::make_unique<client::TableClient>()) {
    setObjectName(QStringLiteral("chat"));
    setWindowTitle(tr("Lastling by Korvel Software"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);
    m_host = makeInProcessHost(*m_preferences, m_options.hostTickMs);
    m_host->setTurnSeconds(settings::readTurnSeconds(m_settings.path()));
    loadTally();
    buildWindow();
    m_menus = buildMainMenus(*menuBar(), *m_chat);
    connectMenus();
    buildKeyboardPlay();
    wireClient();
    m_history = std::make_unique<HistoryKeeper>(
        historyPathFor(m_options),
        HistoryKeeper::Parts{*this, *menuBar(), m_menus.viewTally, *m_client, *m_host});
    resetScreenLocation();
    redraw();
}

MainWindow::~MainWindow() {
    m_history.reset(); // its window and recorder go before the client they watch
    // The client's socket may report its close while the window goes away: nobody listens.
    m_client->setPorts({});
    m_chat.reset();
    delete m_tallyWindow.data(); // it draws from the tally keeper, which goes before children
}

void MainWindow::buildWindow() {
    auto* client = new TiledBackground(this);
    client->setObjectName(QStringLiteral("client_area"));
    setCentralWidget(client);
    m_board = new Board(client);
    client->holdBoard(m_board);
    buildChatColumn();
    const QPixmap& tile = Pictures::instance().backgroundTile();
    m_gameStart = new GameStartDialog(tile, Pictures::instance().startButton(), this);
    m_spyList = new SpyListDialog(tile, this);
}

void MainWindow::buildChatColumn() {
    // The panel's widgets live in the board; the panel itself is released first on the way
    // out, while they still exist.
    m_chat = std::make_unique<social::ChatPanel>(m_board);
    m_chat->setParent(nullptr);
    m_board->placeChat(*m_chat);
    m_chat->setSender([this](const std::string& message) { m_client->send(message); });
    m_chat->setSessionSource([this] {
        const client::ClientState& state = m_client->state();
        return social::ChatSession{state.myseat, state.loggedin, state.myname};
    });
    m_chat->setSettingsSaver([this] { guarded([this] { saveinifile(); }); });
    m_chat->setLinkOpener(std::make_unique<social::DesktopLinkOpener>());
    auto* logo = m_board->findChild<QLabel*>(QStringLiteral("image_logo"));
    if (auto* clickable = qobject_cast<ClickablePicture*>(logo)) {
        clickable->setCursor(Qt::PointingHandCursor);
        connect(clickable, &ClickablePicture::clicked, this,
                [] { QDesktopServices::openUrl(help::makerSite()); });
    }
}

void MainWindow::connectMenus() {
    connect(m_menus.startGame, &QAction::triggered, this,
            [this] { guarded([this] { m_client->model().startButtonClicked(); }); });
    connect(m_menus.exit, &QAction::triggered, this, &QWidget::close);
    m_tableChooser = new TableChooser(*this, m_settings);
    connect(m_menus.hostTable, &QAction::triggered, m_tableChooser,
            [this] { m_tableChooser->open(TableDialog::Kind::Host); });
    connect(m_menus.joinTable, &QAction::triggered, m_tableChooser,
            [this] { m_tableChooser->open(TableDialog::Kind::Join); });
    connectPreferenceMenus();
    connectViewMenus();
    connect(m_menus.resetScreenLocation, &QAction::triggered, this,
            &MainWindow::resetScreenLocationChosen);
    checkLanguage(*m_menus.language, language::savedChoice(m_settings.path()));
    connect(m_menus.language, &QActionGroup::triggered, this, [this](QAction* item) {
        const QByteArray code = item->data().toString().toLatin1();
        const settings::SaveResult saved =
            settings::writeKeys({{language::kSettingKey, code.toStdString()}}, m_settings.path());
        if (!saved) {
            reportEventError(saved.message);
        }
    });
    connect(m_menus.justWatch, &QAction::triggered, this, [this] {
        guarded([this] { m_client->model().justWatchClicked(); });
        redraw(); // the check mark follows the host's answer, not the click
    });
    connect(m_menus.spyList, &QAction::triggered, this, [this] { showModeless(m_spyList); });
    connect(m_menus.lastTrick, &QAction::triggered, this,
            [this] { m_client->model().toggleLastTrick(); });
    connect(m_menus.hint, &QAction::triggered, this, [this] { m_client->model().showHint(); });
}

// Each choice goes to the preferences, which announce it; the window saves at once.
void MainWindow::connectPreferenceMenus() {
    PlayerPreferences& preferences = *m_preferences;
    connect(m_menus.playSounds, &QAction::triggered, &preferences,
            &PlayerPreferences::choosePlaySounds);
    connect(m_menus.playerPhraseSounds, &QAction::triggered, &preferences,
            &PlayerPreferences::choosePlayerPhraseSounds);
    connect(m_menus.turnSound, &QActionGroup::triggered, &preferences,
            [&preferences](QAction* item) {
                preferences.chooseTurnSoundNew(item->data().toInt() == 1);
            });
    connect(m_menus.botSpeed, &QActionGroup::triggered, &preferences,
            [&preferences](QAction* item) { preferences.chooseBotSpeed(item->data().toInt()); });
    connect(m_menus.botSkill, &QActionGroup::triggered, &preferences,
            [&preferences](QAction* item) {
                preferences.chooseBotSkill(item->data().toInt() == 1 ? host::BotSkill::Smart
                                                                     : host::BotSkill::Classic);
            });
    connect(&preferences, &PlayerPreferences::chosen, this,
            [this] { guarded([this] { saveinifile(); }); });
}

// The table's look follows the View menu at once and is saved with the other settings.
void MainWindow::connectViewMenus() {
    connect(m_menus.fourColourDeck, &QAction::triggered, this, [this](bool checked) {
        applyTableLook(checked, static_cast<int>(m_board->cardSize()));
        guarded([this] { saveinifile(); });
    });
    connect(m_menus.cardSize, &QActionGroup::triggered, this, [this](QAction* item) {
        applyTableLook(m_board->deckColours() == DeckColours::Four, item->data().toInt());
        guarded([this] { saveinifile(); });
    });
}

// Larger cards may ask for a larger window: the client area takes the board's new minimum.
void MainWindow::applyTableLook(bool fourColours, int cardSize) {
    chooseDeckColours(fourColours ? DeckColours::Four : DeckColours::Two);
    m_board->setDeckColours(chosenDeckColours());
    if (m_history != nullptr && m_history->window() != nullptr) {
        m_history->window()->update(); // the replay's cards
    }
    m_board->setCardSize(cardSizeFrom(cardSize));
    static_cast<TiledBackground*>(centralWidget())->fitBoard();
    m_menus.fourColourDeck->setChecked(fourColours);
    checkTag(*m_menus.cardSize, static_cast<int>(m_board->cardSize()));
}

// The menu items show what the preferences hold, after a load.
void MainWindow::showPreferences() {
    const PlayerPreferences& preferences = *m_preferences;
    m_menus.playSounds->setChecked(preferences.playSounds());
    m_menus.playerPhraseSounds->setChecked(preferences.playerPhraseSounds());
    checkTag(*m_menus.turnSound, preferences.turnSoundNew() ? 1 : 0);
    checkTag(*m_menus.botSpeed, preferences.botSpeedChoice());
    checkTag(*m_menus.botSkill, preferences.botSkill() == host::BotSkill::Smart ? 1 : 0);
}

// Alt+1..Alt+4 and F5..F8 play the hand slots; neither ever types into the chat field.
void MainWindow::buildKeyboardPlay() {
    for (int slot = 1; slot <= 4; ++slot) {
        auto* play = new QAction(tr("Play card %1").arg(slot), this);
        play->setObjectName(QStringLiteral("PlayCard%1").arg(slot));
        play->setShortcuts({QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + slot)),
                            QKeySequence(static_cast<Qt::Key>(Qt::Key_F4 + slot))});
        play->setShortcutContext(Qt::WindowShortcut);
        connect(play, &QAction::triggered, this, [this, slot] { playSlot(slot); });
        addAction(play);
    }
}

void MainWindow::wireClient() {
    m_bridge = std::make_unique<ClientBridge>(BridgeParts{
        *this, *m_chat, *m_tally, *m_preferences, *m_host, *m_client, m_options.gamePort,
        [this] { loadinifile(); }, [this] { m_gameStart->showCentredOn(this); },
        [this](int port) { emit tableHosted(port); }});
    m_bridge->setStartDialog([this] { showStartDialogWhenOnScreen(); });
    m_client->setPorts(m_bridge->ports());
    m_client->setGamePort(m_options.gamePort);
    client::ClientSession& session = m_client->session();
    // Whoever handles "CMD_playasound" wraps it the same way: ignored seats are not heard.
    const auto showChat = [this](std::string_view payload, int) {
        m_chat->showChatMessage(payload);
    };
    session.on("CMD_chat", m_client->model().unlessIgnored(showChat));
    session.on("CMD_action", m_client->model().unlessIgnored(showChat));
    connect(&m_client->model(), &client::TableModel::changed, this, &MainWindow::redraw);
    wireNotifications();
    connect(m_board, &Board::cardClicked, this, &MainWindow::playSlot);
    connect(m_board, &Board::startClicked, this,
            [this] { guarded([this] { m_client->model().startButtonClicked(); }); });
    connect(m_board, &Board::seatMenuRequested, this, &MainWindow::openSeatMenu);
    connect(m_board, &Board::lastTrickClicked, this,
            [this] { m_client->model().toggleLastTrick(); });
    connect(m_gameStart, &GameStartDialog::startChosen, this, [this](const QString& target) {
        guarded([this, &target] {
            m_client->model().gameStartChosen(toWire(target));
            saveinifile();
        });
    });
    connect(m_spyList, &SpyListDialog::removeRequested, this, [this](int index) {
        const std::vector<std::string>& spies = m_client->model().view().spyList;
        if (index < 0 || static_cast<std::size_t>(index) >= spies.size()) {
            return;
        }
        const std::string& entry = spies[static_cast<std::size_t>(index)];
        const auto colon = entry.find(": ");
        const std::string name = colon == std::string::npos ? entry : entry.substr(colon + 2);
        if (ask(tr("Remove %1 from the game?").arg(fromWire(name)))) {
            guarded([this, index] { m_client->model().removeSpy(index); });
        }
    });
}

// ---- the windows and rows that join later ----

void MainWindow::setSoundPlayer(client::SoundSink* player) {
    m_bridge->setSoundPlayer(player);
}

void MainWindow::setTableRestarter(TableChooser::Restarter restart) {
    m_tableChooser->setRestarter(std::move(restart));
}

void MainWindow::setPhraseRow(QWidget* row) {
    m_board->setPhraseRow(row);
    orderTabStops();
}

// Tab visits the hand, START GAME, the seat names, the phrase row, then the chat.
void MainWindow::orderTabStops() {
    QList<QWidget*> stops = m_board->tabStops();
    const QRect phrases = m_board->phraseRowPlace();
    for (QWidget* child : m_board->findChildren<QWidget*>()) {
        if (child->focusPolicy() & Qt::TabFocus && child->isWindow() == false &&
            phrases.contains(child->mapTo(m_board, QPoint(0, 0)))) {
            stops << child;
        }
    }
    stops << m_chat->view() << m_chat->entry() << m_chat->smileyButton();
    for (qsizetype i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(stops[i - 1], stops[i]);
    }
}

// A key or click on a hand slot that cannot play says why; the table itself stays as it is.
void MainWindow::playSlot(int slot) {
    const client::ClientState& state = m_client->state();
    const client::TableMoment now{m_client->model().view(), state.whoseturn, state.myseat};
    const std::string refusal = client::slotKeyRefusal(now, slot);
    if (!refusal.empty()) {
        m_board->announcer()->announce(fromWire(refusal));
        return;
    }
    guarded([this, slot] { m_client->model().cardClicked(slot); });
}

// The item comes alive and opens the window; the connection goes with the window.
void MainWindow::attachWindow(QAction* item, QWidget* window, std::function<void()> open) {
    item->setEnabled(true);
    connect(item, &QAction::triggered, window, std::move(open));
}

void MainWindow::setPhraseEditor(social::PhraseEditor* editor) {
    attachWindow(m_menus.phraseList, editor, [editor] { editor->openEditor(); });
}

// "View Tally" lists the players at the table now, then shows the window without waiting.
void MainWindow::setTallyWindow(tally::TallyWindow* window) {
    m_tallyWindow = window;
    attachWindow(m_menus.viewTally, window, [this, window] {
        m_tally->loadchecklist(seatNames(), m_client->state().myseat);
        window->showCentredOn(this);
    });
}

void MainWindow::setHelpWindow(help::HelpWindow* window) {
    attachWindow(m_menus.helpContent, window, [window] { window->showHelp(); });
}

void MainWindow::setAboutWindow(help::AboutWindow* window) {
    attachWindow(m_menus.about, window, [window] { window->showAbout(); });
}

void MainWindow::setStartDialog(start::StartDialog* dialog) {
    m_startDialog = dialog;
}

void MainWindow::setNoticeObserver(std::function<void(const QString&)> observer) {
    m_bridge->setNoticeObserver(std::move(observer));
}

// ---- drawing ----

QAction* MainWindow::action(const QString& objectName) const {
    QAction* item = findChild<QAction*>(objectName);
    return item != nullptr ? item : m_chat->findChild<QAction*>(objectName);
}

social::ChatModel& MainWindow::chatModel() {
    return m_chat->model();
}

const tally::TallyTable& MainWindow::tallyTable() const {
    return m_tally->table();
}

int MainWindow::hostPort() const {
    return m_host->listeningPort();
}

std::vector<std::string> MainWindow::seatNames() const {
    return shell::seatNames(m_client->model().view());
}

void MainWindow::redraw() {
    const client::TableModel& model = m_client->model();
    const client::TableView& view = model.view();
    m_board->showTable(view, [&model](int seat) { return model.screenPositionOf(seat); });
    m_menus.startGame->setEnabled(view.startGameEnabled);
    m_menus.justWatch->setChecked(view.justWatchChecked);
    m_menus.lastTrick->setEnabled(!view.lastTrick.cards.empty());
    m_menus.lastTrick->setChecked(view.lastTrickShown);
    m_menus.hint->setEnabled(model.hintAvailable());
    m_spyList->setEntries(view.spyList);
    m_spyList->setKickEnabled(view.kickhimEnabled);
    alertOnOwnTurn();
    announceChanges();
}

void MainWindow::announceChanges() {
    const client::ClientState& state = m_client->state();
    client::TableMoment now{m_client->model().view(), state.whoseturn, state.myseat};
    // What one message changed is spoken as one text: a screen reader that reads the
    // notification a moment later still hears all of it. Each text is read on its own: two
    // names may come in different forms.
    QStringList spoken;
    for (const std::string& text : client::announcementsBetween(m_announced, now)) {
        spoken << fromWire(text);
    }
    m_board->announcer()->announce(spoken.join(QLatin1Char(' ')));
    m_announced = std::move(now);
}

// The player's turn asks for attention once, when the window is in the background.
// Exceptions never cross the event loop: a failing action reaches the error box and the
// program goes on with the next event.
void MainWindow::guarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& failure) {
        reportEventError(failure.what());
    }
}

// ---- start-up and window events ----

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    startOnce();
}

void MainWindow::startOnce() {
    if (m_started) {
        return;
    }
    m_started = true;
    placeAsSaved();
    guarded([this] { m_client->startFromParams(m_options.params); });
    redraw();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        m_alertedThisTurn = true; // seen now; no alert for a turn the player is looking at
    }
}

void MainWindow::closeWithoutAsking() {
    m_askBeforeLeaving = false;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_closeRequested && m_askBeforeLeaving && !mayLeave()) {
        event->ignore();
        return;
    }
    guarded([this] { saveBoundsIfMoved(); });
    m_gameStart->hide();
    m_spyList->hide();
    event->accept();
    m_closeRequested = true;
    // Guests read why their game ends before their connections close.
    m_host->closeTable();
    emit runEnded();
}

// ---- settings and tally ----

void MainWindow::loadinifile() {
    const settings::Settings loaded = m_settings.load();
    m_chat->applyTextSize(loaded.textsize);
    m_remembered = savedFrame(loaded.left, loaded.top, loaded.width, loaded.height);
    m_rememberedMaximized = loaded.maximized;
    m_settingsRead = true;
    applyTableLook(loaded.fourcolordeck, loaded.cardsize);
    if (!isMaximized()) {
        setOuterBounds(startingBounds(m_remembered));
    }
    if (loaded.maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    m_chat->setChatColour(loaded.textcolor);
    if (loaded.playtoscoreGiven) {
        m_gameStart->setTarget(loaded.playtoscore);
    }
    m_preferences->apply(loaded);
    showPreferences();
    emit settingsLoaded(loaded);
}

void MainWindow::saveinifile() {
    settings::Settings current;
    current.textsize = m_chat->textSize();
    const QRect outer = knownBounds(); // the file keeps a place the platform does not tell
    current.top = outer.top();
    current.left = outer.left();
    current.width = outer.width();
    current.height = outer.height();
    current.maximized = isMaximized();
    current.fourcolordeck = m_board->deckColours() == DeckColours::Four;
    current.cardsize = static_cast<int>(m_board->cardSize());
    current.textcolor = m_chat->chatColour();
    current.playtoscore = m_gameStart->target();
    m_preferences->writeInto(current);
    const settings::SaveResult saved = m_settings.save(current);
    if (!saved) {
        throw std::runtime_error(saved.message);
    }
}

void MainWindow::loadTally() {
    connect(m_tally.get(), &tally::TallyKeeper::saveFailed, this,
            [this](const QString& message) { showErrorBox(this, message); });
    const tally::TallyFileResult loaded = m_tally->load();
    if (!loaded) {
        showErrorBox(this, QString::fromLatin1(loaded.message.data(),
                                               static_cast<qsizetype>(loaded.message.size())));
    }
}

} // namespace lastling::shell
