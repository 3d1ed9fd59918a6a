#include "tally/ui/tally_bars.h"

#include <QPainter>

namespace lastling::tally {
namespace {

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const QColor kTrack(0xEE, 0xEE, 0xEE);
const QColor kInk(0x20, 0x20, 0x20);

} // namespace

TallyBar::TallyBar(const QColor& colour, QWidget* parent) : QWidget(parent), m_colour(colour) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TallyBar::setBar(const ChartBar& bar) {
    m_bar = bar;
    setAccessibleName(latin1(bar.accessibleName));
    setToolTip(latin1(bar.accessibleName));
    update();
}

void TallyBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    const QRect track(width() / 2 - 7, line, 14, height() - 2 * line);
    painter.fillRect(track, kTrack);
    const double part = static_cast<double>(m_bar.count) / std::max(m_bar.scale, 1);
    const int filled = static_cast<int>(track.height() * part + 0.5);
    painter.fillRect(track.left(), track.bottom() + 1 - filled, track.width(), filled, m_colour);
    painter.setPen(kInk);
    const QRect top(0, track.bottom() - filled - line, width(), line);
    painter.drawText(top, Qt::AlignHCenter | Qt::AlignBottom, QString::number(m_bar.count));
    const QRect bottom(0, height() - line, width(), line);
    painter.drawText(bottom, Qt::AlignHCenter | Qt::AlignVCenter,
                     metrics.elidedText(latin1(m_bar.caption), Qt::ElideRight, width()));
}

ShareBar::ShareBar(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumHeight(16);
}

void ShareBar::setShare(const ShareChart& share) {
    m_share = share;
    setAccessibleName(latin1(share.accessibleName));
    setToolTip(latin1(share.accessibleName));
    update();
}

void ShareBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QString text = tr("%1% (fair %2%)").arg(m_share.percent).arg(m_share.fairPercent);
    const int textWidth =
        QFontMetrics(font()).horizontalAdvance(tr("%1% (fair %2%)").arg(100).arg(25)) + 6;
    const QRect track(0, 3, width() - textWidth, height() - 6);
    painter.fillRect(track, kTrack);
    const int filled = track.width() * m_share.percent / 100;
    const bool aboveFair = m_share.percent >= m_share.fairPercent;
    painter.fillRect(track.left(), track.top(), filled, track.height(),
                     aboveFair ? QColor(0x2E, 0x8B, 0x57) : QColor(0xD2, 0x69, 0x1E));
    const int fairX = track.left() + track.width() * m_share.fairPercent / 100;
    painter.setPen(QPen(kInk, 2));
    painter.drawLine(fairX, 0, fairX, height());
    painter.setPen(kInk);
    painter.drawText(QRect(track.right() + 4, 0, textWidth, height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
}

} // namespace lastling::tally
