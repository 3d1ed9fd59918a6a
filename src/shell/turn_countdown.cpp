#include "shell/turn_countdown.h"

namespace lastling::shell {

TurnCountdown::TurnCountdown(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("label_turntime"));
    setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    font.setBold(true);
    setFont(font);
    hide();
}

void TurnCountdown::showTime(const client::TableView& view, int seatPosition, const QPoint& place) {
    const bool shown = view.timedSeat != 0 && view.timedSeat == view.turnSeat &&
                       seatPosition >= 0 && seatPosition <= 3;
    if (!shown) {
        hide();
        return;
    }
    const QString text = QStringLiteral("%1 s").arg(view.secondsLeft);
    if (this->text() != text) {
        setText(text);
        setAccessibleName(QStringLiteral("%1 seconds left").arg(view.secondsLeft));
        adjustSize();
    }
    // The same dark green as the table's other figures; red asks for a card now.
    setStyleSheet(view.timeRunningOut ? QStringLiteral("color: #D00000;")
                                      : QStringLiteral("color: #1A4D1A;"));
    move(place);
    raise();
    show();
}

} // namespace lastling::shell
