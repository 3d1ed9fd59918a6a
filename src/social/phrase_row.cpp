#include "social/phrase_row.h"

#include "protocol/wire_text.h"
#include "social/chatter_sounds.h"
#include "social/phrase_pictures.h"

#include <QAbstractButton>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>
#include <QTimer>

namespace lastling::social {

// A flat button that is all picture: it sinks a pixel while pressed and greys when disabled.
// With a release handler it also answers the right and middle buttons.
class PhrasePictureButton : public QAbstractButton {
public:
    PhrasePictureButton(const QImage& picture, QWidget* parent)
        : QAbstractButton(parent), m_picture(QPixmap::fromImage(picture)) {
        setFixedSize(m_picture.size());
        setFocusPolicy(Qt::TabFocus); // a click leaves the keyboard with the chat entry
        // Space or a screen reader's Press reaches the release handler too.
        connect(this, &QAbstractButton::clicked, this, [this] {
            if (m_onRelease && !m_mouseRelease) {
                m_onRelease();
            }
        });
    }

    void setReleaseHandler(std::function<void()> handler) { m_onRelease = std::move(handler); }
    QSize sizeHint() const override { return m_picture.size(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (!isEnabled()) {
            QStyleOption option;
            option.initFrom(this);
            painter.drawPixmap(0, 0,
                               style()->generatedIconPixmap(QIcon::Disabled, m_picture, &option));
            return;
        }
        const int sink = isDown() ? 1 : 0;
        painter.drawPixmap(sink, sink, m_picture);
        if (hasFocus()) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRect(rect().adjusted(1, 1, -1, -1));
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (m_onRelease && event->button() != Qt::LeftButton) {
            event->accept();
            return;
        }
        QAbstractButton::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        m_mouseRelease = true;
        QAbstractButton::mouseReleaseEvent(event);
        m_mouseRelease = false;
        if (m_onRelease && rect().contains(event->position().toPoint())) {
            m_onRelease();
        }
    }

private:
    QPixmap m_picture;
    std::function<void()> m_onRelease;
    bool m_mouseRelease = false;
};

namespace {

// Left edges of the ten buttons within the row.
constexpr std::array<int, kPhraseCount + 1> kButtonX = {0,   27,  54,  80,  107,
                                                        134, 160, 187, 214, 241};

QString fromWire(const std::string& text) {
    return QString::fromStdString(protocol::textToUtf8(text));
}

// A phrase that looks like markup still shows as typed.
QString plainToolTip(const QString& text) {
    return Qt::mightBeRichText(text)
               ? QStringLiteral("<qt>") + text.toHtmlEscaped() + QStringLiteral("</qt>")
               : text;
}

} // namespace

PhraseRow::PhraseRow(QWidget* parent, PhraseModel::Clock clock)
    : QWidget(parent), m_model(std::move(clock)) {
    setObjectName(QStringLiteral("phrase_row"));
    setFixedSize(kWidth, kHeight);
    for (int n = 1; n <= kPhraseCount; ++n) {
        auto* button = new PhrasePictureButton(drawPhrasePicture(n), this);
        button->setObjectName(QStringLiteral("b_phrase%1").arg(n));
        button->move(kButtonX[static_cast<std::size_t>(n - 1)], 0);
        connect(button, &QAbstractButton::clicked, this, [this, n] { sendPhrase(n); });
        m_phraseButtons[static_cast<std::size_t>(n - 1)] = button;
    }
    m_chatterButton = new PhrasePictureButton(drawChatterPicture(), this);
    m_chatterButton->setObjectName(QStringLiteral("b_phrase10"));
    m_chatterButton->move(kButtonX.back(), 0);
    m_chatterButton->setToolTip(tr("Chatter Sounds"));
    m_chatterButton->setAccessibleName(tr("Chatter sounds"));
    m_chatterButton->setReleaseHandler([this] { showChatterMenu(); });
    buildChatterMenu();

    m_lockTimer = new QTimer(this);
    m_lockTimer->setObjectName(QStringLiteral("phrase_lock"));
    m_lockTimer->setSingleShot(true);
    m_lockTimer->setTimerType(Qt::PreciseTimer);
    connect(m_lockTimer, &QTimer::timeout, this, &PhraseRow::reopenIfDue);
    connect(&m_model, &PhraseModel::phrasesChanged, this, &PhraseRow::showPhrases);
    connect(&m_model, &PhraseModel::lockClosed, this, [this] {
        greyPhraseButtons(true);
        reopenIfDue();
    });
    showPhrases();
}

QAbstractButton* PhraseRow::phraseButton(int number) const {
    return number >= 1 && number <= kPhraseCount
               ? m_phraseButtons[static_cast<std::size_t>(number - 1)]
               : nullptr;
}

QAbstractButton* PhraseRow::chatterButton() const {
    return m_chatterButton;
}

void PhraseRow::sendPhrase(int number) {
    const ChatSession session = m_session ? m_session() : ChatSession{};
    const std::string message =
        m_model.click(number, session.myseat, session.loggedin, m_colour ? m_colour() : kBlack);
    if (!message.empty() && m_sender) {
        m_sender(message);
    }
}

void PhraseRow::sendChatterSound(int tag) {
    const ChatSession session = m_session ? m_session() : ChatSession{};
    const std::string message = chatterSoundMessage(tag, session.myseat, session.loggedin);
    if (!message.empty() && m_model.takeLock() && m_sender) {
        m_sender(message);
    }
}

void PhraseRow::showChatterMenu() {
    m_chatterMenu->popup(
        m_chatterButton->mapToGlobal(QPoint(m_chatterButton->width(), m_chatterButton->height())));
}

void PhraseRow::reopenIfDue() {
    const auto remaining = m_model.lockRemaining();
    if (remaining.count() == 0) {
        m_lockTimer->stop();
        greyPhraseButtons(false);
        return;
    }
    m_lockTimer->start(remaining);
}

void PhraseRow::buildChatterMenu() {
    m_chatterMenu = new QMenu(this);
    m_chatterMenu->setObjectName(QStringLiteral("popup_sounds"));
    QAction* cancel = m_chatterMenu->addAction(tr("<Cancel>"));
    cancel->setObjectName(QStringLiteral("Cancel1"));
    connect(cancel, &QAction::triggered, this, [this] { sendChatterSound(0); });
    for (int tag = 1; tag <= kChatterSoundCount; ++tag) {
        const std::string_view caption = chatterCaption(tag);
        QAction* item = m_chatterMenu->addAction(
            QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));
        item->setObjectName(QStringLiteral("wave%1").arg(tag));
        connect(item, &QAction::triggered, this, [this, tag] { sendChatterSound(tag); });
    }
}

void PhraseRow::showPhrases() {
    for (int n = 1; n <= kPhraseCount; ++n) {
        const QString phrase = fromWire(m_model.phrases()[static_cast<std::size_t>(n - 1)]);
        phraseButton(n)->setToolTip(plainToolTip(phrase));
        phraseButton(n)->setAccessibleName(QStringLiteral("Phrase %1: %2").arg(n).arg(phrase));
    }
}

void PhraseRow::greyPhraseButtons(bool grey) {
    for (PhrasePictureButton* button : m_phraseButtons) {
        button->setEnabled(!grey);
    }
    m_chatterButton->setEnabled(!grey);
}

} // namespace lastling::social
