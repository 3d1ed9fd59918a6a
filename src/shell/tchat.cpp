#include "shell/tchat.h"

#include "client/table_client.h"
#include "client/ui/tgamestart.h"
#include "client/ui/tspylist.h"
#include "net/event_errors.h"
#include "shell/board.h"
#include "shell/error_box.h"
#include "shell/in_process_host.h"
#include "shell/pictures.h"
#include "social/chat_entry.h"
#include "social/chat_model.h"
#include "social/chat_panel.h"
#include "social/chat_view.h"
#include "tally/tally_file.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include <exception>

namespace lastling::shell {

namespace {

const QColor kWindowColour(0xF7, 0xF5, 0xD2);
const QColor kEntryBackground(0xF9, 0xFA, 0xE7);
const char* const kMakerSite = "http://www.korvelsoftware.com";
constexpr int kBoardMargin = 4; // the client area keeps the board plus this much

// The client area: window colour with the background tile over it.
class TiledBackground : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), kWindowColour);
        painter.drawTiledPixmap(rect(), Pictures::instance().backgroundTile());
    }
};

std::string toLatin1(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
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

QString fromLatin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

Tchat::Tchat(WindowOptions options, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)),
      m_settings(m_options.settingsPath.isEmpty()
                     ? settings::settingsFilePath()
                     : std::filesystem::path(m_options.settingsPath.toStdString())),
      m_tallyPath(tallyPathFor(m_options)), m_client(std::make_unique<client::TableClient>()) {
    setObjectName(QStringLiteral("chat"));
    setWindowTitle(QStringLiteral("Lastling by Korvel Software"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);
    m_host = makeInProcessHost(*this, m_options.hostTickMs);
    loadTally();
    buildWindow();
    buildMenus();
    buildKeyboardPlay();
    wireClient();
    setGeometry(kDefaultLeft, kDefaultTop, kDefaultWidth, kDefaultHeight);
    redraw();
}

Tchat::~Tchat() {
    // The client's socket may report its close while the window goes away: nobody listens.
    m_client->setPorts({});
    m_chat.reset();
}

void Tchat::buildWindow() {
    auto* client = new TiledBackground(this);
    client->setObjectName(QStringLiteral("client_area"));
    client->setMinimumSize(Board::kWidth + kBoardMargin, Board::kHeight + kBoardMargin);
    setCentralWidget(client);
    m_board = new Board(client);
    m_board->move(1, 1);
    buildChatColumn();
    const QPixmap& tile = Pictures::instance().backgroundTile();
    m_gamestart = new client::Tgamestart(tile, Pictures::instance().startButton(), this);
    m_spylist = new client::Tspylist(tile, this);
}

void Tchat::buildChatColumn() {
    // The panel's widgets live in the board; the panel itself is released first on the way
    // out, while they still exist.
    m_chat = std::make_unique<social::ChatPanel>(m_board);
    m_chat->setParent(nullptr);
    m_chat->view()->setParent(m_board->chatPanel());
    m_chat->view()->setGeometry(1, 2, 262, 440);
    m_chat->entry()->setParent(m_board);
    m_chat->entry()->setGeometry(496, 500, 237, 22);
    m_chat->smileyButton()->setParent(m_board);
    m_chat->smileyButton()->setGeometry(734, 501, 25, 19);
    m_chat->setSender([this](const std::string& message) { m_client->send(message); });
    m_chat->setSessionSource([this] {
        const client::ClientState& state = m_client->state();
        return social::ChatSession{state.myseat, state.loggedin};
    });
    m_chat->setSettingsSaver([this] { guarded([this] { saveinifile(); }); });
    m_chat->setLinkOpener(std::make_unique<social::DesktopLinkOpener>());
    // Phrase buttons and the chatter-sound button: their places, not yet in use.
    static constexpr std::array<int, 9> phraseX = {496, 523, 550, 576, 603, 630, 656, 683, 710};
    for (int n = 1; n <= 10; ++n) {
        auto* button = new QPushButton(m_board);
        button->setObjectName(QStringLiteral("b_phrase%1").arg(n));
        button->setGeometry(n <= 9 ? phraseX[static_cast<std::size_t>(n - 1)] : 737, 33, 25, 19);
        button->setText(n <= 9 ? QString::number(n) : QStringLiteral("\u266A"));
        button->setEnabled(false);
    }
    auto* logo = m_board->findChild<QLabel*>(QStringLiteral("image_logo"));
    if (auto* clickable = qobject_cast<ClickablePicture*>(logo)) {
        clickable->setCursor(Qt::PointingHandCursor);
        connect(clickable, &ClickablePicture::clicked, this,
                [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerSite))); });
    }
}

