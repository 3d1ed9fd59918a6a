#include "shell/game_start_dialog.h"

#include "shell/accessible_table.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>

#include <algorithm>

namespace lastling::shell {

GameStartDialog::GameStartDialog(const QPixmap& background, const QPixmap& startPicture,
                                 QWidget* parent)
    : QDialog(parent, kFixedDialogFlags), m_background(background) {
    setWindowTitle(tr("Lastling - Game Start"));
    setFixedSize(257, 112);

    auto* heading = new QLabel(tr("Game Option"), this);
    QFont headingFont(QStringLiteral("Arial"));
    headingFont.setPixelSize(24);
    headingFont.setBold(true);
    headingFont.setUnderline(true);
    heading->setFont(headingFont);
    heading->setStyleSheet(QStringLiteral("color: #800000;"));
    heading->setAlignment(Qt::AlignCenter);
    heading->setGeometry(0, 6, 257, 30);

    auto* caption = new QLabel(tr("Play to Score:"), this);
    caption->setGeometry(28, 44, 100, 20);
    // A longer caption pushes the field right, and both move left together when needed.
    const int captionWidth = std::max(100, caption->sizeHint().width());
    const int fieldLeft = std::min(28 + captionWidth, 257 - 8 - 80);
    caption->setGeometry(fieldLeft - captionWidth, 44, captionWidth, 20);
    m_target = new QSpinBox(this);
    m_target->setObjectName(QStringLiteral("edit_playtoscore"));
    m_target->setRange(kMinimumTarget, kMaximumTarget);
    m_target->setSingleStep(kTargetStep);
    m_target->setValue(30);
    // A typed number below the range becomes the nearest one the range allows.
    m_target->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    m_target->setGeometry(fieldLeft, 42, 80, 24);
    m_target->setAccessibleName(tr("Play to Score"));

    auto* start = new ClickablePicture(this);
    connect(start, &ClickablePicture::clicked, this, &GameStartDialog::pressStart);
    m_start = start;
    m_start->setObjectName(QStringLiteral("button_start"));
    m_start->setPixmap(startPicture);
    m_start->setGeometry((257 - 150) / 2, 70, 150, 38);
    m_start->setCursor(Qt::PointingHandCursor);
    m_start->setAccessibleName(tr("START GAME"));
    m_start->setFocus();
}

void GameStartDialog::setTarget(int target) {
    m_target->setValue(target);
}

int GameStartDialog::target() const {
    return m_target->value();
}

QString GameStartDialog::targetText() const {
    return QString::number(m_target->value());
}

void GameStartDialog::showCentredOn(const QWidget* owner) {
    if (owner != nullptr) {
        const QPoint centre = owner->frameGeometry().center();
        move(centre - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
}

void GameStartDialog::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_background.isNull()) {
        painter.drawTiledPixmap(rect(), m_background);
    }
    QDialog::paintEvent(event);
}

// Enter in the number box starts the game, as the START GAME picture does.
void GameStartDialog::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        pressStart();
        return;
    }
    QDialog::keyPressEvent(event);
}

void GameStartDialog::pressStart() {
    m_target->interpretText(); // a number typed but not yet taken
    hide();
    emit startChosen(targetText());
}

} // namespace lastling::shell
