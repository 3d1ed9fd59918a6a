#include "shell/cursor_blink_limit.h"

#include <QApplication>
#include <QEvent>

namespace lastling::shell {

CursorBlinkLimit::CursorBlinkLimit(QObject* parent)
    : QObject(parent), m_flashTime(QApplication::cursorFlashTime()) {
    m_stop.setSingleShot(true);
    m_stop.setInterval(kBlinkForMs);
    connect(&m_stop, &QTimer::timeout, this, &CursorBlinkLimit::stopBlinking);
    qApp->installEventFilter(this);
    m_stop.start();
}

CursorBlinkLimit::~CursorBlinkLimit() {
    qApp->removeEventFilter(this);
    QApplication::setCursorFlashTime(m_flashTime);
}

bool CursorBlinkLimit::blinking() const {
    return QApplication::cursorFlashTime() != 0;
}

bool CursorBlinkLimit::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::FocusIn:
    case QEvent::WindowActivate:
        startBlinking();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CursorBlinkLimit::startBlinking() {
    if (!blinking()) {
        QApplication::setCursorFlashTime(m_flashTime);
    }
    m_stop.start(); // a busy player keeps it blinking; restarting costs no wake-up
}

void CursorBlinkLimit::stopBlinking() {
    QApplication::setCursorFlashTime(0);
}

} // namespace lastling::shell
