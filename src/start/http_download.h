#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <memory>

class QIODevice;

namespace lastling::start {

// How a transfer ended. `HttpError` covers a status of 400 or more, a connection that could
// not be made and a stop by Abort; `WriteFailed` means the destination refused the body.
struct DownloadResult {
    enum class Kind { Complete, HttpError, WriteFailed };
    Kind kind = Kind::Complete;
    int status = 0; // the server's status code, 0 when no answer was read
    QString reason; // the status line's reason, or why the transfer failed
    int osError = 0; // errno of a connection that could not be made, else 0
};

// How long a transfer may wait: for its connection to be made, and for any byte of the answer
// once connected (a slow but moving transfer is never cut).
struct DownloadLimits {
    std::chrono::milliseconds connect{30000};
    std::chrono::seconds stall{60};
};

// An HTTP/1.0 GET run by libcurl on the caller's event loop: the sockets are watched by
// QSocketNotifiers and curl's timeouts by a QTimer, so windows, timers and other sockets go
// on during a transfer and no event loop is nested. Every signal comes on the caller's thread,
// never from inside a curl call, so a handler may call abort() or destroy the object's owner
// only through deleteLater().
class HttpDownload : public QObject {
    Q_OBJECT
public:
    explicit HttpDownload(QObject* parent = nullptr);
    ~HttpDownload() override;

    HttpDownload(const HttpDownload&) = delete;
    HttpDownload& operator=(const HttpDownload&) = delete;

    // Starts fetching `url` into `destination`, which must stay open until finished().
    // Returns false (and emits nothing) while another transfer runs or for a non-HTTP address.
    bool start(const QUrl& url, QIODevice* destination);
    // Stops a running transfer; finished() then reports an HTTP error. Harmless when idle.
    void abort();
    // Takes effect at the next start().
    void setLimits(const DownloadLimits& limits) { m_limits = limits; }

    bool isRunning() const;
    qint64 bytesReceived() const;

signals:
    void headerLine(const QByteArray& line); // each line of the answer's head, without CR LF
    void bodyBegin();                        // once, before the first piece of the body
    void bodyPiece(qint64 bytesReceived);    // after each piece was written
    void finished(const lastling::start::DownloadResult& result);

private:
    struct Transfer;
    // libcurl's socket and timer callbacks (CURL and CURLM are void, sockets are int here).
    static int onCurlSocket(void* easy, int fd, int what, void* self, void* socketData);
    static int onCurlTimer(void* multi, long timeoutMs, void* self);
    void watchSocket(int fd, int what);
    void drive(int fd, int curlEvent);
    void deliverEvents();
    DownloadResult resultOfTransfer() const;
    void finishTransfer(const DownloadResult& result);

    std::unique_ptr<Transfer> m_transfer;
    QTimer m_timer;
    DownloadLimits m_limits;
    qint64 m_lastCount = 0;
};

} // namespace lastling::start
