// Draws the start dialog's picture, a card table in play, from the program's own card
// pictures and saves it as the JPEG that resources/start embeds:
//   start_picture resources/start/table.jpg
#include "shell/pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

#include <cstdio>

namespace {

using lastling::shell::kCardHeight;
using lastling::shell::kCardWidth;
using lastling::shell::Pictures;

constexpr int kWidth = 436;
constexpr int kHeight = 360;

void drawCard(QPainter& painter, int card, QPointF centre, qreal angle, qreal scale = 1.0) {
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    painter.scale(scale, scale);
    const QRectF box(-kCardWidth / 2.0, -kCardHeight / 2.0, kCardWidth, kCardHeight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(box.translated(3, 4), 5, 5);
    painter.drawPixmap(box.topLeft(), Pictures::instance().card(card));
    painter.restore();
}

void drawFelt(QPainter& painter) {
    painter.fillRect(0, 0, kWidth, kHeight, QColor(0x4A, 0x2C, 0x16));
    const QRectF table(14, 14, kWidth - 28, kHeight - 28);
    QRadialGradient felt(table.center(), kWidth * 0.6);
    felt.setColorAt(0, QColor(0x2F, 0x8A, 0x4A));
    felt.setColorAt(1, QColor(0x14, 0x4A, 0x24));
    painter.setPen(QPen(QColor(0xC8, 0x9A, 0x3C), 3));
    painter.setBrush(felt);
    painter.drawRoundedRect(table, 60, 60);
}

// A fan of `count` cards around `centre`, facing the table's middle at `facing` degrees.
void drawHand(QPainter& painter, const int* cards, int count, QPointF centre, qreal facing) {
    for (int i = 0; i < count; ++i) {
        const qreal spread = (i - (count - 1) / 2.0) * 12.0;
        QTransform turn;
        turn.rotate(facing);
        const QPointF offset = turn.map(QPointF(spread * 1.6, 0));
        drawCard(painter, cards[i], centre + offset, facing + spread, 0.72);
    }
}

QImage drawTable() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    drawFelt(painter);

    const int backs[] = {0, 0, 0, 0};
    const int own[] = {13, 26, 39, 51};
    drawHand(painter, backs, 4, {kWidth / 2.0, 58}, 180);
    drawHand(painter, backs, 3, {58, kHeight / 2.0}, 90);
    drawHand(painter, backs, 4, {kWidth - 58.0, kHeight / 2.0}, -90);
    drawHand(painter, own, 4, {kWidth / 2.0, kHeight - 62.0}, 0);

    // The trick in the middle and the trump card turned up beside the deck.
    drawCard(painter, 49, {kWidth / 2.0 - 34, kHeight / 2.0 - 4}, -8, 0.8);
    drawCard(painter, 36, {kWidth / 2.0 + 2, kHeight / 2.0 - 14}, 4, 0.8);
    drawCard(painter, 52, {kWidth / 2.0 + 36, kHeight / 2.0 + 2}, 12, 0.8);
    drawCard(painter, 0, {112, 96}, 0, 0.6);
    drawCard(painter, 27, {138, 100}, 90, 0.6);

    const QPixmap& logo = Pictures::instance().logo();
    const QPointF logoPlace((kWidth - logo.width()) / 2.0, kHeight / 2.0 + 56);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xF7, 0xF5, 0xD2, 220));
    painter.drawRoundedRect(QRectF(logoPlace, logo.size()).adjusted(-8, -3, 8, 3), 6, 6);
    painter.drawPixmap(logoPlace, logo);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.jpg\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!drawTable().save(QString::fromLocal8Bit(argv[1]), "JPEG", 88)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
