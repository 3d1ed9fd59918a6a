#include "shell/help/window_place.h"

#include "shell/pictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace lastling::help {

void centreOver(QWidget& window, const QWidget* over) {
    QRect area;
    if (over && over->isVisible())
        area = over->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isNull())
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(area.center());
    window.move(frame.topLeft());
}

void placeInRow(std::initializer_list<QLabel*> labels, int x, int y, int gap) {
    for (QLabel* label : labels) {
        const int width = label->sizeHint().width();
        label->setGeometry(x, y, width, 16);
        x += width + gap;
    }
}

void useBackgroundTile(QWidget& widget, const char* colour) {
    const QPixmap& tile = shell::Pictures::instance().backgroundTile();
    QPixmap background(tile.size());
    background.fill(QColor(QLatin1String(colour)));
    QPainter(&background).drawPixmap(0, 0, tile);
    QPalette palette = widget.palette();
    palette.setBrush(QPalette::Window, QBrush(background));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

} // namespace lastling::help
