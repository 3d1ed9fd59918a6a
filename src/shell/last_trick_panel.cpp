#include "shell/last_trick_panel.h"

#include "protocol/wire_text.h"
#include "shell/card_names.h"
#include "shell/pictures.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

namespace lastling::shell {
namespace {

constexpr int kMargin = 8;
constexpr int kTitleHeight = 20;

// Names and texts from the table come in the wire's form (wire_text.h).
QString fromLatin1(const std::string& text) {
    return QString::fromStdString(protocol::textToUtf8(text));
}

} // namespace

QString lastTrickAccessibleName(const client::LastTrick& trick) {
    if (trick.cards.empty()) {
        return {};
    }
    QStringList plays;
    for (const client::TrickCard& played : trick.cards) {
        plays << fromLatin1(played.name) + QStringLiteral(" played ") + cardName(played.card);
    }
    return QStringLiteral("Last trick: ") + plays.join(QStringLiteral(", ")) +
           QStringLiteral(", ") + fromLatin1(trick.takerName) + QStringLiteral(" took it");
}

LastTrickPanel::LastTrickPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("panel_lasttrick"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xF9, 0xFA, 0xE7));
    setPalette(colours);
    resize(kWidth, kHeight);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    m_title = new QLabel(this);
    m_title->setAlignment(Qt::AlignCenter);
    for (std::size_t i = 0; i < m_cards.size(); ++i) {
        m_cards[i] = new QLabel(this);
        m_names[i] = new QLabel(this);
        m_names[i]->setAlignment(Qt::AlignCenter);
    }
    placeParts();
    hide();
}

void LastTrickPanel::setLook(double scale, const CardLook& look) {
    m_scale = scale;
    m_look = look;
    placeParts();
    if (!isHidden()) {
        showTrick(m_trick, true);
    }
}

void LastTrickPanel::placeParts() {
    const auto px = [this](double length) { return qRound(length * m_scale); };
    const int cardWidth = m_look.size.width();
    const int cardHeight = m_look.size.height();
    const int margin = px(kMargin);
    const int title = px(kTitleHeight);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, px(11)));
    m_title->setGeometry(margin, px(4), width() - 2 * margin, title);
    QFont bold = font;
    bold.setBold(true);
    m_title->setFont(bold);
    const int step = (width() - 2 * margin - 4 * cardWidth) / 3;
    for (std::size_t i = 0; i < m_cards.size(); ++i) {
        const int left = margin + static_cast<int>(i) * (cardWidth + step);
        m_cards[i]->setGeometry(left, title + margin, cardWidth, cardHeight);
        m_names[i]->setGeometry(left - step / 2, title + margin + cardHeight + px(2),
                                cardWidth + step, px(18));
        m_names[i]->setFont(font);
    }
}

void LastTrickPanel::showTrick(const client::LastTrick& trick, bool shown) {
    if (!shown || trick.cards.empty()) {
        if (isVisible() && hasFocus() && parentWidget() != nullptr) {
            parentWidget()->setFocus(); // focus must not vanish with the panel
        }
        hide();
        return;
    }
    if (&trick != &m_trick) {
        m_trick = trick;
    }
    m_title->setText(QStringLiteral("Last trick: ") + fromLatin1(trick.takerName) +
                     QStringLiteral(" took it"));
    for (std::size_t i = 0; i < m_cards.size(); ++i) {
        const bool used = i < trick.cards.size();
        const client::TrickCard played = used ? trick.cards[i] : client::TrickCard{};
        const bool card = played.card >= 1 && played.card <= 52;
        m_cards[i]->setPixmap(card ? cardPicture(played.card, m_look) : QPixmap());
        m_cards[i]->setAccessibleName(card ? cardName(played.card) : QString());
        m_names[i]->setText(used ? fromLatin1(played.name) : QString());
        QFont font = m_names[i]->font();
        font.setBold(used && played.seat == trick.takerSeat);
        m_names[i]->setFont(font);
    }
    const QString name = lastTrickAccessibleName(trick);
    setAccessibleName(name);
    setToolTip(name + QStringLiteral(" (click or Ctrl+L to hide)"));
    const bool wasHidden = isHidden();
    show();
    raise();
    if (wasHidden) {
        setFocus(); // a screen reader reads it out as it appears
    }
}

void LastTrickPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit clicked();
    }
    QFrame::mouseReleaseEvent(event);
}

void LastTrickPanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        emit clicked();
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

} // namespace lastling::shell
