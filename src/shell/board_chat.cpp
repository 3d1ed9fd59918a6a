// The chat column beside the table: the logo, the phrase row's places, the chat panel and its
// entry field.
#include "shell/board.h"

#include "shell/pictures.h"
#include "social/chat_entry.h"
#include "social/chat_panel.h"
#include "social/chat_view.h"

#include <QFrame>
#include <QPushButton>

#include <array>

namespace lastling::shell {

namespace {
const QColor kChatBackground(0xF9, 0xFA, 0xE7);
} // namespace

void Board::buildChatFrame() {
    auto* logo = new ClickablePicture(this);
    logo->setObjectName(QStringLiteral("image_logo"));
    logo->resize(Pictures::instance().logo().size());
    logo->setFocusPolicy(Qt::NoFocus);
    logo->setAccessibleName(QStringLiteral("Korvel Software web site"));
    m_logo = logo;
    m_chatPanel = new QFrame(this);
    m_chatPanel->setObjectName(QStringLiteral("panel_mainchat"));
    m_chatPanel->setAutoFillBackground(true);
    QPalette palette = m_chatPanel->palette();
    palette.setColor(QPalette::Window, kChatBackground);
    m_chatPanel->setPalette(palette);
}

void Board::placeChat(social::ChatPanel& chat) {
    chat.view()->setParent(m_chatPanel);
    chat.entry()->setParent(this);
    chat.smileyButton()->setParent(this);
    m_chatView = chat.view();
    m_chatEntry = chat.entry();
    m_smiley = chat.smileyButton();
    placeChatColumn();
}

// The column keeps its text size: the logo and the phrase row stay at the top, the chat view
// takes the column's whole width and height, the entry field its width.
void Board::placeChatColumn() {
    const int left = m_fit.chat.x();
    const int width = m_fit.chat.width();
    const int bottom = height();
    if (m_logo != nullptr) {
        m_logo->move(left + 2, 6);
    }
    m_chatPanel->setGeometry(left, 54, width - 3, bottom - 54 - 29);
    if (m_chatView != nullptr) {
        m_chatView->setGeometry(1, 2, m_chatPanel->width() - 3, m_chatPanel->height() - 4);
    }
    if (m_chatEntry != nullptr && m_smiley != nullptr) {
        m_chatEntry->setGeometry(left, bottom - 27, width - 31, 22);
        m_smiley->setGeometry(left + width - 30, bottom - 26, 25, 19);
    }
    if (m_phraseRow != nullptr) {
        m_phraseRow->setGeometry(phraseRowPlace());
    }
    static constexpr std::array<int, 10> kLeft = {0, 27, 54, 80, 107, 134, 160, 187, 214, 241};
    for (std::size_t n = 0; n < m_phrasePlaces.size() && n < kLeft.size(); ++n) {
        m_phrasePlaces[n]->setGeometry(left + kLeft[n], phraseRowPlace().y(), 25, 19);
    }
}

QRect Board::phraseRowPlace() const {
    return {m_fit.chat.x(), 33, 266, 19};
}

void Board::buildPhrasePlaces() {
    for (int n = 1; n <= 10; ++n) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("b_phrase%1").arg(n));
        button->setText(n <= 9 ? QString::number(n) : QStringLiteral("\u266A"));
        button->setEnabled(false);
        m_phrasePlaces.push_back(button);
    }
    placeChatColumn();
}

void Board::setPhraseRow(QWidget* row) {
    for (QPushButton* place : m_phrasePlaces) {
        delete place;
    }
    m_phrasePlaces.clear();
    row->setParent(this);
    m_phraseRow = row;
    row->setGeometry(phraseRowPlace());
    row->show();
}

} // namespace lastling::shell
