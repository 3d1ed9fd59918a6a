#pragma once

#include "start/lobby_installer.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace lastling::start {

// The desktop as the product meets it: QDesktopServices, QProcess and message boxes.
class SystemDesktop : public Desktop {
public:
    explicit SystemDesktop(QWidget* messageParent = nullptr) : m_messageParent(messageParent) {}
    void setMessageParent(QWidget* parent) { m_messageParent = parent; }

    bool openFile(const QString& path) override;
    bool startProgram(const QString& program) override;
    void showMessage(const QString& text) override;
    bool ask(const QString& text) override;

private:
    QWidget* m_messageParent;
};

// The dialog of a start without parameters: go on solo, open the lobby program, or download
// and install it. It draws the installer's state and forwards the buttons; a tool window that
// stays on top, centred on the desktop whenever it is shown.
class StartDialog : public QDialog {
    Q_OBJECT
public:
    // Without a desktop in `environment` the dialog uses a SystemDesktop of its own.
    explicit StartDialog(InstallerEnvironment environment, QWidget* parent = nullptr);
    ~StartDialog() override;

    LobbyInstaller& installer() { return m_installer; }
    // Shown at the start of a solo game unless the player unticked "Show this window at start".
    void showAtStart();

signals:
    void exitRequested();
    void errorOccurred(const QString& text);
    // A download's end while the dialog is hidden: a line for the chat.
    void backgroundReport(const QString& text);
    // "Play with Others" found no lobby program; the tables on the network are the way on.
    void joinTableRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* makeDownloadPanel();
    QWidget* makeSoloPanel();
    QWidget* makeLobbyPanel();
    void refresh();
    void fitToTexts();

    std::unique_ptr<SystemDesktop> m_ownDesktop;
    LobbyInstaller m_installer;
    QPushButton* m_getButton = nullptr;
    QPushButton* m_abortButton = nullptr;
    QLabel* m_infoLabel = nullptr;
    QLabel* m_infoLabel3 = nullptr;
    QLabel* m_infoLabel2 = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QCheckBox* m_showAtStart = nullptr;
};

} // namespace lastling::start