QAction* Tchat::addItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

QActionGroup* Tchat::addRadioItems(QMenu* menu, const QString& title, const QString& name,
                                   const std::vector<std::tuple<QString, QString, int>>& items) {
    QMenu* submenu = menu->addMenu(title);
    submenu->menuAction()->setObjectName(name);
    auto* group = new QActionGroup(submenu);
    group->setExclusive(true);
    for (const auto& [itemName, caption, tag] : items) {
        QAction* item = addItem(submenu, itemName, caption);
        item->setCheckable(true);
        item->setData(tag);
        group->addAction(item);
    }
    return group;
}

void Tchat::buildMenus() {
    buildFileMenu();
    buildOptionsMenu();
    buildViewAndHelpMenus();
}

void Tchat::buildFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    QAction* startGame = addItem(file, QStringLiteral("StartGame1"), QStringLiteral("Start Game"));
    startGame->setEnabled(false);
    connect(startGame, &QAction::triggered, this,
            [this] { guarded([this] { m_client->model().startButtonClicked(); }); });
    file->addSeparator();
    QAction* exit = addItem(file, QStringLiteral("Exit1"), QStringLiteral("Exit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

void Tchat::buildOptionsMenu() {
    QMenu* options = menuBar()->addMenu(QStringLiteral("Options"));
    for (const auto& [name, caption] :
         {std::pair{QStringLiteral("PlaySounds1"), QStringLiteral("Play Sounds")},
          std::pair{QStringLiteral("PlayerPhraseSounds1"),
                    QStringLiteral("Player Phrase Sounds")}}) {
        QAction* item = addItem(options, name, caption);
        item->setCheckable(true);
        item->setChecked(true);
        connect(item, &QAction::triggered, this, [this] { guarded([this] { saveinifile(); }); });
    }
    QActionGroup* turn =
        addRadioItems(options, QStringLiteral("Turn Sound"), QStringLiteral("TurnSound1"),
                      {{QStringLiteral("Classic1"), QStringLiteral("Classic"), 0},
                       {QStringLiteral("New1"), QStringLiteral("New"), 1}});
    connect(turn, &QActionGroup::triggered, this,
            [this](QAction* item) { chooseTurnSound(item->data().toInt()); });
    QActionGroup* speed =
        addRadioItems(options, QStringLiteral("Bot Speed"), QStringLiteral("BotSpeed1"),
                      {{QStringLiteral("Slow1"), QStringLiteral("Slow"), 1000},
                       {QStringLiteral("Normal1"), QStringLiteral("Normal"), 500},
                       {QStringLiteral("Fast1"), QStringLiteral("Fast"), 250}});
    connect(speed, &QActionGroup::triggered, this,
            [this](QAction* item) { chooseBotSpeed(item->data().toInt()); });
    QActionGroup* skill =
        addRadioItems(options, QStringLiteral("Bot Skill"), QStringLiteral("BotSkill1"),
                      {{QStringLiteral("ClassicSkill1"), QStringLiteral("Classic"), 0},
                       {QStringLiteral("Smart1"), QStringLiteral("Smart"), 1}});
    connect(skill, &QActionGroup::triggered, this, [this](QAction* item) {
        chooseBotSkill(item->data().toInt() == 1 ? host::BotSkill::Smart : host::BotSkill::Classic);
    });
    options->addSeparator();
    QAction* colour = m_chat->textColourAction();
    colour->setObjectName(QStringLiteral("TextColor1"));
    options->addAction(colour);
    QMenu* sizes = options->addMenu(QStringLiteral("Text Size"));
    sizes->menuAction()->setObjectName(QStringLiteral("TextSize1"));
    for (QAction* size : m_chat->textSizeActions()) {
        size->setObjectName(QStringLiteral("N") + size->text());
        sizes->addAction(size);
    }
    QAction* scrollOff = m_chat->scrollChatOffAction();
    scrollOff->setObjectName(QStringLiteral("ScrollChatOff2"));
    options->addAction(scrollOff);
    QAction* clear = m_chat->clearAction();
    clear->setObjectName(QStringLiteral("ClearMainChat1"));
    options->addAction(clear);
    connect(addItem(options, QStringLiteral("ResetScreenLocation1"),
                    QStringLiteral("Reset Screen Location")),
            &QAction::triggered, this, &Tchat::resetScreenLocation);
    options->addSeparator();
    QAction* justWatch =
        addItem(options, QStringLiteral("JustWatch1"), QStringLiteral("Just Watch"));
    justWatch->setCheckable(true);
    connect(justWatch, &QAction::triggered, this, [this] {
        guarded([this] { m_client->model().justWatchClicked(); });
        redraw(); // the check mark follows the host's answer, not the click
    });
    action(QStringLiteral("Classic1"))->setChecked(true);
    action(QStringLiteral("Normal1"))->setChecked(true);
    action(QStringLiteral("ClassicSkill1"))->setChecked(true);
}

void Tchat::buildViewAndHelpMenus() {
    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    addItem(view, QStringLiteral("ViewTally1"), QStringLiteral("View Tally"))->setEnabled(false);
    connect(addItem(view, QStringLiteral("SpyList1"), QStringLiteral("Spy List")),
            &QAction::triggered, this, [this] {
                m_spylist->show();
                m_spylist->raise();
            });
    addItem(view, QStringLiteral("PrhaseList1"), QStringLiteral("Phrase List"))->setEnabled(false);
    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    QAction* content = addItem(help, QStringLiteral("Help2"), QStringLiteral("Content"));
    content->setShortcut(QKeySequence(Qt::Key_F1));
    content->setEnabled(false);
    help->addSeparator();
    addItem(help, QStringLiteral("About1"), QStringLiteral("About"))->setEnabled(false);
}

// Alt+1..Alt+4 and F5..F8 play the hand slots; neither ever types into the chat field.
void Tchat::buildKeyboardPlay() {
    for (int slot = 1; slot <= 4; ++slot) {
        auto* play = new QAction(QStringLiteral("Play card %1").arg(slot), this);
        play->setObjectName(QStringLiteral("PlayCard%1").arg(slot));
        play->setShortcuts({QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + slot)),
                            QKeySequence(static_cast<Qt::Key>(Qt::Key_F4 + slot))});
        play->setShortcutContext(Qt::WindowShortcut);
        connect(play, &QAction::triggered, this,
                [this, slot] { guarded([this, slot] { m_client->model().cardClicked(slot); }); });
        addAction(play);
    }
}

