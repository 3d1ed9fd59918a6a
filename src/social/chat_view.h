#pragma once

#include "social/chat_model.h"

#include <QTextBrowser>
#include <QTextCharFormat>

namespace lastling::social {

// The chat view `mainchat`: draws a ChatModel's lines and follows its style changes.
// Each character carries its style number, so a style change re-formats just the runs
// drawn in it; appending a line lays out only that line.
class ChatView : public QTextBrowser {
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
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void appendLine(const ChatLine& line);
    void removeOldestLines(int count);
    void restyle(unsigned styleMask);
    void scrollToEnd();
    void followAnchor(const QUrl& url);
    QTextCharFormat look(int style) const;
    QTextCharFormat runFormat(const ChatRun& run) const;

    ChatModel& m_model;
    bool m_scrollOff = false;
};

} // namespace lastling::social
