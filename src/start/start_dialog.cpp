#include "start/start_dialog.h"

#include "start_picture.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace lastling::start {

namespace {

constexpr int kWidth = 724;
constexpr int kHeight = 500;
constexpr int kPictureWidth = 436;
constexpr int kPictureHeight = 360;

QFrame* whitePanel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    return panel;
}

QLabel* textLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

QPushButton* button(const char* name, const QString& text, QWidget* parent) {
    auto* result = new QPushButton(text, parent);
    result->setObjectName(QLatin1String(name));
    result->setAutoDefault(false);
    return result;
}

// The installer keeps the desktop it is given; without one it gets the dialog's own.
InstallerEnvironment withDesktop(InstallerEnvironment environment, Desktop* own) {
    if (environment.desktop == nullptr)
        environment.desktop = own;
    return environment;
}

} // namespace

StartDialog::StartDialog(InstallerEnvironment environment, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_ownDesktop(environment.desktop == nullptr ? std::make_unique<SystemDesktop>(this)
                                                  : nullptr),
      m_installer(withDesktop(std::move(environment), m_ownDesktop.get())) {
    setObjectName(QStringLiteral("Tdownload"));
    setWindowTitle(tr("Download The Korvel Lobby"));

    auto* right = new QVBoxLayout;
    right->addWidget(makeSoloPanel());
    right->addWidget(makeLobbyPanel());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(makeDownloadPanel());
    layout->addLayout(right, 1);

    connect(&m_installer, &LobbyInstaller::changed, this, &StartDialog::refresh);
    connect(&m_installer, &LobbyInstaller::exitRequested, this, &StartDialog::exitRequested);
    connect(&m_installer, &LobbyInstaller::errorOccurred, this, &StartDialog::errorOccurred);
    connect(&m_installer, &LobbyInstaller::backgroundReport, this, &StartDialog::backgroundReport);
    m_installer.setInBackground(true); // until shown
    m_installer.setLobbyFallback(true);
    connect(&m_installer, &LobbyInstaller::lobbyMissing, this, [this] {
        hide();
        emit joinTableRequested();
    });
    refresh();
    fitToTexts();
}

// The designed size, or more where a longer language needs it: wide enough for every button,
// tall enough for the wrapped notes at that width.
void StartDialog::fitToTexts() {
    const QSize wanted = QSize(kWidth, kHeight).expandedTo(minimumSizeHint());
    const int height =
        layout()->hasHeightForWidth()
            ? std::max(wanted.height(), layout()->totalHeightForWidth(wanted.width()))
            : wanted.height();
    setFixedSize(wanted.width(), height);
}

StartDialog::~StartDialog() = default;

QWidget* StartDialog::makeDownloadPanel() {
    QFrame* panel = whitePanel(this, "panel_download");
    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setFixedSize(kPictureWidth, kPictureHeight);
    picture->setPixmap(QPixmap(resources::startPicturePath()));
    picture->setAccessibleName(tr("The Korvel Lobby"));

    auto* invite = textLabel("Label1",
                             tr("Download The Korvel Lobby Now to play this and other "
                                "exciting games online with other players! "),
                             panel);
    invite->setAlignment(Qt::AlignCenter);
    m_getButton = button("getbutton", tr("Download And Install The Korvel Lobby Now"), panel);
    m_abortButton = button("abortbutton", tr("Stop Download"), panel);
    m_infoLabel = textLabel("infolabel", {}, panel);
    m_infoLabel3 = textLabel("infolabel3", {}, panel);
    m_infoLabel2 = textLabel("infolabel2", {}, panel);
    for (QLabel* label : {m_infoLabel, m_infoLabel3})
        label->setAlignment(Qt::AlignCenter);
    m_infoLabel2->hide();
    m_progressBar = new QProgressBar(panel);
    m_progressBar->setObjectName(QStringLiteral("progressbar"));
    m_progressBar->setRange(0, 100);
    m_progressBar->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_getButton, 1);
    buttons->addWidget(m_abortButton);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(3);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(invite);
    layout->addLayout(buttons);
    layout->addWidget(m_progressBar);
    layout->addWidget(m_infoLabel);
    layout->addWidget(m_infoLabel3);
    layout->addStretch(1);

    connect(m_getButton, &QPushButton::clicked, &m_installer, &LobbyInstaller::startDownload);
    connect(m_abortButton, &QPushButton::clicked, &m_installer, &LobbyInstaller::stopDownload);
    return panel;
}

