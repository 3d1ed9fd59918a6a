#include "social/phrase_editor.h"

#include "protocol/wire_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

namespace lastling::social {
namespace {

constexpr std::array<int, kPhraseCount> kRowY = {13, 37, 61, 85, 109, 132, 156, 180, 204};
// The Tab key's path through the fields, as players of the game know it.
constexpr std::array<int, kPhraseCount> kTabOrder = {1, 2, 3, 4, 5, 9, 8, 7, 6};
const QColor kFieldBackground(0xF9, 0xFA, 0xE7);

} // namespace

PhraseEditor::PhraseEditor(PhraseModel& model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_model(model) {
    setObjectName(QStringLiteral("phrases"));
    setWindowTitle(tr("Lastling - Phrase Buttons "));
    setFixedSize(kClientWidth, kClientHeight);
    setModal(false);
    setAutoFillBackground(true);
    setBackgroundTile(QPixmap());
    buildFields();

    auto* note = new QLabel(tr("Buttons can only be used once every 2 seconds"), this);
    note->setObjectName(QStringLiteral("label_note"));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    note->setGeometry(25, 232, 137, 25);
    QFont small = note->font();
    small.setPointSize(7);
    note->setFont(small);

    m_done = new QPushButton(tr("Done"), this);
    m_done->setObjectName(QStringLiteral("button_done"));
    m_done->setGeometry(265, 234, 95, 20);
    m_done->setDefault(true);
    connect(m_done, &QPushButton::clicked, this, &PhraseEditor::button_doneClick);

    QWidget* previous = field(kTabOrder.front());
    for (std::size_t i = 1; i < kTabOrder.size(); ++i) {
        setTabOrder(previous, field(kTabOrder[i]));
        previous = field(kTabOrder[i]);
    }
    setTabOrder(previous, m_done);
}

void PhraseEditor::buildFields() {
    QPalette fieldPalette;
    fieldPalette.setColor(QPalette::Base, kFieldBackground);
    for (int n = 1; n <= kPhraseCount; ++n) {
        const int y = kRowY[static_cast<std::size_t>(n - 1)];
        auto* label = new QLabel(tr("Phrase Button %1:").arg(n), this);
        label->setGeometry(9, y, 100, 16);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("phrase%1").arg(n));
        edit->setGeometry(112, y - 3, 250, 21);
        edit->setMaxLength(kMaxPhraseLength);
        edit->setPalette(fieldPalette);
        label->setBuddy(edit);
        m_fields[static_cast<std::size_t>(n - 1)] = edit;
    }
}

void PhraseEditor::setBackgroundTile(const QPixmap& tile) {
    QPalette look = palette();
    if (tile.isNull()) {
        look.setColor(QPalette::Window, Qt::white);
    } else {
        // The tile may have see-through parts: white shows beneath them.
        QPixmap onWhite(tile.size());
        onWhite.fill(Qt::white);
        QPainter(&onWhite).drawPixmap(0, 0, tile);
        look.setBrush(QPalette::Window, QBrush(onWhite));
    }
    setPalette(look);
}

QLineEdit* PhraseEditor::field(int number) const {
    return number >= 1 && number <= kPhraseCount ? m_fields[static_cast<std::size_t>(number - 1)]
                                                 : nullptr;
}

void PhraseEditor::openEditor() {
    for (int n = 1; n <= kPhraseCount; ++n) {
        const std::string& text = m_model.phrases()[static_cast<std::size_t>(n - 1)];
        field(n)->setText(QString::fromStdString(protocol::textToUtf8(text)));
    }
    if (QWidget* owner = parentWidget()) {
        move(owner->window()->frameGeometry().center() - rect().center());
    }
    field(1)->setFocus();
    show();
    raise();
    activateWindow();
}

void PhraseEditor::button_doneClick() {
    PhraseTexts texts;
    for (int n = 1; n <= kPhraseCount; ++n) {
        texts[static_cast<std::size_t>(n - 1)] =
            protocol::textFromUtf8(field(n)->text().toStdString());
    }
    m_model.setPhrases(texts);
    if (m_saver && !m_saver(m_model.phrases())) {
        return;
    }
    accept();
}

} // namespace lastling::social
