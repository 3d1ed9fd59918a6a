#include "shell/single_instance.h"

#include "settings/program_files.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <optional>

#include <sys/socket.h>
#include <unistd.h>

namespace lastling::shell {

namespace {

const QByteArray kRaiseRequest = "raise\n";
const QByteArray kJoinRequest = "join "; // followed by the link and a line end
constexpr qsizetype kLongestRequest = 512;
constexpr int kHandshakeMs = 1000;

// The user of the process at the other end of a local socket, as the kernel knows it.
std::optional<unsigned> peerUser(qintptr socketDescriptor) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (socketDescriptor < 0 || ::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET,
                                             SO_PEERCRED, &credentials, &size) != 0) {
        return std::nullopt;
    }
    return credentials.uid;
}

} // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), m_name(std::move(name)), m_trustedUser(::geteuid()),
      m_server(new QLocalServer(this)) {
    // No socket options: with them Qt binds elsewhere and renames over the name, which would
    // silently take it from a running copy.
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptRequest);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName() {
    // Never a name in the shared temporary folder: another user could take it first.
    const auto folder = settings::privateRuntimeFolder();
    return folder ? QString::fromStdString((*folder / "levrok").string()) : QString();
}

void SingleInstance::setTrustedUser(unsigned user) {
    m_trustedUser = user;
}

bool SingleInstance::trusted(qintptr socketDescriptor) const {
    return peerUser(socketDescriptor) == m_trustedUser;
}

bool SingleInstance::holdsName() const {
    return m_server->isListening();
}

bool SingleInstance::claim(const QByteArray& inviteLink) {
    if (m_server->listen(m_name)) {
        return true;
    }
    if (askRunningCopyToRaise(inviteLink)) {
        return false;
    }
    // Nobody of ours answers on the name: a copy that crashed left it behind. Take it over.
    QLocalServer::removeServer(m_name);
    m_server->listen(m_name);
    return true; // also when the name cannot be held at all: run as the first copy
}

bool SingleInstance::askRunningCopyToRaise(const QByteArray& inviteLink) {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kHandshakeMs) || !trusted(socket.socketDescriptor())) {
        return false; // a stranger's socket is no copy of ours and hears nothing from us
    }
    const bool joining = !inviteLink.isEmpty() && !inviteLink.contains('\n') &&
                         kJoinRequest.size() + inviteLink.size() + 1 < kLongestRequest;
    socket.write(joining ? kJoinRequest + inviteLink + '\n' : kRaiseRequest);
    socket.waitForBytesWritten(kHandshakeMs);
    socket.disconnectFromServer();
    return true;
}

// A request is one short line from the same user; anything else is read no further.
void SingleInstance::acceptRequest() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!trusted(socket->socketDescriptor())) {
            socket->disconnectFromServer();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
    }
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() >= kLongestRequest) {
            socket->disconnectFromServer();
        }
        return; // the rest of the line is on its way
    }
    const QByteArray request = socket->readLine(kLongestRequest);
    socket->disconnectFromServer();
    if (request == kRaiseRequest) {
        emit raiseRequested();
    } else if (request.startsWith(kJoinRequest) && request.endsWith('\n')) {
        emit raiseRequested();
        emit joinRequested(request.mid(kJoinRequest.size()).chopped(1));
    }
}

} // namespace lastling::shell
