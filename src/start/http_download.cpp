#include "start/http_download.h"

#include <QIODevice>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <curl/curl.h>

#include <map>
#include <mutex>
#include <vector>

namespace lastling::start {

namespace {

constexpr const char* kAgent = "Mozilla/3.0 (compatible)";
constexpr const char* kAccept = "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
constexpr long kMaxRedirects = 5;

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

QByteArray withoutLineEnd(const char* data, std::size_t size) {
    QByteArray line(data, static_cast<qsizetype>(size));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

// "HTTP/1.1 404 Not Found" gives "Not Found".
QString reasonOfStatusLine(const QByteArray& line) {
    const auto parts = line.split(' ');
    if (parts.size() < 3)
        return {};
    return QString::fromLatin1(line.mid(parts[0].size() + parts[1].size() + 2)).trimmed();
}

} // namespace

struct HttpDownload::Transfer {
    enum class EventKind { Header, BodyBegin, Piece };
    struct Event {
        EventKind kind;
        QByteArray line;
        qint64 count = 0;
    };
    struct Watch {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
    };

    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    curl_slist* headers = nullptr;
    QIODevice* destination = nullptr;
    std::map<int, Watch> watches;
    std::vector<Event> pending;
    QByteArray url;
    char errorText[CURL_ERROR_SIZE] = {};
    QString lastReason;
    qint64 received = 0;
    bool bodyStarted = false;
    bool done = false;
    CURLcode code = CURLE_OK;
    QString writeError;

    ~Transfer() {
        if (multi && easy)
            curl_multi_remove_handle(multi, easy);
        if (easy)
            curl_easy_cleanup(easy);
        if (multi)
            curl_multi_cleanup(multi);
        curl_slist_free_all(headers);
        for (auto& [fd, watch] : watches)
            dropWatch(watch);
    }

    static void dropNotifier(QSocketNotifier*& notifier) {
        if (!notifier)
            return;
        // It may be the sender of the event being handled.
        notifier->setEnabled(false);
        notifier->deleteLater();
        notifier = nullptr;
    }
    static void dropWatch(Watch& watch) {
        dropNotifier(watch.read);
        dropNotifier(watch.write);
    }

    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self) {
        auto* transfer = static_cast<Transfer*>(self);
        const QByteArray line = withoutLineEnd(data, size * count);
        if (line.startsWith("HTTP/"))
            transfer->lastReason = reasonOfStatusLine(line);
        if (!line.isEmpty())
            transfer->pending.push_back({EventKind::Header, line});
        return size * count;
    }

    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self) {
        auto* transfer = static_cast<Transfer*>(self);
        const auto length = static_cast<qint64>(size * count);
        if (!transfer->bodyStarted) {
            transfer->bodyStarted = true;
            transfer->pending.push_back({EventKind::BodyBegin, {}});
        }
        if (transfer->destination->write(data, length) != length) {
            transfer->writeError = transfer->destination->errorString();
            return 0; // curl ends the transfer with a write error
        }
        transfer->received += length;
        transfer->pending.push_back({EventKind::Piece, {}, transfer->received});
        return size * count;
    }
};

HttpDownload::HttpDownload(QObject* parent) : QObject(parent) {
    initCurlOnce();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { drive(CURL_SOCKET_TIMEOUT, 0); });
}

HttpDownload::~HttpDownload() = default;

bool HttpDownload::isRunning() const {
    return m_transfer != nullptr;
}

qint64 HttpDownload::bytesReceived() const {
    return m_transfer ? m_transfer->received : m_lastCount;
}

bool HttpDownload::start(const QUrl& url, QIODevice* destination) {
    const QString scheme = url.scheme().toLower();
    if (m_transfer || !destination || !url.isValid() || (scheme != "http" && scheme != "https"))
        return false;
    auto transfer = std::make_unique<Transfer>();
    transfer->destination = destination;
    transfer->url = url.toEncoded();
    transfer->multi = curl_multi_init();
    transfer->easy = curl_easy_init();
    if (!transfer->multi || !transfer->easy)
        return false;
    transfer->headers = curl_slist_append(nullptr, kAccept);

    CURL* easy = transfer->easy;
    curl_easy_setopt(easy, CURLOPT_URL, transfer->url.constData());
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(easy, CURLOPT_USERAGENT, kAgent);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, transfer->headers);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_limits.connect.count()));
    // A server that sends nothing for this long is taken as gone.
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(m_limits.stall.count()));
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer->errorText);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Transfer::onHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, transfer.get());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get());

    curl_multi_setopt(transfer->multi, CURLMOPT_SOCKETFUNCTION, &HttpDownload::onCurlSocket);
    curl_multi_setopt(transfer->multi, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(transfer->multi, CURLMOPT_TIMERFUNCTION, &HttpDownload::onCurlTimer);
    curl_multi_setopt(transfer->multi, CURLMOPT_TIMERDATA, this);

    m_lastCount = 0;
    m_transfer = std::move(transfer);
    // Adding the handle asks for a timeout of 0 through onCurlTimer: the work starts from the
    // event loop, after this call has returned.
    if (curl_multi_add_handle(m_transfer->multi, easy) != CURLM_OK) {
        m_transfer.reset();
        return false;
    }
    return true;
}

