#include "shell/window_program.h"

#include "client/table_client.h"
#include "net/event_errors.h"
#include "protocol/wire_text.h"
#include "net/invite_link.h"
#include "settings/settings_file.h"
#include "shell/cursor_blink_limit.h"
#include "shell/error_box.h"
#include "shell/help/about_window.h"
#include "shell/help/help_window.h"
#include "shell/invite_friends.h"
#include "shell/invite_start.h"
#include "shell/main_window.h"
#include "shell/pictures.h"
#include "shell/single_instance.h"
#include "shell/table_dialogs.h"
#include "shell/table_sounds.h"
#include "social/chat_panel.h"
#include "social/phrase_editor.h"
#include "social/phrase_row.h"
#include "start/start_dialog.h"
#include "tally/ui/tally_window.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QProcess>

#include <array>
#include <optional>
#include <tuple>

namespace lastling::shell {

namespace {

constexpr const char* kDesktopName = "com.korvelsoftware.Lastling";

void addPhraseRow(MainWindow& window, SideWindows& sides) {
    auto* row = new social::PhraseRow(&window);
    client::TableClient& client = window.client();
    social::ChatPanel& chat = window.chatPanel();
    // Phrases and chatter sounds keep the chat's pace: the host relays them as chat lines.
    row->setSender([&chat](const std::string& message) { chat.sendPaced(message); });
    row->setSessionSource([&client] {
        const client::ClientState& state = client.state();
        return social::ChatSession{state.myseat, state.loggedin, state.myname};
    });
    row->setColourSource([&chat] { return chat.chatColour(); });
    QObject::connect(
        &window, &MainWindow::settingsLoaded, row,
        [row](const settings::Settings& loaded) { row->model().applySettings(loaded.phrases); });
    window.setPhraseRow(row);
    sides.phraseRow = row;

    auto* editor = new social::PhraseEditor(row->model(), &window);
    editor->setBackgroundTile(Pictures::instance().backgroundTile());
    settings::SettingsStore& store = window.settingsStore();
    editor->setSaver([&store](const social::PhraseTexts& texts) {
        const settings::SaveResult saved = store.savePhrases(texts);
        if (!saved) {
            reportEventError(saved.message);
        }
        return saved.ok;
    });
    window.setPhraseEditor(editor);
    sides.phraseEditor = editor;
}

void addStartDialog(MainWindow& window, SideWindows& sides) {
    auto* dialog = new start::StartDialog(installerEnvironment(window.settingsPath()), &window);
    // Leaving for the lobby ends the game exactly as "File" > "Exit" does.
    QObject::connect(dialog, &start::StartDialog::exitRequested,
                     window.action(QStringLiteral("Exit1")), &QAction::trigger);
    QObject::connect(dialog, &start::StartDialog::joinTableRequested, &window,
                     [&window] { window.tableChooser().open(TableDialog::Kind::Join); });
    QObject::connect(dialog, &start::StartDialog::errorOccurred, &window,
                     [&window](const QString& text) { showErrorBox(&window, text); });
    QObject::connect(
        dialog, &start::StartDialog::backgroundReport, &window, [&window](const QString& text) {
            window.chatPanel().addSystemLine("0+" + protocol::textFromUtf8(text.toStdString()));
        });
    window.setStartDialog(dialog);
    sides.start = dialog;
}

} // namespace

SideWindows addSideWindows(MainWindow& window) {
    SideWindows sides;
    sides.tally = new tally::TallyWindow(window.tallyKeeper(), &window);
    window.setTallyWindow(sides.tally);
    sides.about = new help::AboutWindow(&window);
    window.setAboutWindow(sides.about);
    addStartDialog(window, sides);
    sides.help = new help::HelpWindow(&window);
    QObject::connect(sides.help, &help::HelpWindow::aboutRequested, sides.about,
                     &help::AboutWindow::showAbout);
    window.setHelpWindow(sides.help);
    addPhraseRow(window, sides);
    sides.invitations = new FriendInvitations(window);
    return sides;
}

start::InstallerEnvironment installerEnvironment(std::filesystem::path settingsFile) {
    start::InstallerEnvironment environment;
    environment.setting = [file = settingsFile](const QString& key, const QString& fallback) {
        const std::optional<std::string> text = settings::readSettingText(file, key.toStdString());
        // An empty value would name no program and no address.
        return text && !text->empty() ? QString::fromLocal8Bit(*text) : fallback;
    };
    environment.saveSetting = [file = std::move(settingsFile)](const QString& key,
                                                               const QString& value) {
        const settings::SaveResult saved =
            settings::writeKeys({{key.toStdString(), value.toStdString()}}, file);
        return saved ? QString() : QString::fromStdString(saved.message);
    };
    return environment;
}

namespace {

// A trump card over a card back on the table's green, from the table's own pictures.
QPixmap drawProgramIcon(int size) {
    QPixmap icon(size, size);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x23, 0x7a, 0x4d));
    const qreal margin = size / 32.0;
    painter.drawRoundedRect(QRectF(margin, margin, size - 2 * margin, size - 2 * margin),
                            size / 6.0, size / 6.0);
    const Pictures& pictures = Pictures::instance();
    const qreal cardHeight = size * 0.62;
    const qreal cardWidth = cardHeight * kCardWidth / kCardHeight;
    const QRectF card(-cardWidth / 2, -cardHeight / 2, cardWidth, cardHeight);
    const std::array<std::tuple<qreal, qreal, int>, 2> cards = {
        std::tuple{0.40, -14.0, 0}, std::tuple{0.60, 10.0, 52}}; // the back, the ace of spades
    for (const auto& [x, angle, number] : cards) {
        painter.save();
        painter.translate(size * x, size * 0.5);
        painter.rotate(angle);
        painter.drawPixmap(card, pictures.card(number), pictures.card(number).rect());
        painter.restore();
    }
    return icon;
}

} // namespace

