#include "shell/accessible_table.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace lastling::shell {

namespace {

class PictureButtonInterface : public QAccessibleWidget {
public:
    explicit PictureButtonInterface(ClickablePicture* picture)
        : QAccessibleWidget(picture, QAccessible::Button) {}

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && widget()->isEnabled() && widget()->isVisible()) {
            static_cast<ClickablePicture*>(widget())->click();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }
    QStringList keyBindingsForAction(const QString& actionName) const override {
        return actionName == pressAction() ? QStringList{QStringLiteral("Space")}
                                           : QAccessibleWidget::keyBindingsForAction(actionName);
    }
};

class StatusLineInterface : public QAccessibleWidget {
public:
    explicit StatusLineInterface(StatusLine* line)
        : QAccessibleWidget(line, QAccessible::StatusBar) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            const auto* line = static_cast<const QLabel*>(widget());
            return line->toolTip().isEmpty() ? line->text() : line->toolTip();
        }
        return QAccessibleWidget::text(kind);
    }
};

class AnnouncerInterface : public QAccessibleWidget {
public:
    explicit AnnouncerInterface(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            return static_cast<const Announcer*>(widget())->lastText();
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* tableInterface(const QString&, QObject* object) {
    if (auto* picture = qobject_cast<ClickablePicture*>(object)) {
        return new PictureButtonInterface(picture);
    }
    if (auto* line = qobject_cast<StatusLine*>(object)) {
        return new StatusLineInterface(line);
    }
    if (auto* announcer = qobject_cast<Announcer*>(object)) {
        return new AnnouncerInterface(announcer);
    }
    return nullptr;
}

} // namespace

void installAccessibleTable() {
    static const bool installed = [] {
        QAccessible::installFactory(&tableInterface);
        return true;
    }();
    (void)installed;
}

ClickablePicture::ClickablePicture(QWidget* parent) : QLabel(parent) {
    installAccessibleTable();
    setFocusPolicy(Qt::StrongFocus);
}

void ClickablePicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

void ClickablePicture::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier) {
        QLabel::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit clicked();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        emit stepRequested(-1);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        emit stepRequested(1);
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void drawFocusFrame(QWidget& widget, int width) {
    if (!widget.hasFocus()) {
        return;
    }
    QPainter painter(&widget);
    painter.setPen(QPen(widget.palette().color(QPalette::Highlight), width));
    const int inset = width / 2;
    painter.drawRect(widget.rect().adjusted(inset, inset, -inset - 1, -inset - 1));
}

void ClickablePicture::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    drawFocusFrame(*this, 3);
}

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
    installAccessibleTable();
}

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    installAccessibleTable();
    setObjectName(QStringLiteral("announcer"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(1, 1);
}

// Screen readers speak a notification when it shows; the name change keeps the text current
// for those that read it on demand.
void Announcer::announce(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    m_text = text;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    emit announced(text);
}

} // namespace lastling::shell
