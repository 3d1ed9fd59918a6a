// The keyboard focus on the table: which controls take it, in what order, and where it goes
// when the control holding it leaves.
#include "shell/board.h"

namespace lastling::shell {

QList<QWidget*> Board::tabStops() const {
    QList<QWidget*> stops;
    for (ClickablePicture* slot : m_slots) {
        stops << slot;
    }
    stops << m_startButton;
    for (const SeatGroup& group : m_groups) {
        stops << group.name;
    }
    return stops;
}

// Left and Right move among the shown hand slots and stop at either end.
void Board::stepFocus(int slot, int step) {
    for (int next = slot + step; next >= 1 && next <= 4; next += step) {
        ClickablePicture* picture = m_slots[static_cast<std::size_t>(next - 1)];
        if (picture->isVisibleTo(this) && picture->focusPolicy() != Qt::NoFocus) {
            picture->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

// Only a slot holding a card takes the focus: an empty one has nothing to show it on. START
// GAME hands the focus to the first card of the game it started; until that card is dealt the
// own name holds it. A control that can no longer hold the focus passes it to a card, to START
// GAME or to the own name, whichever the table shows first.
void Board::showFocusPlaces(const client::TableView& view) {
    QWidget* focus = window()->focusWidget();
    ClickablePicture* firstCard = nullptr;
    const bool startLeaves = focus == m_startButton && !view.startButtonVisible;
    bool focusLost = startLeaves;
    for (int slot = 1; slot <= 4; ++slot) {
        ClickablePicture* picture = m_slots[static_cast<std::size_t>(slot - 1)];
        const client::HandSlot& hand = view.ownSlots[static_cast<std::size_t>(slot)];
        const bool holdsCard = hand.shown && hand.card != 0;
        picture->setFocusPolicy(holdsCard ? Qt::StrongFocus : Qt::NoFocus);
        focusLost = focusLost || (focus == picture && !holdsCard);
        if (holdsCard && firstCard == nullptr) {
            firstCard = picture;
        }
    }
    QWidget* ownName = m_groups[0].name;
    m_focusToFirstCard = m_focusToFirstCard || startLeaves;
    if (firstCard != nullptr && m_focusToFirstCard) {
        m_focusToFirstCard = false;
        if (focus == ownName || focusLost) { // unless the player has gone elsewhere meanwhile
            firstCard->setFocus(Qt::OtherFocusReason);
            focusLost = false;
        }
    }
    if (focusLost) {
        QWidget* next = firstCard != nullptr      ? static_cast<QWidget*>(firstCard)
                        : view.startButtonVisible ? static_cast<QWidget*>(m_startButton)
                                                  : ownName;
        next->setFocus(Qt::OtherFocusReason);
    }
    if (m_startButton->isVisibleTo(this) != view.startButtonVisible) {
        m_startButton->setVisible(view.startButtonVisible);
    }
}

} // namespace lastling::shell
