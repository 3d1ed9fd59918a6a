#include "shell/desktop_notifier.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace lastling::shell {

namespace {

constexpr int kServerDecidesTimeout = -1;

} // namespace

DesktopNotifier::DesktopNotifier(QWidget& window, Alert alert)
    : QObject(&window), m_window(&window), m_alert(std::move(alert)) {
    if (!m_alert) {
        m_alert = [this] {
            if (m_window) {
                QApplication::alert(m_window);
            }
        };
    }
}

void DesktopNotifier::setBus(const QDBusConnection& bus) {
    m_bus = bus;
    // QtDBus matches signals by a slot's signature only. Any sender may claim a click on
    // our notification; the worst it can do is bring our window up.
    if (m_bus->isConnected()) {
        m_bus->connect(QString(), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
                       QStringLiteral("ActionInvoked"), this, SLOT(actionInvoked(uint, QString)));
    }
}

QDBusConnection& DesktopNotifier::bus() {
    if (!m_bus) {
        // Without an address libdbus would try to start a bus of its own (X11 autolaunch).
        setBus(qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
                   ? QDBusConnection(QStringLiteral("lastling-no-bus"))
                   : QDBusConnection::sessionBus());
    }
    return *m_bus;
}

void DesktopNotifier::tell(const QString& summary, const QString& body) {
    if (!m_window || m_window->isActiveWindow()) {
        return;
    }
    if (m_enabled && serviceThere()) {
        sendNotification(summary, body);
    } else {
        m_alert();
    }
}

bool DesktopNotifier::serviceThere() {
    const QDBusConnectionInterface* daemon = bus().isConnected() ? bus().interface() : nullptr;
    return daemon != nullptr && daemon->isServiceRegistered(QString::fromLatin1(kService)).value();
}

// Sent without waiting: a service that hangs must not hold up the table. One that answers
// with an error leaves the player the attention hint.
void DesktopNotifier::sendNotification(const QString& summary, const QString& body) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                       QString::fromLatin1(kInterface), QStringLiteral("Notify"));
    call << QStringLiteral("Lastling") << m_lastId << QStringLiteral("lastling") << summary << body
         << QStringList{QStringLiteral("default"), QStringLiteral("Show the table")}
         << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("lastling")}}
         << kServerDecidesTimeout;
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isError()) {
                    m_alert();
                } else {
                    m_lastId = reply.value();
                }
                finished->deleteLater();
            });
}

void DesktopNotifier::actionInvoked(uint id, const QString& actionKey) {
    if (id != 0 && id == m_lastId && actionKey == QStringLiteral("default")) {
        bringUp();
    }
}

void DesktopNotifier::bringUp() {
    if (!m_window) {
        return;
    }
    if (m_window->isMinimized()) {
        m_window->showNormal();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    emit raised();
}

} // namespace lastling::shell
