#pragma once

#include "start/http_download.h"

#include <QFile>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

namespace lastling::start {

// Settings keys and their defaults; the defaults live only here.
inline constexpr const char* kLobbyUrlKey = "Lobbyurl";
inline constexpr const char* kLobbyUrlDefault =
    "http://www.korvelsoftware.com/download/korvellobby.deb";
inline constexpr const char* kLobbyProgramKey = "Lobbyprogram";
inline constexpr const char* kLobbyProgramDefault = "korvellobby";

inline constexpr const char* kNoLobbyMessage =
    "Please close the game and open the Korvel Lobby using the icon on your desktop or using "
    "your desktop's application menu.";
// "Show this window at start": "1" (the default) or "0".
inline constexpr const char* kShowAtStartKey = "Showstartwindow";

// The last path segment of `url`, decoded; empty when it is empty, "." or "..", or holds a
// slash or backslash, so that a file of that name can only land in the folder it is put in.
QString installerFileName(const QUrl& url);

// "512 bytes", "3.6 KB", "12.0 MB": a size as people read it.
QString sizeText(qint64 bytes);

// Why a transfer did not deliver the file, in a few words: "404 Not Found", "connection
// refused", "cut short after 10 of 100 bytes". `total` is the announced length or -1.
QString failureReason(const DownloadResult& result, qint64 received, qint64 total);

// What the outside world does for the installer: the desktop and the user.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Hands a local file to the desktop's default handler; false when none took it.
    virtual bool openFile(const QString& path) = 0;
    // Starts a program detached from this one; false when it could not be started.
    virtual bool startProgram(const QString& program) = 0;
    virtual void showMessage(const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool ask(const QString& text) = 0;
};

// Empty functions take their defaults: no settings, and files beside the program when its
// folder is writable, else in the per-user data folder. The desktop must be given.
struct InstallerEnvironment {
    // Reads a settings key; returns `fallback` when the key is missing.
    std::function<QString(const QString& key, const QString& fallback)> setting;
    // Where a file of the program's own named `fileName` belongs.
    std::function<QString(const QString& fileName)> placeFile;
    Desktop* desktop = nullptr;
    // Writes a settings key; returns an error text, empty when it was written.
    std::function<QString(const QString& key, const QString& value)> saveSetting;
};

// The start dialog's work without its widgets: open the lobby program, or download its
// installer and hand it to the desktop. The dialog draws the texts and button states and
// forwards its buttons here.
class LobbyInstaller : public QObject {
    Q_OBJECT
public:
    enum class State { Idle = 0, Running = 1, Stopped = 2 };

    explicit LobbyInstaller(InstallerEnvironment environment, QObject* parent = nullptr);
    ~LobbyInstaller() override;

    void openLobby();     // "Play with Others"
    void startDownload(); // "Download And Install The Korvel Lobby Now"
    void stopDownload();  // "Stop Download"
    // While nobody sees the dialog, the end of a download is reported by backgroundReport
    // and the installer is only saved: nothing opens over a game in play.
    void setInBackground(bool background) { m_background = background; }
    bool showAtStart() const;
    void setShowAtStart(bool show);

    const QString& progressText() const { return m_progress; }
    const QString& subjectText() const { return m_subject; }
    const QString& fileName() const { return m_fileName; }
    bool downloadEnabled() const { return m_downloadEnabled; }
    bool stopEnabled() const { return m_stopEnabled; }
    // The length the server announced, -1 when it sent none; percent of it received so far.
    qint64 totalBytes() const { return m_total; }
    int percent() const;
    State state() const { return m_state; }

signals:
    void changed();
    void exitRequested();
    // The lobby program could not be started and somebody offers another way to a table
    // (see setLobbyFallback): sent instead of the "no lobby" message.
    void lobbyMissing();
    // A failure that is not the server's (the file cannot be written); for the error box.
    void errorOccurred(const QString& text);
    // A download's end while the dialog is hidden, for the chat.
    void backgroundReport(const QString& text);

public:
    // With a fallback, a lobby that cannot be started sends lobbyMissing() instead of the
    // message box.
    void setLobbyFallback(bool on) { m_lobbyFallback = on; }

private:
    void onHeaderLine(const QByteArray& line);
    void onFinished(const DownloadResult& result);
    void failed(const QString& reason);
    void report(const QString& text);
    bool keepDownloadedFile();
    void install();
    void fail(const QString& error);
    void setIdleButtons();
    void discardPartFile();

    InstallerEnvironment m_environment;
    HttpDownload m_download;
    QFile m_file;
    QString m_finalPath;
    QString m_progress;
    QString m_subject;
    QString m_fileName;
    qint64 m_received = 0;
    qint64 m_total = -1;
    bool m_downloadEnabled = true;
    bool m_stopEnabled = false;
    bool m_stopping = false;
    bool m_background = false;
    State m_state = State::Idle;
    bool m_lobbyFallback = false;
};

} // namespace lastling::start
