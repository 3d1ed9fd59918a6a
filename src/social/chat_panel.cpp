#include "social/chat_panel.h"

#include "protocol/wire_text.h"
#include "social/chat_entry.h"
#include "social/chat_view.h"
#include "social/qt_colour.h"
#include "social/smileys.h"

#include <QAction>
#include <QColorDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>

#include <initializer_list>

namespace lastling::social {
namespace {

const QString kCannotOpen = QStringLiteral("Cannot open Webpage");

// Only web addresses leave the chat: a word from another player must not start a local
// program or open a local file.
bool isWebAddress(const QUrl& url) {
    return url.isValid() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

} // namespace

ChatPanel::ChatPanel(QWidget* parent, ChatPacer::Clock clock)
    : QObject(parent), m_pacer(std::move(clock)), m_view(new ChatView(m_model, parent)),
      m_entry(new ChatEntry(parent)), m_smileyButton(new QPushButton(parent)),
      m_smileyMenu(std::make_unique<QMenu>()), m_opener(std::make_unique<DesktopLinkOpener>()) {
    m_view->setObjectName(QStringLiteral("mainchat"));
    m_entry->setObjectName(QStringLiteral("mychat"));
    m_smileyButton->setObjectName(QStringLiteral("button_smilies"));
    m_smileyButton->setIcon(QPixmap::fromImage(smileyPicture(0)));
    m_smileyButton->setFlat(true);
    m_view->setAccessibleName(tr("Chat"));
    m_entry->setAccessibleName(tr("Chat message")); // its shown text stays "<Enter Chat Here>"
    m_smileyButton->setAccessibleName(tr("Smileys"));

    m_pickColour = [this](const QColor& current) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(current, m_entry->window());
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    m_messageBox = [this](const QString& text) {
        QMessageBox::warning(m_view->window(), QStringLiteral("Lastling"), text);
    };

    buildActions();
    buildSmileyMenu();
    connect(m_entry, &ChatEntry::sendRequested, this, &ChatPanel::sendit);
    connect(m_view, &ChatView::linkActivated, this, &ChatPanel::mainchatJump);
    connect(m_smileyButton, &QPushButton::clicked, this, &ChatPanel::showSmileyMenu);
    m_pacer.setSender([this](const std::string& message) {
        if (m_sender) {
            m_sender(message);
        }
    });
    connect(&m_pacer, &ChatPacer::waitingChanged, this, &ChatPanel::showWaiting);
    setChatColour(kBlack);
}

ChatPanel::~ChatPanel() {
    for (QWidget* widget : std::initializer_list<QWidget*>{m_view, m_entry, m_smileyButton}) {
        if (widget->parentWidget() == nullptr) {
            delete widget;
        }
    }
}

void ChatPanel::buildActions() {
    m_selectAll = new QAction(tr("Select All"), this);
    m_copy = new QAction(tr("Copy"), this);
    m_copy->setShortcut(QKeySequence::Copy);
    m_copy->setShortcutContext(Qt::WidgetShortcut);
    m_clear = new QAction(tr("Clear Main Chat"), this);
    m_scrollOff = new QAction(tr("Scroll Chat Off"), this);
    m_scrollOff->setCheckable(true);
    m_scrollOff->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_textColour = new QAction(tr("Text Color"), this);
    for (std::size_t i = 0; i < kTextSizes.size(); ++i) {
        const int size = kTextSizes[i];
        m_sizes[i] = new QAction(QString::number(size), this);
        m_sizes[i]->setCheckable(true);
        connect(m_sizes[i], &QAction::triggered, this, [this, size] { setTextSize(size); });
    }
    connect(m_selectAll, &QAction::triggered, this, &ChatPanel::selectAll);
    connect(m_copy, &QAction::triggered, this, &ChatPanel::copy);
    connect(m_clear, &QAction::triggered, this, &ChatPanel::clearMainChat);
    connect(m_scrollOff, &QAction::toggled, m_view, &ChatView::setScrollChatOff);
    connect(m_textColour, &QAction::triggered, this, &ChatPanel::chooseTextColour);

    // The view's pop-up menu; Ctrl+S also works while the view has the focus.
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    m_view->addActions({m_selectAll, m_copy, m_clear, separator, m_scrollOff});
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
    applyTextSize(m_model.pointSize());
}

void ChatPanel::buildSmileyMenu() {
    for (int index = 0; index < kSmileyCount; ++index) {
        const int code = index + kFirstSmileyCode;
        QAction* item = m_smileyMenu->addAction(QPixmap::fromImage(smileyPicture(index)),
                                                QStringLiteral(":)#") + QString::number(code));
        connect(item, &QAction::triggered, m_entry, [this, code] { m_entry->appendSmiley(code); });
    }
}

void ChatPanel::showSmileyMenu() {
    m_smileyMenu->popup(m_smileyButton->mapToGlobal(m_smileyButton->rect().bottomRight()));
}

void ChatPanel::sendit() {
    const ChatSession session = m_session ? m_session() : ChatSession{};
    const std::string text = protocol::textFromUtf8(m_entry->text().toStdString());
    const SendResult result =
        ChatModel::sendit(text, session.myseat, session.loggedin, m_chatColour);
    // A refused line stays in the field, so nothing typed is lost.
    if (!result.message.empty() && sendPaced(result.message) == ChatPacer::Outcome::Refused) {
        return;
    }
    if (result.clearField) {
        m_entry->clear();
    }
}

ChatPacer::Outcome ChatPanel::sendPaced(const std::string& message) {
    const ChatSession session = m_session ? m_session() : ChatSession{};
    const ChatPacer::Outcome outcome =
        m_pacer.submit(message, ChatModel::waitingText(message, session.myname));
    if (outcome == ChatPacer::Outcome::Refused) {
        m_model.addSystemLine("0+Line not sent. " + std::to_string(ChatPacer::kMaxWaiting) +
                              " lines are already waiting to go out, and the table takes "
                              "one a second.");
    }
    return outcome;
}

void ChatPanel::showWaiting() {
    const ChatSession session = m_session ? m_session() : ChatSession{};
    std::vector<std::string> texts;
    for (const ChatPacer::Waiting& waiting : m_pacer.waiting()) {
        texts.push_back(waiting.shown);
    }
    m_model.setWaiting(texts, session.myseat);
}

void ChatPanel::selectAll() {
    if (!m_view->document()->isEmpty()) {
        m_view->selectAll();
    }
}

void ChatPanel::copy() {
    m_view->copy();
}

void ChatPanel::clearMainChat() {
    m_model.clear();
    m_entry->setFocus();
}

void ChatPanel::setScrollChatOff(bool off) {
    m_scrollOff->setChecked(off);
}

void ChatPanel::chooseTextColour() {
    const auto chosen =
        m_pickColour ? m_pickColour(toQColor(m_chatColour, m_entry->palette())) : std::nullopt;
    if (!chosen) {
        return;
    }
    setChatColour(fromQColor(*chosen));
    saveSettings();
}

void ChatPanel::setTextSize(int pointSize) {
    applyTextSize(pointSize);
    saveSettings();
}

void ChatPanel::applyTextSize(int pointSize) {
    m_model.setAllPointSizes(pointSize);
    for (std::size_t i = 0; i < kTextSizes.size(); ++i) {
        m_sizes[i]->setChecked(kTextSizes[i] == m_model.pointSize());
    }
}

void ChatPanel::setChatColour(Colour colour) {
    m_chatColour = colour;
    m_entry->setTextColour(toQColor(colour, m_entry->palette()));
}

void ChatPanel::mainchatJump(int jump) {
    const std::string address = m_model.linkAddress(jump);
    const QUrl url = QUrl::fromUserInput(
        QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())));
    const bool opened = !address.empty() && isWebAddress(url) && m_opener && m_opener->open(url);
    if (!opened && m_messageBox) {
        m_messageBox(kCannotOpen);
    }
}

void ChatPanel::saveSettings() const {
    if (m_saveSettings) {
        m_saveSettings();
    }
}

} // namespace lastling::social
