#pragma once

#include <QLineEdit>

class QAction;

namespace lastling::social {

// The entry field `mychat`: starts with "<Enter Chat Here>", which any key clears; Enter
// asks for the line to be sent; "Paste" (Ctrl+V) and smileys are added at the end.
class ChatEntry : public QLineEdit {
    Q_OBJECT
public:
    explicit ChatEntry(QWidget* parent = nullptr);

    void setTextColour(const QColor& colour);
    void appendSmiley(int code);
    void pasteAtEnd();
    QAction* pasteAction() const { return m_paste; }

signals:
    void sendRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void dropPlaceholder();
    void appendAtEnd(const QString& text);

    QAction* m_paste = nullptr;
};

} // namespace lastling::social
