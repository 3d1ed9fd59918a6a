#include "start/lobby_installer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lastling::start {

namespace {

const QString kAborted = QStringLiteral("Download Aborted");

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

LobbyInstaller::LobbyInstaller(InstallerEnvironment environment, QObject* parent)
    : QObject(parent), m_environment(completed(std::move(environment))) {
    connect(&m_download, &HttpDownload::headerLine, this, [this] {
        m_progress += '.';
        emit changed();
    });
    connect(&m_download, &HttpDownload::bodyBegin, this, [this] {
        m_subject = QStringLiteral("Downloading: ") + m_fileName;
        emit changed();
    });
    connect(&m_download, &HttpDownload::bodyPiece, this, [this](qint64 count) {
        m_progress = QString::number(count) + QStringLiteral(" bytes");
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

void LobbyInstaller::startDownload() {
    if (m_download.isRunning())
        return;
    m_state = State::Running;
    const QUrl url(m_environment.setting(kLobbyUrlKey, QString::fromLatin1(kLobbyUrlDefault)));
    m_fileName = installerFileName(url);
    if (m_fileName.isEmpty()) {
        setIdleButtons();
        m_state = State::Stopped;
        m_progress = kAborted;
        emit changed();
        return;
    }
    m_finalPath = m_environment.placeFile(m_fileName);
    m_file.setFileName(m_finalPath + QStringLiteral(".part"));
    // Unbuffered, so a full disk is noticed at the piece that did not fit.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        fail(QStringLiteral("Download - Cannot create %1: %2")
                 .arg(m_file.fileName(), m_file.errorString()));
        return;
    }
    m_downloadEnabled = false;
    m_stopEnabled = true;
    m_progress = QStringLiteral("Loading");
    emit changed();
    if (!m_download.start(url, &m_file)) {
        m_file.close();
        discardPartFile();
        setIdleButtons();
        m_state = State::Stopped;
        m_progress = kAborted;
        emit changed();
    }
}

void LobbyInstaller::stopDownload() {
    m_progress = QStringLiteral("Download has been aborted.");
    m_state = State::Stopped;
    m_subject = kAborted;
    emit changed();
    m_download.abort(); // a running transfer ends at once with an HTTP error
}

void LobbyInstaller::onFinished(const DownloadResult& result) {
    setIdleButtons();
    m_file.close();
    switch (result.kind) {
    case DownloadResult::Kind::Complete:
        m_progress = QStringLiteral("Received %1 bytes").arg(QFileInfo(m_file).size());
        if (!keepDownloadedFile())
            return;
        break;
    case DownloadResult::Kind::HttpError:
        discardPartFile();
        m_progress = kAborted;
        m_state = State::Stopped;
        break;
    case DownloadResult::Kind::WriteFailed:
        fail(
            QStringLiteral("Download - Cannot write %1: %2").arg(m_file.fileName(), result.reason));
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
    fail(QStringLiteral("Download - Cannot rename %1 to %2: %3")
             .arg(m_file.fileName(), m_finalPath, m_file.errorString()));
    return false;
}

void LobbyInstaller::install() {
    m_subject = QStringLiteral("Installing");
    emit changed();
    // Never run by us: the desktop's handler for the file lets the user decide.
    if (m_environment.desktop->openFile(m_finalPath))
        emit exitRequested();
    else
        m_environment.desktop->showMessage(QString::fromLatin1(kInstallFailedMessage));
}

void LobbyInstaller::fail(const QString& error) {
    m_file.close();
    discardPartFile();
    setIdleButtons();
    m_state = State::Stopped;
    m_progress = kAborted;
    emit changed();
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
