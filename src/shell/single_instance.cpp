#include "shell/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <pwd.h>
#include <unistd.h>

namespace lastling::shell {

namespace {

const QByteArray kRaiseRequest = "raise\n";
constexpr int kHandshakeMs = 1000;

} // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), m_name(std::move(name)), m_server(new QLocalServer(this)) {
    // No socket options: with them Qt binds elsewhere and renames over the name, which would
    // silently take it from a running copy.
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptRequest);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName() {
    const passwd* user = getpwuid(getuid());
    const QString login = user != nullptr && user->pw_name != nullptr
                              ? QString::fromLocal8Bit(user->pw_name)
                              : QString::number(getuid());
    return QStringLiteral("levrok-") + login;
}

bool SingleInstance::holdsName() const {
    return m_server->isListening();
}

bool SingleInstance::claim() {
    if (m_server->listen(m_name)) {
        return true;
    }
    if (askRunningCopyToRaise()) {
        return false;
    }
    // Nobody answers on the name: a copy that crashed left it behind. Take it over.
    QLocalServer::removeServer(m_name);
    m_server->listen(m_name);
    return true; // also when the name cannot be held at all: run as the first copy
}

bool SingleInstance::askRunningCopyToRaise() {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kHandshakeMs)) {
        return false;
    }
    socket.write(kRaiseRequest);
    socket.waitForBytesWritten(kHandshakeMs);
    socket.disconnectFromServer();
    return true;
}

// A request is one short line; anything else is read no further.
void SingleInstance::acceptRequest() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const QByteArray request = socket->read(kRaiseRequest.size());
            if (request == kRaiseRequest) {
                emit raiseRequested();
            }
            socket->disconnectFromServer();
        });
    }
}

} // namespace lastling::shell