void Tchat::wireClient() {
    client::ClientPorts ports;
    ports.sounds = this;
    ports.chat = this;
    ports.tally = this;
    ports.notices = this;
    ports.settings = this;
    ports.window = this;
    ports.host = this;
    m_client->setPorts(ports);
    m_client->setGamePort(m_options.gamePort);
    client::ClientSession& session = m_client->session();
    session.on("CMD_chat",
               [this](std::string_view payload, int) { m_chat->chatrecieved(payload); });
    session.on("CMD_action",
               [this](std::string_view payload, int) { m_chat->chatrecieved(payload); });
    connect(&m_client->model(), &client::TableModel::changed, this, &Tchat::redraw);
    connect(m_board, &Board::cardClicked, this,
            [this](int slot) { guarded([this, slot] { m_client->model().cardClicked(slot); }); });
    connect(m_board, &Board::startClicked, this,
            [this] { guarded([this] { m_client->model().startButtonClicked(); }); });
    connect(m_board, &Board::seatMenuRequested, this, &Tchat::openSeatMenu);
    connect(m_gamestart, &client::Tgamestart::startChosen, this, [this](const QString& target) {
        guarded([this, &target] {
            m_client->model().gameStartChosen(toLatin1(target));
            saveinifile();
        });
    });
    connect(m_spylist, &client::Tspylist::removeRequested, this,
            [this](int index) { guarded([this, index] { m_client->model().removeSpy(index); }); });
}

QAction* Tchat::action(const QString& objectName) const {
    QAction* item = findChild<QAction*>(objectName);
    return item != nullptr ? item : m_chat->findChild<QAction*>(objectName);
}

social::ChatModel& Tchat::chatModel() {
    return m_chat->model();
}

int Tchat::hostPort() const {
    return m_host->listeningPort();
}

int Tchat::botSpeedMs() const {
    return m_options.botSpeedMs.value_or(m_botSpeed);
}

void Tchat::redraw() {
    const client::TableModel& model = m_client->model();
    const client::TableView& view = model.view();
    m_board->showTable(view, [&model](int seat) { return model.screenPositionOf(seat); });
    action(QStringLiteral("StartGame1"))->setEnabled(view.startGameEnabled);
    action(QStringLiteral("JustWatch1"))->setChecked(view.justWatchChecked);
    m_spylist->setEntries(view.spyList);
    m_spylist->setKickEnabled(view.kickhimEnabled);
    alertOnOwnTurn();
}

