#include "social/phrase_pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace lastling::social {
namespace {

const QColor kInk(0x10, 0x10, 0x10);

QImage blankFace() {
    QImage image(kPhraseButtonWidth, kPhraseButtonHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, kPhraseButtonWidth - 1, kPhraseButtonHeight - 1);
    return image;
}

} // namespace

QImage drawPhrasePicture(int number) {
    QImage image = blankFace();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kInk);
    painter.drawText(QRect(1, 1, kPhraseButtonWidth - 2, kPhraseButtonHeight - 2), Qt::AlignCenter,
                     QStringLiteral("P%1").arg(number));
    return image;
}

QImage drawChatterPicture() {
    QImage image = blankFace();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    // Two tilted note heads, their stems and the beam that joins them.
    for (const QPointF head : {QPointF(8.5, 14.0), QPointF(16.5, 12.5)}) {
        painter.save();
        painter.translate(head);
        painter.rotate(-20);
        painter.drawEllipse(QPointF(0, 0), 2.8, 2.0);
        painter.restore();
    }
    painter.drawRect(QRectF(10.4, 4.5, 1.2, 9.5));
    painter.drawRect(QRectF(18.4, 3.0, 1.2, 9.5));
    QPainterPath beam;
    beam.moveTo(10.4, 4.5);
    beam.lineTo(19.6, 3.0);
    beam.lineTo(19.6, 5.4);
    beam.lineTo(10.4, 6.9);
    beam.closeSubpath();
    painter.drawPath(beam);
    return image;
}

} // namespace lastling::social