void HttpDownload::abort() {
    if (!m_transfer)
        return;
    m_transfer->pending.clear();
    finishTransfer({DownloadResult::Kind::HttpError, 0, tr("Download stopped")});
}

int HttpDownload::onCurlSocket(void*, int fd, int what, void* self, void*) {
    static_cast<HttpDownload*>(self)->watchSocket(fd, what);
    return 0;
}

int HttpDownload::onCurlTimer(void*, long timeoutMs, void* self) {
    auto* download = static_cast<HttpDownload*>(self);
    if (timeoutMs < 0 || !download->m_transfer)
        download->m_timer.stop();
    else
        download->m_timer.start(static_cast<int>(timeoutMs));
    return 0;
}

void HttpDownload::watchSocket(int fd, int what) {
    if (!m_transfer)
        return; // the transfer is being taken down and drops every watch itself
    auto& watches = m_transfer->watches;
    if (what == CURL_POLL_REMOVE) {
        if (auto found = watches.find(fd); found != watches.end()) {
            Transfer::dropWatch(found->second);
            watches.erase(found);
        }
        return;
    }
    auto& watch = watches[fd];
    const bool wantRead = what == CURL_POLL_IN || what == CURL_POLL_INOUT;
    const bool wantWrite = what == CURL_POLL_OUT || what == CURL_POLL_INOUT;
    if (wantRead && !watch.read) {
        watch.read = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(watch.read, &QSocketNotifier::activated, this,
                [this, fd] { drive(fd, CURL_CSELECT_IN); });
    }
    if (wantWrite && !watch.write) {
        watch.write = new QSocketNotifier(fd, QSocketNotifier::Write, this);
        connect(watch.write, &QSocketNotifier::activated, this,
                [this, fd] { drive(fd, CURL_CSELECT_OUT); });
    }
    if (!wantRead)
        Transfer::dropNotifier(watch.read);
    if (!wantWrite)
        Transfer::dropNotifier(watch.write);
}

void HttpDownload::drive(int fd, int curlEvent) {
    if (!m_transfer)
        return;
    int running = 0;
    curl_multi_socket_action(m_transfer->multi, static_cast<curl_socket_t>(fd), curlEvent,
                             &running);
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(m_transfer->multi, &left)) {
        if (message->msg == CURLMSG_DONE) {
            m_transfer->done = true;
            m_transfer->code = message->data.result;
        }
    }
    QPointer<HttpDownload> self(this);
    deliverEvents();
    if (self && m_transfer && m_transfer->done)
        finishTransfer(resultOfTransfer());
}

void HttpDownload::deliverEvents() {
    QPointer<HttpDownload> self(this);
    std::size_t next = 0;
    // A handler may abort, which ends the transfer and its queue.
    while (self && m_transfer && next < m_transfer->pending.size()) {
        const Transfer::Event event = m_transfer->pending[next++];
        switch (event.kind) {
        case Transfer::EventKind::Header:
            emit headerLine(event.line);
            break;
        case Transfer::EventKind::BodyBegin:
            emit bodyBegin();
            break;
        case Transfer::EventKind::Piece:
            emit bodyPiece(event.count);
            break;
        }
    }
    if (self && m_transfer)
        m_transfer->pending.clear();
}

DownloadResult HttpDownload::resultOfTransfer() const {
    const Transfer& transfer = *m_transfer;
    long status = 0;
    curl_easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &status);
    if (transfer.code == CURLE_WRITE_ERROR && !transfer.writeError.isNull())
        return {DownloadResult::Kind::WriteFailed, static_cast<int>(status), transfer.writeError};
    // The last hop's status would only confuse: the chain itself is what failed.
    if (transfer.code == CURLE_TOO_MANY_REDIRECTS)
        return {DownloadResult::Kind::HttpError, 0, tr("too many redirects")};
    if (transfer.code != CURLE_OK && transfer.code != CURLE_HTTP_RETURNED_ERROR) {
        const QString detail = transfer.errorText[0] != '\0'
                                   ? QString::fromLocal8Bit(transfer.errorText)
                                   : QString::fromLatin1(curl_easy_strerror(transfer.code));
        long osError = 0;
        if (transfer.code == CURLE_COULDNT_CONNECT)
            curl_easy_getinfo(transfer.easy, CURLINFO_OS_ERRNO, &osError);
        return {DownloadResult::Kind::HttpError, static_cast<int>(status), detail,
                static_cast<int>(osError)};
    }
    // Only a 2xx answer delivers the document; anything else is an error, also below 400.
    if (status < 200 || status > 299)
        return {DownloadResult::Kind::HttpError, static_cast<int>(status), transfer.lastReason};
    return {DownloadResult::Kind::Complete, static_cast<int>(status), transfer.lastReason};
}

void HttpDownload::finishTransfer(const DownloadResult& result) {
    m_lastCount = m_transfer->received;
    const bool bodyStarted = m_transfer->bodyStarted;
    // curl calls back while it is taken down; those calls see no transfer.
    auto ended = std::move(m_transfer);
    ended.reset();
    m_timer.stop();
    QPointer<HttpDownload> self(this);
    if (result.kind == DownloadResult::Kind::Complete && !bodyStarted)
        emit bodyBegin(); // an empty document still begins
    if (self)
        emit finished(result);
}

} // namespace lastling::start