QWidget* StartDialog::makeSoloPanel() {
    QFrame* panel = whitePanel(this, "panel_solo");
    auto* note = textLabel("Label7",
                           tr("To proceed to the game without the ability to play "
                              "against others click the button below."),
                           panel);
    auto* solo = new QPushButton(tr("Play Solo Game"), panel);
    solo->setObjectName(QStringLiteral("Button1"));
    solo->setDefault(true);
    solo->setFocus(); // Enter plays solo as soon as the dialog shows
    auto* firewall =
        textLabel("Label3",
                  tr("Note: Even if you are playing offline, you will need to configure your "
                     "FIREWALL to allow the game to access the internet components."),
                  panel);
    QPalette red = firewall->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    firewall->setPalette(red);

    m_showAtStart = new QCheckBox(tr("Show this window at start"), panel);
    m_showAtStart->setObjectName(QStringLiteral("check_showatstart"));
    m_showAtStart->setChecked(m_installer.showAtStart());
    connect(m_showAtStart, &QCheckBox::toggled, &m_installer, &LobbyInstaller::setShowAtStart);

    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(note);
    layout->addWidget(solo);
    layout->addWidget(firewall);
    layout->addStretch(1);
    layout->addWidget(m_showAtStart);
    // The solo game already runs behind the dialog.
    connect(solo, &QPushButton::clicked, this, &QWidget::hide);
    return panel;
}

QWidget* StartDialog::makeLobbyPanel() {
    QFrame* panel = whitePanel(this, "panel_lobby");
    auto* note = textLabel("Label5",
                           tr("If you already have The Korvel Lobby and you wish to "
                              "play with others then click the button below to close "
                              "this game and open The Korvel Lobby."),
                           panel);
    QPushButton* others = button("Button2", tr("Play with Others"), panel);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(note);
    layout->addWidget(others);
    layout->addStretch(1);
    connect(others, &QPushButton::clicked, &m_installer, &LobbyInstaller::openLobby);
    return panel;
}

void StartDialog::refresh() {
    m_infoLabel->setText(m_installer.progressText());
    m_infoLabel3->setText(m_installer.subjectText());
    m_infoLabel2->setText(m_installer.fileName());
    m_getButton->setEnabled(m_installer.downloadEnabled());
    m_abortButton->setEnabled(m_installer.stopEnabled());
    const int percent = m_installer.percent();
    // A bar only while a download of known length runs.
    m_progressBar->setVisible(percent >= 0 && m_installer.stopEnabled());
    if (percent >= 0) {
        m_progressBar->setFormat(tr("%p% of %1").arg(sizeText(m_installer.totalBytes())));
        m_progressBar->setValue(percent);
    }
}

void StartDialog::showAtStart() {
    if (m_installer.showAtStart()) {
        show();
        raise();
    }
}

void StartDialog::hideEvent(QHideEvent* event) {
    m_installer.setInBackground(true);
    QDialog::hideEvent(event);
}

void StartDialog::showEvent(QShowEvent* event) {
    m_installer.setInBackground(false);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

bool SystemDesktop::openFile(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool SystemDesktop::startProgram(const QString& program) {
    return QProcess::startDetached(program, {});
}

void SystemDesktop::showMessage(const QString& text) {
    QMessageBox::information(m_messageParent, QStringLiteral("Lastling"), text);
}

bool SystemDesktop::ask(const QString& text) {
    return QMessageBox::question(m_messageParent, QStringLiteral("Lastling"), text) ==
           QMessageBox::Yes;
}

} // namespace lastling::start