// The player's turn asks for attention once, when the window is in the background.
void Tchat::alertOnOwnTurn() {
    const client::ClientState& state = m_client->state();
    const bool myTurn = state.myseat != 0 && state.whoseturn == state.myseat;
    if (!myTurn) {
        m_alertedThisTurn = false;
        return;
    }
    if (!m_alertedThisTurn && !isActiveWindow()) {
        QApplication::alert(this);
    }
    m_alertedThisTurn = true;
}

void Tchat::openSeatMenu(int position, const QPoint& globalPos) {
    std::unique_ptr<QMenu> menu = makeSeatMenu(position);
    menu->exec(globalPos);
}

// `popup_kick`: its items' states are taken when it opens, for the seat the label shows.
std::unique_ptr<QMenu> Tchat::makeSeatMenu(int position) {
    const int seat = m_client->model().seatAt(position);
    const client::SeatPopupItems items = m_client->model().seatPopupItems(seat);
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("popup_kick"));
    QAction* remove = menu->addAction(QStringLiteral("Remove From Game"));
    remove->setObjectName(QStringLiteral("RemoveFromGame1"));
    remove->setEnabled(items.removeFromGame);
    connect(remove, &QAction::triggered, this,
            [this, seat] { guarded([this, seat] { m_client->model().removeFromGame(seat); }); });
    QAction* setWatch = menu->addAction(QStringLiteral("Set to Just Watch"));
    setWatch->setObjectName(QStringLiteral("SettoJustWatch1"));
    setWatch->setEnabled(items.setToJustWatch);
    connect(setWatch, &QAction::triggered, this,
            [this, seat] { guarded([this, seat] { m_client->model().setToJustWatch(seat); }); });
    QAction* unsetWatch = menu->addAction(QStringLiteral("Unset Just Watch"));
    unsetWatch->setObjectName(QStringLiteral("UnsetJustWatch1"));
    unsetWatch->setEnabled(items.unsetJustWatch);
    connect(unsetWatch, &QAction::triggered, this,
            [this, seat] { guarded([this, seat] { m_client->model().unsetJustWatch(seat); }); });
    return menu;
}

// Exceptions never cross the event loop: a failing action reaches the error box and the
// program goes on with the next event.
void Tchat::guarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& failure) {
        reportEventError(failure.what());
    }
}

// ---- start-up and window events ----

void Tchat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    startOnce();
}

void Tchat::startOnce() {
    if (m_started) {
        return;
    }
    m_started = true;
    guarded([this] { m_client->startFromParams(m_options.params); });
    redraw();
}

void Tchat::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        m_alertedThisTurn = true; // seen now; no alert for a turn the player is looking at
    }
}

void Tchat::closeEvent(QCloseEvent* event) {
    guarded([this] { saveBoundsIfMoved(); });
    m_gamestart->hide();
    m_spylist->hide();
    event->accept();
    m_closeRequested = true;
    emit runEnded();
}

// The place is saved only when it differs from what the settings file last held.
void Tchat::saveBoundsIfMoved() {
    if (QRect(pos(), size()) == m_remembered) {
        return;
    }
    if (const QScreen* screen = this->screen()) {
        const QRect work = screen->availableGeometry();
        QSize outer = frameGeometry().size();
        QSize inner = size();
        if (outer.width() > work.width()) {
            inner.setWidth(inner.width() - 15);
        }
        if (outer.height() > work.height()) {
            inner.setHeight(inner.height() - 15);
        }
        resize(inner);
    }
    m_remembered = QRect(pos(), size());
    saveinifile();
}

void Tchat::resetScreenLocation() {
    setGeometry(kDefaultLeft, kDefaultTop, kDefaultWidth, kDefaultHeight);
}

// ---- menus that save ----

void Tchat::chooseBotSpeed(int speedMs) {
    m_botSpeed = speedMs;
    guarded([this] { saveinifile(); });
}

void Tchat::chooseTurnSound(int tag) {
    m_turnSound = tag == 1 ? 1 : 0;
    guarded([this] { saveinifile(); });
}

void Tchat::chooseBotSkill(host::BotSkill skill) {
    m_botSkill = skill;
    guarded([this] { saveinifile(); });
}

// ---- settings ----

