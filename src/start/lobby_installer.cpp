#include "start/lobby_installer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>

namespace lastling::start {

namespace {

QString connectionWords(int osError) {
    switch (osError) {
    case ECONNREFUSED:
        return LobbyInstaller::tr("connection refused");
    case ETIMEDOUT:
        return LobbyInstaller::tr("timed out");
    case EHOSTUNREACH:
        return LobbyInstaller::tr("host unreachable");
    case ENETUNREACH:
        return LobbyInstaller::tr("network unreachable");
    default:
        return {};
    }
}

QString findProgram(const QString& program) {
    if (QFileInfo(program).isAbsolute()) {
        const QFileInfo file(program);
        return file.isFile() && file.isExecutable() ? program : QString();
    }
    return QStandardPaths::findExecutable(program);
}

// Beside the program when its folder is writable, else in the per-user data folder.
QString defaultPlace(const QString& fileName) {
    const QFileInfo programFolder(QCoreApplication::applicationDirPath());
    if (programFolder.isDir() && programFolder.isWritable())
        return programFolder.absoluteFilePath() + '/' + fileName;
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userFolder);
    return userFolder + '/' + fileName;
}

InstallerEnvironment completed(InstallerEnvironment environment) {
    if (!environment.setting)
        environment.setting = [](const QString&, const QString& fallback) { return fallback; };
    if (!environment.placeFile)
        environment.placeFile = &defaultPlace;
    return environment;
}

} // namespace

QString installerFileName(const QUrl& url) {
    const QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
    // Cut before decoding, so that an encoded slash cannot hide a folder in the name.
    const QString name = QUrl::fromPercentEncoding(path.mid(path.lastIndexOf('/') + 1));
    if (name.isEmpty() || name == "." || name == ".." || name.contains('/') ||
        name.contains('\\') || name.contains(QChar(0)))
        return {};
    return name;
}

// Four digits at most before the point: 1000 bytes already read as "1.0 KB".
QString sizeText(qint64 bytes) {
    constexpr qint64 kKilo = 1024;
    constexpr qint64 kDigits = 1000;
    if (bytes < kDigits)
        return LobbyInstaller::tr("%1 bytes").arg(bytes);
    if (bytes < kDigits * kKilo)
        return LobbyInstaller::tr("%1 KB").arg(static_cast<double>(bytes) / kKilo, 0, 'f', 1);
    return LobbyInstaller::tr("%1 MB").arg(static_cast<double>(bytes) / (kKilo * kKilo), 0, 'f', 1);
}

QString failureReason(const DownloadResult& result, qint64 received, qint64 total) {
    if (result.status != 0 && (result.status < 200 || result.status > 299))
        return QStringLiteral("%1 %2").arg(result.status).arg(result.reason).trimmed();
    const QString words = connectionWords(result.osError);
    if (!words.isEmpty())
        return words;
    if (result.status != 0 && total > received)
        return LobbyInstaller::tr("cut short after %1 of %2 bytes").arg(received).arg(total);
    return result.reason.isEmpty() ? LobbyInstaller::tr("failed") : result.reason;
}

LobbyInstaller::LobbyInstaller(InstallerEnvironment environment, QObject* parent)
    : QObject(parent), m_environment(completed(std::move(environment))) {
    connect(&m_download, &HttpDownload::headerLine, this, &LobbyInstaller::onHeaderLine);
    connect(&m_download, &HttpDownload::bodyBegin, this, [this] {
        m_subject = tr("Downloading: %1").arg(m_fileName);
        emit changed();
    });
    connect(&m_download, &HttpDownload::bodyPiece, this, [this](qint64 count) {
        m_received = count;
        m_progress = tr("%1 bytes").arg(count);
        emit changed();
    });
    connect(&m_download, &HttpDownload::finished, this, &LobbyInstaller::onFinished);
}

LobbyInstaller::~LobbyInstaller() {
    if (m_download.isRunning()) {
        m_download.disconnect(this);
        m_download.abort();
        m_file.close();
        discardPartFile();
    }
}

void LobbyInstaller::openLobby() {
    const QString program =
        m_environment.setting(kLobbyProgramKey, QString::fromLatin1(kLobbyProgramDefault));
    const QString found = findProgram(program);
    // A lobby that would not start is as good as none: the game goes on.
    if (!found.isEmpty() && m_environment.desktop->startProgram(found)) {
        emit exitRequested();
        return;
    }
    if (m_lobbyFallback) {
        emit lobbyMissing();
        return;
    }
    m_environment.desktop->showMessage(QString::fromLatin1(kNoLobbyMessage));
}

bool LobbyInstaller::showAtStart() const {
    return m_environment.setting(kShowAtStartKey, QStringLiteral("1")) != QStringLiteral("0");
}

void LobbyInstaller::setShowAtStart(bool show) {
    if (!m_environment.saveSetting)
        return;
    const QString error = m_environment.saveSetting(kShowAtStartKey, show ? QStringLiteral("1")
                                                                          : QStringLiteral("0"));
    if (!error.isEmpty())
        emit errorOccurred(error);
}

