// The chat column beside the table: the logo, the phrase row's places, the chat panel and its
// entry field.
#include "shell/board.h"

#include "shell/pictures.h"
#include "social/chat_entry.h"
#include "social/chat_panel.h"
#include "social/chat_view.h"

#include <QFrame>
#include <QPushButton>

namespace lastling::shell {

namespace {
const QColor kChatBackground(0xF9, 0xFA, 0xE7);
} // namespace

void Board::buildChatFrame() {
    auto* logo = new ClickablePicture(this);
    logo->setObjectName(QStringLiteral("image_logo"));
    logo->setPixmap(Pictures::instance().logo());
    logo->setGeometry(498, 6, 257, 22);
    logo->setFocusPolicy(Qt::NoFocus);
    logo->setAccessibleName(QStringLiteral("Korvel Software web site"));
    m_chatPanel = new QFrame(this);
    m_chatPanel->setObjectName(QStringLiteral("panel_mainchat"));
    m_chatPanel->setGeometry(496, 54, 265, 444);
    m_chatPanel->setAutoFillBackground(true);
    QPalette palette = m_chatPanel->palette();
    palette.setColor(QPalette::Window, kChatBackground);
    m_chatPanel->setPalette(palette);
}

void Board::placeChat(social::ChatPanel& chat) {
    chat.view()->setParent(m_chatPanel);
    chat.view()->setGeometry(1, 2, 262, 440);
    chat.entry()->setParent(this);
    chat.entry()->setGeometry(496, 500, 237, 22);
    chat.smileyButton()->setParent(this);
    chat.smileyButton()->setGeometry(734, 501, 25, 19);
}

QRect Board::phraseRowPlace() {
    return {496, 33, 266, 19};
}

void Board::buildPhrasePlaces() {
    static constexpr std::array<int, 10> kLeft = {496, 523, 550, 576, 603, 630, 656, 683, 710, 737};
    for (int n = 1; n <= 10; ++n) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("b_phrase%1").arg(n));
        button->setGeometry(kLeft[static_cast<std::size_t>(n - 1)], phraseRowPlace().y(), 25, 19);
        button->setText(n <= 9 ? QString::number(n) : QStringLiteral("\u266A"));
        button->setEnabled(false);
        m_phrasePlaces.push_back(button);
    }
}

void Board::setPhraseRow(QWidget* row) {
    for (QPushButton* place : m_phrasePlaces) {
        delete place;
    }
    m_phrasePlaces.clear();
    row->setParent(this);
    row->setGeometry(phraseRowPlace());
    row->show();
}

} // namespace lastling::shell
