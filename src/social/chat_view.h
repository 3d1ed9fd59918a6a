#pragma once

#include "social/chat_model.h"

#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <QTextObjectInterface>

namespace lastling::social {

// Draws a smiley picture inline; the character format carries the picture's index.
class SmileyObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    static constexpr int kObjectType = QTextFormat::UserObject + 1;
    static constexpr int kIndexProperty = QTextFormat::UserProperty + 2;

    using QObject::QObject;
    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;
};

// The chat view `mainchat`: draws a ChatModel's lines and follows its style changes.
// Each character carries its style number, so a style change re-formats just the runs
// drawn in it. The plain-text layout places each paragraph on its own, so appending a line
// or dropping the oldest ones never lays out the rest again.
class ChatView : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kStyleProperty = QTextFormat::UserProperty + 1;

    explicit ChatView(ChatModel& model, QWidget* parent = nullptr);

    void setScrollChatOff(bool off) { m_scrollOff = off; }
    bool scrollChatOff() const { return m_scrollOff; }
    // The selection as the clipboard gets it: plain text, smileys as their codes.
    QString selectedPlainText() const;
    // Where link number `jump` sits on the viewport; an empty rectangle when it is not shown.
    QRect linkRect(int jump) const;

signals:
    void linkActivated(int jump);

protected:
    QMimeData* createMimeDataFromSelection() const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void appendLine(const ChatLine& line);
    void insertLine(const ChatLine& line); // at the end, without scrolling
    void removeWaiting();
    void showWaiting();
    void removeOldestLines(int count);
    void restyle(unsigned styleMask);
    void scrollToEnd();
    int jumpAt(const QPoint& viewportPoint) const; // -1 when no link is there
    QTextCharFormat look(int style) const;
    QTextCharFormat runFormat(const ChatRun& run) const;

    ChatModel& m_model;
    bool m_scrollOff = false;
    int m_pressedJump = -1;
    int m_waitingBlocks = 0; // the model's waiting lines, always the last blocks
};

} // namespace lastling::social
