#pragma once

#include "tally/tally_chart.h"

#include <QColor>
#include <QWidget>

namespace lastling::tally {

// One upright bar with its count above and its caption below.
class TallyBar : public QWidget {
    Q_OBJECT
public:
    TallyBar(const QColor& colour, QWidget* parent = nullptr);
    void setBar(const ChartBar& bar);
    QSize sizeHint() const override { return {34, 64}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
    ChartBar m_bar;
};

// The player's win share as a lying bar, with a mark at the fair share of a four-seat table.
class ShareBar : public QWidget {
    Q_OBJECT
public:
    explicit ShareBar(QWidget* parent = nullptr);
    void setShare(const ShareChart& share);
    QSize sizeHint() const override { return {200, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ShareChart m_share;
};

} // namespace lastling::tally
