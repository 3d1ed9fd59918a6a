#include "social/chat_entry.h"

#include "social/chat_model.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

namespace lastling::social {

namespace {

// The text the field starts with; the player's language, so it is no chat message.
QString placeholder() {
    return ChatEntry::tr("<Enter Chat Here>");
}

} // namespace

ChatEntry::ChatEntry(QWidget* parent) : QLineEdit(parent), m_paste(new QAction(tr("Paste"), this)) {
    setText(placeholder());
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(0xF9, 0xFA, 0xE7));
    setPalette(colours);

    m_paste->setShortcut(QKeySequence::Paste);
    m_paste->setShortcutContext(Qt::WidgetShortcut);
    connect(m_paste, &QAction::triggered, this, &ChatEntry::pasteAtEnd);
    addAction(m_paste);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ChatEntry::setTextColour(const QColor& colour) {
    QPalette colours = palette();
    colours.setColor(QPalette::Text, colour);
    setPalette(colours);
}

void ChatEntry::appendSmiley(int code) {
    dropPlaceholder();
    appendAtEnd(QStringLiteral(":)#") + QString::number(code));
}

void ChatEntry::pasteAtEnd() {
    const QString pasted = QGuiApplication::clipboard()->text();
    if (!pasted.isEmpty()) {
        dropPlaceholder();
        appendAtEnd(pasted);
    } else {
        deselect();
        end(false);
    }
}

void ChatEntry::keyPressEvent(QKeyEvent* event) {
    dropPlaceholder();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit sendRequested();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        pasteAtEnd();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ChatEntry::dropPlaceholder() {
    if (text() == placeholder()) {
        clear();
    }
}

void ChatEntry::appendAtEnd(const QString& added) {
    // A pasted line break would otherwise be kept in the one-line field and sent.
    QString line = added;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    setText(text() + line);
    deselect();
    end(false);
}

} // namespace lastling::social
