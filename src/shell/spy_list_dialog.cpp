#include "shell/spy_list_dialog.h"

#include "protocol/wire_text.h"
#include "shell/game_start_dialog.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace lastling::shell {

namespace {

constexpr int kTitleLeft = 6;
constexpr int kDoneLeft = 104;

// The title keeps its size where the font allows; a wider font is stepped down until the
// whole title fits before the "Done" button.
void fitTitle(QLabel& title, QFont font, int room) {
    while (font.pixelSize() > 9 && QFontMetrics(font).horizontalAdvance(title.text()) > room) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    title.setFont(font);
    const int height = std::max(24, QFontMetrics(font).height());
    title.setGeometry(kTitleLeft, 152 - height / 2, room, height);
}

} // namespace

SpyListDialog::SpyListDialog(const QPixmap& background, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags), m_background(background) {
    setWindowTitle(QStringLiteral("Lastling - Spys"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFixedSize(162, 168);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("listbox_spys"));
    m_list->setGeometry(5, 5, 154, 130);
    m_list->setStyleSheet(QStringLiteral("background: #F9FAE7;"));
    m_list->setMouseTracking(true);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->viewport()->installEventFilter(this);
    m_list->setAccessibleName(QStringLiteral("Spy List"));
    connect(m_list, &QListWidget::customContextMenuRequested, this, &SpyListDialog::openMenu);

    auto* title = new QLabel(QStringLiteral("Spy List"), this);
    title->setObjectName(QStringLiteral("label_title"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(19);
    titleFont.setBold(true);
    fitTitle(*title, titleFont, kDoneLeft - kTitleLeft - 2);

    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry(kDoneLeft, 141, 53, 22);
    connect(done, &QPushButton::clicked, this, &QDialog::hide);

    m_kick = new QAction(QStringLiteral("Remove From Game"), this);
    m_kick->setObjectName(QStringLiteral("popup_kickhim"));
    m_kick->setEnabled(false);
    connect(m_kick, &QAction::triggered, this, [this] { removeEntryAt(m_remembered); });
}

void SpyListDialog::setEntries(const std::vector<std::string>& entries) {
    QStringList texts;
    for (const std::string& entry : entries) {
        texts << QString::fromStdString(protocol::textToUtf8(entry));
    }
    QStringList current;
    for (int row = 0; row < m_list->count(); ++row) {
        current << m_list->item(row)->text();
    }
    if (current != texts) {
        m_list->clear();
        m_list->addItems(texts);
    }
}

void SpyListDialog::setKickEnabled(bool enabled) {
    m_kick->setEnabled(enabled);
}

bool SpyListDialog::kickEnabled() const {
    return m_kick->isEnabled();
}

void SpyListDialog::removeEntryAt(int index) {
    if (m_kick->isEnabled() && index >= 0 && index < m_list->count()) {
        emit removeRequested(index);
    }
}

void SpyListDialog::openMenu(const QPoint& at) {
    QListWidgetItem* item = m_list->itemAt(at);
    m_remembered = item != nullptr ? m_list->row(item) : -1;
    QMenu menu(this);
    menu.addAction(m_kick);
    menu.exec(m_list->viewport()->mapToGlobal(at));
}

// Moving over the list remembers the entry under the pointer, none below the last one.
bool SpyListDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        QListWidgetItem* item = m_list->itemAt(move->position().toPoint());
        m_remembered = item != nullptr ? m_list->row(item) : -1;
    }
    return QDialog::eventFilter(watched, event);
}

void SpyListDialog::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_background.isNull()) {
        painter.drawTiledPixmap(rect(), m_background);
    }
    QDialog::paintEvent(event);
}

} // namespace lastling::shell
