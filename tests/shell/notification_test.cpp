// Desktop notifications against a fake notification service on a private bus that the test
// starts itself, so no test ever claims the name on a real desktop's bus.
#include "shell/desktop_notifier.h"

#include "client/table_client.h"
#include "shell/main_window.h"

#include "gui_app.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

#include <vector>

namespace lastling::shell {
namespace {

using testing::runUntil;

struct NotifyCall {
    QString app;
    uint replaces = 0;
    QString summary;
    QString body;
    QStringList actions;
};

// Stands in for the desktop's notification daemon: records every Notify and answers with
// ids from 41 on.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    std::vector<NotifyCall> calls;

public slots:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints,
                int timeout) {
        static_cast<void>(icon);
        static_cast<void>(hints);
        static_cast<void>(timeout);
        calls.push_back({app, replaces, summary, body, actions});
        return 40 + static_cast<uint>(calls.size());
    }
};

// A bus of the test's own (dbus-daemon), the service on a connection of its own as another
// program on the bus would be, and the connection the window's side uses.
class NotificationTest : public testing::WindowFixture {
protected:
    void SetUp() override {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted(10000)) {
            GTEST_SKIP() << "no dbus-daemon to start a private bus with";
        }
        ASSERT_TRUE(runUntil([&] { return m_daemon.canReadLine(); }, 30));
        const QString address = QString::fromLatin1(m_daemon.readLine()).trimmed();
        m_service = QDBusConnection::connectToBus(address, kServiceConnection);
        m_window = QDBusConnection::connectToBus(address, kWindowConnection);
        ASSERT_TRUE(m_service.isConnected());
        ASSERT_TRUE(m_window.isConnected());
        ASSERT_TRUE(m_service.registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                             &m_fake, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(m_service.registerService(QStringLiteral("org.freedesktop.Notifications")));
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(kServiceConnection);
        QDBusConnection::disconnectFromBus(kWindowConnection);
        m_daemon.terminate();
        m_daemon.waitForFinished(10000);
    }
    void clickNotification(uint id) {
        QDBusMessage click = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("ActionInvoked"));
        click << id << QStringLiteral("default");
        m_service.send(click);
    }

    static inline const QString kServiceConnection = QStringLiteral("fake-notifications");
    static inline const QString kWindowConnection = QStringLiteral("window-side");
    QProcess m_daemon;
    QDBusConnection m_service{QStringLiteral("none yet")};
    QDBusConnection m_window{QStringLiteral("none yet")};
    FakeNotifications m_fake;
};

// A solo game in a window behind another: our turn is notified once, and a click on the
// notification brings the window up.
TEST_F(NotificationTest, OurTurnInABackgroundWindowIsNotifiedAndItsClickRaisesTheWindow) {
    MainWindow window(options());
    window.show();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(
        runUntil([&] { return state(window).loggedin && view(window).startButtonVisible; }));
    ASSERT_FALSE(window.isActiveWindow());
    auto* notifier = window.findChild<DesktopNotifier*>();
    ASSERT_NE(notifier, nullptr);
    notifier->setBus(m_window);
    window.client().model().gameStartChosen("10");
    ASSERT_TRUE(runUntil([&] { return state(window).whoseturn == state(window).myseat; }));
    ASSERT_FALSE(window.isActiveWindow());
    ASSERT_TRUE(runUntil([&] { return !m_fake.calls.empty(); }));
    ASSERT_EQ(m_fake.calls.size(), 1u);
    EXPECT_EQ(m_fake.calls[0].app, QStringLiteral("Lastling"));
    EXPECT_EQ(m_fake.calls[0].replaces, 0u);
    EXPECT_EQ(m_fake.calls[0].summary, QStringLiteral("Your turn at the solo table"));
    EXPECT_TRUE(m_fake.calls[0].actions.contains(QStringLiteral("default")));

    QSignalSpy raised(notifier, &DesktopNotifier::raised);
    clickNotification(40); // not ours: nothing
    clickNotification(41);
    ASSERT_TRUE(runUntil([&] { return raised.count() > 0; }));
    EXPECT_EQ(raised.count(), 1);
}

struct AttentionCase {
    const char* what;
    bool serviceThere;
    bool busThere;
    bool switchedOn;
    int notified; // Notify calls
    int alerts;   // the window's attention hint
};

// Only a service on the bus, switched on, gets the notification; else the attention hint,
// once per call. An active window asks for nothing.
TEST_F(NotificationTest, WithoutAServiceOrSwitchedOffTheWindowAsksForAttention) {
    const AttentionCase cases[] = {
        {"service", true, true, true, 1, 0},
        {"no owner of the name", false, true, true, 0, 1},
        {"no bus", true, false, true, 0, 1},
        {"switched off", true, true, false, 0, 1},
    };
    for (const AttentionCase& c : cases) {
        SCOPED_TRACE(c.what);
        m_fake.calls.clear();
        if (!c.serviceThere) {
            m_service.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        }
        QWidget window; // never shown: not the active window
        int alerts = 0;
        auto* notifier = new DesktopNotifier(window, [&alerts] { ++alerts; });
        notifier->setBus(c.busThere ? m_window
                                    : QDBusConnection(QStringLiteral("no-such-connection")));
        notifier->setEnabled(c.switchedOn);
        notifier->tell(QStringLiteral("A game is starting"), QStringLiteral("At Ann's table"));
        runUntil([&] { return m_fake.calls.size() + static_cast<std::size_t>(alerts) > 0; }, 10);
        EXPECT_EQ(static_cast<int>(m_fake.calls.size()), c.notified);
        EXPECT_EQ(alerts, c.alerts);
        if (c.notified == 1) {
            EXPECT_EQ(m_fake.calls[0].summary, QStringLiteral("A game is starting"));
            EXPECT_EQ(m_fake.calls[0].body, QStringLiteral("At Ann's table"));
        }
        m_service.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }
}

} // namespace
} // namespace lastling::shell

#include "notification_test.moc"
