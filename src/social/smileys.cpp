#include "social/smileys.h"

#include "social/chat_model.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace lastling::social {
namespace {

enum class Mouth { Smile, Grin, Sad, Flat, Open, Tongue, Kiss, Wavy };
enum class Eyes { Dots, Wink, Closed, Glasses, Wide, Angry };

struct Face {
    QColor skin;
    Eyes eyes;
    Mouth mouth;
    enum Extra { None, Tear, Horns, Halo, Blush, Sweat } extra = None;
};

// Codes 10..27 in order.
const std::array<Face, kSmileyCount> kFaces{{
    {QColor(255, 220, 0), Eyes::Dots, Mouth::Smile},
    {QColor(255, 220, 0), Eyes::Dots, Mouth::Grin},
    {QColor(255, 220, 0), Eyes::Wink, Mouth::Smile},
    {QColor(255, 220, 0), Eyes::Dots, Mouth::Sad},
    {QColor(255, 220, 0), Eyes::Dots, Mouth::Tongue},
    {QColor(255, 220, 0), Eyes::Wide, Mouth::Open},
    {QColor(255, 220, 0), Eyes::Glasses, Mouth::Smile},
    {QColor(255, 110, 60), Eyes::Angry, Mouth::Sad},
    {QColor(255, 220, 0), Eyes::Closed, Mouth::Grin},
    {QColor(255, 220, 0), Eyes::Dots, Mouth::Flat},
    {QColor(255, 220, 0), Eyes::Closed, Mouth::Kiss, Face::Blush},
    {QColor(255, 220, 0), Eyes::Dots, Mouth::Wavy},
    {QColor(255, 220, 0), Eyes::Closed, Mouth::Sad, Face::Tear},
    {QColor(200, 220, 255), Eyes::Closed, Mouth::Flat},
    {QColor(190, 90, 220), Eyes::Angry, Mouth::Grin, Face::Horns},
    {QColor(255, 220, 0), Eyes::Closed, Mouth::Smile, Face::Halo},
    {QColor(255, 220, 0), Eyes::Dots, Mouth::Smile, Face::Blush},
    {QColor(255, 220, 0), Eyes::Wide, Mouth::Flat, Face::Sweat},
}};

const QRectF kHead(2.5, 2.5, 12, 12);

void drawEyes(QPainter& p, Eyes eyes) {
    p.setPen(QPen(Qt::black, 1.2));
    switch (eyes) {
    case Eyes::Dots:
        p.drawPoint(QPointF(6.5, 7));
        p.drawPoint(QPointF(10.5, 7));
        break;
    case Eyes::Wink:
        p.drawPoint(QPointF(6.5, 7));
        p.drawLine(QPointF(9.5, 7), QPointF(11.5, 7));
        break;
    case Eyes::Closed:
        p.drawLine(QPointF(5.5, 7), QPointF(7.5, 7));
        p.drawLine(QPointF(9.5, 7), QPointF(11.5, 7));
        break;
    case Eyes::Glasses:
        p.setBrush(Qt::black);
        p.drawRect(QRectF(4.5, 6, 3, 2));
        p.drawRect(QRectF(9.5, 6, 3, 2));
        p.drawLine(QPointF(7.5, 6.5), QPointF(9.5, 6.5));
        break;
    case Eyes::Wide:
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(6.5, 6.5), 1.5, 1.5);
        p.drawEllipse(QPointF(10.5, 6.5), 1.5, 1.5);
        break;
    case Eyes::Angry:
        p.drawLine(QPointF(5, 5.5), QPointF(7.5, 6.5));
        p.drawLine(QPointF(12, 5.5), QPointF(9.5, 6.5));
        p.drawPoint(QPointF(6.5, 7.5));
        p.drawPoint(QPointF(10.5, 7.5));
        break;
    }
}

void drawMouth(QPainter& p, Mouth mouth) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    switch (mouth) {
    case Mouth::Smile:
        p.drawArc(QRectF(5.5, 7, 6, 5), 200 * 16, 140 * 16);
        break;
    case Mouth::Grin:
        p.setBrush(Qt::white);
        p.drawChord(QRectF(5, 7, 7, 6), 180 * 16, 180 * 16);
        break;
    case Mouth::Sad:
        p.drawArc(QRectF(5.5, 10.5, 6, 5), 20 * 16, 140 * 16);
        break;
    case Mouth::Flat:
        p.drawLine(QPointF(6, 11), QPointF(11, 11));
        break;
    case Mouth::Open:
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(8.5, 11), 1.5, 1.5);
        break;
    case Mouth::Tongue:
        p.drawLine(QPointF(6, 10.5), QPointF(11, 10.5));
        p.setBrush(QColor(230, 60, 80));
        p.drawChord(QRectF(7, 9, 4, 4), 180 * 16, 180 * 16);
        break;
    case Mouth::Kiss:
        p.setPen(QPen(QColor(200, 0, 40), 1.4));
        p.drawPoint(QPointF(8.5, 11));
        break;
    case Mouth::Wavy: {
        QPainterPath path(QPointF(5.5, 11));
        path.cubicTo(QPointF(7, 9.5), QPointF(8, 12.5), QPointF(9, 11));
        path.cubicTo(QPointF(10, 9.5), QPointF(11, 12.5), QPointF(12, 11));
        p.drawPath(path);
        break;
    }
    }
}

void drawExtra(QPainter& p, Face::Extra extra) {
    switch (extra) {
    case Face::None:
        break;
    case Face::Tear:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 140, 255));
        p.drawEllipse(QPointF(5, 9.5), 1, 1.5);
        break;
    case Face::Horns:
        p.setPen(QPen(QColor(120, 0, 0), 1.2));
        p.drawLine(QPointF(4, 4), QPointF(3, 1));
        p.drawLine(QPointF(13, 4), QPointF(14, 1));
        break;
    case Face::Halo:
        p.setPen(QPen(QColor(240, 200, 0), 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(4.5, 0.5, 8, 2));
        break;
    case Face::Blush:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 120, 120, 160));
        p.drawEllipse(QPointF(4.8, 9.5), 1.2, 0.8);
        p.drawEllipse(QPointF(12.2, 9.5), 1.2, 0.8);
        break;
    case Face::Sweat:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(100, 170, 255));
        p.drawEllipse(QPointF(13.5, 4.5), 1, 1.5);
        break;
    }
}

QImage drawFace(const Face& face) {
    QImage image(kSmileyWidth, kSmileyHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 60, 0), 1));
    p.setBrush(face.skin);
    p.drawEllipse(kHead);
    drawEyes(p, face.eyes);
    drawMouth(p, face.mouth);
    drawExtra(p, face.extra);
    return image;
}

} // namespace

const QImage& smileyPicture(int index) {
    static const std::array<QImage, kSmileyCount> pictures = [] {
        std::array<QImage, kSmileyCount> drawn;
        for (int i = 0; i < kSmileyCount; ++i) {
            drawn[static_cast<std::size_t>(i)] = drawFace(kFaces[static_cast<std::size_t>(i)]);
        }
        return drawn;
    }();
    if (index < 0 || index >= kSmileyCount) {
        index = 0;
    }
    return pictures[static_cast<std::size_t>(index)];
}

} // namespace lastling::social