int LobbyInstaller::percent() const {
    if (m_total <= 0)
        return -1;
    return static_cast<int>(std::min<qint64>(100, m_received * 100 / m_total));
}

// "Content-Length: 3700" announces the size; the percentage needs it.
void LobbyInstaller::onHeaderLine(const QByteArray& line) {
    static const QByteArray kLength = "content-length:";
    if (line.toLower().startsWith(kLength)) {
        bool ok = false;
        const qint64 length = line.mid(kLength.size()).trimmed().toLongLong(&ok);
        m_total = ok ? length : -1; // a negative length counts as none
    }
    m_progress += '.';
    emit changed();
}

void LobbyInstaller::startDownload() {
    if (m_download.isRunning())
        return;
    m_state = State::Running;
    m_received = 0;
    m_total = -1;
    m_stopping = false;
    const QUrl url(m_environment.setting(kLobbyUrlKey, QString::fromLatin1(kLobbyUrlDefault)));
    m_fileName = installerFileName(url);
    if (m_fileName.isEmpty()) {
        setIdleButtons();
        failed(tr("the address names no file"));
        return;
    }
    m_finalPath = m_environment.placeFile(m_fileName);
    m_file.setFileName(m_finalPath + QStringLiteral(".part"));
    // Unbuffered, so a full disk is noticed at the piece that did not fit.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        fail(tr("Download - Cannot create %1: %2").arg(m_file.fileName(), m_file.errorString()));
        return;
    }
    m_downloadEnabled = false;
    m_stopEnabled = true;
    m_progress = tr("Loading");
    emit changed();
    if (!m_download.start(url, &m_file)) {
        m_file.close();
        discardPartFile();
        setIdleButtons();
        failed(tr("not an HTTP address"));
    }
}

void LobbyInstaller::stopDownload() {
    if (!m_download.isRunning())
        return;
    m_stopping = true;
    m_state = State::Stopped;
    m_subject = tr("Download Aborted");
    m_download.abort(); // the transfer ends at once with an HTTP error
}

void LobbyInstaller::onFinished(const DownloadResult& result) {
    setIdleButtons();
    m_file.close();
    switch (result.kind) {
    case DownloadResult::Kind::Complete:
        m_progress = tr("Received %1 bytes").arg(QFileInfo(m_file).size());
        if (!keepDownloadedFile())
            return;
        break;
    case DownloadResult::Kind::HttpError:
        discardPartFile();
        failed(m_stopping ? tr("stopped") : failureReason(result, m_received, m_total));
        return;
    case DownloadResult::Kind::WriteFailed:
        fail(tr("Download - Cannot write %1: %2").arg(m_file.fileName(), result.reason));
        return;
    }
    emit changed();
    if (m_state == State::Running)
        install();
}

bool LobbyInstaller::keepDownloadedFile() {
    QFile::remove(m_finalPath);
    if (m_file.rename(m_finalPath))
        return true;
    fail(tr("Download - Cannot rename %1 to %2: %3")
             .arg(m_file.fileName(), m_finalPath, m_file.errorString()));
    return false;
}

void LobbyInstaller::install() {
    const QFileInfo saved(m_finalPath);
    const QString where = tr("The Korvel Lobby's installer was saved as %1 in the "
                             "folder %2.")
                              .arg(saved.fileName(), saved.absolutePath());
    if (m_background) {
        report(where); // a game may be in play: it is opened from the folder later
        return;
    }
    m_subject = tr("Installing");
    emit changed();
    // Never run by us: the desktop's handler for the file lets the user decide.
    if (m_environment.desktop->openFile(m_finalPath)) {
        emit exitRequested();
        return;
    }
    m_subject = tr("Saved: %1").arg(saved.fileName());
    emit changed();
    if (m_environment.desktop->ask(where + QLatin1Char(' ') +
                                   tr("No program here opens it for you. Open that folder now?")))
        m_environment.desktop->openFile(saved.absolutePath());
}

// The download ended without the file: say why, in the dialog or, when hidden, the chat.
void LobbyInstaller::failed(const QString& reason) {
    m_state = State::Stopped;
    m_progress = tr("Download Aborted: %1").arg(reason);
    emit changed();
    report(tr("The Korvel Lobby was not downloaded (%1).").arg(reason));
}

void LobbyInstaller::report(const QString& text) {
    if (m_background)
        emit backgroundReport(text);
}

void LobbyInstaller::fail(const QString& error) {
    m_file.close();
    discardPartFile();
    setIdleButtons();
    m_state = State::Stopped;
    m_progress = tr("Download Aborted");
    emit changed();
    if (m_background)
        emit backgroundReport(error);
    else
        emit errorOccurred(error);
}

void LobbyInstaller::setIdleButtons() {
    m_downloadEnabled = true;
    m_stopEnabled = false;
}

void LobbyInstaller::discardPartFile() {
    if (!m_finalPath.isEmpty())
        QFile::remove(m_finalPath + QStringLiteral(".part"));
}

} // namespace lastling::start
