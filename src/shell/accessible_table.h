#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

// The table's own controls as a screen reader meets them: pictures that act like buttons, the
// status line as a status bar, and a notification that speaks game events without moving the
// focus. Each class brings its accessible interface along.
namespace lastling::shell {

// A picture that works like a push button (hand cards, START GAME): a left click, Enter or
// Space, or the accessible Press action emit clicked(). It takes the keyboard focus when
// focusable and shows it with a frame.
class ClickablePicture : public QLabel {
    Q_OBJECT
public:
    explicit ClickablePicture(QWidget* parent = nullptr);

    void click() { emit clicked(); }

signals:
    void clicked();
    // Left or Right pressed while it has the focus; the owner moves the focus on.
    void stepRequested(int step);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The status line: its text is its accessible name, and its role a status bar.
class StatusLine : public QLabel {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);
};

// Speaks a text without taking the focus: a notification whose name is the text, shown anew
// for each announcement. It draws nothing.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent = nullptr);

    void announce(const QString& text);
    QString lastText() const { return m_text; }

signals:
    void announced(const QString& text);

private:
    QString m_text;
};

// Sighted keyboard players see where the focus is: a frame `width` pixels wide just inside the
// widget's edge, drawn from its paintEvent when it has the focus.
void drawFocusFrame(QWidget& widget, int width);

// Makes sure the interfaces above are known to Qt's accessibility; safe to call often.
void installAccessibleTable();

} // namespace lastling::shell
