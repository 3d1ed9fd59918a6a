#include "shell/invite_friends.h"

#include "net/event_errors.h"
#include "net/invite_link.h"
#include "net/port_opener.h"
#include "settings/settings_file.h"
#include "shell/main_window.h"
#include "social/chat_panel.h"

#include <QAction>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QNetworkInterface>
#include <QPushButton>
#include <QVBoxLayout>

namespace lastling::shell {

namespace {

const char* const kOpenPortKey = "Openport";

QString fromStd(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QMenu* menuOf(QAction* item) {
    if (!item) {
        return nullptr;
    }
    for (QObject* owner : item->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner)) {
            return menu;
        }
    }
    return nullptr;
}

QString linkFor(const QString& address, int port) {
    return fromStd(
        netaddr::inviteLinkText(address.toStdString(), static_cast<std::uint16_t>(port)));
}

} // namespace

InviteDialog::InviteDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("InviteDialog"));
    setWindowTitle(tr("Lastling - Invite Friends"));
    auto* layout = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("label_invite"));
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(360);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_text);
    auto* row = new QHBoxLayout;
    m_link = new QLineEdit(this);
    m_link->setObjectName(QStringLiteral("edit_invitelink"));
    m_link->setReadOnly(true);
    m_link->setAccessibleName(tr("Invitation link"));
    row->addWidget(m_link);
    m_copy = new QPushButton(tr("&Copy"), this);
    m_copy->setObjectName(QStringLiteral("button_copylink"));
    m_copy->setAccessibleName(tr("Copy the invitation link"));
    row->addWidget(m_copy);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(m_link->text()); });
}

void InviteDialog::showState(const QString& text, const QString& link) {
    m_text->setText(text);
    m_link->setText(link);
    m_link->setEnabled(!link.isEmpty());
    m_copy->setEnabled(!link.isEmpty());
}

QString InviteDialog::text() const {
    return m_text->text();
}

QString InviteDialog::link() const {
    return m_link->text();
}

FriendInvitations::FriendInvitations(MainWindow& window) : QObject(&window), m_window(window) {
    m_request = [this](int port) { askRouter(port); };
    m_invite = new QAction(tr("&Invite Friends..."), &window);
    m_invite->setObjectName(QStringLiteral("InviteFriends1"));
    connect(m_invite, &QAction::triggered, this, &FriendInvitations::openInvite);
    QAction* exit = window.action(QStringLiteral("Exit1"));
    if (QMenu* file = menuOf(exit)) {
        // With the other table items, above the line before "Exit".
        const QList<QAction*> items = file->actions();
        const qsizetype exitAt = items.indexOf(exit);
        file->insertAction(exitAt > 0 ? items.at(exitAt - 1) : exit, m_invite);
    }
    m_openPort = new QAction(tr("Open Port on the Ro&uter"), &window);
    m_openPort->setObjectName(QStringLiteral("OpenPort1"));
    m_openPort->setCheckable(true);
    const auto saved = settings::readSettingText(window.settingsPath(), kOpenPortKey);
    m_openPort->setChecked(!saved || *saved != "false"); // on unless switched off
    if (QMenu* options = menuOf(window.action(QStringLiteral("JustWatch1")))) {
        options->addSeparator();
        options->addAction(m_openPort);
    }
    connect(m_openPort, &QAction::toggled, this, &FriendInvitations::openPortToggled);
    connect(&window, &MainWindow::tableHosted, this, &FriendInvitations::tableHosted);
    // The forwarding ends with the table, before a new copy may host again.
    connect(&window, &MainWindow::runEnded, this, [this] {
        if (m_asking) {
            m_asking = false;
            m_request(0);
        }
    });
}

FriendInvitations::~FriendInvitations() = default;

void FriendInvitations::askRouter(int port) {
    if (port == 0) {
        if (m_opener) {
            m_opener->close();
        }
        return;
    }
    if (!m_opener) {
        m_opener = std::make_unique<portmap::PortOpener>();
        connect(m_opener.get(), &portmap::PortOpener::reported, this,
                &FriendInvitations::showReport);
    }
    m_opener->open(static_cast<std::uint16_t>(port));
}

void FriendInvitations::tableHosted(int port) {
    m_port = port;
    if (m_openPort->isChecked() && port > 0) {
        m_asking = true;
        m_request(port);
    }
    refreshDialog();
}

void FriendInvitations::openPortToggled(bool on) {
    const settings::SaveResult saved =
        settings::writeKeys({{kOpenPortKey, on ? "true" : "false"}}, m_window.settingsPath());
    if (!saved) {
        reportEventError(saved.message);
    }
    if (m_port == 0 || on == m_asking) {
        return;
    }
    m_asking = on;
    m_report.reset();
    m_request(on ? m_port : 0);
    refreshDialog();
}

void FriendInvitations::showReport(const portmap::Report& report) {
    if (!m_asking) {
        return; // an answer to a question taken back
    }
    m_report = report;
    // The chat takes what comes before the first colon for a speaker's name; the sentences
    // hold colons of their own ("203.0.113.7:7772"), so the line names its speaker.
    m_window.chatPanel().addSystemLine("0+Router: " + report.sentence);
    refreshDialog();
}

void FriendInvitations::openInvite() {
    if (!m_dialog) {
        m_dialog = new InviteDialog(&m_window);
    }
    refreshDialog();
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

// What the window says, from the best address friends can use: the router's outside address,
// else a global IPv6 address of this machine, which needs no forwarding.
void FriendInvitations::refreshDialog() {
    if (!m_dialog) {
        return;
    }
    if (m_port == 0) {
        m_dialog->showState(tr("Host a table first (File > Host a Table...); then this window "
                               "shows where friends can join it."),
                            {});
        return;
    }
    if (m_report && m_report->outcome == portmap::Outcome::Mapped) {
        m_dialog->showState(fromStd(m_report->sentence),
                            linkFor(fromStd(m_report->address), m_report->port));
        return;
    }
    QString text;
    if (m_report) {
        text = fromStd(m_report->sentence);
    } else if (m_asking) {
        text = tr("Asking the router to open port %1...").arg(m_port);
    } else {
        text = tr("Options > Open Port on the Router is off: friends outside this network reach "
                  "the table only if port %1 is forwarded to this computer by hand.")
                   .arg(m_port);
    }
    const QString ipv6 = globalIpv6Address();
    if (!ipv6.isEmpty()) {
        text +=
            tr("\n\nFriends whose internet has IPv6 can join at [%1]:%2.").arg(ipv6).arg(m_port);
        m_dialog->showState(text, linkFor(ipv6, m_port));
        return;
    }
    const QString local = localIpv4Address();
    if (!local.isEmpty()) {
        text += tr("\n\nFriends on this network can join at %1:%2.").arg(local).arg(m_port);
        m_dialog->showState(text, linkFor(local, m_port));
        return;
    }
    m_dialog->showState(text, {});
}

QString globalIpv6Address() {
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() != QAbstractSocket::IPv6Protocol || address.isLoopback() ||
            address.isLinkLocal() || address.isUniqueLocalUnicast() || address.isSiteLocal() ||
            !address.isGlobal()) {
            continue;
        }
        const quint8 first = address.toIPv6Address()[0];
        if ((first & 0xE0) == 0x20) { // 2000::/3, the global unicast addresses
            return address.toString();
        }
    }
    return {};
}

QString localIpv4Address() {
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack)) {
            continue;
        }
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol) {
                return entry.ip().toString();
            }
        }
    }
    return {};
}

} // namespace lastling::shell
