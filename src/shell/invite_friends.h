#pragma once

#include "net/port_mapping_rules.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lastling::portmap {
class PortOpener;
} // namespace lastling::portmap

namespace lastling::shell {

class MainWindow;

// File > "Invite Friends...": where friends can join this table, and a Copy button that puts
// the invitation link on the clipboard: the router's outside address when it forwards the
// port, else a global IPv6 address, else the address on the local network.
class InviteDialog : public QDialog {
    Q_OBJECT
public:
    explicit InviteDialog(QWidget* parent = nullptr);

    // `link` empty: nothing to copy yet.
    void showState(const QString& text, const QString& link);
    QString text() const;
    QString link() const;
    QPushButton* copyButton() const { return m_copy; }

private:
    QLabel* m_text = nullptr;
    QLineEdit* m_link = nullptr;
    QPushButton* m_copy = nullptr;
};

// While the window hosts a table for others and Options > "Open Port on the Router" is on
// (kept in the settings file as "Openport"), the home router is asked to forward the game
// port; its answer goes to the chat and the invite window. The mapping goes with the table.
class FriendInvitations : public QObject {
    Q_OBJECT
public:
    // Port > 0 asks the router to forward it, 0 lets go; answers come back to showReport.
    using RouterRequest = std::function<void(int port)>;

    explicit FriendInvitations(MainWindow& window);
    ~FriendInvitations() override;

    void setRouterRequest(RouterRequest request) { m_request = std::move(request); }
    void tableHosted(int port);
    void showReport(const portmap::Report& report);

    QAction* inviteItem() const { return m_invite; }
    QAction* openPortItem() const { return m_openPort; }
    InviteDialog* dialog() const { return m_dialog; }

private:
    void openPortToggled(bool on);
    void openInvite();
    void refreshDialog();
    void askRouter(int port);

    MainWindow& m_window;
    QAction* m_invite = nullptr;
    QAction* m_openPort = nullptr;
    QPointer<InviteDialog> m_dialog;
    RouterRequest m_request;
    std::unique_ptr<portmap::PortOpener> m_opener;
    std::optional<portmap::Report> m_report;
    int m_port = 0; // the hosted table's port; 0 while not hosting for others
    bool m_asking = false;
};

// The address this machine has that a friend can reach without the router's help: a global
// IPv6 address, else nothing.
QString globalIpv6Address();
// This machine's address on the local network (IPv4), for friends in the same home.
QString localIpv4Address();

} // namespace lastling::shell
