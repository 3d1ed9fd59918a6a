#pragma once

#include "start/lobby_installer.h"

#include <QDir>
#include <QHostAddress>
#include <QMap>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <deque>

namespace lastling::start::testing {

// One HTTP answer sent by hand: a head, then body pieces as the test releases them.
class HandServer : public QObject {
public:
    HandServer() {
        // A proxy taken from the environment must not stand between the test and its server.
        qputenv("no_proxy", "127.0.0.1");
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            if (!m_redirects.empty()) {
                redirect(m_server.nextPendingConnection());
                return;
            }
            m_peer = m_server.nextPendingConnection();
            QObject::connect(m_peer, &QTcpSocket::readyRead, this, [this] {
                m_request += m_peer->readAll();
                if (!m_answered && m_request.contains("\r\n\r\n")) {
                    m_answered = true;
                    m_peer->write(m_head);
                    sendPiece();
                }
            });
        });
    }

    // `head` goes out whole when the request has arrived, with the first piece.
    void answer(QByteArray head, std::deque<QByteArray> pieces) {
        m_head = std::move(head);
        m_pieces = std::move(pieces);
    }
    QString url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    // Sends the next piece; after the last one the connection ends, as HTTP/1.0 does.
    void sendPiece() {
        if (!m_peer)
            return;
        if (m_pieces.empty()) {
            m_peer->disconnectFromHost();
            return;
        }
        m_sent += m_pieces.front().size();
        m_peer->write(m_pieces.front());
        m_pieces.pop_front();
        if (m_pieces.empty())
            m_peer->disconnectFromHost();
    }
    // The first `count` connections are sent to `path` on this server, one hop each.
    void redirectFirst(int count, const QByteArray& path) {
        for (int i = 0; i < count; ++i)
            m_redirects.push_back("HTTP/1.0 302 Found\r\nLocation: " + path + "\r\n\r\n");
    }
    qint64 sent() const { return m_sent; }
    const QByteArray& request() const { return m_request; }

private:
    void redirect(QTcpSocket* peer) {
        QObject::connect(peer, &QTcpSocket::readyRead, peer, [peer, head = m_redirects.front()] {
            peer->readAll();
            peer->write(head);
            peer->disconnectFromHost();
        });
        m_redirects.pop_front();
    }

    QTcpServer m_server;
    std::deque<QByteArray> m_redirects;
    QTcpSocket* m_peer = nullptr;
    QByteArray m_request;
    QByteArray m_head;
    std::deque<QByteArray> m_pieces;
    qint64 m_sent = 0;
    bool m_answered = false;
};

inline QByteArray okHead(qsizetype length) {
    return "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
           QByteArray::number(length) + "\r\n\r\n";
}

// Records what the installer asks of the desktop; opening files succeeds unless told.
class RecordingDesktop : public Desktop {
public:
    bool openFile(const QString& path) override {
        opened << path;
        return opens;
    }
    bool startProgram(const QString& program) override {
        started << program;
        return true;
    }
    void showMessage(const QString& text) override { messages << text; }
    bool ask(const QString& text) override {
        questions << text;
        return answer;
    }

    bool opens = true;
    bool answer = true;
    QStringList questions;
    QStringList opened;
    QStringList started;
    QStringList messages;
};

// Settings from a map, files in a temporary folder.
struct Workplace {
    QTemporaryDir folder;
    QMap<QString, QString> settings;
    RecordingDesktop desktop;

    InstallerEnvironment environment() {
        return {[this](const QString& key, const QString& fallback) {
                    return settings.value(key, fallback);
                },
                [this](const QString& name) { return folder.filePath(name); }, &desktop,
                [this](const QString& key, const QString& value) {
                    settings[key] = value;
                    return QString();
                }};
    }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files | QDir::System); }
};

// Waits for the transfer to end; the event loop runs meanwhile.
inline bool waitUntilIdle(const LobbyInstaller& installer) {
    return QTest::qWaitFor([&] { return installer.downloadEnabled(); }, 10000);
}

} // namespace lastling::start::testing
