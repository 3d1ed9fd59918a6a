#pragma once

#include <QObject>
#include <QTimer>

namespace lastling::shell {

// Text cursors blink for a while after the player types, clicks or switches windows, then
// stand still, so an idle window does not wake up twice a second forever.
class CursorBlinkLimit : public QObject {
    Q_OBJECT
public:
    static constexpr int kBlinkForMs = 10000;

    explicit CursorBlinkLimit(QObject* parent = nullptr);
    ~CursorBlinkLimit() override;

    bool blinking() const;
    // What the timer does once the player has left the keyboard alone for a while.
    void stopBlinking();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startBlinking();

    int m_flashTime;
    QTimer m_stop;
};

} // namespace lastling::shell
