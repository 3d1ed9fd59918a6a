#include "shell/last_trick_panel.h"

#include "protocol/wire_text.h"
#include "shell/card_names.h"
#include "shell/pictures.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

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
    setFixedSize(kWidth, kHeight);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    m_title = new QLabel(this);
    m_title->setGeometry(kMargin, 4, kWidth - 2 * kMargin, kTitleHeight);
    m_title->setAlignment(Qt::AlignCenter);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    for (std::size_t i = 0; i < m_cards.size(); ++i) {
        const int left = kMargin + static_cast<int>(i) * (kCardWidth + kMargin);
        m_cards[i] = new QLabel(this);
        m_cards[i]->setGeometry(left, kTitleHeight + 8, kCardWidth, kCardHeight);
        m_names[i] = new QLabel(this);
        m_names[i]->setGeometry(left - 4, kTitleHeight + 8 + kCardHeight + 2, kCardWidth + 8, 18);
        m_names[i]->setAlignment(Qt::AlignCenter);
    }
    hide();
}

void LastTrickPanel::showTrick(const client::LastTrick& trick, bool shown) {
    if (!shown || trick.cards.empty()) {
        if (isVisible() && hasFocus() && parentWidget() != nullptr) {
            parentWidget()->setFocus(); // focus must not vanish with the panel
        }
        hide();
        return;
    }
    m_title->setText(QStringLiteral("Last trick: ") + fromLatin1(trick.takerName) +
                     QStringLiteral(" took it"));
    for (std::size_t i = 0; i < m_cards.size(); ++i) {
        const bool used = i < trick.cards.size();
        const client::TrickCard played = used ? trick.cards[i] : client::TrickCard{};
        const bool card = played.card >= 1 && played.card <= 52;
        m_cards[i]->setPixmap(card ? Pictures::instance().card(played.card) : QPixmap());
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
