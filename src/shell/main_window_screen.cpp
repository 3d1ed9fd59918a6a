// The main window on the screen: its saved place, read at the first showing and written back
// at the end, kept in reach of a screen and independent of the window manager's frame; and
// the start dialog, which waits until the window is on the screen.
#include "shell/main_window.h"

#include "settings/settings_file.h"
#include "shell/window_place.h"
#include "start/start_dialog.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace lastling::shell {

namespace {
constexpr int kStartDialogPatienceMs = 3000;
} // namespace

// Wayland stacks a dialog above its parent only when the parent is on the screen already.
void MainWindow::showStartDialogWhenOnScreen() {
    if (!m_startDialog || !m_startDialog->installer().showAtStart()) {
        return;
    }
    if (!m_startDialogWaiting && (windowHandle() == nullptr || !windowHandle()->isExposed())) {
        m_startDialogWaiting = true;
        if (windowHandle() != nullptr) {
            windowHandle()->installEventFilter(this);
        }
        // A window manager that never reports the window on screen must not hide the dialog.
        QTimer::singleShot(kStartDialogPatienceMs, this, [this] {
            if (m_startDialogWaiting) {
                showStartDialogWhenOnScreen();
            }
        });
        return;
    }
    m_startDialogWaiting = false;
    m_startDialog->show();
    m_startDialog->raise();
    m_startDialog->activateWindow(); // Enter presses "Play Solo Game" at once
}

// Left, Top, Width and Height are the outer frame's, for reading and writing alike. The place
// is saved only when it differs from what the settings file last held, and never before the
// file was read: the defaults the window holds until then would overwrite the player's own.
void MainWindow::saveBoundsIfMoved() {
    if (!m_settingsRead ||
        (knownBounds() == m_remembered && isMaximized() == m_rememberedMaximized)) {
        return;
    }
    if (const QScreen* screen = this->screen()) {
        const QRect work = screen->availableGeometry();
        QRect outer = outerBounds();
        if (outer.width() > work.width()) {
            outer.setWidth(outer.width() - 15);
        }
        if (outer.height() > work.height()) {
            outer.setHeight(outer.height() - 15);
        }
        setOuterBounds(outer);
    }
    m_remembered = knownBounds();
    m_rememberedMaximized = isMaximized();
    saveinifile();
}

// The outer bounds as far as the platform tells them: without a known place, the size only.
QRect MainWindow::knownBounds() const {
    const QRect outer = outerBounds();
    return placeIsKnown() ? outer : QRect(m_remembered.topLeft(), outer.size());
}

void MainWindow::resetScreenLocation() {
    setOuterBounds(QRect(kDefaultLeft, kDefaultTop, kDefaultWidth, kDefaultHeight));
}

// Wayland never tells a program where its window is, nor lets it choose.
bool MainWindow::placeIsKnown() {
    return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

void MainWindow::resetScreenLocationChosen() {
    setWindowState(windowState() & ~Qt::WindowMaximized);
    resetScreenLocation();
    if (!placeIsKnown()) {
        auto* box = new QMessageBox(
            QMessageBox::Information, QStringLiteral("Lastling"),
            QStringLiteral("On Wayland the desktop places windows: Reset Screen Location has "
                           "no effect on the window's place, only on its size."),
            QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
}

// The window manager's frame around the client area; none until it has framed the window.
QMargins MainWindow::frameMargins() const {
    return windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
}

// A maximised window keeps the place it had before: that is the one saved.
QRect MainWindow::outerBounds() const {
    const QRect client =
        isMaximized() && normalGeometry().isValid() ? normalGeometry() : geometry();
    return m_pendingBounds.value_or(client.marginsAdded(frameMargins()));
}

// Puts the frame's top-left at `outer`'s and gives the frame `outer`'s size. The frame is
// known only once the window manager has put the window on the screen: until then they wait.
void MainWindow::setOuterBounds(const QRect& outer) {
    if (isMaximized()) { // the window manager holds the size; the saved place waits
        m_pendingBounds.reset();
        return;
    }
    if (isVisible() && windowHandle() != nullptr && !windowHandle()->isExposed()) {
        m_pendingBounds = outer;
        windowHandle()->installEventFilter(this);
        return;
    }
    m_pendingBounds.reset();
    const QMargins frame = frameMargins();
    if (windowHandle() == nullptr) { // not on the screen yet: a move places the frame
        resize(outer.size());
        move(outer.topLeft());
        return;
    }
    // Qt's own idea of the frame lags behind the window manager's: place the client area.
    setGeometry(outer.marginsRemoved(frame));
}

// A saved place whose title bar is off every screen (another screen then, or a bad file)
// comes back onto the nearest one.
QRect MainWindow::startingBounds(const QRect& saved) const {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens << screen->availableGeometry();
    }
    constexpr int kUsualTitleHeight = 24; // before the window manager has told us its own
    const int title = frameMargins().top() > 0 ? frameMargins().top() : kUsualTitleHeight;
    return keepTitleBarOnScreen(saved, title, screens);
}

// The saved place is taken at the first showing, before any connection: a start that fails
// (a join refused, a taken port) never reads the settings, yet its window belongs there too.
void MainWindow::placeAsSaved() {
    const settings::Settings saved =
        settings::readSettings(m_settings.path()).value_or(settings::Settings{});
    setOuterBounds(startingBounds(savedFrame(saved.left, saved.top, saved.width, saved.height)));
    if (saved.maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle() &&
        windowHandle()->isExposed()) {
        if (m_pendingBounds) {
            setOuterBounds(*m_pendingBounds);
        }
        if (m_startDialogWaiting) {
            QMetaObject::invokeMethod(this, &MainWindow::showStartDialogWhenOnScreen,
                                      Qt::QueuedConnection);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace lastling::shell
