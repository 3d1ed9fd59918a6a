#pragma once

#include "client/table_view.h"

#include <QLabel>

namespace lastling::shell {

// The seconds left for the seat on turn at a table that times turns, drawn on that seat; our
// own turn's last seconds in red. It only draws what the view holds.
class TurnCountdown : public QLabel {
    Q_OBJECT
public:
    explicit TurnCountdown(QWidget* parent);

    // Shows the time at `place` (top left) when the view times the seat `seatPosition`
    // (0..3) stands for; hides it otherwise.
    void showTime(const client::TableView& view, int seatPosition, const QPoint& place);
};

} // namespace lastling::shell
