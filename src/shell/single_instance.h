#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace lastling::shell {

// One copy of the window program per user: the first copy listens on the local socket
// "levrok" in the user's private runtime folder; a later copy asks it to raise its window and
// ends. Both ends check who is on the other side: only the same user may raise, or be raised.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // "levrok" in the user's private runtime folder; empty when there is no such folder.
    static QString defaultName();

    // The user whose copies count; the process's own user unless a test says otherwise.
    void setTrustedUser(unsigned user);

    // True when this is the first copy (it now holds the name, or nobody can hold it);
    // false when another copy runs, which has been asked to raise its window, and to join the
    // table of `inviteLink` when one is given.
    bool claim(const QByteArray& inviteLink = {});
    bool holdsName() const;

signals:
    void raiseRequested();
    // A later copy was started with an invitation link (as it was given: check it).
    void joinRequested(const QByteArray& inviteLink);

private:
    bool askRunningCopyToRaise(const QByteArray& inviteLink);
    void readRequest(QLocalSocket* socket);
    void acceptRequest();
    bool trusted(qintptr socketDescriptor) const;

    QString m_name;
    unsigned m_trustedUser;
    QLocalServer* m_server = nullptr;
};

} // namespace lastling::shell