QIcon programIcon() {
    QIcon drawn;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        drawn.addPixmap(drawProgramIcon(size));
    }
    return QIcon::fromTheme(QString::fromLatin1(kDesktopName), drawn);
}

WindowProgram::WindowProgram(WindowOptions options)
    : m_options(std::move(options)), m_startCopy([](const QStringList& params) {
          return QProcess::startDetached(QCoreApplication::applicationFilePath(), params);
      }),
      m_notice([](const QString& text) {
          QMessageBox::warning(nullptr, QStringLiteral("Lastling"), text);
      }) {}

WindowProgram::~WindowProgram() {
    setEventErrorSink(nullptr);
    if (m_window) {
        m_window->setSoundPlayer(nullptr);
    }
    m_sounds.reset();
    m_window.reset();
    m_blinkLimit.reset();
}

bool WindowProgram::start() {
    // Before any window exists: the desktop matches windows to the entry by this name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopName));
    QByteArray link;
    if (!takeInvitationLink(link)) {
        return false;
    }
    if (m_options.singleInstance) {
        const QString name = m_options.instanceName.isEmpty() ? SingleInstance::defaultName()
                                                              : m_options.instanceName;
        if (!name.isEmpty()) { // without a private folder to hold it, run as the first copy
            m_instance = std::make_unique<SingleInstance>(name);
            if (!m_instance->claim(link)) {
                return false;
            }
        }
    }
    QApplication::setWindowIcon(programIcon());
    m_window = std::make_unique<MainWindow>(m_options);
    m_sides = addSideWindows(*m_window);
    m_sounds = std::make_unique<TableSounds>(*m_window);
    m_window->setSoundPlayer(m_sounds.get());
    QPointer<MainWindow> window = m_window.get();
    setEventErrorSink([window](const std::string& message) {
        showErrorBox(window.data(),
                     QString::fromLatin1(message.data(), static_cast<qsizetype>(message.size())));
    });
    if (m_instance) {
        QObject::connect(m_instance.get(), &SingleInstance::raiseRequested, m_window.get(),
                         [window] {
                             if (window->isMinimized()) {
                                 window->showNormal();
                             }
                             window->raise();
                             window->activateWindow();
                         });
        QObject::connect(m_instance.get(), &SingleInstance::joinRequested, m_window.get(),
                         [this](const QByteArray& link) { offerInvitation(link); });
    }
    m_window->setTableRestarter([this](const QStringList& params) {
        m_restartParams = params;
        m_restart = true;
        m_window->close(); // a normal end: the place is saved, the run ends
    });
    m_blinkLimit = std::make_unique<CursorBlinkLimit>();
    m_window->show();
    return true;
}

// A link alone on the command line becomes the parameters that join its table; a bad one
// starts nothing at all.
bool WindowProgram::takeInvitationLink(QByteArray& link) {
    if (m_options.params.size() != 1 || !netaddr::looksLikeInviteLink(m_options.params.front())) {
        return true;
    }
    link = QByteArray::fromStdString(m_options.params.front());
    const std::filesystem::path settingsFile =
        m_options.settingsPath.isEmpty()
            ? settings::settingsFilePath()
            : std::filesystem::path(m_options.settingsPath.toStdString());
    const TableLaunch join = joinFromLink(link, linkPlayerName(settingsFile));
    if (!join.ok()) {
        m_exitCode = 2;
        m_notice(join.problem);
        return false;
    }
    m_options.params.clear();
    for (const QString& param : join.params) {
        m_options.params.push_back(param.toLatin1().toStdString());
    }
    return true;
}

void WindowProgram::offerInvitation(const QByteArray& link) {
    if (!m_window || m_window->closeRequested()) {
        return;
    }
    const TableLaunch join = joinFromLink(link, linkPlayerName(m_window->settingsPath()));
    if (!join.ok()) {
        showErrorBox(m_window.get(), join.problem);
        return;
    }
    if (!m_window->confirm(
            QStringLiteral("Leave this table and join the table at %1?").arg(join.params.at(1)))) {
        return;
    }
    m_restartParams = join.params;
    m_restart = true;
    m_window->closeWithoutAsking(); // asked just now
}

bool WindowProgram::finish() {
    if (!m_restart) {
        return true;
    }
    m_restart = false;
    // The new copy must find the game port and the single-instance name free.
    setEventErrorSink(nullptr);
    m_window.reset();
    m_instance.reset();
    return m_startCopy(m_restartParams);
}

std::vector<std::string> wireParams(int argc, char** argv) {
    std::vector<std::string> params;
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        params.push_back(protocol::textFromUtf8(QString::fromLocal8Bit(argv[i]).toStdString()));
    }
    return params;
}

} // namespace lastling::shell
