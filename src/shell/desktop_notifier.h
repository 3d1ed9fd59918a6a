#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace lastling::shell {

// Tells a player whose window is in the background that the table wants them: a desktop
// notification through the freedesktop notification service on the session bus, whose click
// brings the window up. Switched off, or without a service on the bus, the window asks for
// attention the way it always has (QApplication::alert).
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    using Alert = std::function<void()>;

    static constexpr const char* kService = "org.freedesktop.Notifications";
    static constexpr const char* kPath = "/org/freedesktop/Notifications";
    static constexpr const char* kInterface = "org.freedesktop.Notifications";

    // `alert` defaults to QApplication::alert on the window.
    explicit DesktopNotifier(QWidget& window, Alert alert = {});

    // The bus to find the service on (tests: a private one). Without it the session bus is
    // taken when first needed, and only where the session names one: nothing starts a bus.
    void setBus(const QDBusConnection& bus);

    void setEnabled(bool on) { m_enabled = on; }
    bool enabled() const { return m_enabled; }

    // Nothing while the window is the active one: the player sees the table already.
    void tell(const QString& summary, const QString& body = {});

signals:
    void raised(); // the player clicked our notification and the window came up

private slots:
    void actionInvoked(uint id, const QString& actionKey);

private:
    QDBusConnection& bus();
    bool serviceThere();
    void sendNotification(const QString& summary, const QString& body);
    void bringUp();

    QPointer<QWidget> m_window;
    std::optional<QDBusConnection> m_bus;
    Alert m_alert;
    bool m_enabled = true;
    uint m_lastId = 0; // our newest notification, replaced by the next one
};

} // namespace lastling::shell