void Tchat::loadinifile() {
    const settings::Settings loaded = m_settings.load();
    m_chat->applyTextSize(loaded.textsize);
    setGeometry(loaded.left, loaded.top, loaded.width, loaded.height);
    m_remembered = QRect(loaded.left, loaded.top, loaded.width, loaded.height);
    m_chat->setChatColour(loaded.textcolor);
    if (loaded.playtoscoreGiven) {
        m_gamestart->setTarget(loaded.playtoscore);
    }
    m_botSpeed = loaded.botspeed == 1000 || loaded.botspeed == 250 ? loaded.botspeed : 500;
    action(m_botSpeed == 1000
               ? QStringLiteral("Slow1")
               : (m_botSpeed == 250 ? QStringLiteral("Fast1") : QStringLiteral("Normal1")))
        ->setChecked(true);
    m_turnSound = loaded.turnsound == 1 ? 1 : 0;
    action(m_turnSound == 1 ? QStringLiteral("New1") : QStringLiteral("Classic1"))
        ->setChecked(true);
    m_botSkill = loaded.botskill == 1 ? host::BotSkill::Smart : host::BotSkill::Classic;
    action(m_botSkill == host::BotSkill::Smart ? QStringLiteral("Smart1")
                                               : QStringLiteral("ClassicSkill1"))
        ->setChecked(true);
    action(QStringLiteral("PlaySounds1"))->setChecked(loaded.playsounds);
    action(QStringLiteral("PlayerPhraseSounds1"))->setChecked(loaded.playerphrasesounds);
}

void Tchat::saveinifile() {
    settings::Settings current;
    current.textsize = m_chat->textSize();
    current.top = y();
    current.left = x();
    current.width = width();
    current.height = height();
    current.textcolor = m_chat->chatColour();
    current.playtoscore = m_gamestart->target();
    current.botspeed = m_botSpeed;
    current.turnsound = m_turnSound;
    current.playerphrasesounds = action(QStringLiteral("PlayerPhraseSounds1"))->isChecked();
    current.playsounds = action(QStringLiteral("PlaySounds1"))->isChecked();
    current.botskill = m_botSkill == host::BotSkill::Smart ? 1 : 0;
    const settings::SaveResult saved = m_settings.save(current);
    if (!saved) {
        throw std::runtime_error(saved.message);
    }
}

// ---- client ports ----

void Tchat::play(const std::string& name) {
    Q_UNUSED(name);
}

void Tchat::addSystemLine(const std::string& line) {
    m_chat->addlinetochat(line, social::kSystemLineBlue);
}

void Tchat::loadTally() {
    const tally::TallyFileResult loaded = tally::loadTallyFile(m_tally, m_tallyPath);
    if (!loaded) {
        showErrorBox(this, fromLatin1(loaded.message));
    }
}

// The other seated players now: every named seat but the own one.
std::vector<std::string> Tchat::playersAtTable() const {
    std::vector<std::string> players;
    const client::TableView& view = m_client->model().view();
    const int myseat = m_client->state().myseat;
    for (int seat = 1; seat <= 4; ++seat) {
        const std::string& name = view.seats[static_cast<std::size_t>(seat)].name;
        if (seat != myseat && name != client::kWaiting) {
            players.push_back(name);
        }
    }
    return players;
}

// Saved at once, so that a crash never loses a finished game.
void Tchat::addgame(const std::string& name) {
    const tally::TallyFileResult saved =
        tally::addgameAndSave(m_tally, name, playersAtTable(), m_tallyPath);
    if (!saved) {
        showErrorBox(this, fromLatin1(saved.message));
    }
}

void Tchat::notice(const std::string& text) {
    const QString shown = fromLatin1(text);
    if (m_noticeObserver) {
        m_noticeObserver(shown);
    }
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Lastling"), shown,
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    m_openNotice = box;
    box->open();
}

// "Game is full" closes the window once its notice is dismissed.
void Tchat::closeMainWindow() {
    if (m_openNotice) {
        connect(m_openNotice.data(), &QDialog::finished, this, &QWidget::close,
                Qt::QueuedConnection);
        return;
    }
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void Tchat::showGameStartDialog() {
    m_gamestart->showCentredOn(this);
}

void Tchat::showStartDialog() {
    if (m_options.showStartDialog) {
        m_options.showStartDialog();
    }
}

void Tchat::startHost(bool loopbackOnly) {
    m_host->startListening(m_options.gamePort, loopbackOnly);
    m_client->setGamePort(std::to_string(m_host->listeningPort()));
}

} // namespace lastling::shell
